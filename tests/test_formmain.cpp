// The slot machine's main window in-process: a real FormMain under Wine, its clock, sounds, message
// boxes and shell replaced through the game's seams, ticks sent by the test on a stepped clock, and
// the generator seeded so every spin can be compared with the generator's own sequence.
#include "TestSupport.h"

#include "app/MessageLoop.h"
#include "framework/ElementRegistry.h"
#include "framework/Drawing.h"
#include "framework/FontRecord.h"
#include "framework/TextHelpers.h"
#include "framework/controls/Button.h"
#include "framework/controls/CellControl.h"
#include "framework/controls/FormAbout.h"
#include "framework/controls/Image.h"
#include "framework/controls/ImageFrame.h"
#include "framework/controls/Label.h"
#include "framework/controls/Shell.h"
#include "framework/controls/Slider.h"
#include "framework/controls/SubMenu.h"
#include "framework/controls/Timer.h"
#include "game/FormMain.h"
#include "game/GameRules.h"
#include "game/GameServices.h"
#include "game/GameTexts.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <ostream>
#include <string>
#include <vector>

using namespace MyGame;
using VornUtility::CellControl;
using VornUtility::GUIElement;

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Yellow = RGB(255, 255, 0);
constexpr COLORREF Silver = RGB(192, 192, 192);
constexpr COLORREF Black = RGB(0, 0, 0);

using Row = std::array<int, ReelCount>;

struct BoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT flags;
};

struct SoundCall {
    int id;
    std::int64_t at;   // the services' clock when it was asked for
    bool operator==(const SoundCall& other) const { return id == other.id && at == other.at; }
};

std::ostream& operator<<(std::ostream& out, const SoundCall& call)
{
    return out << "{" << call.id << " at " << call.at << "}";
}

// What the game's seams saw, and how they answer.
struct Fakes {
    std::vector<BoxCall> boxes;
    int answer = IDNO;
    void (*duringBox)() = nullptr;     // runs while the "box" is open, as the box's own loop would
    std::vector<SoundCall> sounds;
    void (*duringSound)(int id) = nullptr;
    std::int64_t clock = 1000000;
    std::vector<std::wstring> opened;
};

Fakes fakes;
FormMain* current = nullptr;

int FakeMessageBox(HWND owner, const char* text, const char* caption, UINT flags)
{
    fakes.boxes.push_back(BoxCall{owner, text, caption, flags});
    if (fakes.duringBox)
        fakes.duringBox();
    return fakes.answer;
}

void FakePlaySound(int id)
{
    fakes.sounds.push_back(SoundCall{id, fakes.clock});
    if (fakes.duringSound)
        fakes.duringSound(id);
}

std::int64_t FakeNow()
{
    return fakes.clock;
}

unsigned FakeSeed()
{
    return 1;
}

bool FakeOpen(const std::wstring& address)
{
    fakes.opened.push_back(address);
    return true;
}

// One timer tick as the platform delivers it: WM_TIMER to the form with the timer's identifier.
void SendTick()
{
    SendMessageW(current->windowHandle, WM_TIMER, static_cast<WPARAM>(current->spinTimer->id), 0);
}

// The symbols the game will draw after being seeded with seed: the generator's values modulo 12.
// Taken before the game is seeded, since the test and the game share the runtime's one generator.
std::vector<int> Draws(unsigned seed, int count)
{
    std::srand(seed);
    std::vector<int> draws;
    for (int i = 0; i < count; ++i)
        draws.push_back(std::rand() % 12);
    return draws;
}

Row RowAt(const std::vector<int>& draws, int redraw)
{
    Row row{};
    for (int i = 0; i < ReelCount; ++i)
        row[i] = draws.at(static_cast<size_t>(5 * redraw + i));
    return row;
}

// The spin's redraw rule over the times of its ticks (offsets from its first tick): a tick redraws
// when the ticks since the last redraw exceed the elapsed whole seconds, and the first tick more
// than 15000 ms after the start ends the spin.
struct SpinPlan {
    std::vector<size_t> redrawTicks;
    size_t endTick = 0;
};

SpinPlan PlanSpin(const std::vector<std::int64_t>& offsets)
{
    SpinPlan plan;
    int count = 0;
    for (size_t k = 0; k < offsets.size(); ++k) {
        ++count;
        if (count > offsets[k] / 1000) {
            plan.redrawTicks.push_back(k);
            count = 0;
        }
        if (offsets[k] > 15000) {
            plan.endTick = k;
            return plan;
        }
    }
    ADD_FAILURE() << "the schedule never passes 15000 ms";
    return plan;
}

std::vector<std::int64_t> Steady(std::int64_t from, std::int64_t to, std::int64_t step = 20)
{
    std::vector<std::int64_t> offsets;
    for (std::int64_t t = from; t <= to; t += step)
        offsets.push_back(t);
    return offsets;
}

