// The sheet drawn ahead on a thread of its own is the very drawing the window would make, and is
// handed over only for the design and sheet it was drawn for.
#include <gtest/gtest.h>

#include "example_design.h"
#include "first_sheet.h"
#include "painter_target.h"
#include "rebuilder.h"
#include "recording_reporter.h"
#include "sheet_widget.h"

namespace tavro {
namespace {

FirstSheet::Sheet sheetOf(QSize size, qreal ratio = 1, char separator = '.') {
    return {size, ratio, QColor(212, 208, 200), Rgb{192, 192, 192}, separator};
}

// As the window draws on its own thread.
QImage drawnHere(DesignState& design, const FirstSheet::Sheet& sheet) {
    QImage image = SheetWidget::blankImage(sheet.size, sheet.devicePixelRatio, sheet.paper);
    test::FailOnReport reporter;
    PainterTarget target(image);
    Rebuilder(target, design, Output(OutputMode::Window, sheet.buttonFace), sheet.decimalSeparator,
              reporter);
    target.release();
    return image;
}

TEST(FirstSheet, IsTheDrawingTheWindowMakes) {
    struct Case {
        const char* what;
        test::FieldTexts rows;
        FirstSheet::Sheet sheet;
    };
    const Case cases[] = {
        {"example", {}, sheetOf({1100, 920})},
        {"entrance, title and note",
         {{kRowRc, "30"}, {kRowQc, "45"}, {kRowTitle, "Сопло №2"}, {kRowNote, "сталь 12Х18Н10Т"}},
         sheetOf({1100, 920})},
        {"small sheet", {{kRowRkr, "3"}}, sheetOf({420, 310})},
        {"dense screen", {}, sheetOf({700, 560}, 2)},
        {"decimal comma", {{kRowK, "1.2"}}, sheetOf({900, 700}, 1, ',')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DesignState design = test::computedExample(c.rows);
        ASSERT_TRUE(design.InRange);
        FirstSheet first;
        first.start(design, c.sheet);
        const auto drawn = first.take(design, c.sheet);
        ASSERT_TRUE(drawn);
        DesignState here = design;
        const QImage expected = drawnHere(here, c.sheet);
        EXPECT_EQ(drawn->image.size(), expected.size());
        EXPECT_EQ(drawn->image.devicePixelRatio(), expected.devicePixelRatio());
        EXPECT_TRUE(drawn->image == expected) << "the drawings differ";
        EXPECT_EQ(drawn->axisX, here.AxisX);
        EXPECT_EQ(drawn->entryY, here.EntryY);
    }
    // A design with nothing to draw shows the prompt, drawn ahead as well.
    DesignState empty;
    empty.InRange = true;
    FirstSheet first;
    first.start(empty, sheetOf({800, 600}));
    const auto drawn = first.take(empty, sheetOf({800, 600}));
    ASSERT_TRUE(drawn);
    EXPECT_TRUE(drawn->image == drawnHere(empty, sheetOf({800, 600})));
}

// Anything else is drawn by the window itself, which also makes the reports.
TEST(FirstSheet, IsHandedOverOnlyForItsDesignAndSheetAndOnce) {
    const DesignState design = test::computedExample();
    DesignState otherDesign = test::computedExample({{kRowRkr, "11"}});
    DesignState retitled = design;
    retitled.Title = "другое";
    DesignState offDesign = design;
    offDesign.InRange = false;  // reported, not drawn
    DesignState failing = design;
    failing.Qm = failing.Qa;  // parallel tangents: the wall cannot be drawn, which is reported
    struct Case {
        const char* what;
        DesignState drawnFor;
        FirstSheet::Sheet drawnOn;
        DesignState askedFor;
        FirstSheet::Sheet askedOn;
    };
    const FirstSheet::Sheet sheet = sheetOf({1100, 920});
    const Case cases[] = {
        {"another design", design, sheet, otherDesign, sheet},
        {"another title", design, sheet, retitled, sheet},
        {"another size", design, sheet, design, sheetOf({1000, 920})},
        {"another ratio", design, sheet, design, sheetOf({1100, 920}, 2)},
        {"another separator", design, sheet, design, sheetOf({1100, 920}, 1, ',')},
        {"off design", offDesign, sheet, offDesign, sheet},
        {"failing drawing", failing, sheet, failing, sheet},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FirstSheet first;
        first.start(c.drawnFor, c.drawnOn);
        EXPECT_FALSE(first.take(c.askedFor, c.askedOn));
    }
    FirstSheet first;
    first.start(design, sheet);
    EXPECT_TRUE(first.take(design, sheet));
    EXPECT_FALSE(first.take(design, sheet));
    FirstSheet never;
    EXPECT_FALSE(never.take(design, sheet));
}

}  // namespace
}  // namespace tavro
