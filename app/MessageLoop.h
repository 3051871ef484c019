// The thread's message loop and the forms whose destruction waits for its end.
#pragma once

#include <vector>

namespace VornUtility {
class GUIElement;
}

// Forms replaced while the loop runs (old about boxes); owned here and destroyed after the loop.
extern std::vector<VornUtility::GUIElement*> formsToDelete;

// Runs until WM_QUIT, then destroys and empties formsToDelete (null entries are skipped).
// Returns the exit code WM_QUIT carried.
int RunMessageLoop();

// Destroys and empties formsToDelete.
void DeleteDeferredForms();
