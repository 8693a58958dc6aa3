// The entries of the characteristics window's module. Everything else in the module is hidden,
// so a window program that links its own copy of the same code (the tests) binds to neither.
#include "charts_module.h"
#include "characteristics_window.h"

#include <type_traits>

#define TAVRO_CHARTS_ENTRY extern "C" __attribute__((visibility("default")))

TAVRO_CHARTS_ENTRY QWidget* tavroChartsWindow(QWidget* parent, char decimalSeparator) {
    return new tavro::CharacteristicsWindow(parent, decimalSeparator);
}

TAVRO_CHARTS_ENTRY void tavroChartsShow(QWidget* window, const tavro::DesignState& design) {
    static_cast<tavro::CharacteristicsWindow*>(window)->showDesign(design);
}

// The loader and the module agree on the entries' types.
static_assert(std::is_same_v<decltype(&tavroChartsWindow), tavro::ChartsWindowEntry>);
static_assert(std::is_same_v<decltype(&tavroChartsShow), tavro::ChartsShowEntry>);
