#pragma once
// Drawing primitives shared by every screen: the three fonts, a framed box, a YES/NO button, a line
// of text, and bounded number formatting.
#include <windows.h>

#include <string>

// DrawTextW flag sets. Every call also gets DT_NOPREFIX, so "R&D.txt" is drawn as it is named.
constexpr UINT kLineLeft = DT_SINGLELINE | DT_END_ELLIPSIS;
constexpr UINT kLineLeftMiddle = DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
constexpr UINT kLineCentre = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
constexpr UINT kLineRight = DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
constexpr UINT kWrappedCentre = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Live from window creation to destruction; any of them may be null when creation failed.
extern HFONT normalFont, boldFont, smallFont;
// Deletes the three fonts (if any) and creates them from the theme's heights.
void createFonts();
// Deletes the three fonts and sets them to null.
void deleteFonts();
// A font like the others ("Consolas", fixed pitch) of the given height and weight; caller owns it.
HFONT createAppFont(int height, int weight);

// The font drawText picks: small if asked and present, else bold if asked and present, else normal.
HFONT pickFont(bool bold, bool small);
// True when ordinary text is bold (the text style setting).
bool boldText();

RECT rectOf(int left, int top, int right, int bottom);
// Fills a rectangle with a solid colour.
void fillRect(HDC dc, const RECT& rect, COLORREF color);
// Fills, then outlines with a solid pen of the given width.
void drawBox(HDC dc, const RECT& rect, COLORREF fill, COLORREF frame, int penWidth);
// Outlines only (no fill).
void drawFrameOnly(HDC dc, const RECT& rect, COLORREF frame, int penWidth);
// A YES/NO button: white with a 4-px black outline when selected, else the key-button fill with a
// 2-px outline; the text bold (normal without a bold font), black, centred.
void drawDialogButton(HDC dc, const RECT& rect, const std::wstring& text, bool selected);
// A 1-pixel vertical line from y0 to y1 (exclusive).
void drawVerticalLine(HDC dc, int x, int y0, int y1, COLORREF color);
// One text in the rectangle, transparent, with the picked font; the whole string is drawn.
void drawText(HDC dc, const RECT& rect, const std::wstring& text, COLORREF color, bool bold, bool small,
              UINT flags);
// The same with an explicit font (null: the DC's current font).
void drawTextInFont(HDC dc, const RECT& rect, const std::wstring& text, COLORREF color, HFONT font, UINT flags);

// Bounded formatting into a 64-unit (or 32-unit) buffer; returns the units written or -1 when the
// text does not fit (the buffer then holds as much as fits).
int formatText(wchar_t (&buffer)[64], const wchar_t* format, ...);
int formatText32(wchar_t (&buffer)[32], const wchar_t* format, ...);
