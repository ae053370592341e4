// The frame rendered into a DIB section, checked at the coordinates the layout fixes: bands, panel
// frames, header separators and function buttons; and no GDI object left behind by any screen.
// Samples lie away from text, since the monospaced face differs.
#include <gtest/gtest.h>

#include "app/frame.h"
#include "app/resource_counts.h"
#include "common/app_state.h"
#include "common/canvas.h"
#include "common/keys.h"
#include "common/settings_file_guard.h"
#include "ops/progress.h"
#include "panels/panels.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/gdi.h"
#include "ui/state.h"

namespace {

constexpr COLORREF kTealPanel = RGB(0x00, 0x96, 0x96), kTealKeyBar = RGB(0x00, 0x8C, 0x8C);

// Pixels of `color` within 4 of x on row y (a vertical line's width), or of y down column x.
int widthAt(const Canvas& c, int x, int y, COLORREF color) { return c.countColor({x - 4, y, x + 4, y + 1}, color); }
int heightAt(const Canvas& c, int x, int y, COLORREF color) { return c.countColor({x, y - 4, x + 1, y + 4}, color); }

class FrameTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        statusLine = L"ready";
        // "..", three folders, then files
        const uint64_t time = 133000000000000000ull;
        leftPanel.entries.push_back({L"..", true, FILE_ATTRIBUTE_DIRECTORY, 0, 0});
        for (const wchar_t* name : {L"bin", L"docs", L"src"})
            leftPanel.entries.push_back({name, true, FILE_ATTRIBUTE_DIRECTORY, 0, time});
        for (int i = 0; i < 40; ++i)
            leftPanel.entries.push_back({L"file" + std::to_wstring(i) + L".txt", false, 0, 1000u + i, time});
        leftPanel.path = L"C:\\data";
        rightPanel = leftPanel;
    }
    Canvas c{1920, 1080};
    void draw() { drawFrame(c.dc(), 1920, 1080); }
};

TEST_F(FrameTest, PanelFramesSeparatorsAndFunctionButtonsOfEitherActivePanel) {
    draw();
    EXPECT_EQ(c.pixel(2, 60), RGB(0x00, 0x80, 0x80));  // window, title band, key bar
    EXPECT_EQ(c.pixel(960, 51), RGB(0x00, 0x76, 0x76));
    EXPECT_EQ(c.pixel(5, 1004), kTealKeyBar);
    // the active left panel framed white with 4 pixels, the right one black with 2
    EXPECT_EQ(widthAt(c, 24, 528, kWhite) + heightAt(c, 200, 970, kWhite), 8);
    EXPECT_EQ(widthAt(c, 1896, 528, kBlack), 2);
    EXPECT_EQ(c.pixel(563, 129), kBlack) << "a column separator in the white header only";
    EXPECT_EQ(c.pixel(563, 235), kTealPanel);
    EXPECT_EQ(c.pixel(16, 1022), kWhite) << "the first function button selected";
    EXPECT_EQ(c.pixel(174, 1022), RGB(0x00, 0xAA, 0xAA));
    EXPECT_EQ(c.pixel(1907, 1022), kBlack) << "the last button ends 12 short of the edge";
    EXPECT_EQ(c.pixel(1908, 1022), kTealKeyBar);

    // The right panel active, the last button selected in the focused bar.
    leftPanelActive = false;
    functionBarIndex = 11;
    functionBarFocused = 1;
    appSettings.panelBorder = 3;  // CYAN
    applyColorScheme();
    draw();
    EXPECT_EQ(widthAt(c, 948, 500, kBlack), 2);
    EXPECT_EQ(widthAt(c, 972, 500, RGB(0, 0xFF, 0xFF)), 4);
    EXPECT_EQ(c.pixel(1754, 1022), kWhite);  // the last button selected, with a 3-pixel frame
    EXPECT_EQ(heightAt(c, 1830, 1017, kBlack), 3);
    EXPECT_EQ(heightAt(c, 89, 1017, kBlack), 2) << "the others keep 2";
}

