#pragma once
// Scoped owners of GDI objects and selections: a brush, pen or temporary font is deleted when its
// scope ends, and a selection into a DC is undone first, so nothing selected is ever deleted.
#include <windows.h>

// Owns a GDI object (brush, pen, font, bitmap) and deletes it at the end of the scope.
template <typename T>
class GdiObject {
public:
    explicit GdiObject(T object = nullptr) : object_(object) {}
    ~GdiObject() { reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    T get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    void reset(T object = nullptr) { if (object_) DeleteObject(object_); object_ = object; }

private:
    T object_;
};

// Selects an object into a DC and selects the previous one back at the end of the scope.
// Declare it after the GdiObject it selects, so it is undone before the object is deleted.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() { if (previous_) SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Limits drawing in a DC to a rectangle for the length of a scope; the previous clipping returns.
class ClipToRect {
public:
    ClipToRect(HDC dc, const RECT& rect) : dc_(dc), saved_(SaveDC(dc)) {
        IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
    ~ClipToRect() { if (saved_) RestoreDC(dc_, saved_); }
    ClipToRect(const ClipToRect&) = delete;
    ClipToRect& operator=(const ClipToRect&) = delete;

private:
    HDC dc_;
    int saved_;
};

// A memory DC for the length of a scope.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() { if (dc_) DeleteDC(dc_); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
};
