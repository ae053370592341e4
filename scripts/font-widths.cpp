// Measures fonts the way the program uses them, to choose the font that stands in for Consolas
// under Wine: for each face name given, the face GDI really picked and, at the cell heights of the
// three font sizes (26, 30, 34; bold, the default weight, and at 30 also normal), the advance of one
// character, and the widths of two texts that must fit (the SIZE column's "20.5 KB", "[F10] EXIT").
// Consolas itself: 1126 of 2048 units per em advance, 2398 units cell, so 30 * 1126 / 2398 = 14.1.
//   x86_64-w64-mingw32-g++-posix -O1 -static -municode scripts/font-widths.cpp -o font-widths.exe -lgdi32
//   scripts/wine-exec.sh build/wineprefix font-widths.exe Consolas "DejaVu Sans Mono" ...
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

int wmain(int argc, wchar_t** argv) {
    HDC dc = CreateCompatibleDC(nullptr);
    std::wprintf(L"asked\tgot\tbold 26/30/34\tnormal 30\t\"20.5 KB\" at 30\t\"[F10] EXIT\" at 30\n");
    for (int i = 1; i < argc; ++i) {
        wchar_t got[LF_FACESIZE] = L"";
        double advance[4] = {};
        SIZE size = {}, exit = {};
        const int heights[4] = {26, 30, 34, 30};
        for (int h = 0; h < 4; ++h) {
            HFONT font = CreateFontW(heights[h], 0, 0, 0, h < 3 ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                     FIXED_PITCH | FF_MODERN, argv[i]);
            HGDIOBJ old = SelectObject(dc, font);
            SIZE hundred = {};
            GetTextExtentPoint32W(dc, std::wstring(100, L'M').c_str(), 100, &hundred);
            advance[h] = hundred.cx / 100.0;
            if (h == 1) {
                GetTextFaceW(dc, LF_FACESIZE, got);
                GetTextExtentPoint32W(dc, L"20.5 KB", 7, &size);
                GetTextExtentPoint32W(dc, L"[F10] EXIT", 10, &exit);
            }
            SelectObject(dc, old);
            DeleteObject(font);
        }
        std::wprintf(L"%ls\t%ls\t%.2f / %.2f / %.2f\t%.2f\t%ld\t%ld\n", argv[i], got, advance[0], advance[1],
                     advance[2], advance[3], size.cx, exit.cx);
    }
    DeleteDC(dc);
    return 0;
}
