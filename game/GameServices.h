// The platform services the game reaches through one small seam each: message boxes, sounds, the
// spin clock and the generator's seed. The defaults are the real platform calls; tests replace them
// to answer questions, hear sounds, step time and fix the seed.
#pragma once

#include <windows.h>

#include <cstdint>

namespace MyGame {

struct GameServices {
    // MessageBoxA with the texts in the Windows-1252 code page.
    int (*messageBox)(HWND owner, const char* text, const char* caption, UINT flags);
    // Starts the wave resource looped, replacing whatever plays; 0 stops all sound.
    void (*playSound)(int waveResourceId);
    // Milliseconds on a clock that never goes back (not the wall clock).
    std::int64_t (*now)();
    // The seed for the generator's one seeding.
    unsigned (*seed)();
};

GameServices& Services();
// The real platform calls.
GameServices PlatformServices();

} // namespace MyGame
