// Prints where a control of the running game is on the screen, so scripts can click it with real
// input: "locate <text>" prints the screen x and y of the middle of the game window's child whose
// text is <text>, or exits with 1 when there is none (yet).
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

struct Search {
    std::wstring text;
    HWND found = nullptr;
};

std::wstring TextOf(HWND window)
{
    wchar_t text[256] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

BOOL CALLBACK MatchChild(HWND child, LPARAM parameter)
{
    auto* search = reinterpret_cast<Search*>(parameter);
    if (IsWindowVisible(child) && TextOf(child) == search->text) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<Search*>(parameter);
    if (!IsWindowVisible(window))
        return TRUE;
    const std::wstring title = TextOf(window);
    if (title.rfind(L"Rulvio", 0) != 0 && title != L"Info...")
        return TRUE;
    EnumChildWindows(window, &MatchChild, parameter);
    return search->found ? FALSE : TRUE;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fwprintf(stderr, L"usage: locate <text of a control of the game>\n");
        return 2;
    }
    Search search{argv[1]};
    EnumWindows(&MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return 1;
    RECT rect{};
    GetWindowRect(search.found, &rect);
    std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    return 0;
}
