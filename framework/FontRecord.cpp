#include "framework/FontRecord.h"

#include "framework/TextHelpers.h"

namespace VornUtility {

FontRecord::FontRecord() : faceName(L"System") {}

FontRecord::FontRecord(const std::string& face, int fontHeight) : faceName(ToWide(face)), height(fontHeight) {}

FontRecord::~FontRecord()
{
    if (handle)
        DeleteObject(handle);
}

HFONT FontRecord::GetHandle()
{
    if (!handle) {
        handle = CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, underline, FALSE,
                             DEFAULT_CHARSET, OUT_OUTLINE_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                             fixedPitch ? FIXED_PITCH : DEFAULT_PITCH, faceName.c_str());
    }
    return handle;
}

} // namespace VornUtility
