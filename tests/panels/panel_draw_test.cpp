// Texts of the SIZE and DATE columns, row colours by file type, column geometry and the scroll
// rule that keeps the cursor row in view.
#include <gtest/gtest.h>

#include "common/canvas.h"
#include "panels/panel_draw.h"
#include "panels/panels.h"
#include "settings/settings.h"

namespace {

DirEntry file(const std::wstring& name, uint64_t size = 0) {
    return DirEntry{name, false, 0, size, 0};
}
DirEntry folder(const std::wstring& name) {
    return DirEntry{name, true, FILE_ATTRIBUTE_DIRECTORY, 0, 0};
}

TEST(PanelDraw, FormatSize) {
    const uint64_t KB = 1024, MB = KB * KB, GB = MB * KB;
    struct Case {
        DirEntry entry;
        const wchar_t* expected;
    } cases[] = {
        {file(L"a", 0), L"0 B"},
        {file(L"a", 512), L"512 B"},
        {file(L"a", 1023), L"1023 B"},
        {file(L"a", KB), L"1.0 KB"},
        {file(L"a", 1536), L"1.5 KB"},
        {file(L"a", MB - 1), L"1024.0 KB"},  // 1023.999 KB rounds up in one decimal
        {file(L"a", MB), L"1.0 MB"},
        {file(L"a", 5 * MB + MB / 4), L"5.3 MB"},
        {file(L"a", GB - 1), L"1024.0 MB"},
        {file(L"a", GB), L"1.0 GB"},
        {file(L"a", 5 * 1024 * GB), L"5120.0 GB"},  // no TB step
        {file(L"a", ~0ull), L"17179869184.0 GB"},
        {folder(L"x.exe"), L"<DIR>"},
        {folder(L".."), L""},
    };
    for (const Case& c : cases) EXPECT_EQ(formatSize(c.entry), c.expected) << c.entry.size;
}

// A local wall-clock time as the UTC file time the listing would hold.
uint64_t utcOfLocal(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME local = {year, month, 0, day, hour, minute, second, 0};
    FILETIME localTime, utc;
    EXPECT_TRUE(SystemTimeToFileTime(&local, &localTime));
    EXPECT_TRUE(LocalFileTimeToFileTime(&localTime, &utc));
    return (static_cast<uint64_t>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime;
}

TEST(PanelDraw, FormatDateInLocalTime) {
    struct Case {
        uint64_t modified;
        bool parent;
        const wchar_t* expected;
    } cases[] = {
        {utcOfLocal(2026, 12, 5, 14, 7, 59), false, L"05.12.26 14:07"},  // seconds dropped, not rounded
        {utcOfLocal(2005, 3, 7, 8, 9, 0), false, L"07.03.05 08:09"},
        {utcOfLocal(2000, 1, 1, 0, 0, 0), false, L"01.01.00 00:00"},
        {utcOfLocal(1999, 10, 31, 23, 59, 0), false, L"31.10.99 23:59"},
        {utcOfLocal(2026, 12, 5, 14, 7, 0), true, L""},  // the parent entry never shows a date
        {~0ull, false, L""},                               // beyond what a SYSTEMTIME can hold
    };
    for (const Case& c : cases) {
        DirEntry e = c.parent ? folder(L"..") : file(L"f.txt");
        e.modified = c.modified;
        EXPECT_EQ(formatDate(e), c.expected) << c.expected;
    }
}

TEST(PanelDraw, EntryColorByType) {
    appSettings.textColor = 1;  // white, so the text colour differs from the black of .txt
    applyTextColor();
    const COLORREF text = RGB(255, 255, 255), grey = RGB(0x6E, 0x6E, 0x6E), blue = RGB(0, 0, 0x96),
                   black = RGB(0, 0, 0), red = RGB(0x82, 0, 0), purple = RGB(0x78, 0, 0x8C);
    struct Case {
        DirEntry entry;
        COLORREF expected;
    } cases[] = {
        {file(L"archive.TAR.BAK"), grey},  {file(L".bak"), grey},        {file(L"main.CPP"), blue},
        {file(L"x.c"), blue},              {file(L"x.h"), blue},         {file(L"x.Hpp"), blue},
        {file(L"notes.txt"), black},       {file(L"README.md"), black},  {file(L"a.html"), red},
        {file(L"a.HTM"), red},             {file(L"a.php"), red},        {file(L"a.xml"), red},
        {file(L"setup.exe"), purple},      {file(L"go.bat"), purple},    {file(L"go.Cmd"), purple},
        {file(L"x.com"), purple},          {file(L"Makefile"), text},    {file(L"name."), text},
        {file(L"a.cppx"), text},           {file(L"old.bak.cpp"), blue}, {file(L"a.txt.zip"), text},
        {folder(L"x.exe"), text},          {folder(L"src.bak"), text},   {folder(L".."), text},
    };
    for (const Case& c : cases) EXPECT_EQ(entryColor(c.entry), c.expected) << c.entry.name;
    appSettings = AppSettings();
    applyTextColor();
}

TEST(PanelDraw, ColumnsNarrowBelow720AndNameAtLeast160) {
    struct Case {
        int innerWidth;  // x1 - x0
        bool narrow;
        int nameRight, dateLeft, dateRight, sizeLeft, sizeRight;  // relative to x0
    } cases[] = {
        {888, false, 521, 533, 758, 770, 880},  // a 1920-pixel window
        {720, false, 353, 365, 590, 602, 712},
        {719, true, 431, 439, 619, 627, 711},
        {568, true, 280, 288, 468, 476, 560},  // a 1280-pixel window
        {448, true, 160, 168, 348, 356, 440},  // exactly at the minimum
        {300, true, 160, 168, 348, 356, 292},  // pushed past the right edge
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.innerWidth);
        const int L = 100, x0 = L + 18;
        PanelColumns col = panelColumns(RECT{L, 86, L + c.innerWidth + 36, 970});
        EXPECT_EQ(col.x0, x0);
        EXPECT_EQ(col.x1 - col.x0, c.innerWidth);
        EXPECT_EQ(col.narrow, c.narrow);
        EXPECT_EQ(col.nameRight - x0, c.nameRight);
        EXPECT_EQ(col.dateLeft - x0, c.dateLeft);
        EXPECT_EQ(col.dateRight - x0, c.dateRight);
        EXPECT_EQ(col.sizeLeft - x0, c.sizeLeft);
        EXPECT_EQ(col.sizeRight - x0, c.sizeRight);
        EXPECT_EQ(col.listTop, 86 + 76);
        EXPECT_EQ(col.rows, (970 - 162 - 12) / 36);
    }
}

TEST(PanelDraw, ScrollMovesTheLeastToShowTheCursor) {
    appSettings = AppSettings();
    applyFontSize();  // rows of 36 pixels
    PanelState panel;
    panel.path = L"C:\\";
    for (int i = 0; i < 100; ++i) panel.entries.push_back(file(L"f" + std::to_wstring(i)));
    const RECT rect = {0, 0, 600, 76 + 12 + 20 * 36 + 35};  // 20 visible rows
    Canvas canvas(600, rect.bottom);
    struct Step {
        int cursor, scrollBefore, scrollAfter;
    } steps[] = {
        {25, 0, 6},    // the cursor lands on the last visible row
        {3, 6, 3},     // and on the first when moving up
        {10, 3, 3},    // inside the view: no move
        {99, 0, 80},   // after a reload (scroll 0) at the end of the list
        {0, 50, 0},
        {-1, 5, 0},    // never below 0
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.cursor);
        panel.cursor = s.cursor;
        panel.scroll = s.scrollBefore;
        drawPanelContents(canvas.dc(), rect, panel);
        EXPECT_EQ(panel.scroll, s.scrollAfter);
        EXPECT_EQ(panel.cursor, s.cursor);
    }
    // a panel too low for one row keeps its scroll
    panel.cursor = 50;
    panel.scroll = 7;
    drawPanelContents(canvas.dc(), RECT{0, 0, 600, 76 + 12 + 35}, panel);
    EXPECT_EQ(panel.scroll, 7);
}

}  // namespace
