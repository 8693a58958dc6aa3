// Picture export on real files: BMP and JPEG read back, the JPEG module itself, failed writes.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QLibrary>
#include <QTemporaryDir>
#include <cstdlib>

#include "document_commands.h"
#include "fakes.h"
#include "output_support.h"
#include "savtojpg.h"
#include "sheet_output.h"

namespace tavro::test {
namespace {

// Mean and worst difference of the colour channels of two pictures of the same size.
struct Difference {
    double mean = 0;
    int worst = 0;
    double outliers = 0;  // the share of channels off by more than 48 levels
};

Difference compare(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    Difference d;
    long long sum = 0, far = 0, count = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            for (const int delta :
                 {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)}) {
                const int off = std::abs(delta);
                sum += off;
                far += off > 48;
                d.worst = std::max(d.worst, off);
                ++count;
            }
        }
    }
    d.mean = static_cast<double>(sum) / static_cast<double>(count);
    d.outliers = static_cast<double>(far) / static_cast<double>(count);
    return d;
}

struct Output {
    DesignState state;
    ScriptedPrompts prompts;
    QImage sheet;
    QtSheetOutput output;
    explicit Output(const std::string& moduleDir, QSize size = QSize(560, 760))
        : sheet(drawnSheet(size.width(), size.height())), output(state, moduleDir, '.', prompts) {
        output.setSheet([this] { return &sheet; });
    }
};

struct ExportCase {
    const char* name;
    bool jpeg;
    const char* file;
    QSize size;
};

class Exports : public ::testing::TestWithParam<ExportCase> {};

// The picture read back is the sheet: BMP pixel for pixel, JPEG within its lossy tolerance.
TEST_P(Exports, ReadBackIsTheSheet) {
    const ExportCase& c = GetParam();
    QTemporaryDir dir;
    Output o(kModuleDir, c.size);
    const QString path = dir.filePath(QString::fromUtf8(c.file));
    std::string why;
    ASSERT_EQ(c.jpeg ? o.output.saveSheetJpeg(path.toStdString(), why)
                     : o.output.saveSheetBmp(path.toStdString(), why),
              ExportResult::Written)
        << why;
    // The format is named, whatever the file is called.
    const QImage back(path, c.jpeg ? "jpeg" : "bmp");
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.size(), o.sheet.size());
    const Difference d = compare(back, o.sheet);
    if (c.jpeg) {
        EXPECT_LT(d.mean, 1.5);
        EXPECT_LT(d.outliers, 0.002) << "worst " << d.worst;
    } else {
        EXPECT_EQ(d.worst, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, Exports,
    ::testing::Values(ExportCase{"bmp", false, "pic.bmp", QSize(560, 760)},
                      ExportCase{"bmp_no_extension", false, "pic", QSize(700, 500)},
                      ExportCase{"jpeg", true, "pic.jpg", QSize(560, 760)},
                      ExportCase{"jpeg_wide", true, "pic.jpg", QSize(700, 500)},
                      ExportCase{"jpeg_cyrillic_name", true, "Сопло №1.jpg", QSize(560, 760)}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    bool jpeg;
    const char* moduleDir;  // "real", "silent" or "none"
    const char* target;     // "@" is the temporary folder; "old" holds a picture beforehand
    ExportResult result;    // only a missing or silent module is the module's fault
    const char* reason;
};

class FailedExports : public ::testing::TestWithParam<FailureCase> {};

// A write that did not happen is never reported as a saved picture, and a picture already
// at the target survives it.
TEST_P(FailedExports, AreReportedAndKeepTheOldFile) {
    const FailureCase& c = GetParam();
    QTemporaryDir dir, emptyDir;
    ASSERT_TRUE(writeBytes(dir.filePath("plain"), "not a folder"));
    // An older, smaller picture: a JPEG file is there whether or not the module wrote one.
    QByteArray oldPicture;
    QBuffer buffer(&oldPicture);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    QImage older(12, 8, QImage::Format_RGB32);
    older.fill(Qt::gray);
    ASSERT_TRUE(older.save(&buffer, "jpeg"));
    ASSERT_TRUE(writeBytes(dir.filePath("old.jpg"), oldPicture));
    const std::string module = std::string(c.moduleDir) == "real" ? kModuleDir
                               : std::string(c.moduleDir) == "silent"
                                   ? kSilentModuleDir
                                   : emptyDir.path().toStdString();
    Output o(module);
    std::string target = c.target;
    if (target[0] == '@')
        target = dir.filePath(QString::fromStdString(target.substr(1))).toStdString();
    std::string why;
    EXPECT_EQ(c.jpeg ? o.output.saveSheetJpeg(target, why) : o.output.saveSheetBmp(target, why),
              c.result);
    EXPECT_EQ(why, c.reason);
    EXPECT_TRUE(devFullIntact());
    EXPECT_EQ(readBytes(dir.filePath("old.jpg")), oldPicture);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("new.jpg")));
}

