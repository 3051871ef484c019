// Rounds played through the real main window: a FormMain built in this process, its services
// replaced (no sound, a clock stepped 20 ms per tick, message boxes answered), the generator seeded,
// and every round started with the play command and ticked to its end, the holds left as the first
// spin set them. The payout of a round is read back from the score label.
#pragma once

#include "framework/controls/Button.h"
#include "framework/controls/Label.h"
#include "framework/controls/Timer.h"
#include "game/FormMain.h"
#include "game/GameRules.h"
#include "game/GameServices.h"

#include <windows.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace ParSheet {

namespace SimulatedServices {

inline std::int64_t clockMs = 0;
inline unsigned seed = 1;
inline bool closing = false;
inline int unexpectedBoxes = 0;   // any box but the exit question

inline int AnswerBox(HWND, const char*, const char*, UINT flags)
{
    if (closing && (flags & MB_YESNO) == MB_YESNO)
        return IDYES;
    ++unexpectedBoxes;
    return (flags & MB_YESNO) == MB_YESNO ? IDNO : IDOK;
}

inline void Silence(int) {}

inline std::int64_t Now()
{
    return clockMs;
}

inline unsigned Seed()
{
    return seed;
}

} // namespace SimulatedServices

class RoundSimulator {
public:
    static constexpr int TickMs = 20;
    // Far more than a 15 s spin needs at 20 ms a tick.
    static constexpr int MaxTicksPerSpin = 5000;

    explicit RoundSimulator(unsigned seed) : saved(MyGame::Services())
    {
        SimulatedServices::clockMs = 0;
        SimulatedServices::seed = seed;
        SimulatedServices::closing = false;
        SimulatedServices::unexpectedBoxes = 0;
        MyGame::Services().messageBox = &SimulatedServices::AnswerBox;
        MyGame::Services().playSound = &SimulatedServices::Silence;
        MyGame::Services().now = &SimulatedServices::Now;
        MyGame::Services().seed = &SimulatedServices::Seed;
        form = new MyGame::FormMain(GetModuleHandleW(nullptr), "Rulvio");
        // The ticks come from PlayRound, on the stepped clock.
        if (form->spinTimer)
            form->spinTimer->Stop();
        MyGame::SeedRandom(seed);
    }

    ~RoundSimulator()
    {
        SimulatedServices::closing = true;
        delete form;
        MyGame::Services() = saved;
    }

    RoundSimulator(const RoundSimulator&) = delete;
    RoundSimulator& operator=(const RoundSimulator&) = delete;

    bool Ready() const { return form->windowHandle && form->playButton && form->scoreLabel && form->betLabel; }

    int UnexpectedBoxes() const { return SimulatedServices::unexpectedBoxes; }

    // Plays one round and returns its win over the bet (score change plus bet, over the bet), or -1
    // when a spin did not start or did not end, or the round did not end after the second spin.
    int PlayRound()
    {
        const int bet = form->GetBet();
        const int before = Score();
        if (!Spin())
            return -1;
        if (form->secondSpin && !Spin())
            return -1;
        if (form->secondSpin)
            return -1;
        PumpMessages();
        return bet > 0 ? (Score() - before + bet) / bet : -1;
    }

private:
    bool Spin()
    {
        form->OnCommand(form->playButton);
        if (!form->spinning)
            return false;
        for (int tick = 0; tick < MaxTicksPerSpin; ++tick) {
            SimulatedServices::clockMs += TickMs;
            form->OnSpinTick();
            if (!form->spinning)
                return true;
        }
        return false;
    }

    int Score()
    {
        const std::string text = form->scoreLabel->GetText();
        const size_t colon = text.find(':');
        return colon == std::string::npos ? 0 : std::atoi(text.c_str() + colon + 1);
    }

    static void PumpMessages()
    {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    MyGame::GameServices saved;
    MyGame::FormMain* form = nullptr;
};

// Payouts of simulated rounds, with 99% confidence intervals (normal approximation).
struct Tally {
    static constexpr long double Z99 = 2.5758293035489004L;

    long long rounds = 0;
    long long hits = 0;
    long double sum = 0;
    long double sumOfSquares = 0;

    void Add(int payout)
    {
        ++rounds;
        hits += payout > 0 ? 1 : 0;
        sum += payout;
        sumOfSquares += static_cast<long double>(payout) * payout;
    }

    long double Mean() const { return rounds ? sum / rounds : 0; }
    long double HitFrequency() const { return rounds ? static_cast<long double>(hits) / rounds : 0; }

    long double MeanHalfWidth() const
    {
        if (rounds < 2)
            return 0;
        const long double variance = (sumOfSquares - rounds * Mean() * Mean()) / (rounds - 1);
        return Z99 * std::sqrt(variance / rounds);
    }

    long double HitHalfWidth() const
    {
        if (rounds < 1)
            return 0;
        const long double p = HitFrequency();
        return Z99 * std::sqrt(p * (1 - p) / rounds);
    }
};

} // namespace ParSheet
