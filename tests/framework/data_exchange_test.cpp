#include "framework/data_exchange.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "support/fake_dialog.h"

namespace framework {
namespace {

TEST(NumberFieldTest, UnsignedReadsLikeTheLibraryOnA32BitLong) {
    EXPECT_EQ(ParseUnsignedField("5"), 5u);
    EXPECT_EQ(ParseUnsignedField(" \t16\t "), 16u);
    EXPECT_EQ(ParseUnsignedField("+3"), 3u);
    EXPECT_EQ(ParseUnsignedField("007"), 7u);
    EXPECT_EQ(ParseUnsignedField("-1"), 4294967295u);
    EXPECT_EQ(ParseUnsignedField("-16"), 4294967280u);
    EXPECT_EQ(ParseUnsignedField("99999999999"), 4294967295u);
    EXPECT_EQ(ParseUnsignedField("-99999999999"), 4294967295u);
    for (const char* notANumber : {"", "   ", "abc", "3x", "1 2", "0x10", "-", "+", "1.0", "١"}) {
        EXPECT_EQ(ParseUnsignedField(notANumber), std::nullopt) << '"' << notANumber << '"';
    }
}

TEST(NumberFieldTest, SignedSaturatesAndOnlyTheFirst31CharactersCount) {
    EXPECT_EQ(ParseSignedField("-5"), -5);
    EXPECT_EQ(ParseSignedField("2147483647"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(ParseSignedField("99999999999"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(ParseSignedField("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(ParseSignedField("-99999999999"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(ParseSignedField("1e3"), std::nullopt);
    // What lies beyond the 31st character is never seen: neither trailing junk nor a digit.
    EXPECT_EQ(ParseSignedField("7" + std::string(40, ' ') + "x"), 7);
    EXPECT_EQ(ParseSignedField(std::string(31, ' ') + "7"), std::nullopt);
}

TEST(NumberFieldTest, RealAcceptsDecimalNotationOnly) {
    EXPECT_EQ(ParseRealField("1.5"), 1.5f);
    EXPECT_EQ(ParseRealField(" .5 "), 0.5f);
    EXPECT_EQ(ParseRealField("5."), 5.0f);
    EXPECT_EQ(ParseRealField("25e-1"), 2.5f);
    EXPECT_EQ(ParseRealField("2.37"), 2.37f);
    EXPECT_EQ(ParseRealField("0"), 0.0f);
    EXPECT_EQ(ParseRealField("0.0"), 0.0f);
    EXPECT_EQ(ParseRealField("1e400"), std::numeric_limits<float>::infinity());
    EXPECT_EQ(ParseRealField("1e39"), std::numeric_limits<float>::infinity());
    // Reads as 0 without starting with the digit 0: not a number.
    EXPECT_EQ(ParseRealField("-0"), std::nullopt);
    EXPECT_EQ(ParseRealField(".0"), std::nullopt);
    for (const char* notANumber :
         {"", "abc", "nan", "inf", "infinity", "0x1p1", "1e", "1e+", "--1", "1.2.3", "1,5", "."}) {
        EXPECT_EQ(ParseRealField(notANumber), std::nullopt) << '"' << notANumber << '"';
    }
}

TEST(NumberFieldTest, RealShowsInTheShortestFormOfSixDigits) {
    EXPECT_EQ(FormatRealField(1.5f), "1.5");
    EXPECT_EQ(FormatRealField(0.001f * 1500), "1.5");  // as a stored 1500 loads
    EXPECT_EQ(FormatRealField(0.5f), "0.5");
    EXPECT_EQ(FormatRealField(5.0f), "5");
    EXPECT_EQ(FormatRealField(2.3f), "2.3");
    EXPECT_EQ(FormatRealField(0.001f * 2370), "2.37");
    EXPECT_EQ(FormatRealField(1234567.0f), "1.23457e+06");
}

TEST(NumberFieldTest, MessagesTakeTheirArguments) {
    EXPECT_EQ(FormatMessageText(kMsgIntegerRange, "1", "16"),
              "Please enter an integer between 1 and 16.");
    EXPECT_EQ(FormatMessageText(kMsgMaxChars, "150"), "Please enter no more than 150 characters.");
    EXPECT_EQ(FormatMessageText("%1%% %3 %2%1", "a", "b"), "a%% %3 ba");
}

TEST(DataExchangeTest, TheFirstFailureIsReportedOnceAndStopsTheRun) {
    perch::test::FakeDialog dx(true);
    dx.texts[1] = "0";
    dx.texts[2] = "99";
    dx.checks[3] = 1;
    std::uint32_t first = 4;
    std::int32_t second = 5;
    std::int32_t third = 0;
    dx.Unsigned(1, first, 1, 16);
    dx.Integer(2, second, 0, 60);
    dx.Check(3, third);
    ASSERT_EQ(dx.reports.size(), 1u);
    EXPECT_EQ(dx.reports[0].id, 1);
    EXPECT_EQ(dx.reports[0].message, "Please enter an integer between 1 and 16.");
    EXPECT_TRUE(dx.reports[0].isEdit);
    EXPECT_TRUE(dx.Failed());
    EXPECT_EQ(second, 5);  // nothing after the failure was read
    EXPECT_EQ(third, 0);
}

TEST(DataExchangeTest, FillingShowsValuesAndBoundsTheControls) {
    perch::test::FakeDialog dx(false);
    std::string text(160, 'x');  // longer than the limit: shown in full all the same
    std::int32_t flag = 5;
    std::int32_t indeterminate = 2;
    std::int32_t selection = 7;
    float interval = 0.001f * 1500;
    dx.Text(1, text, 150);
    dx.Check(2, flag);
    dx.Check(3, indeterminate);
    dx.ListIndex(4, selection);
    dx.Real(5, interval, 0.5f, 5.0f);
    EXPECT_EQ(dx.texts[1].size(), 160u);
    EXPECT_EQ(dx.limits[1], 150u);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(dx.checks[2], 0);
    EXPECT_EQ(dx.checks[3], 2);
    EXPECT_EQ(dx.selections[4], -1);
    EXPECT_EQ(dx.texts[5], "1.5");
    EXPECT_TRUE(dx.reports.empty());

    perch::test::FakeDialog read(true);
    read.texts[1] = std::string(151, 'y');
    std::string readText;
    read.Text(1, readText, 150);
    ASSERT_EQ(read.reports.size(), 1u);
    EXPECT_EQ(read.reports[0].message, "Please enter no more than 150 characters.");
}

TEST(DataExchangeTest, TheLimitCountsCharactersNotBytes) {
    const std::string zhe = "\xD0\x96";            // Ж, two bytes
    const std::string page = "\xF0\x9F\x93\x84";  // 📄, four bytes
    std::string cyrillic;
    for (int i = 0; i < 150; ++i) {
        cyrillic += zhe;
    }
    for (const std::string& text : {cyrillic, std::string(149, 'a') + page}) {
        perch::test::FakeDialog read(true);
        read.texts[1] = text;
        std::string readText;
        read.Text(1, readText, 150);
        EXPECT_TRUE(read.reports.empty());
        EXPECT_EQ(readText, text);
    }
    perch::test::FakeDialog over(true);
    over.texts[1] = cyrillic + zhe;
    std::string readText;
    over.Text(1, readText, 150);
    EXPECT_EQ(over.reports.size(), 1u);
}

}  // namespace
}  // namespace framework
