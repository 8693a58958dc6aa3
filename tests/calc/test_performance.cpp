// Thrust, Mach number and operating ranges against published numbers and against the core
// calculation's own verdict.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core.h"
#include "example_design.h"
#include "operating_range.h"
#include "performance.h"
#include "physics.h"

namespace tavro {
namespace {

// The example design with Rc 30 and Qc 45 and the given exit angle, chamber pressure and
// altitude, computed as the program computes it.
DesignState computed(const char* Qa, const char* Pk, const char* H) {
    return test::computedExample(
        {{kRowQa, Qa}, {kRowPk, Pk}, {kRowH, H}, {kRowRc, "30"}, {kRowQc, "45"}});
}

// An ideal nozzle fully expanded from pc to pe, as the figures read it.
DesignState expansion(float k, float pc, float pe) {
    DesignState d;
    d.Rkr = 10;
    d.Qa = 10;
    d.k = k;
    d.Pk = pc;
    d.Pa = pe;
    d.FFa = ExpansionRatio(pe, pc, k);
    return d;
}

// Sutton & Biblarz, Rocket Propulsion Elements, example 3-3: k 1.20, pc 2.039 MPa, pe 2.549 kPa.
TEST(Performance, SuttonExample3_3) {
    const DesignState d = expansion(1.20f, 2.039f, 0.002549f);
    EXPECT_NEAR(d.FFa, 60, 1);
    EXPECT_NEAR(performanceOf(d).cfDesign, 1.841, 0.001);
}

// NACA Report 1135, isentropic flow table for k = 1.4.
TEST(Performance, NacaReport1135) {
    struct Row {
        double mach, pressureRatio, areaRatio;
    };
    for (const Row& r : {Row{2, 0.12780, 1.6875}, Row{3, 0.02722, 4.2346}}) {
        SCOPED_TRACE(r.mach);
        const DesignState d = expansion(1.4f, 1, static_cast<float>(r.pressureRatio));
        EXPECT_NEAR(d.FFa, r.areaRatio, 1e-3 * r.areaRatio);
        EXPECT_NEAR(performanceOf(d).machExit, r.mach, 1e-3 * r.mach);
    }
}

TEST(Performance, ExampleDesignAtSeaLevel) {
    const DesignState d = computed("10", "5", "0");
    ASSERT_TRUE(d.InRange);
    const Performance p = performanceOf(d);
    EXPECT_NEAR(p.cfSeaLevel, 1.5353, 1e-4);
    EXPECT_NEAR(p.cfDesign, 1.5353, 1e-4);
    EXPECT_NEAR(p.cfVacuum, 1.6672, 1e-4);
    EXPECT_NEAR(p.machExit, 3.064, 1e-3);
    EXPECT_NEAR(p.thrustSeaLevel, 2411.7, 0.1);
    EXPECT_NEAR(p.exitOverAmbientSeaLevel, 1, 1e-6);
    EXPECT_FALSE(p.separatedSeaLevel);
}

// Designed for 10 km, fired at sea level: the exit pressure is a quarter of the ambient.
TEST(Performance, HighAltitudeNozzleSeparatesAtSeaLevel) {
    const DesignState d = computed("10", "5", "10000");
    ASSERT_TRUE(d.InRange);
    const Performance p = performanceOf(d);
    EXPECT_NEAR(p.exitOverAmbientSeaLevel, 0.026398 / 0.101325, 1e-3);
    EXPECT_TRUE(p.separatedSeaLevel);
    // Separated wherever the ambient pressure exceeds 2.5 times the exit pressure.
    const double ceiling = separationCeiling(d);
    EXPECT_NEAR(AirPressure(static_cast<float>(ceiling)), d.Pa / kSeparationRatio, 1e-5);
    EXPECT_EQ(separationCeiling(computed("10", "5", "0")), 0);
    EXPECT_LT(p.cfSeaLevel, p.cfDesign);
    EXPECT_GT(p.cfVacuum, p.cfDesign);
}

TEST(Performance, ThrustCurve) {
    const DesignState d = computed("10", "5", "1234");
    const std::vector<ThrustPoint> curve = thrustCurve(d);
    ASSERT_EQ(curve.size(), 62u);  // 0 to 30000 every 500 m, and the design altitude
    EXPECT_EQ(curve[2].altitude, 1000);
    EXPECT_EQ(curve[3].altitude, 1234);
    EXPECT_NEAR(curve[3].cf, performanceOf(d).cfDesign, 1e-6);
    for (size_t i = 1; i < curve.size(); ++i) EXPECT_GT(curve[i].thrust, curve[i - 1].thrust);
    EXPECT_EQ(thrustCurve(computed("10", "5", "0")).size(), 61u);

    const std::string csv = thrustCurveCsv(curve, ',');
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBF\"высота, м\";", 0), 0u);
    EXPECT_NE(csv.find("\r\n1234;0,0"), std::string::npos) << csv.substr(0, 300);
}

