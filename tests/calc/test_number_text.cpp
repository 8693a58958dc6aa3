// The field number rule and the displayed number formats.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "faults.h"
#include "number_text.h"

namespace tavro {
namespace {

TEST(NumberRule, ReadsTheLeadingNumberOfAFieldText) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"", 0},           {"abc", 0},      {"12.5abc", 12.5}, {"   7", 7},    {"1,24", 1.24},
        {"2 5", 25},       {" 2\t5\n", 25}, {"3.7e1", 37},     {"3.7E+1", 37}, {"1D2", 100},
        {"1d-2", 0.01},    {"1e", 1},       {"1e+", 1},        {"1ex5", 1},    {"-.5", -0.5},
        {"+4", 4},         {"- 4", -4},     {".", 0},          {"-", 0},       {"5.", 5},
        {"1.2e3.4", 1200}, {"&H1F", 31},    {"&hff", 255},     {"&O17", 15},   {"&o19", 1},
        {"&H", 0},         {"&X1", 0},      {"1\r2", 1},       {"1e-400", 0},  {"0.0001", 0.0001},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(readNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

// What the program shows with a Russian decimal comma reads back as the same number, and a
// text that is no one number is no number at all.
TEST(NumberRule, TakesTheDecimalCommaAsThePointAndRefusesTwoSeparators) {
    const struct {
        const char* comma;
        const char* point;
    } same[] = {{"12,5", "12.5"},       {"0,5", "0.5"},         {"-,25", "-.25"},
                {"1,5E+07", "1.5E+07"}, {"5,", "5."},           {",", "."},
                {"1 , 2 4", "1.24"},    {"60,0001", "60.0001"}, {"3,7e1", "3.7e1"},
                {"12,5мм", "12.5мм"}};
    for (const auto& c : same) EXPECT_EQ(readNumber(c.comma), readNumber(c.point)) << c.comma;
    EXPECT_DOUBLE_EQ(readNumber("12,5"), 12.5);
    for (const char* two : {"1.2.3", "1,2,3", "1,2.3", "1.2,3", "1..2", "1,,", ".,", "1 . 2 , 3"})
        EXPECT_THROW(readNumber(two), CalcFault) << two;
}

TEST(NumberRule, NumbersBeyondDoubleAreFaults) {
    EXPECT_THROW(readNumber("1e400"), CalcFault);
    EXPECT_THROW(readNumber(std::string(400, '9')), CalcFault);
    EXPECT_DOUBLE_EQ(readNumber("0." + std::string(400, '0') + "1"), 0.0);
    // Readable as a double but not as a single: storing is the fault.
    EXPECT_THROW(single(readNumber("1e39")), CalcFault);
    EXPECT_FLOAT_EQ(single(readNumber("3.4028234e38")), 3.4028234e38f);
}

TEST(DisplayFormats, FixedDecimalsRoundTheSevenDigitTextHalfAwayFromZero) {
    const struct {
        float value;
        int decimals;
        const char* text;
    } cases[] = {
        {0.101325f, 4, "0.1013"}, {134.175f, 2, "134.18"},
        {6.50692f, 2, "6.51"},    {0.005f, 2, "0.01"},
        {9.995f, 2, "10.00"},     {0, 2, "0.00"},
        {-1, 2, "-1.00"},         {-0.125f, 2, "-0.13"},
        {25.6f, 2, "25.60"},      {1.2345678e10f, 2, "12345680000.00"},
        {1e-8f, 4, "0.0000"},     {5.3e-8f, 4, "0.0000"},
        {0.00005f, 4, "0.0001"},  {123456.7f, 2, "123456.70"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatFixed(c.value, c.decimals, '.'), c.text) << c.value;
    }
    EXPECT_EQ(formatFixed(50.4213f, 2, ','), "50,42");
}

TEST(DisplayFormats, ShortestTextHasAtMostSevenSignificantDigits) {
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {10.0001f, "10.0001"},
        {23, "23"},
        {90, "90"},
        {0.5f, "0.5"},
        {0.0001f, "0.0001"},
        {1.5e-5f, "1.5E-05"},
        {1e7f, "1E+07"},
        {1234567, "1234567"},
        {12345678, "1.234568E+07"},
        {-4.9999f, "-4.9999"},
        {0, "0"},
        {100, "100"},
    };
    for (const auto& c : cases) EXPECT_EQ(formatShortest(c.value, '.'), c.text) << c.value;
    EXPECT_EQ(formatShortest(10.0001f, ','), "10,0001");
    // The calculation writes a clamped radius into its field with the regional comma; the next
    // calculation reads that field back as the same value.
    for (const auto& c : cases) {
        const std::string shown = formatShortest(c.value, ',');
        EXPECT_EQ(single(readNumber(shown)), single(readNumber(formatShortest(c.value, '.'))))
            << shown;
    }
}

TEST(DisplayFormats, RoundedLabelsDropTrailingZerosAndRoundTiesToEven) {
    const struct {
        float value;
        int decimals;
        const char* text;
    } cases[] = {
        {12.5f, 2, "12.5"}, {1.662f, 3, "1.662"}, {2.125f, 2, "2.12"},     {2.375f, 2, "2.38"},
        {1, 3, "1"},        {10.5f, 2, "10.5"},   {25.6011f, 2, "25.6"},   {29.93f, 2, "29.93"},
        {0.001f, 2, "0"},   {-0.001f, 2, "0"},    {-12.345f, 2, "-12.34"}, {-12.355f, 2, "-12.36"},
        {0.6f, 3, "0.6"},   {2.5f, 0, "2"},       {3.5f, 0, "4"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatRounded(c.value, c.decimals, '.'), c.text) << c.value;
    }
    EXPECT_EQ(formatRounded(2.5f, 3, ','), "2,5");
}

}  // namespace
}  // namespace tavro
