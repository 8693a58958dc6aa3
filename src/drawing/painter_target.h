// The one QPainter back end of the drawing: the window's sheet image, a printer or a PDF page.
#pragma once

#include <QFont>
#include <QPageLayout>
#include <QPainter>
#include <functional>

#include "drawing_target.h"
#include "template_plan.h"

class QImage;
class QPagedPaintDevice;
class QPaintDevice;
class QPdfWriter;

namespace tavro {

// The font of the window's sheet and of printed pages, in points.
constexpr double kSheetFontPoints = 8.25;
constexpr double kPageFontPoints = 10;

class PainterTarget : public DrawingTarget {
  public:
    // The window's sheet: an image the window owns, drawn in its device-independent pixels, so
    // that an image with a device pixel ratio of 2 stays crisp.
    explicit PainterTarget(QImage& sheet, double fontPoints = kSheetFontPoints);
    // A printer or PDF page. The print job starts with the first operation; abortJob is what
    // cancels it (QPrinter::abort for a printer; nothing for a PDF writer, whose caller then
    // throws the output away).
    PainterTarget(QPagedPaintDevice& page, std::function<void()> abortJob,
                  double fontPoints = kPageFontPoints);
    // A page that was begun and never finished is aborted, never printed half-drawn.
    ~PainterTarget() override;
    PainterTarget(const PainterTarget&) = delete;
    PainterTarget& operator=(const PainterTarget&) = delete;

    // Whether the page was begun, and whether it was finished with endDoc.
    bool started() const { return started_; }
    bool finished() const { return finished_; }
    // Cancels a begun, unfinished page.
    void abortDoc();
    // Ends painting on the sheet so that the window can show or export the image.
    void release();

    // The stroke on paper of a drawing width, in millimetres.
    static double paperStrokeMm(int width);

    // The platform's button-face colour (the blank-sheet background).
    static Rgb systemButtonFace();

    void setScaleMode(int mode) override;
    float scaleWidth() override;
    float scaleHeight() override;
    void cls() override;
    void setBackColor(Rgb colour) override;
    void setForeColor(Rgb colour) override;
    void setDrawWidth(int width) override;
    void setDrawStyle(int style) override;
    void line(float x1, float y1, float x2, float y2, Rgb colour, bool box) override;
    void circle(float x, float y, float radius, Rgb colour, float start, float end) override;
    void setCurrentX(float x) override;
    void setCurrentY(float y) override;
    void print(const std::string& text) override;
    float textWidth(const std::string& text) override;
    float textHeight(const std::string& text) override;
    TextExtent measureText(const std::string& text, double points) override;
    double fontSize() override;
    void setFontSize(double points) override;
    void endDoc() override;
    void setOrigin(float x, float y) override;
    void newPage() override;

  private:
    QPainter& painter();
    // Millimetres (when chosen) and the origin of the page on its large sheet.
    void applyTransform();
    QPen pen(Rgb colour) const;
    QFont font() const { return fontAt(points_); }
    QFont fontAt(double points) const;
    double pixelsPerDeviceWidth() const;

    QPaintDevice& device_;
    QPagedPaintDevice* pages_ = nullptr;
    bool paper_;
    std::function<void()> abortJob_;
    QPainter painter_;
    bool started_ = false, finished_ = false;
    bool millimetres_ = false;
    double points_;
    Rgb back_ = kWhite, fore_ = kBlack;
    int width_ = 1, style_ = kSolid;
    float x_ = 0, y_ = 0;
    float originX_ = 0, originY_ = 0;
};

// Plans the template for the paper's page as it is set up, and turns the paper across when
// that takes fewer pages; text is measured at the given font size. countOnly as for
// planTemplate.
TemplatePlan planForPaper(QPagedPaintDevice& paper, const DesignState& state, double fontPoints,
                          bool countOnly = false, TemplateShape shape = TemplateShape::Whole);

// The usable area of a page layout in millimetres, with the page upright and turned across.
PageArea usableArea(const QPageLayout& layout, bool across = false);

// The page of a PDF of our own on that paper: margins that keep the drawing clear of the edge a
// printer cannot reach.
QPageLayout pdfPageLayout(const QPageSize& paper, QPageLayout::Orientation orientation);

// Every PDF the program writes, from the window or the tool: its resolution, its page and the
// program named as its creator.
void setUpPdf(QPdfWriter& writer, int resolution, const QPageLayout& page);

}  // namespace tavro
