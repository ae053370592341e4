#include "ui/draw.h"

#include <cstdarg>
#include <cstdio>
#include <cwchar>

#include "settings/settings.h"
#include "ui/gdi.h"

HFONT normalFont = nullptr;
HFONT boldFont = nullptr;
HFONT smallFont = nullptr;

HFONT createAppFont(int height, int weight) {
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, FIXED_PITCH | FF_MODERN, L"Consolas");
}

void deleteFonts() {
    for (HFONT* font : {&normalFont, &boldFont, &smallFont}) {
        if (*font) DeleteObject(*font);
        *font = nullptr;
    }
}

void createFonts() {
    deleteFonts();
    normalFont = createAppFont(theme.fontHeight, FW_NORMAL);
    boldFont = createAppFont(theme.fontHeight, FW_BOLD);
    smallFont = createAppFont(theme.smallFontHeight, FW_NORMAL);
}

HFONT pickFont(bool bold, bool small) {
    if (small && smallFont) return smallFont;
    if (bold && boldFont) return boldFont;
    return normalFont;
}

bool boldText() {
    return appSettings.textStyle == 1;
}

RECT rectOf(int left, int top, int right, int bottom) {
    RECT r = {left, top, right, bottom};
    return r;
}

void fillRect(HDC dc, const RECT& rect, COLORREF color) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(color));
    FillRect(dc, &rect, brush.get());
}

void drawFrameOnly(HDC dc, const RECT& rect, COLORREF frame, int penWidth) {
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, penWidth, frame));
    SelectedObject selectedPen(dc, pen.get());
    SelectedObject selectedBrush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

void drawBox(HDC dc, const RECT& rect, COLORREF fill, COLORREF frame, int penWidth) {
    fillRect(dc, rect, fill);
    drawFrameOnly(dc, rect, frame, penWidth);
}

void drawDialogButton(HDC dc, const RECT& rect, const std::wstring& text, bool selected) {
    if (selected)
        drawBox(dc, rect, kWhite, kBlack, 4);
    else
        drawBox(dc, rect, theme.keyButtonFill, kBlack, 2);
    drawTextInFont(dc, rect, text, kBlack, pickFont(true, false), kLineCentre);
}

void drawVerticalLine(HDC dc, int x, int y0, int y1, COLORREF color) {
    fillRect(dc, rectOf(x, y0, x + 1, y1), color);
}

void drawTextInFont(HDC dc, const RECT& rect, const std::wstring& text, COLORREF color, HFONT font, UINT flags) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    SelectedObject selected(dc, font);
    RECT r = rect;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags | DT_NOPREFIX);
}

void drawText(HDC dc, const RECT& rect, const std::wstring& text, COLORREF color, bool bold, bool small,
              UINT flags) {
    drawTextInFont(dc, rect, text, color, pickFont(bold, small), flags);
}

namespace {
int formatInto(wchar_t* buffer, size_t size, const wchar_t* format, va_list args) {
    // The truncating variant never ends the process on overflow; it returns -1 instead.
    int n = _vsnwprintf_s(buffer, size, _TRUNCATE, format, args);
    return n < 0 ? -1 : n;
}
}  // namespace

int formatText(wchar_t (&buffer)[64], const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    int n = formatInto(buffer, 64, format, args);
    va_end(args);
    return n;
}

int formatText32(wchar_t (&buffer)[32], const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    int n = formatInto(buffer, 32, format, args);
    va_end(args);
    return n;
}