// Every screen's paint creates and deletes its own brushes, pens and title fonts, and a font size
// step replaces the three fonts: nothing may pile up.
TEST_F(FrameTest, PaintsOfEveryScreenAndFontSizeStepsKeepTheGdiObjectCount) {
    SettingsFileGuard settingsFile;  // each font size step is saved
    showMessageBox(nullptr, L"Title", L"Text");
    const HGDIOBJ font = GetCurrentObject(c.dc(), OBJ_FONT), pen = GetCurrentObject(c.dc(), OBJ_PEN);
    auto paintEveryScreen = [&](int times) {
        for (int mode = 0; mode <= static_cast<int>(ScreenMode::MessageBox); ++mode) {
            screenMode = static_cast<ScreenMode>(mode);
            for (int i = 0; i < times; ++i) draw();
        }
    };
    paintEveryScreen(1);  // whatever is made once for good is made now
    const int first = gdiObjectCount();
    {  // the counter must see objects come and go, or the checks below would prove nothing
        GdiObject<HBRUSH> probe(CreateSolidBrush(RGB(1, 2, 3)));
        ASSERT_EQ(gdiObjectCount(), first + 1);
    }
    paintEveryScreen(50);
    EXPECT_LE(gdiObjectCount(), first) << "after 50 paints of every screen";
    screenMode = ScreenMode::Settings;
    settingsRow = 5;
    for (int i = 0; i < 30; ++i) press({VK_RETURN});
    EXPECT_LE(gdiObjectCount(), first) << "after 30 font size steps";
    EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_FONT), font) << "every selection was undone";
    EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_PEN), pen);
}

// A fixed-pitch font draws "&&&&&&&&" as eight cells: no prefix processing swallows half of them.
TEST_F(FrameTest, AmpersandsAreDrawnAsTheyAre) {
    auto inkRight = [this](const std::wstring& text) {
        c.clear(kWhite);
        drawText(c.dc(), RECT{0, 0, 600, 40}, text, kBlack, true, false, kLineLeftMiddle);
        for (int x = 599; x >= 0; --x)
            if (c.countColor(RECT{x, 0, x + 1, 40}, kWhite) < 40) return x;
        return -1;
    };
    int plain = inkRight(L"WWWWWWWW");
    ASSERT_GT(plain, 0);
    EXPECT_NEAR(inkRight(L"&&&&&&&&"), plain, plain / 8);
}

}  // namespace

// A progress frame repaints only its part of the window; drawn into a bitmap of that part alone (as
// the window composes it), it must match the same pixels of a whole frame, inside the box and across
// its edge, where the panels beneath still show.
TEST_F(FrameTest, APartOfAProgressFrameMatchesTheWholeFrame) {
    copyProgress = deleteProgress = OperationProgress{L"file7.txt", 500, 1000, 50, 0, 0, 100};
    for (ScreenMode mode : {ScreenMode::CopyProgress, ScreenMode::DeleteProgress}) {
        screenMode = mode;
        draw();
        RECT box;
        ASSERT_TRUE(progressBoxRect(mode, 1920, 1080, box));
        for (RECT part : {box, RECT{box.left - 30, box.top - 20, box.left + 90, box.top + 60}}) {
            Canvas piece(part.right - part.left, part.bottom - part.top);
            SetViewportOrgEx(piece.dc(), -part.left, -part.top, nullptr);
            drawFrame(piece.dc(), 1920, 1080);
            int differ = 0;
            for (int y = part.top; y < part.bottom; y += 3)
                for (int x = part.left; x < part.right; x += 3)
                    differ += piece.pixel(x - part.left, y - part.top) != c.pixel(x, y);
            EXPECT_EQ(differ, 0) << "mode " << static_cast<int>(mode) << ", part at " << part.left << "," << part.top;
        }
    }
}
