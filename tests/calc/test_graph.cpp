// The diffuser-length and opening-angle charts.
#include <gtest/gtest.h>

#include "faults.h"
#include "graph.h"

namespace tavro {
namespace {

TEST(DiffuserLengthChart, LinesAndTheirValidRanges) {
    const struct {
        float RRa, Qa, LLa, tolerance;
    } cases[] = {
        {2.55f, 9, 5.3438f, 1e-4f}, {2.55f, 10, 5.0399f, 1e-4f}, {2.55f, 11, -2, 0},
        {3.3f, 12, 6.2872f, 1e-4f}, {3.0f, 15, 5.0f, 1e-6f},     {2.4f, 15, -2, 0},
        {2.55f, 8.99f, -1, 0},      {2.55f, 15.01f, -1, 0},      {100, 10, -2, 0},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(DiffuserLengthChart(c.RRa, c.Qa), c.LLa, c.tolerance) << c.RRa << ' ' << c.Qa;
    }
}

TEST(DiffuserLengthChart, AngleOnARowFallsIntoTheLowerBracket) {
    // At 13° the lower bracket 11-13 allows LLa up to 14, the upper one 13-15 only up to 8:
    // RRa = 0.43 + 0.474·12 lies at LLa = 12 on the 13° line.
    EXPECT_NEAR(DiffuserLengthChart(0.43f + 0.474f * 12, 13), 12.0f, 1e-4);
    EXPECT_EQ(DiffuserLengthChart(0.43f + 0.474f * 12, 13.01f), -2.0f);
}

TEST(DiffuserLengthChart, OverflowIsAFaultForTheCaller) {
    EXPECT_THROW(DiffuserLengthChart(3.4e38f, 9), CalcFault);
}

TEST(OpeningAngleChart, InterpolatesBetweenNeighbourCurves) {
    EXPECT_NEAR(OpeningAngleChart(3.3f, 6.29f), 28.552f, 1e-3);
    EXPECT_NEAR(OpeningAngleChart(2.5500644f, 5.0399f), 25.60f, 5e-3);  // the example design
}

TEST(OpeningAngleChart, ExtrapolatesPastTheOuterCurves) {
    // Nearest curve below is 32°, the point lies above 34°.
    EXPECT_NEAR(OpeningAngleChart(3.3f, 4), 40.92f, 1e-2);
}

TEST(OpeningAngleChart, AnswersMinusOneOutsideTheGridOrOnFailure) {
    EXPECT_EQ(OpeningAngleChart(3.3f, 20), -1.0f);  // no curve below, 0/0
    EXPECT_EQ(OpeningAngleChart(3.3f, 3.9f), -1.0f);
    EXPECT_EQ(OpeningAngleChart(3.3f, 20.1f), -1.0f);
}

TEST(OpeningAngleChart, TheCorrectedEntryOfThe28DegreeCurveIsUsed) {
    // Between the 26° curve (4.7) and the 28° curve at L = 14, which reads 6.05 (5.05 would
    // give 27.71°).
    EXPECT_NEAR(OpeningAngleChart(5.0f, 14), 26 + 2 * 0.3f / 1.35f, 1e-3);
}

}  // namespace
}  // namespace tavro
