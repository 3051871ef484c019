#include "framework/TextHelpers.h"

#include <cinttypes>
#include <cstdio>
#include <locale>
#include <sstream>

namespace VornUtility {

std::wstring ToWide(const std::string& text)
{
    std::wstring result;
    result.reserve(text.size());
    for (char c : text) {
        if (c == '\0')
            break;
        result.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    }
    return result;
}

std::string ToNarrow(const std::wstring& text)
{
    std::string result;
    result.reserve(text.size());
    for (wchar_t u : text)
        result.push_back(static_cast<char>(static_cast<unsigned>(u) & 0xFFu));
    return result;
}

std::string IntToText(int n)
{
    std::ostringstream stream;
    stream.imbue(std::locale::classic());
    stream << n;
    return stream.str();
}

std::string Int64ToText(std::int64_t n)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%" PRId64, n);
    return buffer;
}

std::wstring Int64ToWideText(std::int64_t n)
{
    return ToWide(Int64ToText(n));
}

std::vector<std::string> Split(const std::string& text, const std::string& delimiter)
{
    std::vector<std::string> parts;
    if (text.empty() || delimiter.empty())
        return parts;
    std::string::size_type start = 0;
    for (;;) {
        const auto found = text.find(delimiter, start);
        if (found == std::string::npos)
            break;
        parts.push_back(text.substr(start, found - start));
        start = found + delimiter.size();
    }
    if (start < text.size())
        parts.push_back(text.substr(start));
    return parts;
}

std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to)
{
    if (from.empty())
        return text;
    std::string result = text;
    if (to.find(from) != std::string::npos) {
        // Rescanning from the start would find the replacement again forever: one pass instead.
        std::string::size_type position = 0;
        while ((position = result.find(from, position)) != std::string::npos) {
            result.replace(position, from.size(), to);
            position += to.size();
        }
        return result;
    }
    for (;;) {
        const auto found = result.find(from);
        if (found == std::string::npos)
            return result;
        result.replace(found, from.size(), to);
    }
}

} // namespace VornUtility
