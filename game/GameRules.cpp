#include "game/GameRules.h"

#include "game/GameServices.h"

#include <cstdlib>

namespace MyGame {

namespace {

bool seeded = false;

// Cherries' multipliers for 2, 3, 4 and 5 reels; oranges pay twice as much.
constexpr int CherryMultipliers[] = {2, 10, 50, 250};

} // namespace

void SeedRandom(unsigned seed)
{
    std::srand(seed);
    seeded = true;
}

int RandomInt(int lo, int hi)
{
    if (!seeded)
        SeedRandom(Services().seed());
    if (lo == 1)
        return std::rand() % hi + 1;
    return RandomInt(1, hi - lo + 1) + lo - 1;
}

Symbol DrawSymbol()
{
    return static_cast<Symbol>(RandomInt(1, SymbolCount) - 1);
}

bool IsPaying(int symbol)
{
    return symbol == Cherries || symbol == Orange;
}

int Multiplier(int symbol, int count)
{
    if (!IsPaying(symbol) || count < 2 || count > ReelCount)
        return 0;
    return (symbol / 2) * CherryMultipliers[count - 2];
}

RowResult EvaluateRow(const std::array<int, ReelCount>& row, int bet)
{
    RowResult result;
    for (int symbol : {Cherries, Orange}) {
        int count = 0;
        for (int shown : row)
            count += shown == symbol ? 1 : 0;
        const int multiplier = Multiplier(symbol, count);
        if (multiplier == 0)
            continue;
        for (int i = 0; i < ReelCount; ++i) {
            if (row[i] == symbol)
                result.multipliers[i] = multiplier;
        }
        result.win += multiplier * bet;
    }
    return result;
}

} // namespace MyGame
