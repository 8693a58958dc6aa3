// Where a design works: the chamber pressures and altitudes that the core calculation accepts.
#include "operating_range.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "number_text.h"

namespace tavro {
namespace {

// Coarse strides of the scan in grid steps; bisection then finds each change to the step.
// An in-range span or gap narrower than a stride may be missed.
constexpr int kPkStride = 10;  // 0.1 MPa
constexpr int kHStride = 25;   // 250 m

// Runs the core calculation on one working record, reset to the design's inputs each time:
// the calculation clamps Rc and Qc and may replace Qc, which must not carry over.
class Probe {
  public:
    explicit Probe(const DesignState& d)
        : Rkr_(d.Rkr), Qa_(d.Qa), k_(d.k), Pk_(d.Pk), H_(d.H), Rc_(d.Rc), Qc_(d.Qc) {}

    CoreCheck check(float pk, float h) {
        work_.Rkr = Rkr_;
        work_.Qa = Qa_;
        work_.k = k_;
        work_.Pk = pk;
        work_.H = h;
        work_.Rc = Rc_;
        work_.Qc = Qc_;
        return checkCore(work_);
    }
    bool ok(float pk, float h) { return check(pk, h) == CoreCheck::Passed; }
    float pk() const { return Pk_; }
    float h() const { return H_; }
    const DesignState& last() const { return work_; }

