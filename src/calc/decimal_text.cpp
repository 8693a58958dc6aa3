// Numbers as text for files and tables, whatever locale the program runs under.
#include "decimal_text.h"

#include <charconv>
#include <cmath>

namespace tavro {

std::string fixedText(double value, int decimals, char decimalSeparator) {
    // A value that rounds to zero is written without a sign.
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals)) value = 0;
    char buffer[400];  // room for any double in fixed form
    const auto r =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string text(buffer, r.ec == std::errc() ? r.ptr : buffer);
    if (decimalSeparator != '.') {
        const auto dot = text.find('.');
        if (dot != std::string::npos) text[dot] = decimalSeparator;
    }
    return text;
}

std::string plainText(double value, int decimals) {
    std::string text = fixedText(value, decimals);
    if (text.find('.') == std::string::npos) return text;
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

}  // namespace tavro
