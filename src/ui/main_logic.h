// The behaviour of the main window's fields, keys, compute button and hints, without widgets.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "core.h"
#include "design_state.h"
#include "window_view.h"

namespace tavro {

// Key codes the main window reacts to.
enum KeyCode : int { kKeyEnter = 13, kKeyEscape = 27, kKeyUp = 38, kKeyDown = 40 };

// The hint of a row whose caption ends in "*", or an empty text.
std::string hintText(int row);

// Row that Enter, Down or Up leads to from row c; c itself for other keys.
int navigate(int key, int c);

class MainLogic {
  public:
    // Start-up steps that need the document files: they are given from outside so that the
    // logic stays free of file code.
    struct Documents {
        std::function<std::string()> readLastState;
        // False when the file holds no design.
        std::function<bool(const std::string& path)> loadParams;
    };

    MainLogic(DesignState& state, View& view, Prompts& prompts, char decimalSeparator)
        : s_(state), view_(view), prompts_(prompts), sep_(decimalSeparator) {}

    void Form_Load(const Documents& documents);
    void Form_Activate();
    void Text1_GotFocus(int row);
    void Text1_LostFocus(int row);
    void Form_KeyDown(int key);
    void Command1_Click();
    void Label1_DblClick(int row);

    // Runs the core calculation; a fault is reported through the prompts.
    CoreOutcome compute();
    // The orderly exit with its save question, which Esc takes when there are unsaved changes.
    void setExitCommand(std::function<void()> exit) { exitCommand_ = std::move(exit); }
    char decimalSeparator() const { return sep_; }

  private:
    DesignState& s_;
    View& view_;
    Prompts& prompts_;
    char sep_;
    std::function<void()> exitCommand_;
};

}  // namespace tavro
