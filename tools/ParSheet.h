// The game's par sheet, exact: return to player, hit frequency and standard deviation of one spin and
// of a full round (automatic holds, one re-spin of the free reels), from every row the reels can show
// paid by the game's own rules. Probabilities are whole numbers of equally likely cases, so the sums
// are exact; only the standard deviation's square root is taken in floating point.
#pragma once

#include "game/GameRules.h"
#include "game/Symbols.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace ParSheet {

using MyGame::ReelCount;
using MyGame::SymbolCount;
using Row = std::array<int, ReelCount>;

// A natural number of any size: little-endian 32-bit limbs, no zero limb on top.
class Natural {
public:
    Natural(std::uint64_t value = 0)
    {
        for (; value != 0; value >>= 32)
            limbs.push_back(static_cast<std::uint32_t>(value));
    }

    Natural& operator+=(const Natural& other)
    {
        if (limbs.size() < other.limbs.size())
            limbs.resize(other.limbs.size(), 0);
        std::uint64_t carry = 0;
        for (size_t i = 0; i < limbs.size(); ++i) {
            carry += static_cast<std::uint64_t>(limbs[i]) + (i < other.limbs.size() ? other.limbs[i] : 0);
            limbs[i] = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        if (carry != 0)
            limbs.push_back(static_cast<std::uint32_t>(carry));
        return *this;
    }

    Natural& operator*=(std::uint32_t factor)
    {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : limbs) {
            carry += static_cast<std::uint64_t>(limb) * factor;
            limb = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        if (carry != 0)
            limbs.push_back(static_cast<std::uint32_t>(carry));
        Trim();
        return *this;
    }

    // Divides in place and returns the remainder.
    std::uint32_t DivideBy(std::uint32_t divisor)
    {
        std::uint64_t remainder = 0;
        for (size_t i = limbs.size(); i-- > 0;) {
            const std::uint64_t part = (remainder << 32) | limbs[i];
            limbs[i] = static_cast<std::uint32_t>(part / divisor);
            remainder = part % divisor;
        }
        Trim();
        return static_cast<std::uint32_t>(remainder);
    }

    bool operator==(const Natural& other) const { return limbs == other.limbs; }
    bool operator!=(const Natural& other) const { return limbs != other.limbs; }

    long double ToLongDouble() const
    {
        long double value = 0;
        for (size_t i = limbs.size(); i-- > 0;)
            value = value * 4294967296.0L + limbs[i];
        return value;
    }

    std::string ToString() const
    {
        Natural rest = *this;
        std::string digits;
        do
            digits.insert(digits.begin(), static_cast<char>('0' + rest.DivideBy(10)));
        while (!rest.limbs.empty());
        return digits;
    }

private:
    void Trim()
    {
        while (!limbs.empty() && limbs.back() == 0)
            limbs.pop_back();
    }

    std::vector<std::uint32_t> limbs;
};

inline Natural operator*(Natural value, std::uint32_t factor)
{
    return value *= factor;
}

inline Natural Power(std::uint32_t base, int exponent)
{
    Natural value(1);
    for (int i = 0; i < exponent; ++i)
        value *= base;
    return value;
}

// A probability or an expectation: numerator over denominator.
struct Ratio {
    Natural numerator;
    Natural denominator;

    long double Value() const { return numerator.ToLongDouble() / denominator.ToLongDouble(); }

    // "n/d" in lowest terms. Denominators here are powers of the draw's case count (12 or 32768), so
    // trying the primes up to 13 reduces them completely.
    std::string ToString() const
    {
        Natural n = numerator, d = denominator;
        for (std::uint32_t prime : {2u, 3u, 5u, 7u, 11u, 13u}) {
            for (;;) {
                Natural n2 = n, d2 = d;
                if (n2.DivideBy(prime) != 0 || d2.DivideBy(prime) != 0)
                    break;
                n = n2;
                d = d2;
            }
        }
        return n.ToString() + "/" + d.ToString();
    }
};

// One symbol draw as whole numbers: symbol s comes up in weights[s] of Total() equally likely cases.
struct SymbolWeights {
    std::array<std::uint32_t, SymbolCount> weights{};

    std::uint32_t Total() const
    {
        std::uint32_t total = 0;
        for (std::uint32_t w : weights)
            total += w;
        return total;
    }
};

// The ideal draw: every symbol 1 in 12.
inline SymbolWeights UniformWeights()
{
    SymbolWeights uniform;
    uniform.weights.fill(1);
    return uniform;
}

// The game's draw, rand() % 12, over the runtime's values 0..RAND_MAX, which the generator's full
// period yields equally often. With RAND_MAX 32767: 2731 cases for symbols 0 to 7, 2730 for 8 to 11.
inline SymbolWeights RuntimeWeights()
{
    SymbolWeights runtime;
    for (long value = 0; value <= RAND_MAX; ++value)
        ++runtime.weights[static_cast<size_t>(value % SymbolCount)];
    return runtime;
}

// Sums over weighted cases of the payout m = win / bet.
struct Moments {
    Natural cases;           // all cases: the common denominator
    Natural hits;            // cases with m > 0
    Natural payout;          // sum of m
    Natural payoutSquared;   // sum of m * m