  private:
    float Rkr_, Qa_, k_, Pk_, H_, Rc_, Qc_;
    DesignState work_;
};

// In-range spans of grid indices first..last, as values.
std::vector<Interval> scan(int first, int last, int stride, const std::function<bool(int)>& ok,
                           const std::function<double(int)>& value) {
    std::vector<Interval> spans;
    int start = -1;  // first in-range index of the open span
    auto close = [&](int end) {
        spans.push_back({value(start), value(end)});
        start = -1;
    };
    int a = first;
    bool okA = ok(a);
    if (okA) start = a;
    while (a < last) {
        int b = std::min(a + stride, last);
        const bool okB = ok(b);
        if (okB != okA) {
            // The one change between a and b, to the grid step.
            int lo = a, hi = b;
            while (hi - lo > 1) {
                const int m = lo + (hi - lo) / 2;
                (ok(m) == okA ? lo : hi) = m;
            }
            if (okA) {
                close(lo);
            } else {
                start = hi;
            }
        }
        a = b;
        okA = okB;
    }
    if (start >= 0) close(last);
    return spans;
}

float pkAt(int i) {
    return static_cast<float>(i / 100.0);
}
float hAt(int i) {
    return static_cast<float>(i * kHStep);
}
const int kPkFirst = static_cast<int>(std::lround(kPkScanFrom / kPkStep));
const int kPkLast = static_cast<int>(std::lround(kPkScanTo / kPkStep));
const int kHFirst = static_cast<int>(std::lround(kHScanFrom / kHStep));
const int kHLast = static_cast<int>(std::lround(kHScanTo / kHStep));

std::vector<Interval> pkSpans(Probe& probe, float h) {
    return scan(
        kPkFirst, kPkLast, kPkStride, [&](int i) { return probe.ok(pkAt(i), h); },
        [](int i) { return static_cast<double>(pkAt(i)); });
}

std::vector<Interval> hSpans(Probe& probe, float pk) {
    return scan(
        kHFirst, kHLast, kHStride, [&](int i) { return probe.ok(pk, hAt(i)); },
        [](int i) { return static_cast<double>(hAt(i)); });
}

std::string spansText(const std::vector<Interval>& spans, int decimals, const char* unit,
                      char sep) {
    std::string t;
    for (size_t i = 0; i < spans.size(); ++i) {
        if (i > 0) t += " и ";
        t += "от " + formatRounded(static_cast<float>(spans[i].lo), decimals, sep) + " до " +
             formatRounded(static_cast<float>(spans[i].hi), decimals, sep) + " " + unit;
    }
    return t;
}

std::string reasonLine(CoreCheck check, const DesignState& refused, char sep) {
    auto two = [sep](float v) { return formatLabel(v, sep); };
    switch (check) {
        case CoreCheck::Passed:
            return "";
        case CoreCheck::NoExpansion:
            return "Причина: степень расширения Fa/Fкр не вычисляется при Pк = " +
                   formatShortest(refused.Pk, sep) +
                   " МПа, Pa = " + formatFixed(refused.Pa, 4, sep) +
                   " МПа и k = " + formatShortest(refused.k, sep) + ".";
        case CoreCheck::OutsideChart:
            return "Причина: отношение Ra/Rкр = " + two(refused.RRa) +
                   " лежит вне графика длины диффузора для Qa = " +
                   formatShortest(refused.Qa, sep) + "°.";
        case CoreCheck::WallNotBuildable:
            return "Причина: сверхзвуковой участок стенки не строится при Qm = " + two(refused.Qm) +
                   "° и Qa = " + formatShortest(refused.Qa, sep) + "°.";
        case CoreCheck::Fault:
            break;
    }
    return "Причина: расчет прерван ошибкой.";
}

}  // namespace

std::vector<Interval> pkRanges(const DesignState& design, double altitude) {
    Probe probe(design);
    return pkSpans(probe, static_cast<float>(altitude));
}

std::vector<Interval> hRanges(const DesignState& design, double chamberPressure) {
    Probe probe(design);
    return hSpans(probe, static_cast<float>(chamberPressure));
}

bool inRangeAt(const DesignState& design, double chamberPressure, double altitude) {
    Probe probe(design);
    return probe.ok(static_cast<float>(chamberPressure), static_cast<float>(altitude));
}

OperatingRanges operatingRanges(const DesignState& design) {
    Probe probe(design);
    OperatingRanges r;
    r.check = probe.check(probe.pk(), probe.h());
    r.pk = pkSpans(probe, probe.h());
    r.h = hSpans(probe, probe.pk());
    return r;
}

std::vector<std::string> offDesignLines(const DesignState& design, const OperatingRanges& ranges,
                                        char sep) {
    std::vector<std::string> lines;
    Probe probe(design);
    probe.check(probe.pk(), probe.h());
    const std::string reason = reasonLine(ranges.check, probe.last(), sep);
    if (!reason.empty()) lines.push_back(reason);
    const std::string h = formatShortest(design.H, sep);
    const std::string pk = formatShortest(design.Pk, sep);
    const std::string pkFrom = formatRounded(static_cast<float>(kPkScanFrom), 2, sep);
    const std::string pkTo = formatRounded(static_cast<float>(kPkScanTo), 2, sep);
    if (ranges.pk.empty()) {
        lines.push_back("При H = " + h + " м расчетного режима нет ни при каком Pк от " + pkFrom +
                        " до " + pkTo + " МПа;");
    } else {
        lines.push_back("При H = " + h + " м расчетный режим при Pк " +
                        spansText(ranges.pk, 2, "МПа", sep) + ";");
    }
    if (ranges.h.empty()) {
        lines.push_back("при Pк = " + pk + " МПа его нет ни на какой высоте от " +
                        formatRounded(static_cast<float>(kHScanFrom), 0, sep) + " до " +
                        formatRounded(static_cast<float>(kHScanTo), 0, sep) + " м.");
    } else {
        lines.push_back("при Pк = " + pk + " МПа — при H " + spansText(ranges.h, 0, "м", sep) +
                        ".");
    }
    return lines;
}

std::string offDesignDetail(const DesignState& design, char sep) {
    std::string text;
    for (const std::string& line : offDesignLines(design, operatingRanges(design), sep)) {
        if (!text.empty()) text += "\r\n";
        text += line;
    }
    return text;
}

double mapTop(const DesignState& design) {
    Probe probe(design);
    double top = std::max(1000.0, static_cast<double>(design.H));
    for (const Interval& i : hSpans(probe, static_cast<float>(kPkScanTo)))
        top = std::max(top, i.hi);
    top *= 1.1;
    // Up to a multiple of a round step (1, 2 or 5 times a power of ten) of about a fifth.
    const double power = std::pow(10.0, std::floor(std::log10(top / 5)));
    double step = power;
    for (double m : {2.0, 5.0, 10.0}) {
        if (step >= top / 5) break;
        step = m * power;
    }
    return std::min(kHScanTo, std::ceil(top / step) * step);
}

OperatingMap operatingMap(const DesignState& design, double hTo, int columns, int rows) {
    OperatingMap m;
    m.pkFrom = kPkScanFrom;
    m.pkTo = kPkScanTo;
    m.hFrom = kHScanFrom;
    m.hTo = hTo;
    m.columns = columns;
    m.rows = rows;
    m.inRange.resize(static_cast<size_t>(columns) * static_cast<size_t>(rows));
    Probe probe(design);
    const double dPk = (m.pkTo - m.pkFrom) / columns, dH = (m.hTo - m.hFrom) / rows;
    size_t cell = 0;
    for (int r = 0; r < rows; ++r) {
        const auto h = static_cast<float>(m.hFrom + (r + 0.5) * dH);
        for (int c = 0; c < columns; ++c) {
            m.inRange[cell++] = probe.ok(static_cast<float>(m.pkFrom + (c + 0.5) * dPk), h);
        }
    }
    return m;
}

}  // namespace tavro
