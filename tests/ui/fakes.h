// A main window without widgets and a user who answers from a script, for the logic tests.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "design_state.h"
#include "window_view.h"

namespace tavro {

class FakeView : public View {
  public:
    FakeView() {
        FieldTable start;
        for (int r = 0; r < kRowCount; ++r) {
            texts[static_cast<size_t>(r)] = start.text(r);
            captions[static_cast<size_t>(r)] = start.caption(r);
        }
    }
    std::string text(int row) const override { return texts.at(static_cast<size_t>(row)); }
    void setText(int row, const std::string& t) override { texts.at(static_cast<size_t>(row)) = t; }
    std::string caption(int row) const override { return captions.at(static_cast<size_t>(row)); }

    // Moving the focus reports the field left, then the field entered, as the window does.
    void focusField(int row) override {
        log.push_back("focus " + std::to_string(row));
        if (row == focused) return;
        const int left = focused;
        focused = row;
        if (left >= 0 && onLeave) onLeave(left);
        if (onEnter) onEnter(row);
    }
    void selectAll(int row) override { log.push_back("select " + std::to_string(row)); }
    void setComputeBold(bool b) override { bold = b; }
    void enableMenu(MenuItem item, bool enabled) override {
        menus[item] = enabled;
        log.push_back(std::string(enabled ? "enable " : "disable ") +
                      (item == MenuItem::FileSave ? "save" : "restore"));
    }
    void setWindowCaption(const std::string& c) override { windowCaption = c; }
    void eraseSheet() override { log.push_back("erase"); }
    void redrawSheet() override {
        log.push_back("redraw");
        if (onRedraw) onRedraw();
    }
    void showBlankSheet() override { log.push_back("blank"); }

    // The user types into the focused field.
    void type(const std::string& t) { setText(focused, t); }

    std::array<std::string, kRowCount> texts;
    std::array<std::string, kRowCount> captions;
    int focused = -1;
    bool bold = false;
    std::map<MenuItem, bool> menus;
    std::string windowCaption;
    std::vector<std::string> log;
    std::function<void(int)> onEnter, onLeave;
    std::function<void()> onRedraw;
};

// Records every question and answers from a script; an unscripted question fails the test.
class ScriptedPrompts : public Prompts {
  public:
    struct Box {
        std::string text, title;
        Buttons buttons;
        Icon icon;
    };
    struct Dialog {
        bool save;
        std::string filter, initial;
    };

    Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                      Icon icon) override {
        boxes.push_back({text, title, buttons, icon});
        order.push_back("box " + title);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected message box: " << title << ": " << text;
            return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
        }
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    bool openFileName(const std::string& filter, const std::string& initial,
                      std::string& chosen) override {
        return dialog(false, filter, initial, chosen);
    }
    bool saveFileName(const std::string& filter, const std::string& initial,
                      std::string& chosen) override {
        return dialog(true, filter, initial, chosen);
    }
    void confirmSaved() override {
        ++confirmations;
        order.push_back("saved");
    }
    void endProgram() override {
        ended = true;
        order.push_back("end");
    }

    std::deque<Answer> answers;
    std::deque<std::string> paths;  // an empty entry cancels the dialog
    std::vector<Box> boxes;
    std::vector<Dialog> dialogs;
    std::vector<std::string> order;
    int confirmations = 0;
    bool ended = false;

  private:
    bool dialog(bool save, const std::string& filter, const std::string& initial,
                std::string& chosen) {
        dialogs.push_back({save, filter, initial});
        order.push_back(save ? "save dialog" : "open dialog");
        if (paths.empty()) {
            ADD_FAILURE() << "unexpected file dialog";
            return false;
        }
        chosen = paths.front();
        paths.pop_front();
        return !chosen.empty();
    }
};

}  // namespace tavro
