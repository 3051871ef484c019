// Rulvio's entry point: compose the title, build the main window, run the message loop, clean up.
#include "app/MessageLoop.h"
#include "game/FormMain.h"
#include "game/GameTexts.h"

#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    const std::string title = std::string(MyGame::Texts::ProductName) + " " + MyGame::Texts::Copyright;
    auto* form = new MyGame::FormMain(instance, title);
    // Without a window nothing could ever post WM_QUIT: leave at once instead of waiting forever.
    if (!form->windowHandle) {
        delete form;
        return 1;
    }
    RunMessageLoop();
    delete form;
    return 0;
}
