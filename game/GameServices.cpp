#include "game/GameServices.h"

#include <mmsystem.h>

#include <ctime>

namespace MyGame {

namespace {

int PlatformMessageBox(HWND owner, const char* text, const char* caption, UINT flags)
{
    return MessageBoxA(owner, text, caption, flags);
}

void PlatformPlaySound(int waveResourceId)
{
    if (waveResourceId == 0) {
        PlaySoundW(nullptr, nullptr, 0);
        return;
    }
    PlaySoundW(MAKEINTRESOURCEW(waveResourceId), GetModuleHandleW(nullptr),
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
