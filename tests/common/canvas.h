#pragma once
// A 32-bit DIB section to draw a frame or a screen into, with pixel reads for the checks.
#include <windows.h>

#include <cstdint>

class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // The colour at x, y as a COLORREF (0x00BBGGRR), after GdiFlush.
    COLORREF pixel(int x, int y) const;
    // Fills everything with one colour, so drawing can be told apart from the background.
    void clear(COLORREF color);
    // Count of pixels of `color` inside the rectangle.
    int countColor(const RECT& area, COLORREF color) const;

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    uint32_t* bits_ = nullptr;
};
