// SystemFunction: a function of a system DLL, resolved on its first use, so that the DLL is loaded
// only when the program needs it: the shell and the sound system each cost start-up time and memory.
#pragma once

#include <windows.h>

namespace VornUtility {

// The function, or null when the DLL or the function cannot be had. The DLL stays loaded.
template <typename Function>
Function SystemFunction(const wchar_t* dll, const char* name)
{
    HMODULE module = LoadLibraryW(dll);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name))) : nullptr;
}

} // namespace VornUtility
