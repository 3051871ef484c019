// Measures, from outside, how long a program takes from its start to the first paint of its window.
//
//   firstpaint <result file> <colour> <client x> <client y> <command line...>
//
// Starts the command line with CreateProcess and polls the screen until the program's first visible
// top-level window shows, at the given point of its client area, the given colour (RRGGBB in hex) or,
// with "any", any colour other than the desktop's. Writes "<milliseconds to first paint>
// <milliseconds to the window's appearing> <process id>" to the result file (the program's output
// streams may be held by the program it starts, so no reader waits for them) and exits 0, leaving
// the program running; exits 1 with "timeout" in the file when nothing showed in 30 seconds.
//
//   firstpaint --hold
//
// Only holds the desktop open until it is killed. Wine's desktop process quits about a second after
// the last program on the desktop ends and starts again for the next one; a start measured while the
// desktop is still starting competes with it for the processor.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <map>
#include <string>

namespace {

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { ReleaseDC(nullptr, dc); }
    ScreenDc() = default;
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
};

struct WindowSearch {
    DWORD processId = 0;
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER))
        return TRUE;
    RECT client{};
    GetClientRect(window, &client);
    if (client.right <= 0 || client.bottom <= 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

// The colour that most of a grid of screen points shows: the desktop, before the program starts.
COLORREF DesktopColour(HDC screen)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    std::map<COLORREF, int> votes;
    for (int y = 1; y < 8; ++y)
        for (int x = 1; x < 8; ++x)
            ++votes[GetPixel(screen, x * width / 8, y * height / 8)];
    COLORREF best = CLR_INVALID;
    int bestVotes = 0;
    for (const auto& [colour, count] : votes)
        if (count > bestVotes) {
            best = colour;
            bestVotes = count;
        }
    return best;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void WriteResult(const wchar_t* path, const char* text)
{
    FILE* file = _wfopen(path, L"w");
    if (!file)
        return;
    std::fputs(text, file);
    std::fclose(file);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 2 && std::wcscmp(argv[1], L"--hold") == 0) {
        if (!GetDesktopWindow())
            return 1;
        for (;;)
            Sleep(INFINITE);
    }
    if (argc < 6) {
        std::fwprintf(stderr, L"usage: firstpaint <result file> <RRGGBB|any> <client x> <client y> <command line...>\n"
                              L"       firstpaint --hold\n");
        return 2;
    }
    const wchar_t* resultPath = argv[1];
    const bool anyColour = std::wcscmp(argv[2], L"any") == 0;
    COLORREF wanted = CLR_INVALID;
    if (!anyColour) {
        const unsigned long rgb = std::wcstoul(argv[2], nullptr, 16);
        wanted = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
    POINT clientPoint{static_cast<LONG>(std::wcstol(argv[3], nullptr, 10)),
                      static_cast<LONG>(std::wcstol(argv[4], nullptr, 10))};
    std::wstring commandLine;
    for (int i = 5; i < argc; ++i) {
        if (i > 5)
            commandLine += L' ';
        commandLine += argv[i];
    }

    // Everything the probe needs (the desktop, its DC) is set up before the clock starts.
    ScreenDc screen;
    const COLORREF desktop = DesktopColour(screen.dc);
    if (!anyColour && wanted == desktop) {
        WriteResult(resultPath, "error: the wanted colour is the desktop's\n");
        return 1;
    }

    LARGE_INTEGER frequency{};
    LARGE_INTEGER start{};
    LARGE_INTEGER now{};
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        WriteResult(resultPath, "error: CreateProcess failed\n");
        return 1;
    }
    CloseHandle(process.hThread);

    double appeared = -1;
    for (;;) {
        QueryPerformanceCounter(&now);
        const double elapsed = Milliseconds(start, now, frequency);
        if (elapsed > 30000 || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
            WriteResult(resultPath, "timeout\n");
            CloseHandle(process.hProcess);
            return 1;
        }
        WindowSearch search{process.dwProcessId, nullptr};
        EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            if (appeared < 0)
                appeared = elapsed;
            POINT point = clientPoint;
            ClientToScreen(search.found, &point);
            const COLORREF shown = GetPixel(screen.dc, point.x, point.y);
            if (shown != CLR_INVALID && (anyColour ? shown != desktop : shown == wanted)) {
                QueryPerformanceCounter(&now);
                char text[128];
                std::snprintf(text, sizeof text, "%.1f %.1f %lu\n", Milliseconds(start, now, frequency), appeared,
                              process.dwProcessId);
                WriteResult(resultPath, text);
                CloseHandle(process.hProcess);
                return 0;
            }
        }
        Sleep(1);
    }
}
