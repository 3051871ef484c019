// The twelve fruit of the symbol strip, in strip order: a symbol is its picture's index.
#pragma once

namespace MyGame {

enum Symbol : int {
    Banana,
    RedApple,
    Cherries,
    Coconut,
    Orange,
    Watermelon,
    Kiwi,
    Strawberry,
    Pear,
    Grapes,
    Plum,
    GreenApple,
    SymbolCount
};

constexpr int ReelCount = 5;
constexpr int SymbolSize = 96;   // each picture of the strip is 96 x 96

} // namespace MyGame
