// The behaviour of the main window's fields, keys, compute button and hints, without widgets.
#include "main_logic.h"

#include "inputs.h"

namespace tavro {

std::string hintText(int row) {
    switch (row) {
        case kRowQa:
            return "Угол полураствора на срезе Qa зависит от разного рода потерь в сопле и лежит "
                   "в диапазоне 10-14°. Поскольку определение потерь в любительских условиях "
                   "крайне проблематично, обычно берут Qa=10°.";
        case kRowK:
            return "Для газообразных продуктов сгорания можно определить по известной программе "
                   "PROPEP. \r\nПрмерно 1.23-1.24.\r\nДля твердых топлив необходимо указывать "
                   "показатель адиабаты двухфазного потока. \r\nДля карамельных топлив примерно "
                   "1.043.";
        case kRowH:
            return "Программа корректно считает давление до высоты 120 км.";
        case kRowQc:
            return "Оптимальный угол входа Qс, или угол полураствора конфузора, по разным "
                   "источникам отличается. По Зульбарову он лежит в диапазоне 23-40°. По "
                   "Мерзлину-Тарскому 30-60°. По факту допускается делать до 90°.";
        default:
            return "";
    }
}

int navigate(int key, int c) {
    constexpr int last = kRowCount - 1;
    switch (key) {
        case kKeyEnter:
        case kKeyDown:
            if (c == kRowQc) return kRowNote;
            if (c == kRowTitle || c == kRowH) return c + 2;
            if (c < last) return c + 1;
            return key == kKeyEnter ? 0 : c;
        case kKeyUp:
            if (c == kRowTitle) return c;
            if (c == kRowNote) return kRowQc;
            if (c == kRowRkr || c == kRowRc || c == kRowPa) return c - 2;
            return c - 1;
        default:
            return c;
    }
}

void MainLogic::Form_Load(const Documents& documents) {
    markClean(s_, view_);
    s_.InRange = true;
    s_.DocumentPath = documents.readLastState ? documents.readLastState() : std::string();
    // A last document that holds no design is no document: the start is a fresh one.
    const auto startRows = s_.SavedFields;
    if (!s_.DocumentPath.empty() && documents.loadParams &&
        !documents.loadParams(s_.DocumentPath)) {
        s_.SavedFields = startRows;
        s_.DocumentPath.clear();
    }
    if (!s_.DocumentPath.empty() && compute() == CoreOutcome::OffDesign) view_.setComputeBold(true);
    view_.setWindowCaption(windowCaption(s_.DocumentPath));
}

void MainLogic::Form_Activate() {
    // A design outside the charts was announced by the command that met it; coming back to
    // the window only shows the blank sheet.
    if (s_.InRange) {
        view_.redrawSheet();
    } else {
        view_.showBlankSheet();
    }
    view_.focusField(s_.CurrentField);
    s_.FocusText = view_.text(s_.CurrentField);
}

void MainLogic::Text1_GotFocus(int row) {
    s_.CurrentField = row;
    s_.FocusText = view_.text(row);
}

void MainLogic::Text1_LostFocus(int row) {
    if (view_.text(row) == s_.FocusText) return;
    s_.Modified = true;
    s_.InRange = true;
    view_.setComputeBold(true);
    view_.enableMenu(MenuItem::EditRestore, true);
    view_.enableMenu(MenuItem::FileSave, true);
    storeRow(s_, view_, row);
}

void MainLogic::Form_KeyDown(int key) {
    if (key == kKeyEscape) {
        // The quick exit never throws work away unasked.
        if (s_.Modified && exitCommand_) {
            exitCommand_();
        } else {
            prompts_.endProgram();
        }
        return;
    }
    if (key != kKeyEnter && key != kKeyDown && key != kKeyUp) return;
    s_.CurrentField = navigate(key, s_.CurrentField);
    view_.focusField(s_.CurrentField);
}

void MainLogic::Command1_Click() {
    // The fields are the inputs: an entry angle that the last calculation replaced is a
    // result for its drawing, and field 9 still shows the angle the user typed.
    loadDesignValues(s_, view_);
    int row = s_.CurrentField;
    const std::string message = CheckEntries(s_, view_, row);
    if (!message.empty()) {
        prompts_.messageBox(message, "Ошибка ввода", Buttons::Ok, Icon::Critical);
        view_.focusField(row);
        view_.selectAll(row);
        return;
    }
    const CoreOutcome outcome = compute();
    view_.redrawSheet();
    // A design outside the charts is not computed: the button keeps saying so.
    if (outcome != CoreOutcome::OffDesign) view_.setComputeBold(false);
}

void MainLogic::Label1_DblClick(int row) {
    const std::string hint = hintText(row);
    if (hint.empty()) return;
    prompts_.messageBox(hint, "Пояснения, рекомендации", Buttons::Ok, Icon::Information);
}

CoreOutcome MainLogic::compute() {
    return computeDesign(s_, view_, sep_, prompts_);
}

}  // namespace tavro