    void Add(const Natural& weight, int multiple)
    {
        if (multiple == 0)
            return;
        const auto m = static_cast<std::uint32_t>(multiple);
        hits += weight;
        payout += weight * m;
        payoutSquared += weight * m * m;
    }
};

struct Figures {
    Ratio returnToPlayer;   // E[win] / bet
    Ratio hitFrequency;     // P(win > 0)
    long double standardDeviation = 0;   // of win / bet

    static Figures From(const Moments& sums)
    {
        Figures figures{{sums.payout, sums.cases}, {sums.hits, sums.cases}, 0};
        const long double mean = figures.returnToPlayer.Value();
        const long double meanSquare = Ratio{sums.payoutSquared, sums.cases}.Value();
        figures.standardDeviation = std::sqrt(meanSquare - mean * mean);
        return figures;
    }
};

// The payout of a row as the game pays it, in multiples of the bet.
inline int Payout(const Row& row)
{
    return MyGame::EvaluateRow(row, 1).win;
}

// Calls visit(row, weight) for every way the reels marked free can show symbols, the other reels
// keeping what row shows; weight is the given weight times the free reels' symbol weights.
template <typename Visit>
void ForEachOutcome(Row row, const std::array<bool, ReelCount>& free, const SymbolWeights& draw,
                    const Natural& weight, Visit&& visit, int reel = 0)
{
    if (reel == ReelCount) {
        visit(row, weight);
        return;
    }
    if (!free[static_cast<size_t>(reel)]) {
        ForEachOutcome(row, free, draw, weight, visit, reel + 1);
        return;
    }
    for (int symbol = 0; symbol < SymbolCount; ++symbol) {
        const std::uint32_t w = draw.weights[static_cast<size_t>(symbol)];
        if (w == 0)
            continue;
        row[static_cast<size_t>(reel)] = symbol;
        ForEachOutcome(row, free, draw, weight * w, visit, reel + 1);
    }
}

// One spin of all five reels, paid as it stands: all 12^5 rows.
inline Moments SingleSpin(const SymbolWeights& draw)
{
    Moments sums;
    sums.cases = Power(draw.Total(), ReelCount);
    std::array<bool, ReelCount> allFree;
    allFree.fill(true);
    ForEachOutcome(Row{}, allFree, draw, Natural(1),
                   [&](const Row& row, const Natural& weight) { sums.Add(weight, Payout(row)); });
    return sums;
}

// A full round: the first spin holds every reel that shows a paying symbol; unless all five pay, the
// free reels are spun once more and the final row is paid. First rows are taken by class: each reel
// either held on one paying symbol or free (any non-paying symbol, their weights summed), so every
// class's re-spin is enumerated once. Every case counts out of Total()^10: a class with f free reels
// stands for Total()^(5 - f) copies of each of its outcomes.
inline Moments FullRound(const SymbolWeights& draw)
{
    const std::uint32_t total = draw.Total();
    std::uint32_t freeWeight = 0;
    std::vector<int> paying;
    for (int symbol = 0; symbol < SymbolCount; ++symbol) {
        if (MyGame::IsPaying(symbol))
            paying.push_back(symbol);
        else
            freeWeight += draw.weights[static_cast<size_t>(symbol)];
    }

    Moments sums;
    sums.cases = Power(total, 2 * ReelCount);
    // Option k < paying.size() holds reel on paying[k]; the last option leaves it free.
    const int options = static_cast<int>(paying.size()) + 1;
    int classes = 1;
    for (int i = 0; i < ReelCount; ++i)
        classes *= options;
    for (int code = 0; code < classes; ++code) {
        Row row{};
        std::array<bool, ReelCount> free{};
        Natural weight(1);
        int freeReels = 0;
        for (int i = 0, rest = code; i < ReelCount; ++i, rest /= options) {
            const int option = rest % options;
            const auto reel = static_cast<size_t>(i);
            if (option < options - 1) {
                row[reel] = paying[static_cast<size_t>(option)];
                weight *= draw.weights[static_cast<size_t>(row[reel])];
            } else {
                free[reel] = true;
                weight *= freeWeight;
                ++freeReels;
            }
        }
        for (int i = freeReels; i < ReelCount; ++i)
            weight *= total;
        ForEachOutcome(row, free, draw, weight,
                       [&](const Row& finalRow, const Natural& w) { sums.Add(w, Payout(finalRow)); });
    }
    return sums;
}

struct Sheet {
    Figures spin;
    Figures round;
};

inline Sheet Compute(const SymbolWeights& draw)
{
    return Sheet{Figures::From(SingleSpin(draw)), Figures::From(FullRound(draw))};
}

} // namespace ParSheet
