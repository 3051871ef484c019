// Fairness of the draw and the game's numbers: the symbols the spin draws are evenly spread and
// independent; the runtime's generator and the modulo's exact bias; the exact par sheet against an
// independent count, and against rounds played through the real main window.
#include "game/GameRules.h"
#include "tools/ParSheet.h"
#include "tools/RoundSimulator.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using ParSheet::Natural;
using ParSheet::SymbolWeights;

namespace {

constexpr int Symbols = MyGame::SymbolCount;
constexpr int Reels = MyGame::ReelCount;

// 99% quantiles of the chi-square distribution.
constexpr double ChiSquare99For11 = 24.725;    // 11 degrees of freedom: one reel's 12 symbols
constexpr double ChiSquare99For143 = 185.256;  // 143 degrees of freedom: pairs of symbols

double ChiSquare(const std::vector<long>& observed)
{
    long total = 0;
    for (long count : observed)
        total += count;
    const double expected = static_cast<double>(total) / static_cast<double>(observed.size());
    double sum = 0;
    for (long count : observed)
        sum += (static_cast<double>(count) - expected) * (static_cast<double>(count) - expected) / expected;
    return sum;
}

// The runtime's generator as documented: state = state * 214013 + 2531011 (mod 2^32), and the value
// is bits 16 to 30 of the new state.
struct Lcg {
    std::uint32_t state;
    int Next()
    {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7fff);
    }
};

// An affine map s -> a * s + c (mod 2^32), composed with itself by squaring.
struct Affine {
    std::uint32_t a;
    std::uint32_t c;
    Affine Then(const Affine& next) const { return Affine{next.a * a, next.a * c + next.c}; }
};

} // namespace

// ---- The draw, as the spin takes it: five symbols per redraw, reel i gets the i-th ----

namespace {

using DrawnRow = std::array<int, Reels>;

// Chi-square statistics of one reel over many redraws: its symbols alone, its symbol paired with the
// next reel's in the same redraw, and paired with its own symbol one redraw later.
struct ReelStatistics {
    double single = 0;
    double withNeighbour = 0;
    double withNextRedraw = 0;
};

ReelStatistics StatisticsOfReel(const std::vector<DrawnRow>& rows, int reel)
{
    const int neighbour = (reel + 1) % Reels;
    std::vector<long> single(Symbols, 0);
    std::vector<long> withNeighbour(Symbols * Symbols, 0);
    std::vector<long> withNextRedraw(Symbols * Symbols, 0);
    for (size_t k = 0; k < rows.size(); ++k) {
        const int symbol = rows[k][reel];
        ++single[symbol];
        ++withNeighbour[symbol * Symbols + rows[k][neighbour]];
        if (k + 1 < rows.size())
            ++withNextRedraw[symbol * Symbols + rows[k + 1][reel]];
    }
    return ReelStatistics{ChiSquare(single), ChiSquare(withNeighbour), ChiSquare(withNextRedraw)};
}

constexpr int Redraws = 24000;   // 120,000 symbols

} // namespace

class FairDrawTest : public ::testing::TestWithParam<unsigned> {};

