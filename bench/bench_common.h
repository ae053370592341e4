#pragma once
// What the benches share: a millisecond clock, the median, a 32-bit DIB section selected into a
// memory DC for frames to be drawn into, and the rows of the table that scripts/bench.sh prints.
#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

inline double nowMs() {
    LARGE_INTEGER frequency, count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// printf into a string, for the cells of a table row.
inline std::string cell(const char* format, ...) {
    char text[160];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return text;
}

// One row of the table scripts/bench.sh gathers from every bench: what is measured, the figure, the
// reference it is compared with, their ratio, the target and whether it is met. A figure judged on
// its own has "-" as reference and ratio. Printed beside the bench's own lines, which stay as they are.
inline void tableRow(const std::string& what, const std::string& figure, const std::string& reference,
                     const std::string& ratio, const std::string& target, bool met) {
    std::printf("ROW|%s|%s|%s|%s|%s|%s\n", what.c_str(), figure.c_str(), reference.c_str(), ratio.c_str(),
                target.c_str(), met ? "yes" : "no");
    std::fflush(stdout);
}

// A row with a figure that is measured to explain another, judged by no target of its own.
inline void tableInfo(const std::string& what, const std::string& figure, const std::string& reference,
                      const std::string& ratio) {
    std::printf("ROW|%s|%s|%s|%s|-|-\n", what.c_str(), figure.c_str(), reference.c_str(), ratio.c_str());
    std::fflush(stdout);
}

// dc is null when the bitmap could not be made.
struct FrameBitmap {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;

    FrameBitmap(int width, int height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HDC memory = CreateCompatibleDC(nullptr);
        bitmap = memory ? CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
        if (!bitmap) {
            if (memory) DeleteDC(memory);
            return;
        }
        dc = memory;
        previous = SelectObject(dc, bitmap);
    }
    ~FrameBitmap() {
        if (!dc) return;
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    FrameBitmap(const FrameBitmap&) = delete;
    FrameBitmap& operator=(const FrameBitmap&) = delete;
};
