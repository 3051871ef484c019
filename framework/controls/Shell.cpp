#include "framework/controls/Shell.h"

#include "framework/TextHelpers.h"

#include <windows.h>

#include <shellapi.h>

namespace VornUtility {

namespace {

bool OpenWithShellExecute(const std::wstring& address)
{
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOW));
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
