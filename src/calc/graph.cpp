// The two empirical design charts of the profiled diffuser.
#include "graph.h"

#include <cmath>

#include "faults.h"

namespace tavro {
namespace {

struct LengthLine {
    float qa;  // exit half-angle of the chart curve, degrees
    float a, b;
    float lower, upper;  // valid range of LLa
};

// RRa = A + B·LLa, one line per exit half-angle.
const LengthLine kLengthLines[4] = {
    {9, 0.5311f, 0.3778f, 5, 15},
    {11, 0.543f, 0.421f, 5, 14},
    {13, 0.43f, 0.474f, 5, 10},
    {15, 0.075f, 0.585f, 4, 8},
};

const float kGridL[9] = {4, 6, 8, 10, 12, 14, 16, 18, 20};
const float kCurveAngle[9] = {18, 20, 22, 24, 26, 28, 30, 32, 34};

constexpr float line18(double l) {
    return static_cast<float>(1.77 + 0.11 * l);
}
constexpr float line20(double l) {
    return static_cast<float>(1.88 + 0.12 * l);
}

// Ra/Rкр of each opening-angle curve at the grid points; 0 where the chart has no curve.
const float kCurves[9][9] = {
    {0, line18(6), line18(8), line18(10), line18(12), line18(14), 0, 0, 0},
    {0, line20(6), line20(8), line20(10), line20(12), line20(14), line20(16), 0, 0},
    {0, 2.7f, 3.1f, 3.42f, 3.71f, 3.95f, 4.11f, 4.29f, 0},
    {0, 2.88f, 3.3f, 3.68f, 4, 4.3f, 4.6f, 4.82f, 5.08f},
    {2.55f, 3.05f, 3.5f, 3.94f, 4.32f, 4.7f, 5, 5.29f, 5.52f},
    {2.63f, 3.18f, 3.7f, 4.16f, 4.62f, 6.05f, 5.48f, 5.84f, 6.15f},
    {2.7f, 3.33f, 3.93f, 4.49f, 5, 5.48f, 5.92f, 6.35f, 0},
    {2.72f, 3.55f, 4.2f, 4.8f, 5.35f, 5.87f, 6.37f, 0, 0},
    {2.85f, 3.67f, 4.39f, 5.01f, 5.65f, 6.25f, 0, 0, 0},
};

// Single-precision value of curve i at LLa on the straight piece between grid points j, j+1.
float curveAt(int i, int j, float LLa) {
    const float x0 = kGridL[j], x1 = kGridL[j + 1];
    const float y0 = kCurves[i][j], y1 = kCurves[i][j + 1];
    const float s = (y1 - y0) / (x1 - x0);
    const float b = y0 - s * x0;
    return s * LLa + b;
}

}  // namespace

float DiffuserLengthChart(float RRa, float Qa) {
    if (!(Qa >= 9 && Qa <= 15)) return -1;
    int lo = 0;
    for (int i = 0; i < 3; ++i) {
        if (kLengthLines[i].qa <= Qa && Qa <= kLengthLines[i + 1].qa) {
            lo = i;
            break;
        }
    }
    const LengthLine& L = kLengthLines[lo];
    const LengthLine& U = kLengthLines[lo + 1];
    const double t = static_cast<double>(Qa) - L.qa;
    const double span = static_cast<double>(U.qa) - L.qa;
    const float A = single((static_cast<double>(U.a) - L.a) * t / span + L.a);
    const float B = single((static_cast<double>(U.b) - L.b) * t / span + L.b);
    const float x = single(div(static_cast<double>(RRa) - A, B));
    if (x >= U.lower && x <= L.upper) return x;
    return -2;
}

float OpeningAngleChart(float RRa, float LLa) {
    if (LLa < kGridL[0] || LLa > kGridL[8]) return -1;
    if (std::isnan(LLa) || std::isnan(RRa)) return -1;
    int j = 0;
    for (int jj = 0; jj < 8; ++jj) {
        if (kGridL[jj] <= LLa && LLa <= kGridL[jj + 1]) {
            j = jj;
            break;
        }
    }
    float best = RRa, Qlo = 0, ylo = 0;
    int t = 0;
    for (int i = 0; i < 8; ++i) {
        const float y = curveAt(i, j, LLa);
        const float d = RRa - y;
        if (d > 0 && d < best) {
            best = d;
            Qlo = kCurveAngle[i];
            ylo = y;
            t = i + 1;
        }
    }
    const float yhi = curveAt(t, j, LLa);
    const float Qhi = kCurveAngle[t];
    const float den = yhi - ylo;
    if (den == 0) return -1;
    const float Qm = Qlo + (Qhi - Qlo) * (RRa - ylo) / den;
    if (!std::isfinite(Qm)) return -1;
    return Qm;
}

}  // namespace tavro
