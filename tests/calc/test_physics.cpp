// Gravity, the layered atmosphere and the expansion ratio.
#include <gtest/gtest.h>

#include "faults.h"
#include "physics.h"

namespace tavro {
namespace {

TEST(Atmosphere, TemperatureLayersMeetWithoutSteps) {
    const struct {
        float h, T;
    } cases[] = {
        {0, 288.15f},     {11000, 216.5f},  {15000, 216.5f},  {20000, 216.5f},  {32000, 228},
        {44000, 261.75f}, {50000, 261.75f}, {60000, 243.75f}, {81000, 181.95f}, {90000, 181.95f},
        {120000, 266.1f}, {160000, 1150},   {300000, 1350},   {5500, 252.325f},
    };
    for (const auto& c : cases) EXPECT_FLOAT_EQ(AirTemperature(288.15f, c.h), c.T) << c.h;
    // Just below 11 km the first layer ends at 216.5 K as well.
    EXPECT_NEAR(AirTemperature(288.15f, 10999.99f), 216.5f, 1e-3);
    EXPECT_GT(AirTemperature(288.15f, -1000), 288.15f);  // negative altitudes: first layer
}

TEST(Atmosphere, GravityAtTheDesignLatitude) {
    EXPECT_NEAR(Gravity(DesignLatitude, 0), 9.81571f, 1e-5);
    EXPECT_NEAR(Gravity(DesignLatitude, 0) - Gravity(DesignLatitude, 1000), 0.003086f, 2e-6);
}

TEST(Atmosphere, PressureFallsToNinetyKilometresAndRisesAbove) {
    EXPECT_EQ(AirPressure(0), 0.101325f);
    const struct {
        float h, P, tolerance;
    } cases[] = {
        {10000, 0.026398f, 2e-6f}, {20000, 0.0063985f, 5e-7f}, {90000, 5.3e-8f, 1e-9f},
        {100000, 9.51e-8f, 1e-9f}, {120000, 2.16e-7f, 1e-9f},
    };
    for (const auto& c : cases) EXPECT_NEAR(AirPressure(c.h), c.P, c.tolerance) << c.h;
    EXPECT_GT(AirPressure(120000), AirPressure(100000));
}

TEST(Atmosphere, AbsurdAltitudesAreFaultsNotInfinities) {
    EXPECT_THROW(AirPressure(-3e38f), CalcFault);
}

TEST(Expansion, IsentropicAreaRatio) {
    EXPECT_NEAR(ExpansionRatio(0.101325f, 5, 1.24f), 6.5069f, 1e-4);
    EXPECT_NEAR(ExpansionRatio(0.101325f, 10, 1.24f), 10.79f, 5e-3);
}

TEST(Expansion, UncomputableCasesAnswerMinusOne) {
    const struct {
        const char* what;
        float pa, pk, k;
    } cases[] = {
        {"pa equals pk", 5, 5, 1.24f},
        {"k = 1", 0.1f, 5, 1},
        {"pa above pk", 6, 5, 1.24f},
        {"pk zero", 0.1f, 0, 1.24f},
        {"k zero", 0.1f, 5, 0},
        {"k = -1", 0.1f, 5, -1},
        {"negative pressure ratio", -0.1f, 5, 1.24f},
        {"beyond single precision", 1e-45f, 30, 1.1f},
    };
    for (const auto& c : cases) EXPECT_EQ(ExpansionRatio(c.pa, c.pk, c.k), -1.0f) << c.what;
}

}  // namespace
}  // namespace tavro
