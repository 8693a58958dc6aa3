// Questions and notices to the user as real message boxes and file dialogs.
#pragma once

#include <QWidget>
#include <functional>

#include "window_view.h"

namespace tavro {

class QtPrompts : public Prompts {
  public:
    explicit QtPrompts(QWidget* parent) : parent_(parent) {}
    Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                      Icon icon) override;
    bool openFileName(const std::string& filter, const std::string& initial,
                      std::string& chosen) override;
    bool saveFileName(const std::string& filter, const std::string& initial,
                      std::string& chosen) override;
    void confirmSaved() override;
    void endProgram() override;

    // Called before one of the program's own windows (FormOk) is shown.
    std::function<void()> beforeOwnWindow;

  private:
    QWidget* parent_;
};

// "Data files (*.dat) | *.dat" as a Qt name filter: "Data files (*.dat)".
QString qtFilter(const std::string& filter);

}  // namespace tavro
