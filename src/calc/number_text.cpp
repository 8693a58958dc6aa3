// Field texts to numbers and numbers to displayed texts, independent of the C locale.
#include "number_text.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "faults.h"

namespace tavro {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// &H and &O integers: read as plain non-negative integers, digit by digit, until the first
// character that is not a digit of the base.
double readBased(const std::string& s, size_t pos, int base) {
    double value = 0;
    for (; pos < s.size(); ++pos) {
        const char c = s[pos];
        int d;
        if (isDigit(c)) {
            d = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            d = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            d = c - 'A' + 10;
        } else {
            break;
        }
        if (d >= base) break;
        value = value * base + d;
    }
    return finite(value);
}

// A single value as its seven significant decimal digits and the power of ten of the first.
struct Decimal {
    bool negative = false;
    std::string digits;  // exactly 7 digits, or "0000000" for zero
    int exp = 0;
};

Decimal toDecimal(float value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6e", static_cast<double>(value));
    Decimal d;
    const char* p = buf;
    if (*p == '-') {
        d.negative = value < 0;
        ++p;
    }
    d.digits.push_back(*p++);
    ++p;  // the C library writes '.' here: snprintf is only asked for digits
    while (isDigit(*p)) d.digits.push_back(*p++);
    if (*p == 'e') d.exp = std::atoi(p + 1);
    if (d.digits.find_first_not_of('0') == std::string::npos) d.exp = 0;
    return d;
}

// Adds one to a decimal digit string.
void increment(std::string& digits) {
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

// The value times 10^decimals, rounded to an integer, as a digit string without leading zeros.
std::string scaledInteger(const Decimal& d, int decimals, bool tiesToEven) {
    const int shift = d.exp - 6 + decimals;
    std::string keep;
    if (shift >= 0) {
        keep = d.digits + std::string(static_cast<size_t>(shift), '0');
    } else if (-shift <= 7) {
        const size_t kept = static_cast<size_t>(7 + shift);
        keep = d.digits.substr(0, kept);
        const std::string dropped = d.digits.substr(kept);
        bool up = dropped[0] >= '5';
        if (tiesToEven && dropped[0] == '5' &&
            dropped.find_first_not_of('0', 1) == std::string::npos) {
            const char last = keep.empty() ? '0' : keep.back();
            up = (last - '0') % 2 == 1;
        }
        if (keep.empty()) keep = "0";
        if (up) increment(keep);
    } else {
        keep = "0";
    }
    const size_t first = keep.find_first_not_of('0');
    return first == std::string::npos ? "0" : keep.substr(first);
}

std::string placePoint(std::string integer, int decimals, char sep) {
    if (decimals <= 0) return integer;
    const size_t n = static_cast<size_t>(decimals);
    if (integer.size() <= n) integer.insert(0, n + 1 - integer.size(), '0');
    return integer.substr(0, integer.size() - n) + sep + integer.substr(integer.size() - n);
}

}  // namespace

double readNumber(const std::string& text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') s.push_back(c);
    }
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h') return readBased(s, 2, 16);
        if (s[1] == 'O' || s[1] == 'o') return readBased(s, 2, 8);
        return 0;
    }

    // Collect sign, mantissa and exponent into a plain text that from_chars can read.
    std::string num;
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    int intDigits = 0, leadingFractionZeros = 0;
    bool anyDigit = false, nonZeroSeen = false;
    for (; i < s.size() && isDigit(s[i]); ++i) {
        num.push_back(s[i]);
        anyDigit = true;
        if (s[i] != '0') nonZeroSeen = true;
        if (nonZeroSeen) ++intDigits;
    }
    if (i < s.size() && s[i] == '.') {
        num.push_back('.');
        for (++i; i < s.size() && isDigit(s[i]); ++i) {
            num.push_back(s[i]);
            anyDigit = true;
            if (s[i] != '0') nonZeroSeen = true;
            if (!nonZeroSeen) ++leadingFractionZeros;
        }
    }
    if (!anyDigit || !nonZeroSeen) return 0;
    long exponent = 0;
    if (i + 1 < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        size_t j = i + 1;
        bool expNegative = false;
        if (s[j] == '+' || s[j] == '-') expNegative = s[j++] == '-';
        if (j < s.size() && isDigit(s[j])) {
            for (; j < s.size() && isDigit(s[j]); ++j) {
                if (exponent < 100000) exponent = exponent * 10 + (s[j] - '0');
            }
            if (expNegative) exponent = -exponent;
            num += 'e' + std::to_string(exponent);
        }
    }
    double value = 0;
    const auto res = std::from_chars(num.data(), num.data() + num.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Decide between underflow (reads as 0) and overflow by the decimal magnitude.
        const long magnitude = (intDigits > 0 ? intDigits : -leadingFractionZeros) + exponent;
        if (magnitude <= 0) return 0;
        throw CalcFault("overflow");
    }
    if (res.ec != std::errc()) return 0;
    return negative ? -value : value;
}

std::string formatFixed(float value, int decimals, char decimalSeparator) {
    const Decimal d = toDecimal(value);
    const std::string text =
        placePoint(scaledInteger(d, decimals, false), decimals, decimalSeparator);
    return d.negative ? "-" + text : text;
}

std::string formatShortest(float value, char decimalSeparator) {
    const Decimal d = toDecimal(value);
    const size_t last = d.digits.find_last_not_of('0');
    if (last == std::string::npos) return "0";
    const std::string digits = d.digits.substr(0, last + 1);
    std::string text;
    if (d.exp >= 7 || d.exp < -4) {
        text = digits.substr(0, 1);
        if (digits.size() > 1) text += decimalSeparator + digits.substr(1);
        char e[16];
        std::snprintf(e, sizeof e, "E%c%02d", d.exp < 0 ? '-' : '+', d.exp < 0 ? -d.exp : d.exp);
        text += e;
    } else if (d.exp >= 0) {
        const size_t intLen = static_cast<size_t>(d.exp) + 1;
        if (digits.size() <= intLen) {
            text = digits + std::string(intLen - digits.size(), '0');
        } else {
            text = digits.substr(0, intLen) + decimalSeparator + digits.substr(intLen);
        }
    } else {
        text = std::string("0") + decimalSeparator +
               std::string(static_cast<size_t>(-d.exp - 1), '0') + digits;
    }
    return d.negative ? "-" + text : text;
}

std::string formatRounded(float value, int decimals, char decimalSeparator) {
    const Decimal d = toDecimal(value);
    std::string text = placePoint(scaledInteger(d, decimals, true), decimals, decimalSeparator);
    if (decimals > 0) {
        const size_t last = text.find_last_not_of('0');
        text.erase(text[last] == decimalSeparator ? last : last + 1);
    }
    if (text == "0") return text;
    return d.negative ? "-" + text : text;
}

}  // namespace tavro
