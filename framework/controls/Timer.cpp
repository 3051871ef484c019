#include "framework/controls/Timer.h"

namespace VornUtility {

Timer::Timer(GUIElement* owner)
{
    width = 50;
    height = 22;
    text = L"timer";
    typeName = "timer";
    parent = owner;
}

Timer::~Timer()
{
    Stop();
}

void Timer::Create()
{
    if (created)
        return;
    // Never shown: the window only gives the timer an identifier like every other element.
    CreateControlWindow(L"static", WS_CHILD | DisabledStyle(), 0);
    created = true;
}

void Timer::Start()
{
    if (running)
        return;
    Create();
    // Timer identifiers are pointer-sized in SetTimer and WM_TIMER, so any element identifier routes back.
    SetTimer(ParentWindow(), static_cast<UINT_PTR>(id), static_cast<UINT>(interval), nullptr);
    running = true;
}

void Timer::Stop()
{
    if (!running)
        return;
    KillTimer(ParentWindow(), static_cast<UINT_PTR>(id));
    running = false;
}

} // namespace VornUtility
