// The common run-time error report of the nozzle routines.
#include "faults.h"

#include <iostream>
#include <utility>

namespace tavro {
namespace {

ErrorReporter& reporter() {
    static ErrorReporter r = [](const std::string& block) {
        std::cerr << errorReportText(block) << '\n';
    };
    return r;
}

}  // namespace

std::string errorReportText(const std::string& block) {
    return "Произошла непредвиденная ошибка в блоке " + block +
           ".\r\nПожалуйста, сообщите разработчику.";
}

void setErrorReporter(ErrorReporter r) {
    reporter() = std::move(r);
}

void reportError(const std::string& block) {
    if (reporter()) reporter()(block);
}

}  // namespace tavro
