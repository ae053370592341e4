// Texts of the SIZE and DATE columns, row colours by file type, the narrow/wide column switch and
// the scroll rule that keeps the cursor row in view.
#include <gtest/gtest.h>

#include <array>

#include "common/app_state.h"
#include "common/canvas.h"
#include "panels/panel_draw.h"
#include "panels/panels.h"
#include "settings/settings.h"
#include "ui/draw.h"

namespace {

DirEntry file(const std::wstring& name, uint64_t size = 0) {
    return DirEntry{name, false, 0, size, 0};
}
DirEntry folder(const std::wstring& name) {
    return DirEntry{name, true, FILE_ATTRIBUTE_DIRECTORY, 0, 0};
}

using PanelDraw = AppTest;

TEST_F(PanelDraw, SizeTextAndColourByType) {
    appSettings.textColor = 1;  // white, so the text colour differs from the black of .md
    applyTextColor();
    const uint64_t MB = 1024 * 1024;
    const COLORREF text = kWhite, grey = RGB(0x6E, 0x6E, 0x6E), blue = RGB(0, 0, 0x96), red = RGB(0x82, 0, 0),
                   purple = RGB(0x78, 0, 0x8C);
    const struct { DirEntry entry; const wchar_t* size; COLORREF color; } cases[] = {
        {file(L"archive.TAR.BAK", 1023), L"1023 B", grey}, {file(L"old.bak.cpp", 1536), L"1.5 KB", blue},
        {file(L"README.md", MB - 1), L"1024.0 KB", kBlack},  // 1023.999 KB rounds up in one decimal
        {file(L"a.HTM", 5 * MB + MB / 4), L"5.3 MB", red},
        {file(L"go.Cmd", 5 * MB * MB), L"5120.0 GB", purple},  // no TB step
        {file(L"a.cppx", 0), L"0 B", text}, {folder(L"src.bak"), L"<DIR>", text}, {folder(L".."), L"", text},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatSize(c.entry), c.size) << c.entry.name;
        EXPECT_EQ(entryColor(c.entry), c.color) << c.entry.name;
    }
}

TEST_F(PanelDraw, DateInLocalTimeToTheMinute) {
    SYSTEMTIME local = {2026, 12, 0, 5, 14, 7, 59, 0};
    FILETIME localTime, utc;
    ASSERT_TRUE(SystemTimeToFileTime(&local, &localTime) && LocalFileTimeToFileTime(&localTime, &utc));
    DirEntry e = file(L"f.txt");
    e.modified = (static_cast<uint64_t>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime;
    EXPECT_EQ(formatDate(e), L"05.12.26 14:07");  // seconds dropped, not rounded
    DirEntry parent = folder(L"..");  // the parent entry never shows a date
    parent.modified = e.modified;
    EXPECT_EQ(formatDate(parent), L"");
    e.modified = ~0ull;  // beyond what a SYSTEMTIME can hold
    EXPECT_EQ(formatDate(e), L"");
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
