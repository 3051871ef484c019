// OpenWithShell: hands a web or "mailto:" address to the shell, through a replaceable opener so
// that tests can see the address instead of starting a browser or mail program.
#pragma once

#include <string>

namespace VornUtility {

// Opens an address; true when the shell accepted it.
using ShellOpener = bool (*)(const std::wstring& address);

// The opener in use; ShellExecuteW's "open" unless replaced.
bool OpenWithShell(const std::string& address);
// Replaces the opener and returns the previous one; null restores the real shell.
ShellOpener SetShellOpener(ShellOpener opener);

} // namespace VornUtility
