// The game under load: a thousand rounds with every kind of repaint and dialog, counted for leaks,
// and a seeded monkey that throws a hundred thousand random events at the real window tree while
// checking the round's state after every one.
#include "TestSupport.h"

#include "app/MessageLoop.h"
#include "framework/ElementRegistry.h"
#include "framework/controls/Button.h"
#include "framework/controls/CellControl.h"
#include "framework/controls/FormAbout.h"
#include "framework/controls/ImageFrame.h"
#include "framework/controls/Label.h"
#include "framework/controls/Shell.h"
#include "framework/controls/Slider.h"
#include "framework/controls/SubMenu.h"
#include "framework/controls/Timer.h"
#include "framework/TextHelpers.h"
#include "game/FormMain.h"
#include "game/GameRules.h"
#include "game/GameServices.h"
#include "game/GameTexts.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

using namespace MyGame;
using VornUtility::GUIElement;

namespace {

// Whether the system would give a click to this window: it and all its parents are enabled.
bool Reachable(HWND window)
{
    for (HWND w = window; w; w = GetParent(w))
        if (!IsWindowEnabled(w))
            return false;
    return true;
}

std::int64_t clockMs = 0;
int warnings = 0;
int exitQuestions = 0;

int AnswerBoxes(HWND, const char* text, const char*, UINT)
{
    if (std::string(text) == Texts::ExitQuestion) {
        ++exitQuestions;
        return IDNO;
    }
    ++warnings;
    return IDOK;
}
void Silence(int) {}
std::int64_t SteppedClock()
{
    return clockMs;
}
unsigned FixedSeed()
{
    return 1234;
}
bool NoShell(const std::wstring&)
{
    return true;
}

// A real FormMain with its platform services replaced: no real box, sound, clock or browser.
class StressTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = Services();
        Services() = GameServices{&AnswerBoxes, &Silence, &SteppedClock, &FixedSeed};
        previousShell = VornUtility::SetShellOpener(&NoShell);
        SeedRandom(1234);
        form = new FormMain(GetModuleHandleW(nullptr), "Rulvio");
        PumpMessages();
    }
    void TearDown() override
    {
        Services().messageBox = [](HWND, const char*, const char*, UINT) { return IDYES; };
        // In the entry point's order: the forms waiting for the end of the loop go before the main form.
        DeleteDeferredForms();
        delete form;
        PumpMessages();
        Services() = saved;
        VornUtility::SetShellOpener(previousShell);
    }

    // One timer tick, as the platform delivers it, after the clock moved on.
    void Tick(int stepMs)
    {
        clockMs += stepMs;
        SendMessageW(form->windowHandle, WM_TIMER, static_cast<WPARAM>(form->spinTimer->id), 0);
    }
    void Press(VornUtility::Button* button)
    {
        SendMessageW(form->windowHandle, WM_COMMAND, MAKEWPARAM(button->id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button->windowHandle));
    }
    void SpinToTheEnd(int stepMs)
    {
        while (form->spinning) {
            Tick(stepMs);
            PumpMessages();
        }
    }
    int Score() { return std::atoi(form->scoreLabel->GetText().c_str() + std::string(Texts::ScoreCaption).size()); }

    GameServices saved{};
    VornUtility::ShellOpener previousShell = nullptr;
    FormMain* form = nullptr;
};

} // namespace

