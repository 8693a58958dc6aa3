// Picture export of the sheet (BMP, and JPEG through the JPEG module) and printing.
#pragma once

#include <functional>
#include <string>

#include "print_module.h"
#include "window_view.h"

class QImage;
class QPagedPaintDevice;

namespace tavro {

struct DesignState;

class QtSheetOutput : public SheetOutput {
  public:
    // Faults met while drawing pages go to the reporter.
    QtSheetOutput(DesignState& state, std::string appDir, char sep, Reporter& reporter)
        : state_(state), appDir_(std::move(appDir)), sep_(sep), reporter_(reporter) {}
    // The sheet's persistent image, which exists once the window is laid out.
    void setSheet(std::function<QImage*()> sheet) { sheet_ = std::move(sheet); }

    ExportResult saveSheetBmp(const std::string& path, std::string& why) override;
    ExportResult saveSheetJpeg(const std::string& path, std::string& why) override;
    bool canPrint(std::string& why) override;
    bool hasPrinter() override;
    int templatePages() override;
    void setTemplateShape(TemplateShape shape) override { shape_ = shape; }
    bool previewPages(OutputMode mode) override;
    void printSheet(OutputMode mode) override;
    bool printPdf(const std::string& path, OutputMode mode, std::string& why) override;

    // Where the JPEG module is looked for: the application directory, then lib/tavro-nozzle
    // beside it (bin/) in an installed program.
    std::string jpegModulePath() const;

  private:
    // The pages as the printer's module draws them.
    DrawPages pagesOf(OutputMode mode);
    // The printed drawing or the template (planned for that paper) on a printer, a preview or
    // a PDF; true when every page was finished.
    bool drawPages(QPagedPaintDevice& paper, std::function<void()> abortJob, OutputMode mode);

    DesignState& state_;
    TemplateShape shape_ = TemplateShape::Whole;
    std::string appDir_;
    char sep_;
    Reporter& reporter_;
    std::function<QImage*()> sheet_;
};

}  // namespace tavro
