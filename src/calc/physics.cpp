// Gravity, the layered atmosphere and the isentropic expansion ratio of the nozzle.
#include "physics.h"

#include <cmath>

#include "faults.h"
#include "pi.h"

namespace tavro {

float Gravity(float latitude, float altitude) {
    const double phi = latitude;
    const float twoPhi = 2.0f * latitude;
    const double s1 = std::sin(phi * kGravityPi / 180);
    const double s2 = std::sin(static_cast<double>(twoPhi) * kGravityPi / 180);
    constexpr double freeAir = 3.086 / 1000000;
    const double g = (1 + 0.0053024 * s1 * s1 - 5.8e-6 * s2 * s2) * 9.780327 - altitude * freeAir;
    return single(g);
}

float AirTemperature(float T0, float altitude) {
    const double t0 = T0;
    const double h = altitude;
    double t;
    if (h < 11000) {
        t = t0 + ((216.5 - t0) / 11000) * h;
    } else if (h <= 20000) {
        return 216.5f;
    } else if (h <= 32000) {
        t = 216.5 + (h - 20000) * (11.5 / 12000);
    } else if (h <= 44000) {
        t = 228 + (h - 32000) * (33.75 / 12000);
    } else if (h <= 50000) {
        return 261.75f;
    } else if (h <= 60000) {
        t = 261.75 + (h - 50000) * (-18.0 / 10000);
    } else if (h <= 81000) {
        t = 243.75 + (h - 60000) * ((181.95 - 243.75) / 21000);
    } else if (h <= 90000) {
        return 181.95f;
    } else if (h <= 120000) {
        t = 181.95 + (h - 90000) * ((266.1 - 181.95) / 30000);
    } else if (h <= 160000) {
        t = 266.1 + (h - 120000) * ((1150 - 266.1) / 40000);
    } else {
        t = 1150 + (h - 160000) * (200.0 / 140000);
    }
    return single(t);
}

float AirPressure(float H) {
    const float g = Gravity(DesignLatitude, H);
    const float T = AirTemperature(288.15f, H);
    const double x = div((((-0.88 * g) * 0.0289644) * H) / 8.31447, T);
    const float P = single(101325 * std::exp(x));
    return single(P / 1000000.0);
}

float ExpansionRatio(float pa, float pk, float k) {
    try {
        const double K = k;
        const double a = div(1, K - 1);
        const double b = power(div(2, K + 1), a);
        const double c = power(div(K - 1, K + 1), 0.5) * b;
        const double r = div(pa, pk);
        const double d = power(r, div(2, K)) - power(r, div(K + 1, K));
        return single(div(c, power(d, 0.5)));
    } catch (const CalcFault&) {
        return -1;
    }
}

}  // namespace tavro
