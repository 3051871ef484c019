#include "app/MessageLoop.h"

#include "framework/GUIElement.h"

#include <windows.h>

std::vector<VornUtility::GUIElement*> formsToDelete;

int RunMessageLoop()
{
    MSG message{};
    BOOL result;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (result == -1)
            break;   // only an invalid argument could cause this; there is no loop to go on with
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteDeferredForms();
    return static_cast<int>(message.wParam);
}

void DeleteDeferredForms()
{
    for (VornUtility::GUIElement* form : formsToDelete)
        delete form;
    formsToDelete.clear();
}