TEST_F(StressTest, AThousandRoundsLeaveGdiObjectsWindowsAndElementsWhereTheyWere)
{
    HWND trackbar = form->betSlider->windowHandle;
    auto round = [&](int i) {
        // The bet, through the trackbar's own end-of-drag report.
        SendMessageW(trackbar, TBM_SETPOS, TRUE, 1 + i % 10);
        SendMessageW(form->windowHandle, WM_HSCROLL, TB_ENDTRACK, reinterpret_cast<LPARAM>(trackbar));
        Press(form->playButton);
        SpinToTheEnd(250);
        if (form->secondSpin) {
            // The hold phase: a hold toggled there and back, a full repaint with every colour request.
            HWND cell = form->holdCells[i % ReelCount]->windowHandle;
            SendMessageW(cell, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
            SendMessageW(cell, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
            SendMessageW(cell, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
            SendMessageW(cell, WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
            RedrawWindow(form->windowHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            Press(form->playButton);
            SpinToTheEnd(250);
        }
        RedrawWindow(form->windowHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        // The about box, opened and closed with its button; then the exit question, answered No.
        Press(form->infoButton);
        PumpMessages();
        SendMessageW(form->aboutBox->okButton->windowHandle, BM_CLICK, 0, 0);
        PumpMessages();
        SendMessageW(form->windowHandle, WM_CLOSE, 0, 0);
        PumpMessages();
    };

    round(0);   // warm-up: Wine and the game make their caches and first objects here
    const int gdiBefore = CountGdiObjects();
    const int windowsBefore = CountThreadWindows();
    const size_t elementsBefore = VornUtility::elementList.size();
    const int questionsBefore = exitQuestions;
    for (int i = 1; i <= 1000; ++i)
        round(i);
    EXPECT_EQ(CountGdiObjects(), gdiBefore);
    EXPECT_EQ(CountThreadWindows(), windowsBefore);
    EXPECT_EQ(VornUtility::elementList.size(), elementsBefore);
    EXPECT_EQ(exitQuestions - questionsBefore, 1000);
    EXPECT_TRUE(IsWindow(form->windowHandle));
    EXPECT_TRUE(formsToDelete.empty());
}

namespace {

enum class RoundState { Idle, FirstSpin, HoldPhase, SecondSpin };

const char* Name(RoundState state)
{
    switch (state) {
    case RoundState::Idle: return "idle";
    case RoundState::FirstSpin: return "first spin";
    case RoundState::HoldPhase: return "hold phase";
    case RoundState::SecondSpin: return "second spin";
    }
    return "?";
}

} // namespace

// Random input, seeded and repeatable: RULVIO_MONKEY_SEED replays a run, RULVIO_MONKEY_EVENTS
// changes its length.
TEST_F(StressTest, MonkeyKeepsTheRoundInOneOfItsFourStates)
{
    const char* seedText = std::getenv("RULVIO_MONKEY_SEED");
    const unsigned seed = seedText ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10)) : 20261211u;
    const char* eventsText = std::getenv("RULVIO_MONKEY_EVENTS");
    const int events = eventsText ? std::atoi(eventsText) : 100000;
    SCOPED_TRACE("monkey seed " + std::to_string(seed) + " (replay with RULVIO_MONKEY_SEED=" + std::to_string(seed) + ")");
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };

    // Every window a player can reach: the form and all its children.
    std::vector<HWND> targets{form->windowHandle};
    EnumChildWindows(form->windowHandle, [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&targets));

    int score = Score();
    RoundState previous = RoundState::Idle;
    std::array<int, ReelCount> heldSymbols{};
    int failures = 0;
    for (int event = 0; event < events && failures < 5; ++event) {
        const int kind = pick(100);
        if (kind < 35) {
            // A click anywhere on a random window of the game, or on the open about box.
            HWND target = targets[pick(static_cast<int>(targets.size()))];
            if (form->aboutBox && IsWindow(form->aboutBox->windowHandle) && pick(2) == 0)
                target = pick(2) ? form->aboutBox->okButton->windowHandle : form->aboutBox->windowHandle;
            const LPARAM point = MAKELPARAM(pick(120), pick(60));
            if (Reachable(target)) {
                PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, point);
                PostMessageW(target, WM_LBUTTONUP, 0, point);
            }
        } else if (kind < 45) {
            // The buttons and cells pressed as a player would, through their own notifications.
            VornUtility::Button* buttons[] = {form->playButton, form->playButton, form->infoButton, form->closeButton};
            VornUtility::Button* button = buttons[pick(4)];
            if (Reachable(button->windowHandle))
                PostMessageW(button->windowHandle, BM_CLICK, 0, 0);
        } else if (kind < 60) {
            // Keys on whatever has the focus: Tab, Space, Enter, Escape, arrows.
            const WPARAM keys[] = {VK_TAB, VK_SPACE, VK_RETURN, VK_ESCAPE, VK_LEFT, VK_RIGHT};
            const WPARAM key = keys[pick(6)];
            HWND focus = GetFocus() ? GetFocus() : form->windowHandle;
            PostMessageW(focus, WM_KEYDOWN, key, 1);
            if (key == VK_SPACE || key == VK_RETURN || key == VK_ESCAPE)
                PostMessageW(focus, WM_CHAR, key == VK_SPACE ? L' ' : key, 1);
            PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
        } else if (kind < 63) {
            // Alt+F4, answered No.
            PostMessageW(form->windowHandle, WM_SYSKEYDOWN, VK_F4, 0x20000001);
            PostMessageW(form->windowHandle, WM_SYSKEYUP, VK_F4, 0xE0000001);
        } else if (kind < 70) {
            // The slider moved and let go.
            HWND trackbar = form->betSlider->windowHandle;
            if (Reachable(trackbar)) {
                SendMessageW(trackbar, TBM_SETPOS, TRUE, 1 + pick(10));
                PostMessageW(form->windowHandle, WM_HSCROLL, TB_ENDTRACK, reinterpret_cast<LPARAM>(trackbar));
            }
        } else if (kind < 72) {
            // The menu's commands that stay in the game; the exit answers No.
            PostMessageW(form->windowHandle, WM_COMMAND, MAKEWPARAM(pick(2) ? form->exitItem->id : form->homeItem->id, 0), 0);
        } else {
            // Time: stepped ticks, now and then a late one.
            const int step = pick(50) == 0 ? 2000 : 20 + pick(200);
            Tick(step);
        }
        PumpMessages();

        // The state, with the exact looks each state has.
        const bool spinning = form->spinning;
        const bool second = form->secondSpin;
        const RoundState state = !spinning ? (second ? RoundState::HoldPhase : RoundState::Idle)
                                           : (second ? RoundState::SecondSpin : RoundState::FirstSpin);
        const std::string play = form->playButton->GetText();
        const bool playEnabled = IsWindowEnabled(form->playButton->windowHandle) != FALSE;
        const bool sliderEnabled = IsWindowEnabled(form->betSlider->windowHandle) != FALSE;
        int held = 0;
        bool cellsEnabled = false, cellsDisabled = true;
        for (int i = 0; i < ReelCount; ++i) {
            held += form->IsHeld(i) ? 1 : 0;
            const bool enabled = IsWindowEnabled(form->holdCells[i]->windowHandle) != FALSE;
            cellsEnabled = cellsEnabled || enabled;
            cellsDisabled = cellsDisabled && !enabled;
        }
        std::ostringstream where;
        where << "event " << event << " in " << Name(state);
        bool ok = true;
        auto check = [&](bool condition, const char* what) {
            if (!condition) {
                ADD_FAILURE() << where.str() << ": " << what;
                ok = false;
            }
        };
        if (state == RoundState::SecondSpin && previous == RoundState::HoldPhase) {
            // The symbols the held reels showed when the second spin started (no tick has come yet).
            for (int i = 0; i < ReelCount; ++i)
                heldSymbols[i] = form->reels[i]->column;
        }
        switch (state) {
        case RoundState::Idle:
            check(play == Texts::Play && playEnabled, "\"GIOCA\", enabled");
            check(cellsDisabled, "hold cells disabled");
            check(held == 0, "hold cells free");
            check(sliderEnabled, "slider enabled");
            break;
        case RoundState::FirstSpin:
            check(!playEnabled && cellsDisabled && !sliderEnabled, "play, cells and slider disabled");
            check(held == 0, "no hold in a first spin");
            break;
        case RoundState::HoldPhase:
            check(play == Texts::Respin && playEnabled, "\"Rilancia\", enabled");
            check(held == ReelCount || cellsEnabled, "hold cells enabled");
            check(!sliderEnabled, "slider disabled");
            break;
        case RoundState::SecondSpin:
            check(!playEnabled && cellsDisabled && !sliderEnabled, "play, cells and slider disabled");
            check(held <= 4, "at most four reels held");
            for (int i = 0; i < ReelCount; ++i)
                if (form->IsHeld(i))
                    check(form->reels[i]->column == heldSymbols[i], "a held reel keeps its symbol");
            break;
        }

        // The score moves only when a round is evaluated, and by the win less the bet.
        const int now = Score();
        if (now != score) {
            const bool evaluated = state == RoundState::Idle
                && (previous == RoundState::SecondSpin || previous == RoundState::FirstSpin);
            check(evaluated, "the score changed outside an evaluation");
            std::array<int, ReelCount> row{};
            for (int i = 0; i < ReelCount; ++i)
                row[i] = form->reels[i]->column;
            const int bet = form->GetBet();
            check(now - score == EvaluateRow(row, bet).win - bet, "the score changed by the win less the bet");
            score = now;
        }
        failures += ok ? 0 : 1;
        previous = state;
    }
    EXPECT_EQ(failures, 0);
    EXPECT_TRUE(IsWindow(form->windowHandle));
}
