// The floor of the benchmark: the least a program like the game must do. One top-level window
// with a 640 x 400 client area painted in one flat colour by its class brush, and a 20 ms timer
// that does nothing. No menu, no children, no resources.
//
// "floor sound" also plays a looped sound, as the game does while it spins, to show what the
// platform's audio stack alone costs. winmm is then loaded at run time, so the plain floor does not
// even link it.
#include <windows.h>

#include <mmsystem.h>

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <vector>

namespace {

// Distinct from the desktop and from the game, so the first-paint probe knows it is ours.
constexpr COLORREF FloorColour = RGB(17, 170, 85);
constexpr UINT_PTR TickId = 1;

LRESULT CALLBACK FloorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        return 0;
    case WM_DESTROY:
        KillTimer(window, TickId);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// Half a second of a quiet 440 Hz square wave, 16-bit stereo PCM at 44100 Hz like the game's sounds.
std::vector<std::uint8_t> MakeWave()
{
    constexpr std::uint32_t rate = 44100;
    constexpr std::uint16_t channels = 2;
    constexpr std::uint16_t bits = 16;
    constexpr std::uint32_t frames = rate / 2;
    constexpr std::uint32_t dataBytes = frames * channels * bits / 8;
    std::vector<std::uint8_t> wave(44 + dataBytes);
    auto put32 = [&wave](std::size_t at, std::uint32_t value) { std::memcpy(&wave[at], &value, 4); };
    auto put16 = [&wave](std::size_t at, std::uint16_t value) { std::memcpy(&wave[at], &value, 2); };
    std::memcpy(&wave[0], "RIFF", 4);
    put32(4, 36 + dataBytes);
    std::memcpy(&wave[8], "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, channels);
    put32(24, rate);
    put32(28, rate * channels * bits / 8);
    put16(32, channels * bits / 8);
    put16(34, bits);
    std::memcpy(&wave[36], "data", 4);
    put32(40, dataBytes);
    for (std::uint32_t frame = 0; frame < frames; ++frame) {
        const std::int16_t sample = (frame / (rate / 880)) % 2 ? 2000 : -2000;
        for (std::uint16_t channel = 0; channel < channels; ++channel)
            std::memcpy(&wave[44 + (frame * channels + channel) * 2], &sample, 2);
    }
    return wave;
}

bool PlayLoopedSound(const std::vector<std::uint8_t>& wave)
{
    using PlaySoundFunction = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);
    HMODULE winmm = LoadLibraryW(L"winmm.dll");
    if (!winmm)
        return false;
    auto play = reinterpret_cast<PlaySoundFunction>(reinterpret_cast<void*>(GetProcAddress(winmm, "PlaySoundW")));
    return play && play(reinterpret_cast<LPCWSTR>(wave.data()), nullptr, SND_MEMORY | SND_ASYNC | SND_LOOP | SND_NODEFAULT);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int show)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &FloorProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // Lives until the process ends, like the class.
    windowClass.hbrBackground = CreateSolidBrush(FloorColour);
    windowClass.lpszClassName = L"RulvioBenchFloor";
    if (!RegisterClassExW(&windowClass))
        return 1;

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, 640, 400};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Floor", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                                  nullptr);
    if (!window)
        return 1;
    SetTimer(window, TickId, 20, nullptr);
    ShowWindow(window, show);
    UpdateWindow(window);
    // Kept until the process ends: the sound plays from it.
    std::vector<std::uint8_t> wave;
    if (commandLine && std::wcsstr(commandLine, L"sound")) {
        wave = MakeWave();
        if (!PlayLoopedSound(wave))
            return 1;
    }

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
