// FormMain: the spin cycle. One 20 ms timer drives it; while a spin runs the free reels get new
// symbols ever less often, two looped sounds play, and after 15 seconds the spin ends.
#include "game/FormMain.h"

#include "framework/controls/Button.h"
#include "framework/controls/CellControl.h"
#include "framework/controls/ImageFrame.h"
#include "framework/controls/Slider.h"
#include "game/GameRules.h"
#include "game/GameServices.h"
#include "game/GameTexts.h"
#include "resource.h"

using namespace VornUtility;

namespace MyGame {

namespace {
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Yellow = RGB(255, 255, 0);
}

std::int64_t ElapsedMs(std::int64_t from, std::int64_t to)
{
    return to - from;
}

void FormMain::OnSpinTick()
{
    // Elapsed time comes from a clock that never goes back, so a wall clock set back or forward
    // cannot stretch or cut a spin, and late ticks only make the reels change less often.
    const std::int64_t now = Services().now();
    if (!spin.clockStarted) {
        spin.clockStarted = true;
        spin.spinStart = now;
        spin.soundSwitchTime = now;
    }
    if (spin.busy)
        return;
    spin.busy = true;
    if (!spinning) {
        spin.started = false;
        spin.tickCount = 0;
        spin.busy = false;
        return;
    }
    if (!spin.started) {
        spin.spinStart = now;
        Services().playSound(IDW_SPIN_FAST);
        spin.started = true;
        spin.firstSoundOn = true;
    }
    ++spin.tickCount;
    const std::int64_t elapsed = ElapsedMs(spin.spinStart, now);
    if (spin.tickCount > elapsed / 1000)
        RedrawReels();
    if (elapsed > FirstSoundMs && spin.firstSoundOn) {
        Services().playSound(0);
        spin.firstSoundOn = false;
        spin.soundSwitchTime = now;
        spin.secondSoundPending = true;
    }
    if (spin.secondSoundPending && ElapsedMs(spin.soundSwitchTime, now) > SoundGapMs) {
        Services().playSound(IDW_SPIN_SLOW);
        spin.secondSoundPending = false;
    }
    if (elapsed > SpinMs) {
        Services().playSound(0);
        // The next spin starts afresh even when the play command comes before another tick: its own
        // start time, the first sound first, and no second sound still waiting from a late switch.
        spin.started = false;
        spin.tickCount = 0;
        spin.firstSoundOn = false;
        spin.secondSoundPending = false;
        EndSpin();
    }
    spin.busy = false;
}

void FormMain::RedrawReels()
{
    spin.tickCount = 0;
    for (int i = 0; i < ReelCount; ++i) {
        // Drawn for held reels too, so every redraw takes exactly five values of the generator.
        const Symbol symbol = DrawSymbol();
        if (IsHeld(i))
            continue;
        reels[i]->column = symbol;
        reels[i]->row = 0;
        InvalidateRect(reels[i]->windowHandle, nullptr, FALSE);
    }
}

void FormMain::PaintHoldCell(int reel, bool held)
{
    CellControl* cell = holdCells[reel];
    const std::string caption = cell->GetText();
    cell->tag = held ? Texts::HeldMarker : "";
    cell->PaintBackground(held ? Red : Yellow);
    cell->SetText(caption);
}

void FormMain::EndSpin()
{
    if (secondSpin) {
        secondSpin = false;
        EndRound();
        return;
    }
    secondSpin = true;
    bool allPay = true;
    for (int i = 0; i < ReelCount; ++i) {
        holdCells[i]->Enable(true);
        const bool pays = IsPaying(reels[i]->column);
        PaintHoldCell(i, pays);
        allPay = allPay && pays;
    }
    if (allPay) {
        secondSpin = false;
        EndRound();
        return;
    }
    playButton->SetText(Texts::Respin);
    playButton->Enable(true);
    spinning = false;
}

void FormMain::EndRound()
{
    ResetHolds();
    playButton->Enable(true);
    betSlider->Enable(true);
    playButton->SetText(Texts::Play);
    EvaluateRound();
    spinning = false;
}

void FormMain::ResetHolds()
{
    for (CellControl* cell : holdCells) {
        const std::string caption = cell->GetText();
        cell->tag.clear();
        if (cell->windowHandle) {
            // Back to the class background: the silver the cell was created with.
            cell->backgroundPainted = false;
            InvalidateRect(cell->windowHandle, nullptr, TRUE);
        }
        cell->SetText(caption);
        cell->Enable(false);
    }
}

} // namespace MyGame
