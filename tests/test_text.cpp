// The text helpers: conversions, decimal text, Split and ReplaceAll.
#include "framework/TextHelpers.h"

#include <gtest/gtest.h>

#include <climits>
#include <locale>

using namespace VornUtility;

TEST(TextHelpers, WideStopsAtZeroByteAndMapsLatin1)
{
    EXPECT_EQ(ToWide(std::string("ab\0cd", 5)), L"ab");
    EXPECT_EQ(ToWide("\xE8\xFF"), std::wstring(L"\u00E8\u00FF"));
}

TEST(TextHelpers, NarrowKeepsLowByteAndRoundTripsEveryByte)
{
    EXPECT_EQ(ToNarrow(L"\u20AC"), "\xAC");
    EXPECT_EQ(ToNarrow(std::wstring(L"a\0b", 3)), std::string("a\0b", 3));
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(ToNarrow(ToWide(all)), all);
}

namespace {
// Regional settings that group thousands with dots, as Italian ones do.
struct DottedThousands : std::numpunct<char> {
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};
} // namespace

TEST(TextHelpers, DecimalTextHasNoGroupingWhateverTheLocale)
{
    std::locale::global(std::locale(std::locale::classic(), new DottedThousands));
    EXPECT_EQ(IntToText(1000), "1000");
    EXPECT_EQ(IntToText(-7), "-7");
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(INT_MIN), "-2147483648");
    EXPECT_EQ(Int64ToText(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(Int64ToText(INT64_MIN).size(), 20u);
    EXPECT_EQ(Int64ToWideText(1234567), L"1234567");
    std::locale::global(std::locale::classic());
}

TEST(TextHelpers, SplitKeepsInnerEmptyPartsButNotATrailingOne)
{
    using Parts = std::vector<std::string>;
    struct Case {
        const char* text;
        const char* delimiter;
        Parts expected;
    };
    const Case cases[] = {
        {"a::b", ":", {"a", "", "b"}},
        {":a", ":", {"", "a"}},
        {"a:", ":", {"a"}},
        {":", ":", {""}},
        {"abc", ":", {"abc"}},
        {"", ":", {}},
        {"abc", "", {}},
        {"Punteggio: 100", ":", {"Punteggio", " 100"}},
        {"a<>b<>", "<>", {"a", "b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Split(c.text, c.delimiter), c.expected) << "'" << c.text << "' at '" << c.delimiter << "'";
}

TEST(TextHelpers, ReplaceAllSearchesAgainFromTheStartAndAlwaysEnds)
{
    struct Case {
        const char* text;
        const char* from;
        const char* to;
        const char* expected;
    };
    const Case cases[] = {
        {"aab", "ab", "b", "b"},                                      // replacement joins its neighbour
        {"http://www.vorngiochi.it", "http://www.", "info@", "info@vorngiochi.it"},
        {"vorngiochi.it", "http://www.", "info@", "vorngiochi.it"},   // not found: unchanged
        {"abc", "", "x", "abc"},                                      // empty from: unchanged
        {"aa", "a", "aa", "aaaa"},                                    // to contains from: one pass
        {"xax", "a", "ba", "xbax"},
        {"", "a", "b", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplaceAll(c.text, c.from, c.to), c.expected) << c.text << " / " << c.from << " -> " << c.to;
}