INSTANTIATE_TEST_SUITE_P(
    Writes, FailedExports,
    ::testing::Values(FailureCase{"bmp_full_disk", false, "real", "/dev/full",
                                  ExportResult::WriteFailed, "Нет места на устройстве"},
                      FailureCase{"bmp_under_a_file", false, "real", "@plain/x.bmp",
                                  ExportResult::WriteFailed, "Часть пути не является каталогом"},
                      FailureCase{"jpeg_full_disk", true, "real", "/dev/full",
                                  ExportResult::WriteFailed, "Нет места на устройстве"},
                      FailureCase{"jpeg_under_a_file", true, "real", "@plain/x.jpg",
                                  ExportResult::WriteFailed, "Часть пути не является каталогом"},
                      FailureCase{"jpeg_into_a_folder", true, "real", "@",
                                  ExportResult::WriteFailed, "Это каталог"},
                      FailureCase{"jpeg_no_module", true, "none", "@new.jpg",
                                  ExportResult::ModuleFailed, ""},
                      FailureCase{"jpeg_module_writes_nothing", true, "silent", "@new.jpg",
                                  ExportResult::ModuleFailed, ""},
                      FailureCase{"jpeg_module_writes_nothing_over_old", true, "silent", "@old.jpg",
                                  ExportResult::ModuleFailed, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Without the module the command names it in its failure text and never says "Сохранено";
// with it the same command confirms.
TEST(JpegCommand, MissingModuleIsShownAndNotConfirmed) {
    for (const bool present : {false, true}) {
        QTemporaryDir dir;
        FakeView view;
        Output o(present ? kModuleDir : dir.path().toStdString());
        DocumentCommands commands(o.state, view, o.prompts, &o.output, dir.path().toStdString(),
                                  '.');
        const std::string target = dir.filePath("pic.jpg").toStdString();
        o.prompts.paths = {target};
        if (!present) o.prompts.answers = {Answer::Ok};
        commands.mnuFileSaveImgJpg_Click();
        EXPECT_EQ(o.prompts.confirmations, present ? 1 : 0);
        EXPECT_EQ(QFileInfo::exists(QString::fromStdString(target)), present);
        if (!present) {
            ASSERT_EQ(o.prompts.boxes.size(), 1u);
            EXPECT_EQ(o.prompts.boxes[0].title, "Ошибка сохранения JPEG");
            EXPECT_EQ(o.prompts.boxes[0].text, commands.jpegFailureText());
            EXPECT_NE(o.prompts.boxes[0].text.find("libsavtojpg.so"), std::string::npos);
        }
    }
}

// The module on its own, called as the program calls it.
class Module : public ::testing::Test {
  protected:
    void SetUp() override {
        library.setFileName(QDir(QString::fromStdString(kModuleDir)).filePath("libsavtojpg.so"));
        save = reinterpret_cast<SaveToJpg1Function>(library.resolve("SaveToJpg1"));
        ASSERT_NE(save, nullptr) << library.errorString().toStdString();
        // Four quarters of different colours show which corner was written.
        pixels = QImage(300, 200, QImage::Format_RGB32);
        pixels.fill(Qt::white);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x)
                pixels.setPixel(x, y,
                                x < 150 ? (y < 100 ? 0xff2040c0 : 0xff20c040)
                                        : (y < 100 ? 0xffc04020 : 0xffe0e0e0));
        handle = SheetPixels{reinterpret_cast<const uint32_t*>(pixels.constBits()),
                             static_cast<int32_t>(pixels.bytesPerLine()), 300, 200};
    }
    QLibrary library;
    SaveToJpg1Function save = nullptr;
    QImage pixels;
    SheetPixels handle{};
    QTemporaryDir dir;
};

struct AreaCase {
    const char* name;
    int height, width;  // as passed: height first
    bool written;
};

class ModuleAreas : public Module, public ::testing::WithParamInterface<AreaCase> {};

TEST_P(ModuleAreas, WritesTheTopLeftAreaOrNothing) {
    const AreaCase& c = GetParam();
    const QString path = dir.filePath("a.jpg");
    EXPECT_EQ(save(&handle, QFile::encodeName(path).constData(), c.height, c.width),
              c.written ? 1 : 0);
    EXPECT_EQ(QFileInfo::exists(path), c.written);
    if (!c.written) return;
    const QImage back(path, "jpeg");
    ASSERT_EQ(back.size(), QSize(c.width, c.height));
    EXPECT_LT(compare(back, pixels.copy(0, 0, c.width, c.height)).mean, 2.0);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, ModuleAreas,
    ::testing::Values(AreaCase{"whole", 200, 300, true}, AreaCase{"corner", 120, 170, true},
                      AreaCase{"one_pixel", 1, 1, true},
                      AreaCase{"width_for_height", 300, 200, false},
                      AreaCase{"too_high", 201, 300, false}, AreaCase{"too_wide", 200, 301, false},
                      AreaCase{"empty", 0, 300, false}, AreaCase{"negative", 200, -1, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Module, FailedWritesLeaveNothingAndSpareDevices) {
    EXPECT_EQ(save(&handle, "/dev/full", 200, 300), 0);
    EXPECT_TRUE(devFullIntact());
    ASSERT_TRUE(writeBytes(dir.filePath("plain"), "x"));
    EXPECT_EQ(save(&handle, QFile::encodeName(dir.filePath("plain/a.jpg")).constData(), 200, 300),
              0);
    EXPECT_EQ(save(nullptr, QFile::encodeName(dir.filePath("b.jpg")).constData(), 200, 300), 0);
    EXPECT_EQ(save(&handle, nullptr, 200, 300), 0);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"plain"});
}

}  // namespace
}  // namespace tavro::test
