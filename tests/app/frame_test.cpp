// The frame rendered into a DIB section, checked at the coordinates the layout fixes: bands, panel
// frames, header separators, row fills, function buttons and the message box. Samples lie away
// from text, since the monospaced face differs between systems.
#include <gtest/gtest.h>

#include "app/frame.h"
#include "common/app_state.h"
#include "common/box_check.h"
#include "common/canvas.h"
#include "common/gdi_count.h"
#include "panels/panels.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/state.h"

namespace {

constexpr COLORREF kTeal = RGB(0x00, 0x80, 0x80), kTealPanel = RGB(0x00, 0x96, 0x96),
                   kTealHeader = RGB(0x00, 0x76, 0x76), kTealKeyBar = RGB(0x00, 0x8C, 0x8C),
                   kTealButton = RGB(0x00, 0xAA, 0xAA);

// "..", three folders, then files.
PanelState makePanel(const std::wstring& path) {
    PanelState panel;
    panel.path = path;
    panel.entries.push_back({L"..", true, FILE_ATTRIBUTE_DIRECTORY, 0, 0});
    for (const wchar_t* name : {L"bin", L"docs", L"src"})
        panel.entries.push_back({name, true, FILE_ATTRIBUTE_DIRECTORY, 0, 133000000000000000ull});
    for (int i = 0; i < 40; ++i)
        panel.entries.push_back({L"file" + std::to_wstring(i) + L".txt", false, 0, 1000u + i, 133000000000000000ull});
    return panel;
}

// Pixels of `color` within 4 of x on row y (a vertical line's width), or of y down column x.
int widthAt(const Canvas& c, int x, int y, COLORREF color) { return c.countColor({x - 4, y, x + 4, y + 1}, color); }
int heightAt(const Canvas& c, int x, int y, COLORREF color) { return c.countColor({x, y - 4, x + 1, y + 4}, color); }

class FrameTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        statusLine = L"ready";
        leftPanel = makePanel(L"C:\\left");
        rightPanel = makePanel(L"C:\\right");
    }
};

TEST_F(FrameTest, GeometryAndColoursInBothColumnLayouts) {
    // separators: name and date column ends of the left, then the right panel; button1L: start of
    // the second function button, lastL: of the last one
    const struct { int w, h, leftR, rightL; int separators[4]; int button1L, lastL; } layouts[] = {
        {1920, 1080, 948, 972, {563, 800, 1511, 1748}, 170, 1750},  // wide columns
        {1280, 720, 628, 652, {322, 510, 950, 1138}, 117, 1167},    // narrow columns
    };
    for (const auto& L : layouts) {
        SCOPED_TRACE(L.w);
        Canvas c(L.w, L.h);
        drawFrame(c.dc(), L.w, L.h);
        const int T = 86, B = L.h - 110, midY = (T + B) / 2;
        EXPECT_EQ(c.pixel(2, 60), kTeal);
        EXPECT_EQ(c.pixel(L.w / 2, 51), kTealHeader);
        EXPECT_EQ(c.pixel(5, L.h - 76), kTealKeyBar);
        // the active left panel framed white with 4 pixels, the right one black with 2
        EXPECT_EQ(widthAt(c, 24, midY, kWhite), 4);
        EXPECT_EQ(widthAt(c, L.leftR, midY, kWhite), 4);
        EXPECT_EQ(heightAt(c, 200, T, kWhite), 4);
        EXPECT_EQ(heightAt(c, 200, B, kWhite), 4);
        EXPECT_EQ(widthAt(c, L.rightL, midY, kBlack), 2);
        EXPECT_EQ(widthAt(c, L.w - 24, midY, kBlack), 2);
        for (int x : L.separators) {  // 1-pixel separators in the white header only
            EXPECT_EQ(c.pixel(x, T + 43), kBlack) << x;
            EXPECT_EQ(c.pixel(x - 1, T + 43), kWhite) << x;
            EXPECT_EQ(c.pixel(x, T + 149), kTealPanel) << x;
        }
        EXPECT_EQ(c.countColor(RECT{L.leftR + 2, T + 36, L.rightL - 2, B}, kBlack), 0) << "the gap stays clear";
        // function buttons: the first selected (white), all with 2-pixel frames
        const int top = L.h - 63;
        for (int left : {12, L.button1L, L.lastL}) {
            EXPECT_EQ(c.pixel(left, top + 5), kBlack) << left;
            EXPECT_EQ(heightAt(c, left + 20, top, kBlack), 2) << left;
            EXPECT_EQ(c.pixel(left + 4, top + 5), left == 12 ? kWhite : kTealButton) << left;
        }
        EXPECT_EQ(c.pixel(L.w - 12, top + 5), kTealKeyBar);
    }
}

