// The info screen: the structure of the terms in every language, and the box sized to its text at
// full size and in a low window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/app_state.h"
#include "common/box_check.h"
#include "common/canvas.h"
#include "screens/info.h"
#include "settings/settings.h"
#include "ui/draw.h"

namespace {

using InfoScreen = AppTest;

// The box's height follows the line count, so every language keeps the heading (in English), then
// item 1 over three lines (its continuations indented by three blanks) and items 2 to 14 one line
// each; all plain text, short enough that the widest line leaves the box at its 980-pixel minimum.
TEST_F(InfoScreen, TermsKeepTheirStructureInEveryLanguage) {
    const std::vector<std::wstring> english = termsLines();
    for (appSettings.language = 0; appSettings.language < 4; ++appSettings.language) {
        const std::vector<std::wstring> lines = termsLines();
        ASSERT_EQ(lines.size(), 17u);
        EXPECT_EQ(lines[0], L"Terms and User Agreement:");
        for (int i = 1; i < 17; ++i) {
            const std::wstring start = i == 2 || i == 3 ? L"   " : std::to_wstring(i < 4 ? 1 : i - 2) + L". ";
            const std::wstring& line = lines[i];
            EXPECT_TRUE(line.rfind(start, 0) == 0 && line[start.size()] != L' ') << line;
            EXPECT_TRUE(line.size() <= 62 && std::all_of(line.begin(), line.end(), [](wchar_t ch) {
                return ch >= 32 && ch <= 126;
            })) << line;
            EXPECT_TRUE(appSettings.language == 0 || line != english[i]) << "translated: " << line;
        }
    }
}

TEST_F(InfoScreen, BoxAndTermsPanelAtFullSizeAndInALowWindow) {
    // Full size at the largest font: lines of 28 pixels (row height 42 lowered), the box at its
    // 980-pixel minimum. 1000 x 500: the panel's bottom limited to the box bottom - 62, so only
    // five lines fit above it and the sixth is left out.
    const struct { int w, h; RECT box, panel; int lines; } cases[] = {
        {1920, 1080, {470, 181, 1450, 899}, {500, 339, 1420, 837}, 17},
        {1000, 500, {60, 50, 940, 450}, {90, 208, 910, 388}, 5},
    };
    appSettings.panelBorder = 2;  // yellow: the frame differs from every fill
    appSettings.fontSize = 2;
    applyTheme();
    createFonts();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.w);
        Canvas canvas(c.w, c.h);
        canvas.clear(RGB(1, 2, 3));
        drawInfoScreen(canvas.dc(), c.w, c.h);
        expectBox(canvas, c.box, 6, RGB(0xFF, 0xE6, 0x00), theme.dialogBackground, RGB(1, 2, 3));
        expectBox(canvas, c.panel, 2, kBlack, RGB(0xD2, 0xD2, 0xD2), theme.dialogBackground);
        auto ink = [&](int x0, int y0, int x1, int y1) { return canvas.countColor({x0, y0, x1, y1}, kBlack); };
        const int left = c.panel.left, right = c.panel.right, top = c.panel.top + 10;
        for (int i = 0, y = top; i < c.lines; ++i, y += 28) EXPECT_GT(ink(left + 16, y, right - 16, y + 28), 0) << i;
        if (c.lines == 17) continue;
        EXPECT_EQ(ink(left + 3, top + 141, right - 3, c.panel.bottom - 2), 0) << "no sixth line";
        EXPECT_EQ(ink(c.box.left + 2, c.panel.bottom + 2, c.box.right - 2, c.panel.bottom + 16), 0);
    }
}

}  // namespace
