// Texts of the SIZE and DATE columns, row colours by file type, the narrow/wide column switch and
// the scroll rule that keeps the cursor row in view.
#include <gtest/gtest.h>

#include <array>

#include "common/app_state.h"
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

using PanelDraw = AppTest;

TEST_F(PanelDraw, FormatSizeAndDate) {
    const uint64_t KB = 1024, MB = KB * KB, GB = MB * KB;
    const struct { DirEntry entry; const wchar_t* expected; } sizes[] = {
        {file(L"a", 1023), L"1023 B"}, {file(L"a", 1536), L"1.5 KB"},
        {file(L"a", MB - 1), L"1024.0 KB"},  // 1023.999 KB rounds up in one decimal
        {file(L"a", 5 * MB + MB / 4), L"5.3 MB"}, {file(L"a", 5 * 1024 * GB), L"5120.0 GB"},  // no TB step
        {folder(L"x.exe"), L"<DIR>"}, {folder(L".."), L""},
    };
    for (const auto& c : sizes) EXPECT_EQ(formatSize(c.entry), c.expected) << c.entry.size;

    // A local wall-clock time as the UTC file time the listing would hold.
    auto utcOfLocal = [](WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
        SYSTEMTIME local = {year, month, 0, day, hour, minute, second, 0};
        FILETIME localTime, utc;
        EXPECT_TRUE(SystemTimeToFileTime(&local, &localTime) && LocalFileTimeToFileTime(&localTime, &utc));
        return (static_cast<uint64_t>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime;
    };
    const struct { uint64_t modified; bool parent; const wchar_t* expected; } dates[] = {
        {utcOfLocal(2026, 12, 5, 14, 7, 59), false, L"05.12.26 14:07"},  // seconds dropped, not rounded
        {utcOfLocal(2005, 3, 7, 8, 9, 0), true, L""},  // the parent entry never shows a date
        {~0ull, false, L""},                            // beyond what a SYSTEMTIME can hold
    };
    for (const auto& c : dates) {
        DirEntry e = c.parent ? folder(L"..") : file(L"f.txt");
        e.modified = c.modified;
        EXPECT_EQ(formatDate(e), c.expected) << c.expected;
    }
}

TEST_F(PanelDraw, EntryColorByType) {
    appSettings.textColor = 1;  // white, so the text colour differs from the black of .txt
    applyTextColor();
    const COLORREF text = RGB(255, 255, 255), grey = RGB(0x6E, 0x6E, 0x6E), blue = RGB(0, 0, 0x96),
                   black = RGB(0, 0, 0), red = RGB(0x82, 0, 0), purple = RGB(0x78, 0, 0x8C);
    const struct { DirEntry entry; COLORREF expected; } cases[] = {
        {file(L"archive.TAR.BAK"), grey}, {file(L"old.bak.cpp"), blue}, {file(L"README.md"), black},
        {file(L"a.HTM"), red}, {file(L"go.Cmd"), purple}, {file(L"Makefile"), text}, {file(L"a.cppx"), text},
        {folder(L"src.bak"), text},
    };
    for (const auto& c : cases) EXPECT_EQ(entryColor(c.entry), c.expected) << c.entry.name;
}

TEST_F(PanelDraw, ColumnsNarrowBelow720AndNameAtLeast160) {
    // Inner width x1 - x0, then narrow, name end, date start and end, size start and end from x0.
    const std::array<int, 7> cases[] = {
        {720, 0, 353, 365, 590, 602, 712}, {719, 1, 431, 439, 619, 627, 711},
        {300, 1, 160, 168, 348, 356, 292},  // the name at its minimum, the rest pushed past the edge
    };
    for (const auto& c : cases) {
        PanelColumns col = panelColumns(RECT{100, 86, 100 + c[0] + 36, 970});
        const int x0 = 118;
        EXPECT_EQ((std::array<int, 7>{col.x1 - col.x0, col.narrow, col.nameRight - x0, col.dateLeft - x0,
                                      col.dateRight - x0, col.sizeLeft - x0, col.sizeRight - x0}), c);
    }
}

TEST_F(PanelDraw, ScrollMovesTheLeastToShowTheCursor) {
    PanelState panel;  // rows of 36 pixels, 20 visible
    for (int i = 0; i < 100; ++i) panel.entries.push_back(file(L"f" + std::to_wstring(i)));
    const RECT rect = {0, 0, 600, 76 + 12 + 20 * 36 + 35};
    Canvas canvas(600, rect.bottom);
    // cursor, scroll before, scroll after: the cursor lands on the last visible row, on the first
    // when moving up, no move inside the view, the end after a reload (scroll 0), never below 0
    const int steps[][3] = {{25, 0, 6}, {3, 6, 3}, {10, 3, 3}, {99, 0, 80}, {-1, 5, 0}};
    for (const auto& s : steps) {
        panel.cursor = s[0];
        panel.scroll = s[1];
        drawPanelContents(canvas.dc(), rect, panel);
        EXPECT_EQ(panel.scroll, s[2]) << s[0];
    }
    panel.cursor = 50;  // a panel too low for one row keeps its scroll
    panel.scroll = 7;
    drawPanelContents(canvas.dc(), RECT{0, 0, 600, 76 + 12 + 35}, panel);
    EXPECT_EQ(panel.scroll, 7);
}

}  // namespace
