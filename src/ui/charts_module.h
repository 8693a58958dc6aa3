// The characteristics window as a module of its own: the only part of the window program that
// needs Qt Charts, loaded when the window is first opened.
#pragma once

#include <string>

class QWidget;

namespace tavro {

struct DesignState;

// The module's two entries, by the names it exports them under.
using ChartsWindowEntry = QWidget* (*)(QWidget* parent, char decimalSeparator);
using ChartsShowEntry = void (*)(QWidget* window, const DesignState& design);
constexpr const char* kChartsWindowEntry = "tavroChartsWindow";
constexpr const char* kChartsShowEntry = "tavroChartsShow";

struct ChartsModule {
    ChartsWindowEntry window;  // a new characteristics window, a child of parent
    ChartsShowEntry show;      // CharacteristicsWindow::showDesign
};

// The module loaded: beside the program, then in the install's lib/tavro-nozzle, then where the
// build put it. Null when it cannot be loaded, and why in Russian for the message.
const ChartsModule* chartsModule(std::string& why);

// The tests' way to a missing module: the module is looked for in this folder only, and found
// anew. An empty folder restores the usual places.
void searchChartsModuleIn(const std::string& folder);

}  // namespace tavro
