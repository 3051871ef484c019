// The built game seen from outside, as a player and the system see it: started as its own process,
// found by its title, read through the window tree and the screen, driven with real input.
#include "TestSupport.h"

#include "framework/TextHelpers.h"
#include "game/GameRules.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Yellow = RGB(255, 255, 0);
constexpr COLORREF Silver = RGB(192, 192, 192);
const std::wstring Title = L"Rulvio \u00A9 2026 Vorn Giochi";

std::wstring TextOf(HWND window)
{
    wchar_t text[256] = {};
    // WM_GETTEXT works across processes; GetWindowTextW does not read another process's controls.
    SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

struct FoundWindow {
    DWORD process;
    std::wstring className;
    std::wstring title;
    HWND window;
};

// The visible top-level windows of a process whose class is classPrefix...; title may be empty (any).
std::vector<HWND> TopLevelWindows(DWORD process, const std::wstring& classPrefix, const std::wstring& title = L"")
{
    FoundWindow search{process, classPrefix, title, nullptr};
    std::vector<HWND> found;
    struct Context {
        FoundWindow* search;
        std::vector<HWND>* found;
    } context{&search, &found};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* c = reinterpret_cast<Context*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != c->search->process || !IsWindowVisible(window))
                return TRUE;
            if (ClassOf(window).rfind(c->search->className, 0) != 0)
                return TRUE;
            if (!c->search->title.empty() && TextOf(window) != c->search->title)
                return TRUE;
            c->found->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&context));
    return found;
}

bool HasClientSize(HWND window, int width, int height)
{
    RECT client{};
    return GetClientRect(window, &client) && client.right == width && client.bottom == height;
}

// A child of window by its text (buttons, labels) or null.
HWND ChildWithText(HWND window, const std::wstring& text)
{
    struct Context {
        std::wstring text;
        HWND found;
    } context{text, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM parameter) -> BOOL {
            auto* c = reinterpret_cast<Context*>(parameter);
            if (TextOf(child) == c->text) {
                c->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&context));
    return context.found;
}

// The direct child of window whose top-left corner is at the client point (x, y).
HWND ChildAt(HWND window, int x, int y)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        POINT corner{rect.left, rect.top};
        ScreenToClient(window, &corner);
        if (corner.x == x && corner.y == y)
            return child;
    }
    return nullptr;
}

// The colour at a screen point, as the display shows it.
COLORREF ScreenPixel(int x, int y)
{
    HDC screen = GetDC(nullptr);
    const COLORREF color = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return color;
}

COLORREF ChildPixel(HWND child, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(child, &point);
    return ScreenPixel(point.x, point.y);
}

