// The sheet's first drawing, made on a second thread while the window is put together and shown.
#pragma once

#include <QColor>
#include <QImage>
#include <optional>
#include <thread>

#include "design_state.h"
#include "drawing_target.h"

namespace tavro {

// At start-up the window draws the design it opens once it is shown, on its way to the first
// frame. The drawing needs only the design and the sheet's size, known as soon as the window is
// laid out: drawn meanwhile on a thread of its own, it is ready when the window asks for it.
class FirstSheet {
  public:
    FirstSheet() = default;
    ~FirstSheet();
    FirstSheet(const FirstSheet&) = delete;
    FirstSheet& operator=(const FirstSheet&) = delete;

    struct Sheet {
        QSize size;  // in the widget's units
        qreal devicePixelRatio = 1;
        QColor paper;    // the image before anything is drawn
        Rgb buttonFace;  // under the blank-sheet prompt
        char decimalSeparator = '.';
    };
    // Starts drawing the design on a sheet (once).
    void start(const DesignState& design, const Sheet& sheet);

    struct Drawing {
        QImage image;
        float axisX, entryY;  // the sheet layout the drawing wrote
    };
    // Waits for the drawing and hands it over if it is the one the window would make now: the
    // same design on the same sheet, drawn with nothing to report (a report is the window's to
    // make, on its own thread). Only the first call can return a drawing.
    std::optional<Drawing> take(const DesignState& design, const Sheet& sheet);

    // Whether the two designs draw alike: every value a drawing reads is equal.
    static bool drawsAlike(const DesignState& a, const DesignState& b);

  private:
    std::thread thread_;
    bool started_ = false;
    DesignState asked_;  // the design as it was to be drawn
    // Written by the thread, read once it has been joined.
    DesignState design_;
    Sheet sheet_;
    QImage image_;
    bool drawn_ = false;
};

}  // namespace tavro
