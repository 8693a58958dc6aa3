// Picture export of the sheet (BMP, and JPEG through the JPEG module) and printing.
#include "sheet_output.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QLibrary>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolBar>

#include "painter_target.h"
#include "rebuilder.h"
#include "safe_file.h"
#include "savtojpg.h"

namespace tavro {
namespace {

// The page of a PDF of our own on the PDF printer's paper.
QPageLayout pdfPage() {
    QPrinter defaults(QPrinter::HighResolution);
    defaults.setOutputFormat(QPrinter::PdfFormat);
    const QPageLayout paper = defaults.pageLayout();
    return pdfPageLayout(paper.pageSize(), paper.orientation());
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

bool QtSheetOutput::hasPrinter() {
    return !QPrinterInfo::availablePrinters().isEmpty();
}

int QtSheetOutput::templatePages() {
    QPrinter printer(QPrinter::HighResolution);
    if (!hasPrinter()) printer.setPageLayout(pdfPage());
    return planForPaper(printer, state_, kPageFontPoints, true, shape_).pageCount();
}

// The preview draws the real pages on the paper that printing will use. Its print action only
// closes it: the print command then prints, or asks for the PDF's name and writes it safely.
// Its orientation buttons and page set-up are hidden: the template turns the paper itself, and
// the print that follows must be the pages shown.
bool QtSheetOutput::previewPages(OutputMode mode) {
    QPrinter printer(QPrinter::HighResolution);
    if (!hasPrinter()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageLayout(pdfPage());
    }
    if (rulesOf(mode).fullSize) planForPaper(printer, state_, kPageFontPoints, false, shape_);
    QPrintPreviewDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(
        QString::fromUtf8(mode == OutputMode::Template ? "Просмотр: шаблон" : "Просмотр: чертеж"));
    // Large enough to read a page without zooming.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dialog.resize(screen->availableGeometry().size() * 0.8);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this, mode](QPrinter* paper) { drawPages(*paper, {}, mode); });
    if (auto* tools = dialog.findChild<QToolBar*>()) {
        const QList<QAction*> actions = tools->actions();
        for (QAction* a : actions) {
            // Portrait and landscape: the only checkable actions without a name.
            if (a->isCheckable() && a->objectName().isEmpty()) a->setVisible(false);
        }
        if (actions.size() >= 2) {
            QAction* print = actions.back();
            actions[actions.size() - 2]->setVisible(false);  // page set-up
            QObject::disconnect(print, nullptr, &dialog, nullptr);
            QObject::connect(print, &QAction::triggered, &dialog, &QDialog::accept);
        }
    }
    return dialog.exec() == QDialog::Accepted;
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

// The printer dialog chooses the printer, the paper and the copies; the pages are then planned
// for that paper. Printing to a file is left to the PDF command, which writes it safely.
void QtSheetOutput::printSheet(OutputMode mode) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted) return;
    drawPages(
        printer, [&printer] { printer.abort(); }, mode);
}

bool QtSheetOutput::printPdf(const std::string& path, OutputMode mode, std::string& why) {
    why.clear();
    SafeFile file(QString::fromStdString(path));
    if (!file.begin(&why)) return false;
    bool drawn = false;
    {
        QPdfWriter writer(&file);
        setUpPdf(writer, QPrinter(QPrinter::HighResolution).resolution(), pdfPage());
        drawn = drawPages(writer, {}, mode);
    }
    if (!drawn) {
        file.cancel();
        return false;
    }
    return file.commit(&why);
}

}  // namespace tavro