// Each reel alone is even over the twelve symbols; a reel and its neighbour in the same redraw, and a
// reel in two redraws running, show every pair of symbols evenly: the reels are independent of one
// another and of their last symbol.
TEST_P(FairDrawTest, EachReelEvenAndIndependentAtTheNinetyNinePercentLevel)
{
    MyGame::SeedRandom(GetParam());
    std::vector<DrawnRow> rows(Redraws);
    for (DrawnRow& row : rows) {
        for (int& symbol : row) {
            symbol = MyGame::DrawSymbol();
            ASSERT_GE(symbol, 0);
            ASSERT_LT(symbol, Symbols);
        }
    }
    for (int reel = 0; reel < Reels; ++reel) {
        SCOPED_TRACE("reel " + std::to_string(reel));
        const ReelStatistics statistics = StatisticsOfReel(rows, reel);
        EXPECT_LT(statistics.single, ChiSquare99For11);
        EXPECT_LT(statistics.withNeighbour, ChiSquare99For143) << "with reel " << (reel + 1) % Reels;
        EXPECT_LT(statistics.withNextRedraw, ChiSquare99For143) << "with itself one redraw later";
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, FairDrawTest, ::testing::Values(1u, 2026u, 987654321u));

// The same statistics reject draws with the faults they are there for: a symbol that never comes, a
// reel that copies its neighbour, a reel that keeps its symbol one redraw in four.
TEST(FairDrawStatisticsTest, RejectMissingSymbolsCopiedReelsAndStickyReels)
{
    MyGame::SeedRandom(5);
    std::vector<DrawnRow> rows(Redraws);
    for (size_t k = 0; k < rows.size(); ++k) {
        for (int& symbol : rows[k])
            symbol = MyGame::DrawSymbol();
        rows[k][0] = std::rand() % 11;   // never green apple
        rows[k][2] = rows[k][1];         // reel 2 copies reel 1
        if (k > 0 && std::rand() % 4 == 0)
            rows[k][3] = rows[k - 1][3];   // reel 3 sticks
    }
    EXPECT_GT(StatisticsOfReel(rows, 0).single, ChiSquare99For11);
    EXPECT_GT(StatisticsOfReel(rows, 1).withNeighbour, ChiSquare99For143);
    EXPECT_GT(StatisticsOfReel(rows, 3).withNextRedraw, ChiSquare99For143);
    const ReelStatistics fair = StatisticsOfReel(rows, 4);
    EXPECT_LT(fair.single, ChiSquare99For11);
    EXPECT_LT(fair.withNextRedraw, ChiSquare99For143);
}

// ---- The runtime's generator and the exact distribution of one draw ----

// rand() is the documented linear congruential generator, and a symbol takes exactly one of its values:
// after n symbols the generator gives its (n + 1)-th value.
TEST(FairGeneratorTest, SymbolsAreTheGeneratorsValuesModuloTwelveOneEach)
{
    ASSERT_EQ(RAND_MAX, 32767);
    for (unsigned seed : {1u, 77u, 4000000000u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Lcg model{seed};
        MyGame::SeedRandom(seed);
        for (int i = 0; i < 100000; ++i)
            ASSERT_EQ(MyGame::DrawSymbol(), model.Next() % 12) << "draw " << i;
        EXPECT_EQ(std::rand(), model.Next());
    }
}

// The generator's period is the whole 2^32 states, so over one period every value 0..32767 comes
// exactly 2^17 times, and one draw shows symbol s in exactly (number of values v with v % 12 == s) of
// 32768 cases: 32768 = 12 * 2730 + 8, so symbols 0 to 7 (cherries 2 and oranges 4 among them) have
// 2731/32768 = 1/12 * 1.000122 and symbols 8 to 11 have 2730/32768 = 1/12 * 0.999756.
TEST(FairGeneratorTest, OneDrawIsExactly2731Or2730In32768)
{
    // The map stepped 2^k times, for k = 0..32: the orbit of state 0 closes after 2^32 steps and not
    // after 2^31, so its length is exactly 2^32.
    Affine step{214013u, 2531011u};
    std::vector<Affine> powers{step};
    for (int k = 1; k <= 32; ++k)
        powers.push_back(powers.back().Then(powers.back()));
    EXPECT_NE(powers[31].c, 0u) << "state 0 comes back after 2^31 steps";
    EXPECT_EQ(powers[32].a, 1u);
    EXPECT_EQ(powers[32].c, 0u);

    std::array<long, Symbols> cases{};
    for (int value = 0; value <= RAND_MAX; ++value)
        ++cases[value % 12];
    for (int symbol = 0; symbol < Symbols; ++symbol)
        EXPECT_EQ(cases[symbol], symbol < 8 ? 2731 : 2730) << "symbol " << symbol;
    EXPECT_EQ(cases[MyGame::Cherries], 2731);
    EXPECT_EQ(cases[MyGame::Orange], 2731);

    const SymbolWeights runtime = ParSheet::RuntimeWeights();
    EXPECT_EQ(runtime.Total(), 32768u);
    for (int symbol = 0; symbol < Symbols; ++symbol)
        EXPECT_EQ(static_cast<long>(runtime.weights[symbol]), cases[symbol]) << "symbol " << symbol;
}

// ---- The par sheet ----

namespace {

// The paytable as printed on the machine, for 2 to 5 reels.
constexpr int CherryPays[] = {0, 0, 2, 10, 50, 250};
constexpr int OrangePays[] = {0, 0, 4, 20, 100, 500};

int PayoutOfCounts(int cherries, int oranges)
{
    return CherryPays[cherries] + OrangePays[oranges];
}

// value times the cases, out of Total()^reels, in which `reels` reels show `cherries` cherries,
// `oranges` oranges and other symbols on the rest.
Natural TimesCasesOfCounts(Natural value, const SymbolWeights& draw, int reels, int cherries, int oranges)
{
    static constexpr std::uint32_t Factorial[] = {1, 1, 2, 6, 24, 120};
    const int others = reels - cherries - oranges;
    value *= Factorial[reels] / (Factorial[cherries] * Factorial[oranges] * Factorial[others]);
    const std::uint32_t other = draw.Total() - draw.weights[MyGame::Cherries] - draw.weights[MyGame::Orange];
    for (int i = 0; i < cherries; ++i)
        value *= draw.weights[MyGame::Cherries];
    for (int i = 0; i < oranges; ++i)
        value *= draw.weights[MyGame::Orange];
    for (int i = 0; i < others; ++i)
        value *= other;
    return value;
}

// The same sums as the par sheet's, counted by how many cherries and oranges a row shows.
struct CountedSheet {
    ParSheet::Moments spin;
    ParSheet::Moments round;
};

CountedSheet CountByCherriesAndOranges(const SymbolWeights& draw)
{
    CountedSheet counted;
    counted.spin.cases = ParSheet::Power(draw.Total(), Reels);
    counted.round.cases = ParSheet::Power(draw.Total(), 2 * Reels);
    for (int cherries = 0; cherries <= Reels; ++cherries) {
        for (int oranges = 0; cherries + oranges <= Reels; ++oranges) {
            const Natural first = TimesCasesOfCounts(Natural(1), draw, Reels, cherries, oranges);
            counted.spin.Add(first, PayoutOfCounts(cherries, oranges));
            // Cherries and oranges stay; the other reels are spun again (none when all five pay). Out
            // of Total()^10, each first row stands for Total()^(5 - free) cases of its re-spin.
            const int free = Reels - cherries - oranges;
            Natural scaled = first;
            for (int i = free; i < Reels; ++i)
                scaled *= draw.Total();
            for (int moreCherries = 0; moreCherries <= free; ++moreCherries) {
                for (int moreOranges = 0; moreCherries + moreOranges <= free; ++moreOranges) {
                    counted.round.Add(TimesCasesOfCounts(scaled, draw, free, moreCherries, moreOranges),
                                      PayoutOfCounts(cherries + moreCherries, oranges + moreOranges));
                }
            }
        }
    }
    return counted;
}

std::set<int> PossiblePayouts()
{
    std::set<int> payouts;
    for (int cherries = 0; cherries <= Reels; ++cherries) {
        for (int oranges = 0; cherries + oranges <= Reels; ++oranges)
            payouts.insert(PayoutOfCounts(cherries, oranges));
    }
    return payouts;
}

void ExpectSameSums(const ParSheet::Moments& enumerated, const ParSheet::Moments& counted)
{
    EXPECT_EQ(enumerated.cases.ToString(), counted.cases.ToString());
    EXPECT_EQ(enumerated.hits.ToString(), counted.hits.ToString()) << "cases that pay";
    EXPECT_EQ(enumerated.payout.ToString(), counted.payout.ToString()) << "sum of payouts";
    EXPECT_EQ(enumerated.payoutSquared.ToString(), counted.payoutSquared.ToString()) << "sum of squared payouts";
}

struct DrawCase {
    const char* name;
    SymbolWeights (*weights)();
};

void PrintTo(const DrawCase& draw, std::ostream* out)
{
    *out << draw.name;
}

} // namespace

class ParSheetTest : public ::testing::TestWithParam<DrawCase> {};

// The par sheet pays every row with the game's own rules; counting rows only by their cherries and
// oranges, with the printed paytable, must give the very same sums, exactly.
TEST_P(ParSheetTest, EnumerationThroughTheGameAgreesWithCountingExactly)
{
    const SymbolWeights draw = GetParam().weights();
    const CountedSheet counted = CountByCherriesAndOranges(draw);
    {
        SCOPED_TRACE("single spin");
        ExpectSameSums(ParSheet::SingleSpin(draw), counted.spin);
    }
    {
        SCOPED_TRACE("full round");
        ExpectSameSums(ParSheet::FullRound(draw), counted.round);
    }
}

INSTANTIATE_TEST_SUITE_P(Draws, ParSheetTest,
                         ::testing::Values(DrawCase{"Ideal", &ParSheet::UniformWeights},
                                           DrawCase{"Runtime", &ParSheet::RuntimeWeights}));

// The modulo favours cherries and oranges by 1 part in 8192, so the runtime pays a little more than
// the ideal draw, by far less than the simulation below could notice.
TEST(ParSheetBiasTest, RuntimeDrawPaysSlightlyMoreThanTheIdealOne)
{
    const ParSheet::Sheet ideal = ParSheet::Compute(ParSheet::UniformWeights());
    const ParSheet::Sheet runtime = ParSheet::Compute(ParSheet::RuntimeWeights());
    for (const auto& [name, a, b] : {std::tuple{"single spin", ideal.spin, runtime.spin},
                                      std::tuple{"full round", ideal.round, runtime.round}}) {
        SCOPED_TRACE(name);
        const long double rtpRatio = b.returnToPlayer.Value() / a.returnToPlayer.Value();
        EXPECT_GT(rtpRatio, 1.0L);
        EXPECT_LT(rtpRatio, 1.001L);
        EXPECT_GT(b.hitFrequency.Value(), a.hitFrequency.Value());
        EXPECT_LT(b.hitFrequency.Value() - a.hitFrequency.Value(), 0.001L);
    }
}

// 300 rounds played through the real main window from a fixed seed, holds as the first spin sets
// them: every round ends, pays one of the paytable's sums, and the exact return to player and hit
// frequency of a round lie inside the simulation's 99% confidence intervals.
TEST(ParSheetSimulationTest, RoundsThroughTheRealWindowAgreeWithTheExactFigures)
{
    constexpr int Rounds = 300;
    const ParSheet::Figures exact = ParSheet::Compute(ParSheet::RuntimeWeights()).round;
    const std::set<int> possible = PossiblePayouts();
    ParSheet::Tally tally;
    {
        ParSheet::RoundSimulator simulator(2026);
        ASSERT_TRUE(simulator.Ready());
        for (int round = 0; round < Rounds; ++round) {
            const int payout = simulator.PlayRound();
            ASSERT_GE(payout, 0) << "round " << round << " did not play to its end";
            ASSERT_TRUE(possible.count(payout)) << "round " << round << " paid " << payout;
            tally.Add(payout);
        }
        EXPECT_EQ(simulator.UnexpectedBoxes(), 0);
    }
    const long double rtp = exact.returnToPlayer.Value();
    EXPECT_NEAR(static_cast<double>(tally.Mean()), static_cast<double>(rtp), static_cast<double>(tally.MeanHalfWidth()))
        << "return to player";
    const long double hits = exact.hitFrequency.Value();
    EXPECT_NEAR(static_cast<double>(tally.HitFrequency()), static_cast<double>(hits),
                static_cast<double>(tally.HitHalfWidth()))
        << "hit frequency";
}
