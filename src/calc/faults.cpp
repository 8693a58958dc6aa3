// The common run-time error report of the nozzle routines and the off-design notice.
#include "faults.h"

#include <ostream>

namespace tavro {

const char* const kOffDesignTitle = "Нерасчетный режим";
const char* const kOffDesignText =
    "Данные не попадают в экспериментальный диапазон. \r\nИзмените параметры ввода.";

std::string errorReportText(const std::string& block) {
    return "Произошла непредвиденная ошибка в блоке " + block +
           ".\r\nПожалуйста, сообщите разработчику.";
}

void StreamReporter::reportError(const std::string& block) {
    out_ << errorReportText(block) << '\n';
}

void StreamReporter::reportOffDesign() {
    out_ << kOffDesignTitle << '\n' << kOffDesignText << '\n';
}

}  // namespace tavro
