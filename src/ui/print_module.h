// The printer as a module of its own: the only part of the window program that needs Qt Print
// Support, loaded the first time a page is printed, previewed or counted, or a PDF is written.
// The module holds no drawing: the program hands it the pages as a function to call on the
// paper the module sets up.
#pragma once

#include <functional>
#include <string>

class QPageLayout;
class QPagedPaintDevice;
class QString;

namespace tavro {

// Something done on the module's paper, before or instead of the pages (planning a template).
using OnPaper = std::function<void(QPagedPaintDevice& paper)>;
// Draws the pages on the paper; abortJob (empty where the paper has none) cancels the printer's
// job. True when every page was finished.
using DrawPages = std::function<bool(QPagedPaintDevice& paper, std::function<void()> abortJob)>;

// One table behind one entry: a single name to look up, and the module and the program are
// compiled against the same types, so they cannot disagree on a service's signature.
struct PrintServices {
    // Whether a printer is installed.
    bool (*hasPrinter)();
    // The page of the PDF printer's defaults (a high-resolution printer set to PDF).
    QPageLayout (*pdfPaper)();
    // The resolution of a high-resolution printer.
    int (*resolution)();
    // A high-resolution printer, on page when one is given, for use.
    void (*onPrinter)(const QPageLayout* page, const OnPaper& use);
    // The preview of the pages on a high-resolution printer (a PDF one on pdfPage when that is
    // given) after prepare; its print button only closes it. True when the user asks to print.
    bool (*preview)(const QPageLayout* pdfPage, const QString& title, const OnPaper& prepare,
                    const DrawPages& draw);
    // The printer dialog, then the pages on the printer, paper and copies chosen there.
    void (*print)(const DrawPages& draw);
};

using PrintServicesEntry = const PrintServices* (*)();
constexpr const char* kPrintServicesEntry = "tavroPrintServices";

// The module loaded: beside the program, then in the install's lib/tavro-nozzle, then where the
// build put it. Null when it cannot be loaded, and why in Russian for the message.
const PrintServices* printServices(std::string& why);

// The tests' way to a missing module: the module is looked for in this folder only, and found
// anew. An empty folder restores the usual places.
void searchPrintModuleIn(const std::string& folder);

}  // namespace tavro
