#include "framework/controls/Shell.h"

#include "framework/SystemFunction.h"
#include "framework/TextHelpers.h"

#include <windows.h>

namespace VornUtility {

namespace {

using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);

bool OpenWithShellExecute(const std::wstring& address)
{
    // The shell is loaded the first time a page is opened, not at start-up.
    static const auto shellExecute = SystemFunction<ShellExecuteFunction>(L"shell32.dll", "ShellExecuteW");
    if (!shellExecute)
        return false;
    const auto result = reinterpret_cast<INT_PTR>(shellExecute(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOW));
    return result > 32;
}

ShellOpener currentOpener = &OpenWithShellExecute;

} // namespace

bool OpenWithShell(const std::string& address)
{
    return currentOpener(ToWide(address));
}

ShellOpener SetShellOpener(ShellOpener opener)
{
    ShellOpener previous = currentOpener;
    currentOpener = opener ? opener : &OpenWithShellExecute;
    return previous;
}

} // namespace VornUtility
