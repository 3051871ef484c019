// The rules that need no window: the random draw, the paytable and the payout of a row.
#include "game/GameRules.h"
#include "game/GameServices.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <ostream>
#include <set>
#include <string>
#include <vector>

using namespace MyGame;

namespace {

// The generator's values for a seed, taken before the game is seeded with it: the test and the
// game share the one generator of the runtime.
std::vector<int> RawValues(unsigned seed, int count)
{
    std::srand(seed);
    std::vector<int> values;
    for (int i = 0; i < count; ++i)
        values.push_back(std::rand());
    return values;
}

int seedCalls = 0;

unsigned CountedSeed()
{
    ++seedCalls;
    return 4242;
}

} // namespace

// Needs a generator nobody seeded yet, so a process of its own, as ctest runs every case.
TEST(RandomIntTest, FirstDrawSeedsOnceFromTheServicesSeed)
{
    const ::testing::UnitTest& run = *::testing::UnitTest::GetInstance();
    // The running test itself counts as passed so far.
    if (run.successful_test_count() + run.failed_test_count() + run.skipped_test_count() > 1)
        GTEST_SKIP() << "other tests of this process may have seeded the generator already";
    const GameServices saved = Services();
    Services().seed = &CountedSeed;
    const std::vector<int> expected = RawValues(4242, 3);

    const int first = RandomInt(1, 12);
    const int second = RandomInt(1, 12);
    const int third = RandomInt(1, 12);
    Services() = saved;

    EXPECT_EQ(seedCalls, 1);
    EXPECT_EQ(first, expected[0] % 12 + 1);
    EXPECT_EQ(second, expected[1] % 12 + 1);
    EXPECT_EQ(third, expected[2] % 12 + 1);
}

struct RangeCase {
    int lo;
    int hi;
};

void PrintTo(const RangeCase& range, std::ostream* out)
{
    *out << range.lo << ".." << range.hi;
}

class RandomIntRangeTest : public ::testing::TestWithParam<RangeCase> {};

// One value of the generator per call, mapped to lo + value % (hi - lo + 1); every value of the range
// comes up and none outside it.
TEST_P(RandomIntRangeTest, MapsOneGeneratorValueIntoTheRange)
{
    const RangeCase range = GetParam();
    const int span = range.hi - range.lo + 1;
    const std::vector<int> raw = RawValues(99, 3000);
    SeedRandom(99);
    std::set<int> seen;
    for (int value : raw) {
        const int drawn = RandomInt(range.lo, range.hi);
        ASSERT_EQ(drawn, range.lo + value % span);
        ASSERT_GE(drawn, range.lo);
        ASSERT_LE(drawn, range.hi);
        seen.insert(drawn);
    }
    EXPECT_EQ(static_cast<int>(seen.size()), span);
}

INSTANTIATE_TEST_SUITE_P(Ranges, RandomIntRangeTest,
                         ::testing::Values(RangeCase{1, 12}, RangeCase{1, 1}, RangeCase{0, 11}, RangeCase{-5, 5},
                                           RangeCase{7, 9}));

TEST(RandomIntTest, SameSeedSameSymbols)
{
    const std::vector<int> raw = RawValues(2024, 50);
    SeedRandom(2024);
    std::vector<int> first;
    for (int i = 0; i < 50; ++i)
        first.push_back(DrawSymbol());
    SeedRandom(2024);
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(first[i], raw[i] % 12) << "draw " << i;
        ASSERT_EQ(DrawSymbol(), first[i]) << "draw " << i;
    }
}

// The whole paytable, literally: only cherries and oranges pay, for two to five reels.
TEST(PaytableTest, MultiplierForEverySymbolAndCount)
{
    const int cherries[] = {0, 0, 2, 10, 50, 250, 0};
    const int oranges[] = {0, 0, 4, 20, 100, 500, 0};
    for (int count = 0; count <= 6; ++count) {
        for (int symbol = 0; symbol < SymbolCount; ++symbol) {
            const int expected = symbol == 2 ? cherries[count] : symbol == 4 ? oranges[count] : 0;
            EXPECT_EQ(Multiplier(symbol, count), expected) << "symbol " << symbol << " on " << count << " reels";
        }
        EXPECT_EQ(IsPaying(count), count == 2 || count == 4);
    }
    EXPECT_FALSE(IsPaying(11));
}

struct RowCase {
    const char* name;
    std::array<int, ReelCount> row;
    int bet;
    std::array<int, ReelCount> multipliers;
    int win;
};

void PrintTo(const RowCase& rowCase, std::ostream* out)
{
    *out << rowCase.name;
}

class EvaluateRowTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(EvaluateRowTest, PaysCherriesAndOrangesAnywhereOnTheRow)
{
    const RowCase& c = GetParam();
    const RowResult result = EvaluateRow(c.row, c.bet);
    EXPECT_EQ(result.multipliers, c.multipliers);
    EXPECT_EQ(result.win, c.win);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EvaluateRowTest,
    ::testing::Values(RowCase{"OneCherryOneOrange", {2, 4, 0, 1, 3}, 1, {0, 0, 0, 0, 0}, 0},
                      RowCase{"TwoCherriesThreeOranges", {2, 4, 2, 4, 4}, 5, {2, 20, 2, 20, 20}, 110},
                      RowCase{"FiveCherries", {2, 2, 2, 2, 2}, 2, {250, 250, 250, 250, 250}, 500},
                      RowCase{"FiveOranges", {4, 4, 4, 4, 4}, 1, {500, 500, 500, 500, 500}, 500},
                      RowCase{"CherriesAtBothEnds", {2, 0, 1, 3, 2}, 3, {2, 0, 0, 0, 2}, 6},
                      RowCase{"FourOrangesOneCherry", {4, 4, 2, 4, 4}, 10, {100, 100, 0, 100, 100}, 1000},
                      RowCase{"NothingPays", {0, 1, 3, 5, 11}, 10, {0, 0, 0, 0, 0}, 0},
                      RowCase{"ThreeCherries", {7, 2, 2, 9, 2}, 4, {0, 10, 10, 0, 10}, 40}),
    [](const ::testing::TestParamInfo<RowCase>& param) { return std::string(param.param.name); });
