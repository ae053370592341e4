// Texts of the SIZE and DATE columns at their unit boundaries, row colours by file type, the
// narrow/wide column switch and the scroll rule that keeps the cursor row in view.
#include <gtest/gtest.h>

#include "common/app_state.h"
#include "common/canvas.h"
#include "panels/panel_draw.h"
#include "settings/settings.h"
#include "ui/draw.h"

namespace {

DirEntry file(const std::wstring& name, uint64_t size = 0) { return DirEntry{name, false, 0, size, 0}; }
DirEntry folder(const std::wstring& name) { return DirEntry{name, true, FILE_ATTRIBUTE_DIRECTORY, 0, 0}; }

using PanelDraw = AppTest;

TEST_F(PanelDraw, SizeTextAndColourByType) {
    appSettings.textColor = 1;  // white, so the text colour differs from the black of .md
    applyTextColor();
    const uint64_t KB = 1024, MB = KB * KB;
    const COLORREF text = kWhite, grey = RGB(0x6E, 0x6E, 0x6E), blue = RGB(0, 0, 0x96), red = RGB(0x82, 0, 0);
    const struct { DirEntry entry; const wchar_t* size; COLORREF color; } cases[] = {
        {file(L"archive.TAR.BAK", KB - 1), L"1023 B", grey}, {file(L"old.bak.cpp", KB), L"1.0 KB", blue},
        {file(L"README.md", MB - 1), L"1024.0 KB", kBlack},  // 1023.999 KB rounds up in one decimal
        {file(L"a.HTM", MB), L"1.0 MB", red}, {file(L"b.htm", KB * MB), L"1.0 GB", red},
        {file(L"big.iso", 5 * MB * MB), L"5120.0 GB", text},  // no TB step
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
    DirEntry e = file(L"f.txt"), parent = folder(L"..");
    e.modified = parent.modified = (static_cast<uint64_t>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime;
    EXPECT_EQ(formatDate(e), L"05.12.26 14:07");  // seconds dropped, not rounded
    EXPECT_EQ(formatDate(parent), L"");
}

// The narrow columns below an inner width of 720; the name column never under 160 pixels.
TEST_F(PanelDraw, ColumnsTurnNarrowBelowTheMinimumWidth) {
    for (auto [inner, narrow] : {std::pair{720, false}, {719, true}, {300, true}}) {
        PanelColumns col = panelColumns(RECT{100, 86, 100 + inner + 36, 970});
        EXPECT_TRUE(col.narrow == narrow && col.nameRight - col.x0 >= 160) << inner;
    }
}

TEST_F(PanelDraw, ScrollMovesTheLeastToShowTheCursor) {
    PanelState panel;
    panel.entries.assign(100, file(L"f"));
    Canvas canvas(600, 900);
    // cursor, scroll before, scroll after, panel height (843: 20 rows of 36 pixels; 123: not one):
    // the cursor lands on the last visible row, on the first when moving up, no move inside the
    // view, never below 0, and a panel too low for one row keeps its scroll
    const int steps[][4] = {{25, 0, 6, 843}, {3, 6, 3, 843}, {10, 3, 3, 843}, {-1, 5, 0, 843}, {50, 7, 7, 123}};
    for (const auto& s : steps) {
        panel.cursor = s[0];
        panel.scroll = s[1];
        drawPanelContents(canvas.dc(), RECT{0, 0, 600, s[3]}, panel);
        EXPECT_EQ(panel.scroll, s[2]) << s[0];
    }
}

}  // namespace
