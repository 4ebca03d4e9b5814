#include "document/text.h"

#include <gtest/gtest.h>

using document::LeadingNumber;
using document::Nearest;

TEST(Nearest, RoundsHalvesToEven) {
    EXPECT_EQ(Nearest(137.5), 138);
    EXPECT_EQ(Nearest(78.5), 78);
    EXPECT_EQ(Nearest(37.54), 38);
    EXPECT_EQ(Nearest(-2.5), -2);
    EXPECT_EQ(Nearest(-3.5), -4);
    EXPECT_EQ(Nearest(0.49), 0);
}

TEST(LeadingNumber, ReadsLikeAnEntryField) {
    struct Row {
        const char* text;
        double value;
    } rows[] = {
        {"16x13", 16},    {" 5x 7", 5},   {"1 6", 16},   {"\t12abc", 12}, {"-3", -3},
        {"+ 4", 4},       {"2.5", 2},     {"3.5", 4},    {"1.49", 1},     {".5", 0},
        {"abc", 0},       {"", 0},        {"-", 0},      {"--1", 0},      {"  7  ", 7},
        {"12-Nota", 12},  {"0010", 10},   {"1e3", 1},    {"1.2.3", 1},
    };
    for (const auto& row : rows) EXPECT_EQ(LeadingNumber(row.text), row.value) << row.text;
    EXPECT_GT(LeadingNumber(std::string(400, '9')), 1e300);
}

TEST(Encoding, Windows1252RoundTripsThroughUtf8) {
    const std::string bytes = "Citt\xE0 \x80 perch\xE9 \x93virgolette\x94";
    const std::string utf8 = document::Cp1252ToUtf8(bytes);
    EXPECT_EQ(utf8, "Città € perché “virgolette”");
    EXPECT_EQ(document::Utf8ToCp1252(utf8), bytes);
    EXPECT_EQ(document::Cp1252ToUtf8("\x81"), "\xEF\xBF\xBD");
    EXPECT_EQ(document::Utf8ToCp1252("\xE2\x88\x9E ok \xC3"), "? ok ?");
}
