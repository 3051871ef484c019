// Timer: the platform's window timer as an element event. The system timer is bound to the
// parent's window with the timer's identifier; the tick reaches onTick through the window procedure.
#pragma once

#include "framework/Child.h"

namespace VornUtility {

class Timer : public Child {
public:
    explicit Timer(GUIElement* parent);
    ~Timer() override;

    // Makes the hidden window that gives the timer its identifier.
    void Create() override;
    // Sets the system timer once; a running timer is left alone.
    void Start();
    void Stop();

    bool running = false;
    int interval = 20;               // milliseconds
    EventHandler onTick = nullptr;
};

} // namespace VornUtility
