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

// The suffix of the filter's files, without the dot: "dat" for "Data files (*.dat) | *.dat".
QString filterSuffix(const std::string& filter);

// Where a file dialog opens for the initial name: its folder, or homeDir when there is no name or
// the name lies in the program's folder (where a relative name lies); a file name without a
// suffix gets the given one.
QString dialogStart(const std::string& initial, const QString& suffix, const QString& programDir,
                    const QString& homeDir);

}  // namespace tavro
