// FontRecord: a font's description together with the GDI font made from it on first use.
#pragma once

#include <windows.h>

#include <string>

namespace VornUtility {

class FontRecord {
public:
    FontRecord();                                     // "System", height 0
    FontRecord(const std::string& faceName, int height);
    ~FontRecord();                                    // deletes the font if one was made

    FontRecord(const FontRecord&) = delete;
    FontRecord& operator=(const FontRecord&) = delete;

    // The font, created on the first call and cached; null while CreateFontW fails (the next call retries).
    HFONT GetHandle();

    HFONT handle = nullptr;   // owned
    std::wstring faceName;
    int height = 0;           // passed unchanged to CreateFontW: positive is the cell height
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool fixedPitch = false;
};

} // namespace VornUtility