// Runs xdotool with the given arguments and waits for it.
void RunXdotool(const std::wstring& arguments)
{
    std::wstring command = L"/usr/bin/xdotool " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(L"Z:\\usr\\bin\\xdotool", command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// A real click at the middle of a window: an X pointer event, as a player's click arrives. (Input
// injected from another Windows process with SendInput is occasionally dropped under Wine's X11
// driver; X events are not.) Wine runs the Unix program directly when asked to start one.
void ClickMiddle(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    RunXdotool(L"mousemove " + std::to_wstring((rect.left + rect.right) / 2) + L" "
               + std::to_wstring((rect.top + rect.bottom) / 2) + L" click 1");
}

// The running game: its process, its main window, and the way out.
class RunningGame {
public:
    RunningGame()
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = std::wstring(L"\"") + RulvioExePath() + L"\"";
        started = CreateProcessW(RulvioExePath(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &process) != FALSE;
        if (started)
            WaitForInputIdle(process.hProcess, 10000);
    }
    ~RunningGame()
    {
        if (!started)
            return;
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process.hProcess, 99);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    RunningGame(const RunningGame&) = delete;
    RunningGame& operator=(const RunningGame&) = delete;

    // The main window once it is complete: it is visible before the end of its construction, which
    // only then gives it its final client size.
    HWND MainWindow()
    {
        HWND found = nullptr;
        PumpUntil([&] {
            const auto windows = TopLevelWindows(process.dwProcessId, L"Window", Title);
            found = windows.empty() ? nullptr : windows.front();
            return found && HasClientSize(found, 640, 400);
        }, 20000);
        return found;
    }

    // Waits for the game's message box, checks its caption and presses the button with that id.
    bool AnswerMessageBox(const std::wstring& caption, int button)
    {
        HWND box = nullptr;
        PumpUntil([&] {
            const auto boxes = TopLevelWindows(process.dwProcessId, L"#32770");
            box = boxes.empty() ? nullptr : boxes.front();
            return box != nullptr;
        }, 10000);
        if (!box || TextOf(box) != caption)
            return false;
        HWND buttonWindow = GetDlgItem(box, button);
        if (!buttonWindow)
            return false;
        ClickMiddle(buttonWindow);
        return PumpUntil([&] { return !IsWindow(box); }, 10000);
    }

    bool Exited(DWORD* exitCode)
    {
        if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
            return false;
        }
        return GetExitCodeProcess(process.hProcess, exitCode) != FALSE;
    }

    bool started = false;
    PROCESS_INFORMATION process{};
};

// The twelve 96 x 96 symbols, loaded from the game's own exe, for telling them apart on screen.
class SymbolStrip {
public:
    SymbolStrip()
    {
        module = LoadLibraryExW(RulvioExePath(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        strip = static_cast<HBITMAP>(
            LoadImageW(module, MAKEINTRESOURCEW(IDB_SYMBOLS), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        dc = CreateCompatibleDC(nullptr);
        previous = SelectObject(dc, strip);
    }
    ~SymbolStrip()
    {
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(strip);
        FreeLibrary(module);
    }
    SymbolStrip(const SymbolStrip&) = delete;
    SymbolStrip& operator=(const SymbolStrip&) = delete;

    // The symbol a reel shows: the strip frame closest to its pixels. A reel paints its frame from
    // its window's top-left corner, so client point p shows frame point p + the border's offset.
    int SymbolOf(HWND reel)
    {
        RECT window{}, client{};
        GetWindowRect(reel, &window);
        POINT origin{0, 0};
        ClientToScreen(reel, &origin);
        (void)client;
        HDC screen = GetDC(nullptr);
        int best = -1;
        long long bestDistance = -1;
        for (int symbol = 0; symbol < MyGame::SymbolCount; ++symbol) {
            long long distance = 0;
            for (int y = 4; y < 86; y += 6) {
                for (int x = 4; x < 86; x += 6) {
                    const COLORREF shown = GetPixel(screen, origin.x + x, origin.y + y);
                    const COLORREF expected = GetPixel(dc, 96 * symbol + x, y);
                    distance += std::abs(GetRValue(shown) - GetRValue(expected))
                        + std::abs(GetGValue(shown) - GetGValue(expected))
                        + std::abs(GetBValue(shown) - GetBValue(expected));
                }
            }
            if (best < 0 || distance < bestDistance) {
                best = symbol;
                bestDistance = distance;
            }
        }
        ReleaseDC(nullptr, screen);
        return best;
    }

private:
    HMODULE module = nullptr;
    HBITMAP strip = nullptr;
    HDC dc = nullptr;
    HGDIOBJ previous = nullptr;
};

int NumberAfterColon(const std::wstring& text)
{
    const auto colon = text.find(L':');
    return colon == std::wstring::npos ? 0 : _wtoi(text.c_str() + colon + 1);
}

} // namespace

TEST(Program, OpensOneTitledWindowAndExitsWithZeroAfterTheExitQuestion)
{
    RunningGame game;
    ASSERT_TRUE(game.started);
    HWND window = game.MainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ClassOf(window), L"Window0");
    EXPECT_EQ(TopLevelWindows(game.process.dwProcessId, L"").size(), 1u);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 400);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));

    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(game.AnswerMessageBox(L"Uscita", IDNO));
    EXPECT_TRUE(IsWindow(window));
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(game.AnswerMessageBox(L"Uscita", IDYES));
    DWORD exitCode = 99;
    ASSERT_TRUE(game.Exited(&exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST(Program, PlaysAFullRoundWithRealClicks)
{
    RunningGame game;
    ASSERT_TRUE(game.started);
    HWND window = game.MainWindow();
    ASSERT_NE(window, nullptr);
    // Clicks are only certain to land once the new window has finished coming to the front.
    ASSERT_TRUE(PumpUntil([&] {
        SetForegroundWindow(window);
        return GetForegroundWindow() == window;
    }, 10000));

    // Start-up screen.
    HWND play = ChildWithText(window, L"GIOCA");
    HWND score = ChildWithText(window, L"Punteggio: 100");
    HWND bet = ChildWithText(window, L"Puntata: 1");
    ASSERT_NE(play, nullptr);
    ASSERT_NE(score, nullptr);
    ASSERT_NE(bet, nullptr);
    std::array<HWND, 5> reels{}, holds{};
    for (int i = 0; i < 5; ++i) {
        reels[i] = ChildAt(window, 30 + 99 * i, 120);
        holds[i] = ChildAt(window, 30 + 99 * i, 220);
        ASSERT_NE(reels[i], nullptr);
        ASSERT_NE(holds[i], nullptr);
        EXPECT_EQ(TextOf(holds[i]), L"Blocca");
        EXPECT_FALSE(IsWindowEnabled(holds[i]));
        EXPECT_EQ(ChildPixel(holds[i], 3, 3), Silver);
    }
    SymbolStrip strip;
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(strip.SymbolOf(reels[i]), i) << "reel " << i << " starts with symbol " << i;
    EXPECT_EQ(ChildPixel(play, 50, 5), Red);

    // First spin, then the hold phase.
    ClickMiddle(play);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowEnabled(play); }, 5000));
    ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(play); }, 30000));
    std::array<int, 5> row{};
    for (int i = 0; i < 5; ++i)
        row[i] = strip.SymbolOf(reels[i]);
    int held = 0;
    for (int i = 0; i < 5; ++i)
        held += MyGame::IsPaying(row[i]) ? 1 : 0;
    if (held < 5) {
        EXPECT_EQ(TextOf(play), L"Rilancia");
        for (int i = 0; i < 5; ++i) {
            EXPECT_TRUE(IsWindowEnabled(holds[i]));
            EXPECT_EQ(ChildPixel(holds[i], 3, 3), MyGame::IsPaying(row[i]) ? Red : Yellow) << "hold cell " << i;
        }
        // Second spin of the free reels; the held ones keep their symbols.
        ClickMiddle(play);
        EXPECT_TRUE(PumpUntil([&] { return !IsWindowEnabled(play); }, 5000));
        ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(play); }, 30000));
        for (int i = 0; i < 5; ++i) {
            const int now = strip.SymbolOf(reels[i]);
            if (MyGame::IsPaying(row[i])) {
                EXPECT_EQ(now, row[i]) << "held reel " << i;
            }
            row[i] = now;
        }
    }

    // The end of the round: the message and the score changed by the win less the bet.
    EXPECT_EQ(TextOf(play), L"GIOCA");
    const int win = MyGame::EvaluateRow(row, 1).win;
    HWND message = ChildAt(window, 270, 300);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(TextOf(message), win ? L"Hai vinto " + std::to_wstring(win) + L" punti!" : std::wstring(L"Hai perso!"));
    EXPECT_EQ(NumberAfterColon(TextOf(score)), 100 + win - 1);
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(IsWindowEnabled(holds[i]));
        EXPECT_EQ(ChildPixel(holds[i], 3, 3), Silver);
    }

    // "Info" opens the about box; "OK" closes it and gives the main window back.
    ClickMiddle(ChildWithText(window, L"Info"));
    std::vector<HWND> boxes;
    EXPECT_TRUE(PumpUntil([&] {
        boxes = TopLevelWindows(game.process.dwProcessId, L"Window", L"Info...");
        return !boxes.empty() && HasClientSize(boxes.front(), 600, 300);
    }));
    ASSERT_FALSE(boxes.empty());
    EXPECT_FALSE(IsWindowEnabled(window));
    HWND ok = ChildWithText(boxes.front(), L"OK");
    ASSERT_NE(ok, nullptr);
    ClickMiddle(ok);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(boxes.front()); }));
    EXPECT_TRUE(PumpUntil([&] { return IsWindowEnabled(window) != FALSE; }));

    // "Chiudi": No keeps the game, Yes ends it with exit code 0.
    HWND close = ChildWithText(window, L"Chiudi");
    ASSERT_NE(close, nullptr);
    ClickMiddle(close);
    ASSERT_TRUE(game.AnswerMessageBox(L"Uscita", IDNO));
    EXPECT_TRUE(IsWindow(window));
    ClickMiddle(close);
    ASSERT_TRUE(game.AnswerMessageBox(L"Uscita", IDYES));
    DWORD exitCode = 99;
    ASSERT_TRUE(game.Exited(&exitCode));
    EXPECT_EQ(exitCode, 0u);
}


