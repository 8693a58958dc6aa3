// Picture export of the sheet (BMP, and JPEG through the JPEG module) and printing.
#include "sheet_output.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QLibrary>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTemporaryDir>

#include "painter_target.h"
#include "print_module.h"
#include "rebuilder.h"
#include "safe_file.h"
#include "savtojpg.h"

namespace tavro {
namespace {

// The page of a PDF of our own on the PDF printer's paper.
QPageLayout pdfPage(const PrintServices& printer) {
    const QPageLayout paper = printer.pdfPaper();
    return pdfPageLayout(paper.pageSize(), paper.orientation());
}

// The printer's module, loaded when first needed; null when it cannot be.
const PrintServices* printer() {
    std::string why;
    return printServices(why);
}

}  // namespace

std::string QtSheetOutput::jpegModulePath() const {
    const QDir dir(QString::fromStdString(appDir_));
    const QString beside = dir.filePath(QStringLiteral("libsavtojpg.so"));
    const QString installed =
        QDir::cleanPath(dir.filePath(QStringLiteral("../lib/tavro-nozzle/libsavtojpg.so")));
    // A module beside the program wins, so a build folder never picks up an installed one.
    if (QFileInfo::exists(beside) || !QFileInfo::exists(installed)) return beside.toStdString();
    return installed.toStdString();
}

ExportResult QtSheetOutput::saveSheetBmp(const std::string& path, std::string& why) {
    const QImage* sheet = sheet_ ? sheet_() : nullptr;
    // The chosen name is used as it is: the format is named, not guessed from an extension.
    // The picture is made whole in memory first, so a failed write keeps an older file.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (!sheet || !writer.write(sheet->convertToFormat(QImage::Format_RGB888))) {
        why = "Рисунок не удалось составить. Сообщите разработчику.";
        return ExportResult::WriteFailed;
    }
    return replaceFile(path, buffer.data(), &why) ? ExportResult::Written
                                                  : ExportResult::WriteFailed;
}

ExportResult QtSheetOutput::saveSheetJpeg(const std::string& path, std::string& why) {
    const QImage* sheet = sheet_ ? sheet_() : nullptr;
    QLibrary module(QString::fromStdString(jpegModulePath()));
    const auto save = reinterpret_cast<SaveToJpg1Function>(module.resolve("SaveToJpg1"));
    if (!sheet || !save) return ExportResult::ModuleFailed;
    const QImage pixels = sheet->convertToFormat(QImage::Format_RGB32);
    const SheetPixels handle{reinterpret_cast<const uint32_t*>(pixels.constBits()),
                             static_cast<int32_t>(pixels.bytesPerLine()), pixels.width(),
                             pixels.height()};
    // The module writes into a folder of our own, and the picture takes the chosen name only
    // once it is there whole: a module that writes nothing never passes for a saved picture
    // by an older file of that name, and a failed export leaves the older file as it was.
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        why = "Не удалось создать временный каталог";
        return ExportResult::WriteFailed;
    }
    const QString written = scratch.filePath(QStringLiteral("sheet.jpg"));
    if (!save(&handle, QFile::encodeName(written).constData(), pixels.height(), pixels.width()))
        return ExportResult::ModuleFailed;
    QFile file(written);
    if (!file.open(QIODevice::ReadOnly)) return ExportResult::ModuleFailed;
    const QByteArray bytes = file.readAll();
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "jpeg");
    if (reader.size() != pixels.size()) return ExportResult::ModuleFailed;
    return replaceFile(path, bytes, &why) ? ExportResult::Written : ExportResult::WriteFailed;
}

bool QtSheetOutput::canPrint(std::string& why) {
    return printServices(why) != nullptr;
}

bool QtSheetOutput::hasPrinter() {
    const PrintServices* services = printer();
    return services && services->hasPrinter();
}

int QtSheetOutput::templatePages() {
    const PrintServices* services = printer();
    if (!services) return 0;
    const bool pdf = !services->hasPrinter();
    const QPageLayout page = pdf ? pdfPage(*services) : QPageLayout();
    int pages = 0;
    services->onPrinter(pdf ? &page : nullptr, [this, &pages](QPagedPaintDevice& paper) {
        pages = planForPaper(paper, state_, kPageFontPoints, true, shape_).pageCount();
    });
    return pages;
}

// The preview shows the real pages on the paper that printing will use: a PDF's page where
// there is no printer.
bool QtSheetOutput::previewPages(OutputMode mode) {
    const PrintServices* services = printer();
    if (!services) return false;
    const bool pdf = !services->hasPrinter();
    const QPageLayout page = pdf ? pdfPage(*services) : QPageLayout();
    OnPaper plan;
    if (rulesOf(mode).fullSize) {
        plan = [this](QPagedPaintDevice& paper) {
            planForPaper(paper, state_, kPageFontPoints, false, shape_);
        };
    }
    return services->preview(
        pdf ? &page : nullptr,
        QString::fromUtf8(mode == OutputMode::Template ? "Просмотр: шаблон" : "Просмотр: чертеж"),
        plan, pagesOf(mode));
}

DrawPages QtSheetOutput::pagesOf(OutputMode mode) {
    return [this, mode](QPagedPaintDevice& paper, std::function<void()> abortJob) {
        return drawPages(paper, std::move(abortJob), mode);
    };
}

bool QtSheetOutput::drawPages(QPagedPaintDevice& paper, std::function<void()> abortJob,
                              OutputMode mode) {
    Output output(mode);
    TemplatePlan plan;
    if (rulesOf(mode).fullSize) {
        plan = planForPaper(paper, state_, kPageFontPoints, false, shape_);
        output.plan = &plan;
    }
    PainterTarget page(paper, std::move(abortJob), kPageFontPoints);
    const bool drawn = Rebuilder(page, state_, output, sep_, reporter_) == RebuildOutcome::Drawn &&
                       page.finished();
    if (!drawn) page.abortDoc();
    return drawn;
}

void QtSheetOutput::printSheet(OutputMode mode) {
    if (const PrintServices* services = printer()) services->print(pagesOf(mode));
}

bool QtSheetOutput::printPdf(const std::string& path, OutputMode mode, std::string& why) {
    why.clear();
    const PrintServices* services = printServices(why);
    if (!services) return false;
    SafeFile file(QString::fromStdString(path));
    if (!file.begin(&why)) return false;
    bool drawn = false;
    {
        QPdfWriter writer(&file);
        setUpPdf(writer, services->resolution(), pdfPage(*services));
        drawn = drawPages(writer, {}, mode);
    }
    if (!drawn) {
        file.cancel();
        return false;
    }
    return file.commit(&why);
}

}  // namespace tavro
