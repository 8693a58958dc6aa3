// The sheet's first drawing, made on a second thread while the window is put together and shown.
#include "first_sheet.h"

#include <exception>
#include <system_error>
#include <tuple>

#include "painter_target.h"
#include "rebuilder.h"
#include "sheet_widget.h"

namespace tavro {
namespace {

// Remembers that something was reported; what it was the window says when it draws again.
class NoteReports : public Reporter {
  public:
    void reportError(const std::string&) override { reported = true; }
    void reportOffDesign() override { reported = true; }
    bool reported = false;
};

auto drawnValues(const DesignState& s) {
    return std::tie(s.Rkr, s.Qa, s.k, s.Pk, s.H, s.Rc, s.Qc, s.Pa, s.FFa, s.RRa, s.LLa, s.Qm, s.Ra,
                    s.Rint, s.Rout, s.La, s.Ln, s.Title, s.Note, s.InRange, s.AxisX, s.EntryY);
}

bool sameSheet(const FirstSheet::Sheet& a, const FirstSheet::Sheet& b) {
    return a.size == b.size && a.devicePixelRatio == b.devicePixelRatio && a.paper == b.paper &&
           a.buttonFace == b.buttonFace && a.decimalSeparator == b.decimalSeparator;
}

}  // namespace

bool FirstSheet::drawsAlike(const DesignState& a, const DesignState& b) {
    return drawnValues(a) == drawnValues(b);
}

FirstSheet::~FirstSheet() {
    if (thread_.joinable()) thread_.join();
}

void FirstSheet::start(const DesignState& design, const Sheet& sheet) {
    if (started_) return;
    started_ = true;
    asked_ = design;
    design_ = design;
    sheet_ = sheet;
    try {
        thread_ = std::thread([this] {
            try {
                image_ =
                    SheetWidget::blankImage(sheet_.size, sheet_.devicePixelRatio, sheet_.paper);
                NoteReports reports;
                RebuildOutcome outcome;
                {
                    PainterTarget target(image_);
                    outcome =
                        Rebuilder(target, design_, Output(OutputMode::Window, sheet_.buttonFace),
                                  sheet_.decimalSeparator, reports);
                }
                drawn_ = !reports.reported &&
                         (outcome == RebuildOutcome::Drawn || outcome == RebuildOutcome::Blank);
            } catch (...) {
                // The window draws it again and reports what goes wrong.
                drawn_ = false;
            }
        });
    } catch (const std::system_error&) {
        // No thread: the window draws on its own.
    }
}

std::optional<FirstSheet::Drawing> FirstSheet::take(const DesignState& design, const Sheet& sheet) {
    if (!thread_.joinable()) return std::nullopt;
    thread_.join();
    if (!drawn_ || !sameSheet(sheet, sheet_) || !drawsAlike(design, asked_)) return std::nullopt;
    drawn_ = false;
    return Drawing{std::move(image_), design_.AxisX, design_.EntryY};
}

}  // namespace tavro
