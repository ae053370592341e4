// The help screen: the key column following the function-key bar, and the box, table and row
// bands drawn into a DIB section at full size and below the minimum.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "common/app_state.h"
#include "common/box_check.h"
#include "common/canvas.h"
#include "screens/help.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/function_keys.h"

namespace {

const COLORREF kCanvas = RGB(1, 2, 3), kTable = RGB(0xD2, 0xD2, 0xD2), kEven = RGB(0xE0, 0xE0, 0xE0),
               kOdd = RGB(0xC8, 0xC8, 0xC8);

using HelpScreen = AppTest;

TEST_F(HelpScreen, KeyColumnFollowsTheFunctionBarThenFixedNames) {
    appSettings.language = 2;
    for (int row = 0; row < 12; ++row) EXPECT_EQ(helpKeyText(row), functionLabel(row)) << row;
    EXPECT_EQ(helpKeyText(12), L"TAB");
    EXPECT_EQ(helpKeyText(24) + helpKeyText(-1) + helpDescription(24) + helpDescription(-1), L"");
    // Every language has its own twenty descriptions (the file types after them read the same).
    std::set<std::wstring> descriptions;
    for (appSettings.language = 0; appSettings.language < 4; ++appSettings.language)
        for (int row = 0; row < 20; ++row) descriptions.insert(helpDescription(row));
    EXPECT_EQ(descriptions.size(), 80u);
}

TEST_F(HelpScreen, BoxTableAndRowBands) {
    appSettings.panelBorder = 3;  // cyan: the frame differs from every fill
    applyColorScheme();
    // Colours down the bands' left and right ends: rows 27 high at full size; 20 below the minimum,
    // where they run past the table's bottom (494) and the box's (550) rather than shrink.
    const struct { int w, h; RECT box, table; std::vector<std::pair<int, COLORREF>> column; } sizes[] = {
        {1920, 1080, {240, 135, 1680, 945}, {274, 213, 1646, 889},
         {{219, kEven}, {244, kTable}, {246, kOdd}, {840, kOdd}, {865, kTable}}},
        {800, 600, {40, 50, 760, 550}, {74, 128, 726, 494},
         {{134, kEven}, {152, kTable}, {154, kOdd}, {574, kEven}, {592, kCanvas}}},
    };
    for (const auto& s : sizes) {
        SCOPED_TRACE(s.w);
        Canvas canvas(s.w, s.h);
        canvas.clear(kCanvas);
        drawHelpScreen(canvas.dc(), s.w, s.h);
        expectBox(canvas, s.box, 4, RGB(0, 0xFF, 0xFF), theme.dialogBackground, kCanvas, s.w > 800);
        expectBox(canvas, s.table, 2, kBlack, kTable, theme.dialogBackground, s.w > 800);
        const int left = s.table.left + 6, right = s.table.right - 6;
        for (auto [y, color] : s.column) {
            EXPECT_EQ(canvas.pixel(left, y), color) << y;
            EXPECT_EQ(canvas.pixel(right - 1, y), color) << y;
            if (color != kEven && color != kOdd) continue;
            EXPECT_EQ(canvas.pixel(left + 190, y + 3), color) << "the divider starts 4 below the band top " << y;
            EXPECT_EQ(canvas.pixel(left + 190, y + 4), kBlack) << y;
        }
    }
}

}  // namespace
