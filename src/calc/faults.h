// Arithmetic faults that the nozzle routines must notice, and the one error report.
#pragma once

#include <cmath>
#include <iosfwd>
#include <limits>
#include <stdexcept>
#include <string>

namespace tavro {

// Raised where the arithmetic would otherwise go on silently with inf or NaN.
class CalcFault : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Checked division: x/0 and 0/0 are faults, as is a quotient that is not finite.
inline double div(double a, double b) {
    if (b == 0.0) throw CalcFault("division by zero");
    const double q = a / b;
    if (!std::isfinite(q)) throw CalcFault("overflow");
    return q;
}

// Checked power: a negative base under a fractional power, 0 to a negative power, overflow.
inline double power(double base, double exponent) {
    if (base < 0.0 && exponent != std::floor(exponent)) throw CalcFault("negative base");
    if (base == 0.0 && exponent < 0.0) throw CalcFault("division by zero");
    const double r = std::pow(base, exponent);
    if (!std::isfinite(r)) throw CalcFault("overflow");
    return r;
}

// Checked store into single precision: NaN, infinity and values beyond FLT_MAX are faults.
inline float single(double v) {
    if (!std::isfinite(v)) throw CalcFault("invalid value");
    constexpr double kMax = static_cast<double>(std::numeric_limits<float>::max());
    constexpr double kHalfUlp = 0x1p103;  // beyond FLT_MAX + half an ulp a float is infinite
    const double a = std::fabs(v);
    if (a >= kMax + kHalfUlp) throw CalcFault("overflow");
    if (a > kMax)
        return v < 0 ? -std::numeric_limits<float>::max() : std::numeric_limits<float>::max();
    return static_cast<float>(v);
}

// Checks an intermediate double for inf or NaN.
inline double finite(double v) {
    if (!std::isfinite(v)) throw CalcFault("invalid value");
    return v;
}

// "Произошла непредвиденная ошибка в блоке <block>.\r\nПожалуйста, сообщите разработчику."
std::string errorReportText(const std::string& block);

// The notice that the design lies outside the charts: its title and text.
extern const char* const kOffDesignTitle;
extern const char* const kOffDesignText;

// Where a routine reports a fault it caught, or a design outside the charts. It comes with the
// call: the window hands its prompts down, the command-line tool its error output, tests a
// recorder.
class Reporter {
  public:
    virtual ~Reporter() = default;
    // A run-time error in the routine named block ("sCore", "Rebuilder", ...).
    virtual void reportError(const std::string& block) = 0;
    // The design lies outside the charts.
    virtual void reportOffDesign() = 0;
};

// Both reports as lines of text on a stream, as the command-line tool writes them.
class StreamReporter : public Reporter {
  public:
    explicit StreamReporter(std::ostream& out) : out_(out) {}
    void reportError(const std::string& block) override;
    void reportOffDesign() override;

  private:
    std::ostream& out_;
};

}  // namespace tavro
