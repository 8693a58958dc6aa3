// Field texts to numbers and numbers to displayed texts, independent of the C locale.
#include "number_text.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
    char digits[7] = {'0', '0', '0', '0', '0', '0', '0'};
    int exp = 0;
};

Decimal toDecimal(float value) {
    char buf[32];
    const auto res =
        std::to_chars(buf, buf + sizeof buf - 1, value, std::chars_format::scientific, 6);
    *res.ptr = '\0';
    Decimal d;
    const char* p = buf;
    if (*p == '-') {
        d.negative = value < 0;
        ++p;
    }
    d.digits[0] = *p++;
    ++p;  // to_chars always writes '.' here, whatever the locale
    for (int i = 1; i < 7; ++i) d.digits[i] = *p++;
    if (*p == 'e') d.exp = std::atoi(p + 1);
    if (value == 0) d.exp = 0;
    return d;
}

// Digits of an integer, most significant first, in a buffer large enough for any single value
// with a few decimals.
struct Digits {
    char text[64];
    int size = 0;
};

// The value times 10^decimals, rounded to an integer, without leading zeros.
Digits scaledInteger(const Decimal& d, int decimals, bool tiesToEven) {
    Digits out;
    const int shift = d.exp - 6 + decimals;
    int kept = 7;
    bool up = false;
    if (shift < 0) {
        kept = 7 + shift;
        if (kept >= 0) {
            const char first = d.digits[kept];
            up = first >= '5';
            if (tiesToEven && first == '5') {
                bool rest = false;
                for (int i = kept + 1; i < 7; ++i) rest = rest || d.digits[i] != '0';
                const char last = kept > 0 ? d.digits[kept - 1] : '0';
                up = rest || (last - '0') % 2 == 1;
            }
        } else {
            kept = 0;
        }
    }
    out.text[0] = '0';  // room for a carry
    int n = 1;
    for (int i = 0; i < kept; ++i) out.text[n++] = d.digits[i];
    for (int i = 0; i < shift && n < 60; ++i) out.text[n++] = '0';
    if (up) {
        int i = n - 1;
        while (out.text[i] == '9') out.text[i--] = '0';
        ++out.text[i];
    }
    int first = 0;
    while (first < n - 1 && out.text[first] == '0') ++first;
    out.size = n - first;
    std::memmove(out.text, out.text + first, static_cast<size_t>(out.size));
    return out;
}

// Sign, integer digits and the decimals after the separator.
std::string placePoint(bool negative, const Digits& integer, int decimals, char sep) {
    std::string text;
    text.reserve(static_cast<size_t>(integer.size + decimals + 3));
    if (negative) text.push_back('-');
    const int intLen = integer.size - decimals;
    if (intLen <= 0) {
        text.push_back('0');
        if (decimals > 0) text.push_back(sep);
        text.append(static_cast<size_t>(-intLen), '0');
        text.append(integer.text, static_cast<size_t>(integer.size));
    } else {
        text.append(integer.text, static_cast<size_t>(intLen));
        if (decimals > 0) {
            text.push_back(sep);
            text.append(integer.text + intLen, static_cast<size_t>(decimals));
        }
    }
    return text;
}

// Rounded to the decimals, without trailing zeros and without the sign of a zero.
std::string plainRounded(float value, int decimals, bool tiesToEven, char sep) {
    const Decimal d = toDecimal(value);
    const Digits integer = scaledInteger(d, decimals, tiesToEven);
    const bool zero = integer.size == 1 && integer.text[0] == '0';
    std::string text = placePoint(d.negative && !zero, integer, decimals, sep);
    if (decimals > 0) {
        const size_t last = text.find_last_not_of('0');
        text.erase(text[last] == sep ? last : last + 1);
    }
    return text;
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
    // A Russian user types a decimal comma, and the program shows one: both are the point.
    const auto isSeparator = [&s](size_t at) {
        return at < s.size() && (s[at] == '.' || s[at] == ',');
    };
    const bool fraction = isSeparator(i);
    if (fraction) {
        num.push_back('.');
        for (++i; i < s.size() && isDigit(s[i]); ++i) {
            num.push_back(s[i]);
            anyDigit = true;
            if (s[i] != '0') nonZeroSeen = true;
            if (!nonZeroSeen) ++leadingFractionZeros;
        }
    }
    // "1.2.3" or "1,5.2" is no number the user meant: reading the first part would compute
    // something other than what is shown.
    if (fraction && isSeparator(i)) throw CalcFault("two decimal separators");
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
    return placePoint(d.negative, scaledInteger(d, decimals, false), decimals, decimalSeparator);
}

std::string formatShortest(float value, char decimalSeparator) {
    const Decimal d = toDecimal(value);
    int count = 7;
    while (count > 0 && d.digits[count - 1] == '0') --count;
    if (count == 0) return "0";
    const std::string digits(d.digits, static_cast<size_t>(count));
    std::string text = d.negative ? "-" : "";
    if (d.exp >= 7 || d.exp < -4) {
        text += digits.substr(0, 1);
        if (digits.size() > 1) text += decimalSeparator + digits.substr(1);
        char e[16];
        std::snprintf(e, sizeof e, "E%c%02d", d.exp < 0 ? '-' : '+', d.exp < 0 ? -d.exp : d.exp);
        text += e;
    } else if (d.exp >= 0) {
        const size_t intLen = static_cast<size_t>(d.exp) + 1;
        if (digits.size() <= intLen) {
            text += digits + std::string(intLen - digits.size(), '0');
        } else {
            text += digits.substr(0, intLen) + decimalSeparator + digits.substr(intLen);
        }
    } else {
        text += std::string("0") + decimalSeparator +
                std::string(static_cast<size_t>(-d.exp - 1), '0') + digits;
    }
    return text;
}

std::string formatRounded(float value, int decimals, char decimalSeparator) {
    return plainRounded(value, decimals, true, decimalSeparator);
}

std::string formatLabel(float value, char decimalSeparator) {
    return plainRounded(value, 2, false, decimalSeparator);
}

}  // namespace tavro
