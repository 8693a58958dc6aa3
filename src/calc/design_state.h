// The one design record of the nozzle program and the 22 field rows it is bound to.
#pragma once

#include <array>
#include <string>

namespace tavro {

constexpr int kRowCount = 22;

// Row indices of the main window's field column.
enum Row : int {
    kRowTitle = 0,
    kRowInputHeading = 1,
    kRowRkr = 2,
    kRowQa = 3,
    kRowK = 4,
    kRowPk = 5,
    kRowH = 6,
    kRowOptionHeading = 7,
    kRowRc = 8,
    kRowQc = 9,
    kRowResultHeading = 10,
    kRowPa = 11,
    kRowFFa = 12,
    kRowRRa = 13,
    kRowLLa = 14,
    kRowQm = 15,
    kRowRa = 16,
    kRowRint = 17,
    kRowRout = 18,
    kRowLa = 19,
    kRowLn = 20,
    kRowNote = 21,
};

// Caption and text of one row as last saved or loaded; the caption is kept at 30 characters.
struct FieldRow {
    std::string caption;
    std::string text;
};

struct DesignState {
    // Inputs (mm, degrees, MPa, m).
    float Rkr = 0, Qa = 0, k = 0, Pk = 0, H = 0, Rc = 0, Qc = 0;
    // Results.
    float Pa = 0, FFa = 0, RRa = 0, LLa = 0, Qm = 0, Ra = 0, Rint = 0, Rout = 0, La = 0, Ln = 0;
    std::string Title, Note;

    bool InRange = false;
    bool Modified = false;
    std::string DocumentPath;
    int CurrentField = 0;
    std::string FocusText;
    std::array<FieldRow, kRowCount> SavedFields{};

    // Sheet layout written by the drawing on every redraw.
    float AxisX = 0, EntryY = 0;
};

// Whatever holds the 22 field texts and captions: the main window, or a plain table.
class Fields {
  public:
    virtual ~Fields() = default;
    virtual std::string text(int row) const = 0;
    virtual void setText(int row, const std::string& text) = 0;
    virtual std::string caption(int row) const = 0;
};

// The captions of the main window as set at start-up (UTF-8).
const std::array<const char*, kRowCount>& startupCaptions();

// Field texts in memory, with the start-up captions and hidden-row texts.
class FieldTable : public Fields {
  public:
    FieldTable();
    std::string text(int row) const override { return texts_.at(static_cast<size_t>(row)); }
    void setText(int row, const std::string& text) override {
        texts_.at(static_cast<size_t>(row)) = text;
    }
    std::string caption(int row) const override { return captions_.at(static_cast<size_t>(row)); }
    void setCaption(int row, const std::string& caption) {
        captions_.at(static_cast<size_t>(row)) = caption;
    }

  private:
    std::array<std::string, kRowCount> texts_;
    std::array<std::string, kRowCount> captions_;
};

}  // namespace tavro