struct RefusedCase {
    const char* name;
    const char *Qa, *Pk, *H;
    CoreCheck why;
};

// A range end computes, and a step beyond it (inside the scanned span) does not.
TEST(OperatingRanges, EndsComputeAndStepsBeyondDoNot) {
    const RefusedCase cases[] = {
        {"amateur chamber pressure", "9", "4", "0", CoreCheck::OutsideChart},
        {"chamber below the ambient", "10", "0.09", "0", CoreCheck::NoExpansion},
        {"computes", "10", "5", "0", CoreCheck::Passed},
        {"wall that cannot be made", "9", "30", "2000", CoreCheck::WallNotBuildable},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const DesignState d = computed(c.Qa, c.Pk, c.H);
        const OperatingRanges r = operatingRanges(d);
        EXPECT_EQ(r.check, c.why);
        // Below the ambient pressure at sea level, the model's thin air works twice: in the
        // stratosphere and where its pressure rises again above 120 km.
        if (c.why == CoreCheck::NoExpansion) {
            EXPECT_EQ(r.h.size(), 2u);
        }
        ASSERT_FALSE(r.pk.empty());
        ASSERT_FALSE(r.h.empty());
        for (const Interval& i : r.pk) {
            EXPECT_TRUE(inRangeAt(d, i.lo, d.H));
            EXPECT_TRUE(inRangeAt(d, i.hi, d.H));
            if (i.lo > kPkScanFrom) {
                EXPECT_FALSE(inRangeAt(d, i.lo - kPkStep, d.H)) << i.lo;
            }
            if (i.hi < kPkScanTo) {
                EXPECT_FALSE(inRangeAt(d, i.hi + kPkStep, d.H)) << i.hi;
            }
        }
        for (const Interval& i : r.h) {
            EXPECT_TRUE(inRangeAt(d, d.Pk, i.lo));
            EXPECT_TRUE(inRangeAt(d, d.Pk, i.hi));
            if (i.lo > kHScanFrom) {
                EXPECT_FALSE(inRangeAt(d, d.Pk, i.lo - kHStep)) << i.lo;
            }
            if (i.hi < kHScanTo) {
                EXPECT_FALSE(inRangeAt(d, d.Pk, i.hi + kHStep)) << i.hi;
            }
        }
    }
}

// Rkr=10 Qa=9 k=1.24 at sea level is refused at 4 MPa and works at 4.5 MPa.
TEST(OperatingRanges, ExplainsTheRefusal) {
    const DesignState d = computed("9", "4", "0");
    ASSERT_FALSE(d.InRange);
    const OperatingRanges r = operatingRanges(d);
    ASSERT_EQ(r.pk.size(), 1u);
    EXPECT_GT(r.pk[0].lo, 4);
    EXPECT_LE(r.pk[0].lo, 4.5);
    const std::vector<std::string> lines = offDesignLines(d, r, ',');
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("Причина: отношение Ra/Rкр = ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("для Qa = 9°"), std::string::npos) << lines[0];
    const std::string lo = std::to_string(static_cast<int>(r.pk[0].lo * 100 + 0.5));
    EXPECT_EQ(lines[1], "При H = 0 м расчетный режим при Pк от " + lo.substr(0, 1) + "," +
                            lo.substr(1) + " до 30 МПа;");
    EXPECT_EQ(lines[2].rfind("при Pк = 4 МПа ", 0), 0u) << lines[2];
}

// The map and the one-dimensional scan run the same calculation: they agree away from the
// span ends.
TEST(OperatingRanges, MapAgreesWithTheScan) {
    const DesignState d = computed("10", "5", "0");
    const double top = mapTop(d);
    EXPECT_GE(top, 1000);
    const OperatingMap m = operatingMap(d, top, 40, 20);
    int inside = 0;
    for (int row : {0, 7, 19}) {
        const double h = top * (row + 0.5) / m.rows;
        const std::vector<Interval> spans = pkRanges(d, h);
        for (int c = 0; c < m.columns; ++c) {
            const double pk = m.pkFrom + (c + 0.5) * (m.pkTo - m.pkFrom) / m.columns;
            bool expected = false, nearEnd = false;
            for (const Interval& i : spans) {
                expected = expected || (pk >= i.lo && pk <= i.hi);
                nearEnd =
                    nearEnd || std::fabs(pk - i.lo) < kPkStep || std::fabs(pk - i.hi) < kPkStep;
            }
            if (nearEnd) continue;
            EXPECT_EQ(m.at(c, row), expected) << pk << " MPa at " << h << " m";
            inside += expected;
        }
    }
    EXPECT_GT(inside, 0);
}

}  // namespace
}  // namespace tavro