std::vector<std::int64_t> Join(std::vector<std::int64_t> a, const std::vector<std::int64_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Redraws of a whole spin ticked every 20 ms.
int SteadyRedraws()
{
    static const int redraws = static_cast<int>(PlanSpin(Steady(0, 16000)).redrawTicks.size());
    return redraws;
}

bool Pays(int symbol)
{
    return symbol == 2 || symbol == 4;
}

// The first seed whose steady first spin ends on a row the predicate accepts.
template <typename Predicate>
unsigned FindSeed(Predicate accept)
{
    const int skip = 5 * (SteadyRedraws() - 1);
    for (unsigned seed = 1; seed < 3000000; ++seed) {
        std::srand(seed);
        for (int i = 0; i < skip; ++i)
            std::rand();
        Row row{};
        for (int& symbol : row)
            symbol = std::rand() % 12;
        if (accept(row))
            return seed;
    }
    ADD_FAILURE() << "no seed found";
    return 1;
}

// The payout, from the paytable as printed: texts under the reels, the win and the message.
struct Payout {
    std::array<std::string, ReelCount> multipliers;
    int win = 0;
    std::string message;
};

Payout ExpectedPayout(const Row& row, int bet)
{
    const std::map<int, std::array<int, 4>> table = {{2, {2, 10, 50, 250}}, {4, {4, 20, 100, 500}}};
    Payout payout;
    for (const auto& [symbol, multipliers] : table) {
        int count = 0;
        for (int shown : row)
            count += shown == symbol;
        if (count < 2)
            continue;
        const int m = multipliers[count - 2];
        for (int i = 0; i < ReelCount; ++i) {
            if (row[i] == symbol)
                payout.multipliers[i] = "X " + std::to_string(m);
        }
        payout.win += m * bet;
    }
    payout.message = payout.win == 0 ? "Hai perso!" : "Hai vinto " + std::to_string(payout.win) + " punti!";
    return payout;
}

class GameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = Services();
        fakes = Fakes{};
        Services().messageBox = &FakeMessageBox;
        Services().playSound = &FakePlaySound;
        Services().now = &FakeNow;
        Services().seed = &FakeSeed;
        savedOpener = VornUtility::SetShellOpener(&FakeOpen);
        SeedRandom(1);
        form = new FormMain(GetModuleHandleW(nullptr), "Rulvio test");
        current = form;
        ASSERT_NE(form->windowHandle, nullptr);
        ASSERT_NE(form->spinTimer, nullptr);
        timerStarted = form->spinTimer->running;
        // Ticks come from the test, on the test's clock.
        form->spinTimer->Stop();
        SetForegroundWindow(form->windowHandle);
        PumpMessages();
    }

    void TearDown() override
    {
        fakes.duringBox = nullptr;
        fakes.duringSound = nullptr;
        fakes.answer = IDYES;   // deleting a live main window asks the exit question
        DeleteDeferredForms();
        delete form;
        form = nullptr;
        current = nullptr;
        VornUtility::SetShellOpener(savedOpener);
        Services() = saved;
    }

    void TickAt(std::int64_t clock)
    {
        fakes.clock = clock;
        SendTick();
    }

    void Tick(int stepMs = 20) { TickAt(fakes.clock + stepMs); }

    void Click(GUIElement* button)
    {
        SendMessageW(form->windowHandle, WM_COMMAND, MAKEWPARAM(button->id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button->windowHandle));
    }

    // A left click through the real input queue at a client point of window, once the form is above
    // every other window there (the windows of other test processes are started at the same place).
    void RealClick(HWND window, int x, int y)
    {
        SetWindowPos(form->windowHandle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        POINT point{x, y};
        ClientToScreen(window, &point);
        ASSERT_TRUE(PumpUntil([&] { return GetAncestor(WindowFromPoint(point), GA_ROOT) == form->windowHandle; }))
            << "another window covers the point";
        // Under Wine the pointer position of an earlier move can arrive late and put the cursor back
        // where it was: the button goes down only once the cursor rests on the point.
        int restingChecks = 0;
        ASSERT_TRUE(PumpUntil([&] {
            POINT cursor{};
            GetCursorPos(&cursor);
            if (cursor.x != point.x || cursor.y != point.y) {
                SetCursorPos(point.x, point.y);
                restingChecks = 0;
                return false;
            }
            return ++restingChecks >= 3;
        })) << "the cursor does not stay on the point";
        ClickClient(window, x, y);
    }

    void ChooseMenuItem(GUIElement* item)
    {
        SendMessageW(form->windowHandle, WM_COMMAND, MAKEWPARAM(item->id, 0), 0);
    }

    // Moves the trackbar and ends the "drag" as the trackbar reports it.
    void SetBetWithSlider(int value)
    {
        SendMessageW(form->betSlider->windowHandle, TBM_SETPOS, TRUE, value);
        SendMessageW(form->windowHandle, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                     reinterpret_cast<LPARAM>(form->betSlider->windowHandle));
    }

    // Ticks every 20 ms until the spin ends; returns how many ticks it took.
    int RunSpin()
    {
        for (int ticks = 1; ticks <= 2000; ++ticks) {
            Tick();
            if (!form->spinning)
                return ticks;
        }
        ADD_FAILURE() << "the spin did not end";
        return -1;
    }

    Row Columns() const
    {
        Row row{};
        for (int i = 0; i < ReelCount; ++i)
            row[i] = form->reels[i]->column;
        return row;
    }

    void SetColumns(const Row& row)
    {
        for (int i = 0; i < ReelCount; ++i)
            form->reels[i]->column = row[i];
    }

    static std::string Text(GUIElement* element) { return element->GetText(); }

    // A pixel near the top-left corner of a cell, clear of its text.
    static COLORREF CellColor(GUIElement* cell)
    {
        PumpMessages();
        return ClientPixel(cell->windowHandle, 4, 4);
    }

    // The element's window rectangle in the form's client coordinates.
    RECT Placement(GUIElement* element) const
    {
        RECT rect{};
        GetWindowRect(element->windowHandle, &rect);
        MapWindowPoints(nullptr, form->windowHandle, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    void ExpectScoreLabelFitsItsText()
    {
        const RECT rect = Placement(form->scoreLabel);
        const std::wstring text = form->scoreLabel->GetWideText();
        EXPECT_EQ(rect.right - rect.left, VornUtility::Drawing::MeasureTextWidth(form->scoreLabel, text) + 25);
        EXPECT_EQ(rect.bottom - rect.top, VornUtility::Drawing::MeasureTextHeight(form->scoreLabel));
        EXPECT_EQ(rect.left, 10);
        EXPECT_EQ(rect.top, 10);
    }

    // The idle state between rounds.
    void ExpectIdle()
    {
        EXPECT_FALSE(form->spinning);
        EXPECT_FALSE(form->secondSpin);
        EXPECT_EQ(Text(form->playButton), "GIOCA");
        EXPECT_TRUE(IsWindowEnabled(form->playButton->windowHandle));
        EXPECT_TRUE(IsWindowEnabled(form->betSlider->windowHandle));
        for (int i = 0; i < ReelCount; ++i) {
            SCOPED_TRACE("hold cell " + std::to_string(i));
            EXPECT_FALSE(IsWindowEnabled(form->holdCells[i]->windowHandle));
            EXPECT_EQ(form->holdCells[i]->tag, "");
            EXPECT_EQ(Text(form->holdCells[i]), "Blocca");
            EXPECT_EQ(CellColor(form->holdCells[i]), Silver);
        }
    }

    // The hold phase after a first spin that ended on row.
    void ExpectHoldPhase(const Row& row)
    {
        EXPECT_FALSE(form->spinning);
        EXPECT_TRUE(form->secondSpin);
        EXPECT_EQ(Text(form->playButton), "Rilancia");
        EXPECT_TRUE(IsWindowEnabled(form->playButton->windowHandle));
        EXPECT_FALSE(IsWindowEnabled(form->betSlider->windowHandle));
        EXPECT_EQ(Text(form->messageCell), "");
        for (int i = 0; i < ReelCount; ++i) {
            SCOPED_TRACE("reel " + std::to_string(i) + " shows " + std::to_string(row[i]));
            EXPECT_TRUE(IsWindowEnabled(form->holdCells[i]->windowHandle));
            EXPECT_EQ(form->holdCells[i]->tag, Pays(row[i]) ? "1" : "");
            EXPECT_EQ(CellColor(form->holdCells[i]), Pays(row[i]) ? Red : Yellow);
            EXPECT_EQ(Text(form->holdCells[i]), "Blocca");
            EXPECT_EQ(Text(form->multiplierCells[i]), "");
        }
    }

    void ExpectEvaluated(const Row& row, int bet, int scoreBefore)
    {
        const Payout payout = ExpectedPayout(row, bet);
        for (int i = 0; i < ReelCount; ++i)
            EXPECT_EQ(Text(form->multiplierCells[i]), payout.multipliers[i]) << "multiplier cell " << i;
        EXPECT_EQ(Text(form->messageCell), payout.message);
        EXPECT_EQ(Text(form->scoreLabel), "Punteggio: " + std::to_string(scoreBefore + payout.win - bet));
        ExpectScoreLabelFitsItsText();
    }

    // Plays a first spin from seed (ticked every 20 ms) and returns the row it ended on.
    Row FirstSpin(unsigned seed)
    {
        const std::vector<int> draws = Draws(seed, 5 * SteadyRedraws());
        SeedRandom(seed);
        Click(form->playButton);
        EXPECT_EQ(RunSpin(), 752);
        const Row row = RowAt(draws, SteadyRedraws() - 1);
        EXPECT_EQ(Columns(), row);
        return row;
    }

    FormMain* form = nullptr;
    bool timerStarted = false;   // by the construction, before the test stopped it
    GameServices saved{};
    VornUtility::ShellOpener savedOpener = nullptr;
};

bool HasCherryOrangeAndOther(const Row& row)
{
    bool cherry = false, orange = false, other = false;
    for (int s : row) {
        cherry = cherry || s == 2;
        orange = orange || s == 4;
        other = other || !Pays(s);
    }
    return cherry && orange && other;
}

// ---- Start-up and layout ----

TEST_F(GameTest, StartsWithScoreBetReelsAndSilverHoldCells)
{
    EXPECT_EQ(Text(form->scoreLabel), "Punteggio: 100");
    ExpectScoreLabelFitsItsText();
    EXPECT_EQ(Text(form->betLabel), "Puntata: 1");
    EXPECT_EQ(form->betSlider->value, 1);
    EXPECT_EQ(SendMessageW(form->betSlider->windowHandle, TBM_GETPOS, 0, 0), 1);
    EXPECT_EQ(Columns(), (Row{0, 1, 2, 3, 4}));
    for (int i = 0; i < ReelCount; ++i)
        EXPECT_EQ(form->reels[i]->row, 0);
    ExpectIdle();
    for (int i = 0; i < ReelCount; ++i) {
        EXPECT_EQ(Text(form->multiplierCells[i]), "");
        EXPECT_EQ(CellColor(form->multiplierCells[i]), Black);
    }
    EXPECT_EQ(Text(form->messageCell), "");
    EXPECT_EQ(CellColor(form->messageCell), Black);

    // The enabled play button is red, the other buttons yellow.
    EXPECT_EQ(ClientPixel(form->playButton->windowHandle, 8, 8), Red);
    EXPECT_EQ(ClientPixel(form->infoButton->windowHandle, 8, 8), Yellow);
    EXPECT_EQ(ClientPixel(form->closeButton->windowHandle, 8, 8), Yellow);
    // The yellow panel behind the bet, on the black form.
    EXPECT_EQ(ClientPixel(form->windowHandle, 15, 388), Yellow);
    EXPECT_EQ(ClientPixel(form->windowHandle, 5, 388), Black);

    RECT client{};
    GetClientRect(form->windowHandle, &client);
    EXPECT_EQ(client.right - client.left, 640);
    EXPECT_EQ(client.bottom - client.top, 400);
    EXPECT_TRUE(timerStarted);
    EXPECT_EQ(form->spinTimer->interval, 20);
    EXPECT_EQ(mainForm, form);

    // A fixed-size window with a minimize box, its title, small icon and font record.
    const LONG_PTR style = GetWindowLongPtrW(form->windowHandle, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_EQ(Text(form), "Rulvio test");
    EXPECT_NE(SendMessageW(form->windowHandle, WM_GETICON, ICON_SMALL, 0), 0);
    ASSERT_NE(form->font, nullptr);
    EXPECT_EQ(form->font->faceName, L"Lucida Console");
    EXPECT_EQ(form->font->height, 14);
}

struct Placed {
    std::string name;
    GUIElement* element;
    int x, y, w, h;
};

TEST_F(GameTest, EveryElementAtItsPlaceAndSize)
{
    // The pictures are given 285 x 85 and 200 x 60, but a bitmap static takes the size of its
    // bitmap when the picture is set: 287 x 85 and 200 x 50.
    std::vector<Placed> table = {
        {"paytable", form->paytableImage, 320, 10, 287, 85},
        {"logo", form->logoImage, 30, 60, 200, 50},
        {"info", form->infoButton, 420, 350, 100, 40},
        {"close", form->closeButton, 530, 350, 100, 40},
        {"play", form->playButton, 270, 350, 100, 40},
        {"message", form->messageCell, 270, 300, 300, 25},
        {"bet label", form->betLabel, 30, 315, 120, 25},
        {"slider", form->betSlider, 30, 345, 170, 40},
    };
    const int columns[] = {30, 129, 228, 327, 426};
    for (int i = 0; i < ReelCount; ++i) {
        table.push_back({"reel " + std::to_string(i), form->reels[i], columns[i], 120, 96, 96});
        table.push_back({"hold " + std::to_string(i), form->holdCells[i], columns[i], 220, 96, 30});
        table.push_back({"multiplier " + std::to_string(i), form->multiplierCells[i], columns[i], 250, 96, 30});
    }
    for (const Placed& p : table) {
        SCOPED_TRACE(p.name);
        ASSERT_NE(p.element, nullptr);
        const RECT r = Placement(p.element);
        EXPECT_EQ(r.left, p.x);
        EXPECT_EQ(r.top, p.y);
        EXPECT_EQ(r.right - r.left, p.w);
        EXPECT_EQ(r.bottom - r.top, p.h);
        EXPECT_EQ(GetParent(p.element->windowHandle), form->windowHandle);
    }
}

TEST_F(GameTest, ChildrenFollowTheirCreationOrder)
{
    std::vector<std::pair<std::string, HWND>> expected = {{"score", form->scoreLabel->windowHandle},
                                                          {"paytable", form->paytableImage->windowHandle},
                                                          {"logo", form->logoImage->windowHandle}};
    for (int i = 0; i < ReelCount; ++i)
        expected.push_back({"reel " + std::to_string(i), form->reels[i]->windowHandle});
    for (int i = 0; i < ReelCount; ++i)
        expected.push_back({"hold " + std::to_string(i), form->holdCells[i]->windowHandle});
    for (int i = 0; i < ReelCount; ++i)
        expected.push_back({"multiplier " + std::to_string(i), form->multiplierCells[i]->windowHandle});
    expected.push_back({"info", form->infoButton->windowHandle});
    expected.push_back({"close", form->closeButton->windowHandle});
    expected.push_back({"message", form->messageCell->windowHandle});
    expected.push_back({"bet label", form->betLabel->windowHandle});
    expected.push_back({"slider", form->betSlider->windowHandle});
    expected.push_back({"slider's 1", form->betSlider->minimumLabel->windowHandle});
    expected.push_back({"slider's 10", form->betSlider->maximumLabel->windowHandle});
    expected.push_back({"play", form->playButton->windowHandle});
    expected.push_back({"timer", form->spinTimer->windowHandle});

    std::map<HWND, std::string> names;
    for (const auto& [name, window] : expected)
        names[window] = name;
    std::vector<std::string> wanted;
    for (const auto& entry : expected)
        wanted.push_back(entry.first);
    // Top of the z-order first: the platform puts each new child window below its older siblings.
    std::vector<std::string> actual;
    for (HWND child = GetWindow(form->windowHandle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        actual.push_back(names.count(child) ? names[child] : "unknown");
    EXPECT_EQ(actual, wanted);
}

std::wstring MenuText(HMENU menu, int position)
{
    wchar_t buffer[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), buffer, 64, MF_BYPOSITION);
    return buffer;
}

TEST_F(GameTest, MenuBarHasFileAndHelpMenus)
{
    HMENU bar = GetMenu(form->windowHandle);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(MenuText(bar, 0), L"&File");
    EXPECT_EQ(MenuText(bar, 1), L"&?");

    HMENU file = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(file), 1);
    EXPECT_EQ(MenuText(file, 0), L"&Esci");
    EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(form->exitItem->id));

    HMENU help = GetSubMenu(bar, 1);
    ASSERT_EQ(GetMenuItemCount(help), 2);
    EXPECT_EQ(MenuText(help, 0), L"&Guida");
    EXPECT_EQ(GetMenuItemID(help, 0), static_cast<UINT>(form->guideItem->id));
    EXPECT_EQ(MenuText(help, 1), L"&Home");
    EXPECT_EQ(GetMenuItemID(help, 1), static_cast<UINT>(form->homeItem->id));
}

// ---- Rounds ----

// A round played through the window: real clicks on the play button, the holds of the first spin
// on screen, a second spin and the payout.
TEST_F(GameTest, FullRoundThroughHoldPhaseAndSecondSpin)
{
    const int n = SteadyRedraws();
    const unsigned seed = FindSeed(HasCherryOrangeAndOther);
    const std::vector<int> draws = Draws(seed, 10 * n);
    SeedRandom(seed);
    InputLock lock;

    RealClick(form->playButton->windowHandle, 50, 20);
    ASSERT_TRUE(form->spinning) << "the click did not reach the play button";
    EXPECT_FALSE(IsWindowEnabled(form->playButton->windowHandle));
    EXPECT_FALSE(IsWindowEnabled(form->betSlider->windowHandle));
    PumpMessages();
    EXPECT_NE(ClientPixel(form->playButton->windowHandle, 8, 8), Red) << "a disabled play button gets no colours";

    EXPECT_EQ(RunSpin(), 752);
    const Row first = RowAt(draws, n - 1);
    EXPECT_EQ(Columns(), first);
    ExpectHoldPhase(first);
    EXPECT_EQ(Text(form->scoreLabel), "Punteggio: 100");

    RealClick(form->playButton->windowHandle, 50, 20);
    ASSERT_TRUE(form->spinning);
    for (int i = 0; i < ReelCount; ++i)
        EXPECT_FALSE(IsWindowEnabled(form->holdCells[i]->windowHandle));
    EXPECT_EQ(RunSpin(), 752);

    Row second = RowAt(draws, 2 * n - 1);
    for (int i = 0; i < ReelCount; ++i) {
        if (Pays(first[i]))
            second[i] = first[i];
    }
    EXPECT_EQ(Columns(), second);
    ExpectIdle();
    ExpectEvaluated(second, 1, 100);
}

// All five reels pay after the first spin: the round is paid at once, and the next one again has
// its hold phase.
TEST_F(GameTest, FirstSpinWhereAllFivePayEndsTheRound)
{
    const int n = SteadyRedraws();
    const unsigned seed = FindSeed([](const Row& row) {
        for (int s : row) {
            if (!Pays(s))
                return false;
        }
        return true;
    });
    const std::vector<int> draws = Draws(seed, 10 * n);
    SeedRandom(seed);

    Click(form->playButton);
    EXPECT_EQ(RunSpin(), 752);
    const Row first = RowAt(draws, n - 1);
    EXPECT_EQ(Columns(), first);
    ExpectIdle();
    ExpectEvaluated(first, 1, 100);
    const std::string score = Text(form->scoreLabel);

    const Row next = RowAt(draws, 2 * n - 1);
    ASSERT_FALSE(Pays(next[0]) && Pays(next[1]) && Pays(next[2]) && Pays(next[3]) && Pays(next[4]));
    Click(form->playButton);
    for (int i = 0; i < ReelCount; ++i)
        EXPECT_EQ(Text(form->multiplierCells[i]), "") << "emptied when the spin starts";
    EXPECT_EQ(Text(form->messageCell), "");
    EXPECT_EQ(RunSpin(), 752);
    EXPECT_EQ(Columns(), next);
    ExpectHoldPhase(next);
    EXPECT_EQ(Text(form->scoreLabel), score);
}

// During the second spin the held reels keep their symbols, yet every redraw takes five values of
// the generator: the free reels show exactly the values drawn for their own positions.
TEST_F(GameTest, HeldReelsStayWhileFiveValuesAreDrawnPerRedraw)
{
    const Row first = FirstSpin(FindSeed(HasCherryOrangeAndOther));
    // Hold reels 1 and 3 only.
    for (int i = 0; i < ReelCount; ++i) {
        const bool wanted = i == 1 || i == 3;
        if ((form->holdCells[i]->tag == "1") != wanted)
            form->OnCellPressed(form->holdCells[i]);
        ASSERT_EQ(form->IsHeld(i), wanted);
    }

    const int n = SteadyRedraws();
    const std::vector<int> draws = Draws(777, 5 * n);
    SeedRandom(777);
    Click(form->playButton);
    int redraws = 0;
    for (int tick = 0; tick < 752; ++tick) {
        Tick();
        const Row shown = Columns();
        if (redraws < n && shown[0] == draws[5 * redraws] && shown[2] == draws[5 * redraws + 2]
            && shown[4] == draws[5 * redraws + 4])
            ++redraws;
        ASSERT_GT(redraws, 0) << "the first tick redraws";
        const Row expected{draws[5 * (redraws - 1)], first[1], draws[5 * (redraws - 1) + 2], first[3],
                           draws[5 * (redraws - 1) + 4]};
        ASSERT_EQ(shown, expected) << "tick " << tick;
    }
    EXPECT_EQ(redraws, n);
    EXPECT_FALSE(form->spinning);
    ExpectIdle();
}

TEST_F(GameTest, AllFiveHeldIsRefusedWithAWarning)
{
    const Row first = FirstSpin(FindSeed(HasCherryOrangeAndOther));
    for (int i = 0; i < ReelCount; ++i) {
        if (!form->IsHeld(i))
            form->OnCellPressed(form->holdCells[i]);
    }
    PumpMessages();

    Click(form->playButton);
    ASSERT_EQ(fakes.boxes.size(), 1u);
    EXPECT_EQ(fakes.boxes[0].owner, form->windowHandle);
    EXPECT_EQ(fakes.boxes[0].text, "Impossibile bloccare tutte le celle.");
    EXPECT_EQ(fakes.boxes[0].caption, "Attenzione");
    EXPECT_EQ(fakes.boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL));

    // Nothing else changed: still the hold phase with five red cells, and ticks do nothing.
    EXPECT_FALSE(form->spinning);
    EXPECT_TRUE(form->secondSpin);
    EXPECT_EQ(Text(form->playButton), "Rilancia");
    EXPECT_TRUE(IsWindowEnabled(form->playButton->windowHandle));
    EXPECT_FALSE(IsWindowEnabled(form->betSlider->windowHandle));
    for (int i = 0; i < ReelCount; ++i) {
        EXPECT_TRUE(IsWindowEnabled(form->holdCells[i]->windowHandle));
        EXPECT_EQ(form->holdCells[i]->tag, "1");
        EXPECT_EQ(CellColor(form->holdCells[i]), Red);
    }
    const size_t sounds = fakes.sounds.size();
    for (int i = 0; i < 20; ++i)
        Tick();
    EXPECT_EQ(Columns(), first);
    EXPECT_EQ(fakes.sounds.size(), sounds);

    // One freed reel lets the second spin start.
    form->OnCellPressed(form->holdCells[0]);
    Click(form->playButton);
    EXPECT_TRUE(form->spinning);
    EXPECT_EQ(fakes.boxes.size(), 1u);
}

TEST_F(GameTest, ClickOnAnEnabledHoldCellTogglesIt)
{
    InputLock lock;
    // Outside the hold phase the cells are disabled and a click does nothing.
    RealClick(form->holdCells[0]->windowHandle, 48, 15);
    EXPECT_EQ(form->holdCells[0]->tag, "");
    EXPECT_EQ(CellColor(form->holdCells[0]), Silver);

    const Row first = FirstSpin(FindSeed(HasCherryOrangeAndOther));
    int heldReel = -1, freeReel = -1;
    for (int i = 0; i < ReelCount; ++i)
        (Pays(first[i]) ? heldReel : freeReel) = i;
    ASSERT_GE(heldReel, 0);
    ASSERT_GE(freeReel, 0);

    struct Step {
        int reel;
        const char* tag;
        COLORREF color;
    };
    const Step steps[] = {{freeReel, "1", Red}, {freeReel, "", Yellow}, {heldReel, "", Yellow},
                          {heldReel, "1", Red}, {freeReel, "1", Red}};
    int x = 20;
    for (const Step& step : steps) {
        CellControl* cell = form->holdCells[step.reel];
        // A second click at the same place soon after the first is a double click, which does not
        // toggle: the clicks alternate between two places of the cell.
        x = x == 20 ? 70 : 20;
        RealClick(cell->windowHandle, x, 15);
        EXPECT_EQ(cell->tag, step.tag) << "reel " << step.reel;
        EXPECT_EQ(CellColor(cell), step.color) << "reel " << step.reel;
        EXPECT_EQ(Text(cell), "Blocca");
    }
}

TEST_F(GameTest, SliderSetsTheBetThatTheRoundUses)
{
    SetBetWithSlider(7);
    EXPECT_EQ(Text(form->betLabel), "Puntata: 7");
    EXPECT_EQ(form->GetBet(), 7);
    // Beyond its range the trackbar holds at 10.
    SetBetWithSlider(15);
    EXPECT_EQ(Text(form->betLabel), "Puntata: 10");

    // A key press handled by the trackbar itself, which then reports the move and its end.
    SendMessageW(form->betSlider->windowHandle, WM_KEYDOWN, VK_LEFT, 0);
    SendMessageW(form->betSlider->windowHandle, WM_KEYUP, VK_LEFT, 0);
    EXPECT_EQ(Text(form->betLabel), "Puntata: 9");

    SetBetWithSlider(7);
    Click(form->playButton);
    EXPECT_FALSE(IsWindowEnabled(form->betSlider->windowHandle));
    RunSpin();
    if (form->secondSpin) {
        Click(form->playButton);
        RunSpin();
    }
    ExpectEvaluated(Columns(), 7, 100);
    EXPECT_TRUE(IsWindowEnabled(form->betSlider->windowHandle));
}

// ---- The payout over the elements ----

struct EvaluationCase {
    const char* name;
    Row row;
    int bet;
    std::array<const char*, ReelCount> multipliers;
    const char* message;
    int scoreChange;
};

TEST_F(GameTest, EvaluateRoundWritesMultipliersMessageAndScore)
{
    const EvaluationCase cases[] = {
        {"one cherry, one orange", {2, 4, 0, 1, 3}, 1, {"", "", "", "", ""}, "Hai perso!", -1},
        {"two cherries, three oranges", {2, 4, 2, 4, 4}, 5, {"X 2", "X 20", "X 2", "X 20", "X 20"},
         "Hai vinto 110 punti!", 105},
        {"five cherries", {2, 2, 2, 2, 2}, 2, {"X 250", "X 250", "X 250", "X 250", "X 250"}, "Hai vinto 500 punti!",
         498},
        {"five oranges", {4, 4, 4, 4, 4}, 1, {"X 500", "X 500", "X 500", "X 500", "X 500"}, "Hai vinto 500 punti!",
         499},
        {"cherries apart", {2, 0, 1, 3, 2}, 3, {"X 2", "", "", "", "X 2"}, "Hai vinto 6 punti!", 3},
    };
    for (const EvaluationCase& c : cases) {
        SCOPED_TRACE(c.name);
        form->scoreLabel->SetText("Punteggio: 100");
        for (CellControl* cell : form->multiplierCells)
            cell->SetText("");
        SetBetWithSlider(c.bet);
        SetColumns(c.row);
        form->EvaluateRound();
        for (int i = 0; i < ReelCount; ++i)
            EXPECT_EQ(Text(form->multiplierCells[i]), c.multipliers[i]) << "reel " << i;
        EXPECT_EQ(Text(form->messageCell), c.message);
        EXPECT_EQ(Text(form->scoreLabel), "Punteggio: " + std::to_string(100 + c.scoreChange));
        ExpectScoreLabelFitsItsText();
    }
}

TEST_F(GameTest, ScoreGoesNegativeAndPlayGoesOn)
{
    form->scoreLabel->SetText("Punteggio: 3");
    SetBetWithSlider(10);
    SetColumns({0, 1, 3, 5, 6});
    form->EvaluateRound();
    EXPECT_EQ(Text(form->messageCell), "Hai perso!");
    EXPECT_EQ(Text(form->scoreLabel), "Punteggio: -7");
    ExpectScoreLabelFitsItsText();

    // The next round is played normally and reads the negative score back.
    Click(form->playButton);
    ASSERT_TRUE(form->spinning);
    RunSpin();
    if (form->secondSpin) {
        Click(form->playButton);
        RunSpin();
    }
    ExpectIdle();
    ExpectEvaluated(Columns(), 10, -7);
}

TEST_F(GameTest, LabelTextsWithoutTheirNumberReadAsZero)
{
    const std::pair<const char*, int> bets[] = {
        {"Puntata: 7", 7}, {"Puntata 7", 0}, {"Puntata:", 0}, {"", 0}, {"Puntata: -3", -3}, {":5", 5}};
    for (const auto& [text, bet] : bets) {
        form->betLabel->SetText(text);
        EXPECT_EQ(form->GetBet(), bet) << "\"" << text << "\"";
    }

    struct ScoreCase {
        const char* before;
        int delta;
        const char* after;
    };
    const ScoreCase scores[] = {{"Punteggio: 3", -10, "Punteggio: -7"},
                                {"Punteggio: -7", 10, "Punteggio: 3"},
                                {"Punteggio", 5, "Punteggio: 5"},
                                {"Punteggio:", 5, "Punteggio: 5"},
                                {"Punteggio: abc", -2, "Punteggio: -2"}};
    for (const ScoreCase& c : scores) {
        SCOPED_TRACE(c.before);
        form->scoreLabel->SetText(c.before);
        form->AddToScore(c.delta);
        EXPECT_EQ(Text(form->scoreLabel), c.after);
        ExpectScoreLabelFitsItsText();
    }

    // A bet label without a number makes a round that loses nothing.
    form->scoreLabel->SetText("Punteggio: 50");
    form->betLabel->SetText("Puntata");
    SetColumns({2, 2, 0, 1, 3});
    form->EvaluateRound();
    EXPECT_EQ(Text(form->multiplierCells[0]), "X 2");
    EXPECT_EQ(Text(form->messageCell), "Hai perso!");
    EXPECT_EQ(Text(form->scoreLabel), "Punteggio: 50");
}

// ---- The spin's clock: redraws, sounds, late and odd ticks ----

struct Schedule {
    const char* name;
    std::vector<std::int64_t> offsets;   // tick times from the spin's first tick
    std::vector<SoundCall> sounds;       // times as offsets from the first tick
};

std::vector<SoundCall> SteadySounds()
{
    return {{1009, 0}, {0, 5020}, {1011, 5180}, {0, 15020}};
}

void PrintTo(const Schedule& schedule, std::ostream* out)
{
    *out << schedule.name;
}

class SpinScheduleTest : public GameTest, public ::testing::WithParamInterface<Schedule> {
protected:
    // Runs one spin on the given tick times and checks its redraws, sounds and end.
    void RunScheduledSpin(const Schedule& schedule, unsigned seed, bool checkPerSecond)
    {
        const SpinPlan plan = PlanSpin(schedule.offsets);
        const std::vector<int> draws = Draws(seed, 5 * static_cast<int>(plan.redrawTicks.size() + 1));
        SeedRandom(seed);
        // A spin of five free reels: in a hold phase, every hold is let go first.
        for (int i = 0; i < ReelCount; ++i) {
            if (form->IsHeld(i))
                form->OnCellPressed(form->holdCells[i]);
        }
        const Row before = Columns();
        fakes.sounds.clear();
        Click(form->playButton);
        ASSERT_TRUE(form->spinning);
        const std::int64_t start = fakes.clock + 20;
        std::vector<size_t> redrawTicks;
        std::vector<std::int64_t> redrawTimes;
        for (size_t k = 0; k < schedule.offsets.size(); ++k) {
            ASSERT_TRUE(form->spinning) << "the spin ended early, before tick " << k << " at "
                                        << schedule.offsets[k];
            TickAt(start + schedule.offsets[k]);
            const int seen = static_cast<int>(redrawTicks.size());
            if (Columns() == RowAt(draws, seen)) {
                redrawTicks.push_back(k);
                redrawTimes.push_back(schedule.offsets[k]);
            } else {
                ASSERT_EQ(Columns(), seen == 0 ? before : RowAt(draws, seen - 1)) << "tick " << k;
            }
            if (k == plan.endTick)
                break;
        }
        EXPECT_FALSE(form->spinning) << "the spin goes on after 15000 ms";
        EXPECT_EQ(redrawTicks, plan.redrawTicks);

        std::vector<SoundCall> heard;
        for (const SoundCall& call : fakes.sounds)
            heard.push_back(SoundCall{call.id, call.at - start});
        EXPECT_EQ(heard, schedule.sounds);

        if (checkPerSecond) {
            // The reels change on every tick in second 0, on every second tick in second 1, ...
            std::vector<int> perSecond(15, 0);
            for (std::int64_t t : redrawTimes)
                ++perSecond.at(static_cast<size_t>(t / 1000));
            EXPECT_EQ(perSecond, (std::vector<int>{50, 25, 16, 13, 10, 8, 7, 6, 6, 5, 4, 4, 4, 4, 3}));
            EXPECT_EQ(plan.endTick, 751u);
        }
    }
};

TEST_P(SpinScheduleTest, RedrawsSoundsAndEndFollowTheServicesClock)
{
    // Idle ticks change nothing.
    for (int i = 0; i < 10; ++i)
        Tick(1000);
    EXPECT_EQ(Columns(), (Row{0, 1, 2, 3, 4}));
    EXPECT_TRUE(fakes.sounds.empty());

    const Schedule& schedule = GetParam();
    RunScheduledSpin(schedule, 31, std::string(schedule.name) == "Steady20ms");
    if (HasFailure())
        return;

    // The next spin, started right after the end tick without an idle tick between, starts afresh:
    // its own clock, the first sound first, its full 15 seconds.
    RunScheduledSpin(Schedule{"next", Steady(0, 16000), SteadySounds()}, 32, true);
}

INSTANTIATE_TEST_SUITE_P(
    Schedules, SpinScheduleTest,
    ::testing::Values(Schedule{"Steady20ms", Steady(0, 16000), SteadySounds()},
                      // Ticks arriving late: nothing for two seconds, then the switch of sounds.
                      Schedule{"TwoSecondGap", Join(Steady(0, 4000), Steady(6000, 16000)),
                               {{1009, 0}, {0, 6000}, {1011, 6160}, {0, 15020}}},
                      // A clock that steps back: the spin still lasts 15 s of that clock.
                      Schedule{"ClockSetBack", Join(Steady(0, 3000), Steady(1000, 16000)), SteadySounds()},
                      // A gap over the switch and the end: the second sound never starts.
                      Schedule{"GapOverTheEnd", Join(Steady(0, 4900), {15100}), {{1009, 0}, {0, 15100}, {0, 15100}}}),
    [](const ::testing::TestParamInfo<Schedule>& param) { return std::string(param.param.name); });

TEST(GameServicesTest, PlatformClockIsTheMonotonicTickCount)
{
    // Not the wall clock: a change of the system time cannot stretch or cut a spin.
    const GameServices platform = PlatformServices();
    const ULONGLONG before = GetTickCount64();
    const std::int64_t now = platform.now();
    const ULONGLONG after = GetTickCount64();
    EXPECT_GE(now, static_cast<std::int64_t>(before));
    EXPECT_LE(now, static_cast<std::int64_t>(after));
    EXPECT_EQ(ElapsedMs(1000, 16020), 15020);
    EXPECT_EQ(ElapsedMs(3000, 1000), -2000);
}

// A tick that arrives while another is handled (here from inside the sound call, as a nested
// message loop would deliver it) returns without effect.
TEST_F(GameTest, TickDuringATickDoesNothing)
{
    const std::vector<int> draws = Draws(5, 5 * (SteadyRedraws() + 1));
    SeedRandom(5);
    fakes.duringSound = [](int) {
        const int before = current->spin.tickCount;
        const Row row{current->reels[0]->column, current->reels[1]->column, current->reels[2]->column,
                      current->reels[3]->column, current->reels[4]->column};
        SendTick();
        SendTick();
        EXPECT_EQ(current->spin.tickCount, before);
        for (int i = 0; i < ReelCount; ++i)
            EXPECT_EQ(current->reels[i]->column, row[i]);
    };
    Click(form->playButton);
    Tick();
    EXPECT_EQ(Columns(), RowAt(draws, 0)) << "one redraw only";
    EXPECT_EQ(fakes.sounds, (std::vector<SoundCall>{{1009, fakes.clock}}));
    Tick();
    EXPECT_EQ(Columns(), RowAt(draws, 1)) << "the next tick works again";

    // Every sound call of the spin re-enters; the spin still ends once, on time.
    const std::int64_t start = fakes.clock - 20;
    EXPECT_EQ(RunSpin(), 750);
    EXPECT_EQ(Columns(), RowAt(draws, SteadyRedraws() - 1));
    ASSERT_EQ(fakes.sounds.size(), 4u);
    EXPECT_EQ(fakes.sounds[3], (SoundCall{0, start + 15020}));
    EXPECT_TRUE(form->secondSpin || Text(form->playButton) == "GIOCA");
}

// ---- Leaving the game ----

enum class CloseRoute { CloseButton, ExitItem, CloseMessage };

struct ExitCase {
    const char* name;
    CloseRoute route;
    int answer;
};

void PrintTo(const ExitCase& exitCase, std::ostream* out)
{
    *out << exitCase.name;
}

class ExitTest : public GameTest, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(ExitTest, AsksBeforeLeaving)
{
    const ExitCase& c = GetParam();
    form->spinTimer->Start();
    const std::vector<int> draws = Draws(8, 50);
    SeedRandom(8);
    Click(form->playButton);
    Tick();
    Tick();
    ASSERT_EQ(Columns(), RowAt(draws, 1));
    // The spin goes on behind the question: ticks keep coming while it is open.
    fakes.duringBox = [] {
        fakes.clock += 20;
        SendTick();
    };
    fakes.answer = c.answer;
    switch (c.route) {
    case CloseRoute::CloseButton:
        Click(form->closeButton);
        break;
    case CloseRoute::ExitItem:
        ChooseMenuItem(form->exitItem);
        break;
    case CloseRoute::CloseMessage:
        SendMessageW(form->windowHandle, WM_CLOSE, 0, 0);
        break;
    }
    ASSERT_EQ(fakes.boxes.size(), 1u);
    EXPECT_EQ(fakes.boxes[0].text, "Vuoi realmente uscire?");
    EXPECT_EQ(fakes.boxes[0].caption, "Uscita");
    EXPECT_EQ(fakes.boxes[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL));
    EXPECT_EQ(fakes.boxes[0].owner, nullptr);

    if (c.answer == IDYES) {
        EXPECT_FALSE(IsWindow(form->windowHandle));
        EXPECT_TRUE(form->destroyed);
        EXPECT_FALSE(form->spinTimer->running);
        ASSERT_FALSE(fakes.sounds.empty());
        EXPECT_EQ(fakes.sounds.back().id, 0) << "no sound plays on after the window";
        return;
    }
    // No: the window stays and the game goes on as before.
    EXPECT_TRUE(IsWindow(form->windowHandle));
    EXPECT_FALSE(form->destroyed);
    EXPECT_TRUE(form->spinning);
    EXPECT_TRUE(form->spinTimer->running);
    EXPECT_EQ(Columns(), RowAt(draws, 2)) << "the tick during the question redrew";
    EXPECT_EQ(Text(form->scoreLabel), "Punteggio: 100");
    EXPECT_EQ(fakes.sounds, (std::vector<SoundCall>{{1009, fakes.clock - 40}}));
    // The platform's own timer still drives the spin.
    fakes.duringBox = nullptr;
    EXPECT_TRUE(PumpUntil([&] { return Columns() != RowAt(draws, 2); }, 3000));
}

INSTANTIATE_TEST_SUITE_P(Routes, ExitTest,
                         ::testing::Values(ExitCase{"CloseButtonNo", CloseRoute::CloseButton, IDNO},
                                           ExitCase{"CloseButtonYes", CloseRoute::CloseButton, IDYES},
                                           ExitCase{"ExitItemNo", CloseRoute::ExitItem, IDNO},
                                           ExitCase{"ExitItemYes", CloseRoute::ExitItem, IDYES},
                                           ExitCase{"CloseMessageNo", CloseRoute::CloseMessage, IDNO},
                                           ExitCase{"CloseMessageCancel", CloseRoute::CloseMessage, IDCANCEL},
                                           ExitCase{"CloseMessageYes", CloseRoute::CloseMessage, IDYES}),
                         [](const ::testing::TestParamInfo<ExitCase>& param) { return std::string(param.param.name); });

// Deleting the form while its window lives asks the question once; refused or not, the window goes
// with the form, so no message can reach its deleted elements.
TEST_F(GameTest, DeletingTheLiveFormAlwaysDestroysItsWindow)
{
    const HWND window = form->windowHandle;
    const HWND cell = form->holdCells[0]->windowHandle;
    FormMain* doomed = form;
    form = nullptr;   // deleted here, not by the fixture
    fakes.answer = IDNO;
    delete doomed;
    current = nullptr;
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindow(cell));
    ASSERT_EQ(fakes.boxes.size(), 1u);
    EXPECT_EQ(fakes.boxes[0].text, "Vuoi realmente uscire?");
    PumpMessages();
}