TEST_F(FrameTest, ActivePanelAndFocusedBarChangeTheFrames) {
    leftPanelActive = false;
    functionBarIndex = 11;
    functionBarFocused = 1;
    appSettings.panelBorder = 3;  // CYAN
    applyColorScheme();
    Canvas c(1920, 1080);
    drawFrame(c.dc(), 1920, 1080);
    EXPECT_EQ(widthAt(c, 948, 500, kBlack), 2);
    EXPECT_EQ(widthAt(c, 972, 500, RGB(0, 0xFF, 0xFF)), 4);
    EXPECT_EQ(c.pixel(1754, 1022), kWhite);  // the last button selected, with a 3-pixel frame
    EXPECT_EQ(heightAt(c, 1830, 1017, kBlack), 3);
    EXPECT_EQ(heightAt(c, 89, 1017, kBlack), 2);
}

// Left panel rows at 1920 x 1080 run from x 42 to 930, 36 high from y 162.
TEST_F(FrameTest, CursorAndMarkedRowsForEverySelectionBarColour) {
    const struct { COLORREF fill, blended, text; } bars[] = {
        {RGB(255, 230, 0), RGB(127, 190, 75), kBlack}, {RGB(255, 255, 255), RGB(127, 202, 202), kBlack},
        {RGB(255, 170, 0), RGB(127, 160, 75), kBlack}, {RGB(0, 255, 120), RGB(0, 202, 135), kBlack},
        {RGB(0, 220, 255), RGB(0, 185, 202), kBlack},  {RGB(200, 0, 200), RGB(100, 75, 175), kWhite},
        {RGB(180, 0, 0), RGB(90, 75, 75), kWhite},
    };
    leftPanel.cursor = 2;
    leftPanel.marked = {L"..", L"FILE0.TXT", L"docs"};  // ".." is never shown marked; marks ignore case
    for (int s = 0; s < 7; ++s) {
        SCOPED_TRACE(s);
        appSettings.selectionBarColor = s;
        applyColorScheme();
        Canvas c(1920, 1080);
        drawFrame(c.dc(), 1920, 1080);
        EXPECT_EQ(c.pixel(42, 252), bars[s].fill);  // the cursor row ("docs", also marked), edge to edge
        EXPECT_EQ(c.pixel(929, 234), bars[s].fill);
        EXPECT_EQ(c.pixel(41, 252), kTealPanel);
        EXPECT_EQ(c.pixel(930, 252), kTealPanel);
        EXPECT_GT(c.countColor(RECT{42, 234, 563, 270}, bars[s].text), 0);
        EXPECT_EQ(c.pixel(927, 324), bars[s].blended);  // "file0.txt" marked: mean of bar and panel
        for (int y : {180, 216, 360}) EXPECT_EQ(c.pixel(927, y), kTealPanel) << y;
        EXPECT_EQ(c.pixel(1875, 180), bars[s].fill) << "the inactive panel shows its cursor too";
    }
}

TEST_F(FrameTest, MessageBoxAtFullSizeAndBelowTheMinimum) {
    appSettings.textColor = 1;  // white text elsewhere; the box stays black on its own
    applyTextColor();
    showMessageBox(nullptr, L"Copy failed", L"R&D.txt\nAccess is denied. Windows error 5");
    const struct { int w, h; RECT box; } sizes[] = {{1920, 1080, {480, 405, 1440, 675}},
                                                    {800, 600, {40, 167, 760, 432}}};
    for (const auto& s : sizes) {
        Canvas c(s.w, s.h);
        drawFrame(c.dc(), s.w, s.h);
        const RECT& b = s.box;
        expectBox(c, b, 4, kWhite, RGB(0x00, 0xA5, 0xA5), CLR_INVALID);
        EXPECT_EQ(c.countColor(RECT{b.left + 6, b.top + 6, b.right - 6, b.bottom - 6}, kWhite), 0) << s.w;
        EXPECT_GT(c.countColor(RECT{b.left + 24, b.top + 18, b.right - 24, b.top + 68}, kBlack), 0) << s.w;
        EXPECT_GT(c.countColor(RECT{b.left + 30, b.bottom - 38, b.right - 30, b.bottom - 10}, kBlack), 0) << s.w;
    }
}

// Each paint creates and deletes its own brushes, pens and the message box's title font.
TEST_F(FrameTest, RepeatedPaintsWithAMessageBoxKeepTheGdiObjectCount) {
    showMessageBox(nullptr, L"Title", L"Text");
    Canvas c(1920, 1080);
    HGDIOBJ font = GetCurrentObject(c.dc(), OBJ_FONT), pen = GetCurrentObject(c.dc(), OBJ_PEN);
    drawFrame(c.dc(), 1920, 1080);
    const int first = gdiObjectCount();
    ASSERT_GT(first, 0);
    for (int i = 0; i < 1000; ++i) drawFrame(c.dc(), 1920, 1080);
    EXPECT_LE(gdiObjectCount(), first);
    EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_FONT), font) << "every selection was undone";
    EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_PEN), pen);
}

// A fixed-pitch font draws "&&&&&&&&" as eight cells: no prefix processing swallows half of them.
TEST_F(FrameTest, AmpersandsAreDrawnAsTheyAre) {
    auto inkRight = [](const std::wstring& text) {
        Canvas c(600, 40);
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
