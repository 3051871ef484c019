// Text helpers: conversions between byte strings (Latin-1) and UTF-16 strings,
// numbers as plain decimal text, splitting and replacing. Pure functions on values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace VornUtility {

// Latin-1 to UTF-16, up to (not including) the first zero byte.
std::wstring ToWide(const std::string& text);

// UTF-16 to bytes: each code unit keeps its low 8 bits.
std::string ToNarrow(const std::wstring& text);

// Decimal text without grouping, whatever the user's regional settings: the game reads it back with atoi.
std::string IntToText(int n);
std::string Int64ToText(std::int64_t n);
std::wstring Int64ToWideText(std::int64_t n);

// Parts of text between delimiters. Empty leading and middle parts are kept, a trailing empty part is not;
// an empty text or delimiter gives no parts.
std::vector<std::string> Split(const std::string& text, const std::string& delimiter);

// Replaces occurrences of from by to, searching again from the start after each replacement.
// An empty from leaves the text unchanged; when to contains from, a single left-to-right pass is made
// instead, since searching from the start again would never end.
std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to);

} // namespace VornUtility
