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
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include "painter_target.h"
#include "rebuilder.h"
#include "safe_file.h"
#include "savtojpg.h"

namespace tavro {

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
        why = scratch.errorString().toStdString();
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

bool QtSheetOutput::hasPrinter() {
    return !QPrinterInfo::availablePrinters().isEmpty();
}

void QtSheetOutput::printSheet(bool tmpl) {
    QPrinter printer(QPrinter::HighResolution);
    PainterTarget page(printer, [&printer] { printer.abort(); });
    if (Rebuilder(page, state_, tmpl ? OutputMode::Template : OutputMode::Drawing, sep_) !=
        RebuildOutcome::Drawn)
        page.abortDoc();
}

bool QtSheetOutput::printPdf(const std::string& path, bool tmpl, std::string& why) {
    why.clear();
    SafeFile file(QString::fromStdString(path));
    if (!file.begin(&why)) return false;
    // The page a PDF printer would give: its paper, margins and resolution.
    QPrinter defaults(QPrinter::HighResolution);
    defaults.setOutputFormat(QPrinter::PdfFormat);
    bool drawn = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(defaults.resolution());
        writer.setPageLayout(defaults.pageLayout());
        writer.setCreator(QStringLiteral("tavro-nozzle"));
        PainterTarget page(writer, {});
        drawn = Rebuilder(page, state_, tmpl ? OutputMode::Template : OutputMode::Drawing, sep_) ==
                    RebuildOutcome::Drawn &&
                page.finished();
        if (!drawn) page.abortDoc();
    }
    if (!drawn) {
        file.cancel();
        return false;
    }
    return file.commit(&why);
}

}  // namespace tavro
