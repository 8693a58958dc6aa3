// Picture export of the sheet (BMP, and JPEG through the JPEG module) and printing.
#include "sheet_output.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QLibrary>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include "file_text.h"
#include "painter_target.h"
#include "rebuilder.h"
#include "savtojpg.h"

namespace tavro {
namespace {

constexpr double kPageFontPoints = 10;

}  // namespace

std::string QtSheetOutput::jpegModulePath() const {
    return QDir(QString::fromStdString(appDir_))
        .filePath(QStringLiteral("libsavtojpg.so"))
        .toStdString();
}

bool QtSheetOutput::saveSheetBmp(const std::string& path) {
    const QImage* sheet = sheet_ ? sheet_() : nullptr;
    if (!sheet) return false;
    // The chosen name is used as it is: the format is named, not guessed from an extension.
    // The picture is made whole in memory first, so a failed write keeps an older file.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(sheet->convertToFormat(QImage::Format_RGB888))) return false;
    return replaceFile(QString::fromStdString(path), buffer.data(), nullptr);
}

bool QtSheetOutput::saveSheetJpeg(const std::string& path) {
    const QImage* sheet = sheet_ ? sheet_() : nullptr;
    if (!sheet) return false;
    QLibrary module(QString::fromStdString(jpegModulePath()));
    const auto save = reinterpret_cast<SaveToJpg1Function>(module.resolve("SaveToJpg1"));
    if (!save) return false;
    const QImage pixels = sheet->convertToFormat(QImage::Format_RGB32);
    const SheetPixels handle{reinterpret_cast<const uint32_t*>(pixels.constBits()),
                             static_cast<int32_t>(pixels.bytesPerLine()), pixels.width(),
                             pixels.height()};
    // The module writes into a folder of our own, and the picture takes the chosen name only
    // once it is there whole: a module that writes nothing never passes for a saved picture
    // by an older file of that name, and a failed export leaves the older file as it was.
    QTemporaryDir scratch;
    if (!scratch.isValid()) return false;
    const QString written = scratch.filePath(QStringLiteral("sheet.jpg"));
    if (!save(&handle, QFile::encodeName(written).constData(), pixels.height(), pixels.width()))
        return false;
    QFile file(written);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "jpeg");
    if (reader.size() != pixels.size()) return false;
    return replaceFile(QString::fromStdString(path), bytes, nullptr);
}

void QtSheetOutput::printSheet(bool tmpl) {
    QPrinter printer(QPrinter::HighResolution);
    QString pdfPath;
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // No printer on this machine: the page goes to a PDF file the user names, unless
        // there is no page to print, which the user hears before being asked for a name.
        if (!state_.InRange) {
            notifyOffDesign();
            return;
        }
        std::string chosen;
        if (!prompts_.saveFileName("PDF (*.pdf)", "", chosen)) return;
        pdfPath = QString::fromStdString(chosen);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        // A PDF of our own keeps clear of the edge that printers cannot reach.
        printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    }
    Output output(tmpl ? OutputMode::Template : OutputMode::Drawing);
    TemplatePlan plan;
    if (tmpl && state_.InRange) {
        plan = planForPaper(printer, state_, kPageFontPoints);
        output.plan = &plan;
    }
    bool aborted = false;
    {
        PainterTarget page(
            printer,
            [&printer, &aborted] {
                aborted = true;
                printer.abort();
            },
            kPageFontPoints);
        const RebuildOutcome outcome = Rebuilder(page, state_, output, sep_);
        if (outcome != RebuildOutcome::Drawn) page.abortDoc();
    }
    // A page that was not finished must not be left behind as a file.
    if (aborted && !pdfPath.isEmpty()) QFile::remove(pdfPath);
}

}  // namespace tavro