// ---- Info, home page and guide ----

TEST_F(GameTest, InfoOpensTheAboutBoxAndTheNextOneReplacesIt)
{
    const std::vector<int> draws = Draws(9, 50);
    SeedRandom(9);
    Click(form->playButton);
    Tick();

    Click(form->infoButton);
    VornUtility::FormAbout* first = form->aboutBox;
    ASSERT_NE(first, nullptr);
    ASSERT_NE(first->windowHandle, nullptr);
    EXPECT_TRUE(IsWindowVisible(first->windowHandle));
    EXPECT_FALSE(IsWindowEnabled(form->windowHandle)) << "the owner is disabled while the box is open";
    EXPECT_EQ(first->owner, form);
    EXPECT_EQ(first->logoBitmapId, 1006);
    EXPECT_EQ(first->logoWidth, 164);
    EXPECT_EQ(first->logoHeight, 50);
    EXPECT_EQ(first->titleText, Texts::AboutTitle);
    EXPECT_EQ(first->copyrightText, Texts::Copyright);
    EXPECT_EQ(first->noticeText, Texts::AboutNotice);
    EXPECT_EQ(first->homePageUrl, Texts::HomePage);
    const std::string home = Texts::HomePage;
    ASSERT_EQ(home.rfind("http://www.", 0), 0u);
    EXPECT_EQ(Text(first->mailLink), "info@" + home.substr(11));
    EXPECT_EQ(Text(first->homePageLink), home);
    const SIZE logo = first->logoImage->GetSize();
    EXPECT_EQ(logo.cx, 164);
    EXPECT_EQ(logo.cy, 50);

    // The spin goes on while the box is open.
    Tick();
    EXPECT_EQ(Columns(), RowAt(draws, 1));

    SendMessageW(first->windowHandle, WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_TRUE(IsWindowEnabled(form->windowHandle));
    EXPECT_TRUE(formsToDelete.empty());

    // A closed box is destroyed when the next one opens, with every element it had.
    const size_t elementsWithFirstBox = VornUtility::elementList.size();
    Click(form->infoButton);
    ASSERT_NE(form->aboutBox, nullptr);
    EXPECT_TRUE(formsToDelete.empty());
    EXPECT_EQ(VornUtility::elementList.size(), elementsWithFirstBox);
    EXPECT_TRUE(IsWindowVisible(form->aboutBox->windowHandle));
    EXPECT_FALSE(IsWindowEnabled(form->windowHandle));

    // A box still open when another is made waits for the end of the message loop.
    VornUtility::FormAbout* open = form->aboutBox;
    form->OnCommand(form->infoButton);
    ASSERT_EQ(formsToDelete.size(), 1u);
    EXPECT_EQ(formsToDelete[0], open);
    EXPECT_TRUE(IsWindow(open->windowHandle));
    SendMessageW(open->windowHandle, WM_CLOSE, 0, 0);
    SendMessageW(form->aboutBox->windowHandle, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(form->windowHandle));
    EXPECT_TRUE(fakes.boxes.empty());
    DeleteDeferredForms();
    EXPECT_TRUE(formsToDelete.empty());
}

TEST_F(GameTest, HomeAndGuideOpenTheirPagesThroughTheShell)
{
    const std::wstring home = VornUtility::ToWide(Texts::HomePage);
    ChooseMenuItem(form->homeItem);
    ChooseMenuItem(form->guideItem);
    EXPECT_EQ(fakes.opened, (std::vector<std::wstring>{home, home + L"/Rulvio.asp"}));
    EXPECT_TRUE(IsWindow(form->windowHandle));
    EXPECT_TRUE(fakes.boxes.empty());
}

} // namespace
