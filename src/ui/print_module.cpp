// The printer's services. Everything but the entry is hidden, so the module binds to nothing of
// the program's and the program to nothing of its.
#include "print_module.h"

#include <QAction>
#include <QApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QToolBar>
#include <type_traits>

namespace tavro {
namespace {

bool hasPrinter() {
    return !QPrinterInfo::availablePrinters().isEmpty();
}

QPageLayout pdfPaper() {
    QPrinter defaults(QPrinter::HighResolution);
    defaults.setOutputFormat(QPrinter::PdfFormat);
    return defaults.pageLayout();
}

int resolution() {
    return QPrinter(QPrinter::HighResolution).resolution();
}

void onPrinter(const QPageLayout* page, const OnPaper& use) {
    QPrinter printer(QPrinter::HighResolution);
    if (page) printer.setPageLayout(*page);
    use(printer);
}

// The preview draws the real pages on the paper that printing will use. Its print action only
// closes it: the program then prints, or asks for the PDF's name and writes it safely. Its
// orientation buttons and page set-up are hidden: the template turns the paper itself, and the
// print that follows must be the pages shown.
bool preview(const QPageLayout* pdfPage, const QString& title, const OnPaper& prepare,
             const DrawPages& draw) {
    QPrinter printer(QPrinter::HighResolution);
    if (pdfPage) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageLayout(*pdfPage);
    }
    if (prepare) prepare(printer);
    QPrintPreviewDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(title);
    // Large enough to read a page without zooming.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dialog.resize(screen->availableGeometry().size() * 0.8);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&draw](QPrinter* paper) { draw(*paper, {}); });
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

// The printer dialog chooses the printer, the paper and the copies; the pages are then planned
// for that paper. Printing to a file is left to the PDF command, which writes it safely.
void print(const DrawPages& draw) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted) return;
    draw(printer, [&printer] { printer.abort(); });
}

const PrintServices kServices{hasPrinter, pdfPaper, resolution, onPrinter, preview, print};

}  // namespace
}  // namespace tavro

extern "C" __attribute__((visibility("default"))) const tavro::PrintServices* tavroPrintServices() {
    return &tavro::kServices;
}

// The loader calls the entry by this type.
static_assert(std::is_same_v<decltype(&tavroPrintServices), tavro::PrintServicesEntry>);
