// Small owners for the GDI objects a function makes, so that every path gives them back.
#pragma once

#include <windows.h>

namespace VornUtility {

// Owns a pen, brush, bitmap or font and deletes it at the end of its scope.
template <typename Handle>
class GdiObject {
public:
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject()
    {
        if (handle_)
            DeleteObject(handle_);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    Handle handle_;
};

// Selects an object into a device context and selects the previous one back at the end of its scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject()
    {
        if (previous_)
            SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;          // borrowed
    HGDIOBJ previous_;
};

// A memory device context compatible with another one, deleted at the end of its scope.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC()
    {
        if (dc_)
            DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    HDC get() const { return dc_; }

private:
    HDC dc_;
};

} // namespace VornUtility
