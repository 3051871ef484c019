// The rules of the slot machine that need no window: the random draw, the paytable and the
// evaluation of a row of five symbols.
#pragma once

#include "game/Symbols.h"

#include <array>

namespace MyGame {

// A pseudo-random integer from lo to hi inclusive. The generator is seeded once, on the first call,
// from the seed source of the game's services (the calendar time unless a test replaced it).
int RandomInt(int lo, int hi);
// Seeds the generator now, so the draws that follow are repeatable.
void SeedRandom(unsigned seed);
// One symbol, as the spin draws it: one value of the generator.
Symbol DrawSymbol();

// Whether a symbol pays at all, and its multiplier when it shows on count reels (0 when it does not pay).
bool IsPaying(int symbol);
int Multiplier(int symbol, int count);

struct RowResult {
    std::array<int, ReelCount> multipliers{};   // 0 under a reel that does not pay
    int win = 0;                                // already multiplied by the bet
};

// Pays a row: every cherry or orange that shows on two to five reels, anywhere on the row.
RowResult EvaluateRow(const std::array<int, ReelCount>& row, int bet);

} // namespace MyGame
