#include "game/GameServices.h"

#include "framework/SystemFunction.h"

#include <mmsystem.h>

#include <ctime>

namespace MyGame {

namespace {

int PlatformMessageBox(HWND owner, const char* text, const char* caption, UINT flags)
{
    return MessageBoxA(owner, text, caption, flags);
}

using PlaySoundFunction = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);

void PlatformPlaySound(int waveResourceId)
{
    // The sound system (several megabytes under Wine) is loaded with the first sound, not at start-up;
    // before it there is nothing to stop.
    if (waveResourceId == 0 && !GetModuleHandleW(L"winmm.dll"))
        return;
    static const auto playSound = VornUtility::SystemFunction<PlaySoundFunction>(L"winmm.dll", "PlaySoundW");
    if (!playSound)
        return;
    if (waveResourceId == 0) {
        playSound(nullptr, nullptr, 0);
        return;
    }
    playSound(MAKEINTRESOURCEW(waveResourceId), GetModuleHandleW(nullptr),
              SND_RESOURCE | SND_ASYNC | SND_NODEFAULT | SND_LOOP);
}

std::int64_t PlatformNow()
{
    return static_cast<std::int64_t>(GetTickCount64());
}

unsigned PlatformSeed()
{
    return static_cast<unsigned>(std::time(nullptr));
}

} // namespace

GameServices PlatformServices()
{
    return GameServices{&PlatformMessageBox, &PlatformPlaySound, &PlatformNow, &PlatformSeed};
}

GameServices& Services()
{
    static GameServices services = PlatformServices();
    return services;
}

} // namespace MyGame