// Real X input from outside, seeded: clicks anywhere in the game's client area (but on "Chiudi",
// whose question a stray key could answer Yes) and keys, then a clean exit. RULVIO_MONKEY_SEED
// replays a run.
TEST(Program, SurvivesTwoThousandRealInputEventsAndExitsCleanly)
{
    const char* seedText = std::getenv("RULVIO_MONKEY_SEED");
    const unsigned seed = seedText ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10)) : 4242u;
    SCOPED_TRACE("X monkey seed " + std::to_string(seed));
    RunningGame game;
    ASSERT_TRUE(game.started);
    HWND window = game.MainWindow();
    ASSERT_NE(window, nullptr);
    HWND close = ChildWithText(window, L"Chiudi");
    ASSERT_NE(close, nullptr);
    RECT closeRect{};
    GetWindowRect(close, &closeRect);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);

    std::mt19937 random(seed);
    const wchar_t* keys[] = {L"Tab", L"shift+Tab", L"Left", L"Right", L"Up", L"Down", L"Escape", L"a", L"1"};
    int sent = 0;
    while (sent < 2000) {
        std::wstring batch;
        for (int i = 0; i < 40; ++i, ++sent) {
            if (random() % 3 != 0) {
                POINT p{origin.x + static_cast<LONG>(random() % 640), origin.y + static_cast<LONG>(random() % 400)};
                if (PtInRect(&closeRect, p))
                    p.x = origin.x + 5;
                batch += L" mousemove " + std::to_wstring(p.x) + L" " + std::to_wstring(p.y) + L" click 1";
            } else {
                batch += std::wstring(L" key ") + keys[random() % (sizeof keys / sizeof keys[0])];
            }
        }
        RunXdotool(batch.substr(1));
        ASSERT_EQ(WaitForSingleObject(game.process.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT))
            << "the game ended after " << sent << " events";
        // An exit question raised by a key on a focused "Chiudi" is answered No, as Escape would.
        for (HWND box : TopLevelWindows(game.process.dwProcessId, L"#32770"))
            PostMessageW(box, WM_COMMAND, IDNO, 0);
    }
    EXPECT_TRUE(IsWindow(window));

    // The last events are still on their way through the X server and Wine: let the game take them
    // all before it is asked to close, or a late Escape answers the question and a late click
    // opens the about box again.
    PumpFor(1500);
    WaitForInputIdle(game.process.hProcess, 10000);
    for (HWND box : TopLevelWindows(game.process.dwProcessId, L"#32770"))
        PostMessageW(box, WM_COMMAND, IDNO, 0);

    // Whatever state the round is in, the game closes cleanly. A late event can still reopen the
    // about box or answer the question No; then the close is asked for again.
    for (int attempt = 0; attempt < 5 && IsWindow(window); ++attempt) {
        for (HWND box : TopLevelWindows(game.process.dwProcessId, L"Window", L"Info..."))
            PostMessageW(box, WM_CLOSE, 0, 0);
        for (HWND box : TopLevelWindows(game.process.dwProcessId, L"#32770"))
            PostMessageW(box, WM_COMMAND, IDNO, 0);
        ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(window) != FALSE; }, 10000));
        PostMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(game.AnswerMessageBox(L"Uscita", IDYES));
        PumpUntil([&] { return !IsWindow(window); }, 3000);
    }
    DWORD exitCode = 99;
    ASSERT_TRUE(game.Exited(&exitCode));
    EXPECT_EQ(exitCode, 0u);
}
