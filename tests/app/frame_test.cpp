// The frame rendered into a DIB section, checked pixel by pixel at the coordinates the layout fixes:
// bands, panel boxes and their frames, header separators, row fills, function buttons and the
// message box. Samples lie away from text, since the monospaced face differs between systems.
#include <gtest/gtest.h>

#include "app/draw.h"
#include "app/frame.h"
#include "app/state.h"
#include "common/app_state.h"
#include "common/box_check.h"
#include "common/canvas.h"
#include "common/gdi_count.h"
#include "panels/panels.h"
#include "settings/settings.h"

namespace {

constexpr COLORREF kTeal = RGB(0x00, 0x80, 0x80), kTealPanel = RGB(0x00, 0x96, 0x96),
                   kTealHeader = RGB(0x00, 0x76, 0x76), kTealKeyBar = RGB(0x00, 0x8C, 0x8C),
                   kTealButton = RGB(0x00, 0xAA, 0xAA), kTealDialog = RGB(0x00, 0xA5, 0xA5);
constexpr int kRow = 36;  // row height at the default font size

// "..", three folders, then files; every entry gets the same fixed time.
PanelState makePanel(const std::wstring& path, int files) {
    PanelState panel;
    panel.path = path;
    panel.entries.push_back({L"..", true, FILE_ATTRIBUTE_DIRECTORY, 0, 0});
    for (const wchar_t* name : {L"bin", L"docs", L"src"})
        panel.entries.push_back({name, true, FILE_ATTRIBUTE_DIRECTORY, 0, 133000000000000000ull});
    for (int i = 0; i < files; ++i)
        panel.entries.push_back({L"file" + std::to_wstring(i) + L".txt", false, 0, 1000u + i, 133000000000000000ull});
    return panel;
}

// Pixels of `color` within 4 pixels either side of x on row y: the width of a vertical frame line.
int widthAt(const Canvas& c, int x, int y, COLORREF color) {
    return c.countColor(RECT{x - 4, y, x + 4, y + 1}, color);
}
// The same down column x, for a horizontal frame line at y.
int heightAt(const Canvas& c, int x, int y, COLORREF color) {
    return c.countColor(RECT{x, y - 4, x + 1, y + 4}, color);
}

class FrameTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        statusLine = L"ready";
        leftPanel = makePanel(L"C:\\left", 40);
        rightPanel = makePanel(L"C:\\right", 40);
    }
};

const struct Layout {
    int w, h;
    int leftR, rightL;             // left panel 24..leftR, right panel rightL..w-24
    int separators[4];             // name and date column ends of the left, then the right panel
    int button1L, button1R, lastL;  // second function button, start of the last one
    RECT box;                      // the message box
} kLayouts[] = {
    // wide columns (225 / 12 / 118)
    {1920, 1080, 948, 972, {563, 800, 1511, 1748}, 170, 324, 1750, {480, 405, 1440, 675}},
    // narrow columns (180 / 8 / 92)
    {1280, 720, 628, 652, {322, 510, 950, 1138}, 117, 218, 1167, {260, 227, 1020, 492}},
    // the name column at its 160-pixel minimum; date and size pushed past the panel edge
    {800, 600, 388, 412, {202, 390, 590, 778}, 77, 138, 727, {40, 167, 760, 432}},
};

TEST_F(FrameTest, GeometryAndColoursAtEachWindowSize) {
    for (const Layout& L : kLayouts) {
        SCOPED_TRACE(testing::Message() << L.w << "x" << L.h);
        Canvas c(L.w, L.h);
        drawFrame(c.dc(), L.w, L.h);
        const int T = 86, B = L.h - 110, midY = (T + B) / 2;

        // window background, title band (0..52), status line without a box, function band (h-76..h)
        EXPECT_EQ(c.pixel(2, 60), kTeal);
        EXPECT_EQ(c.pixel(L.w / 2, 51), kTealHeader);
        EXPECT_EQ(c.pixel(L.w - 30, L.h - 88), kTeal);
        EXPECT_EQ(c.pixel(5, L.h - 76), kTealKeyBar);

        // the active left panel framed white with 4 pixels, the right one black with 2
        EXPECT_EQ(widthAt(c, 24, midY, kWhite), 4);
        EXPECT_EQ(widthAt(c, L.leftR, midY, kWhite), 4);
        EXPECT_EQ(heightAt(c, 200, T, kWhite), 4);
        EXPECT_EQ(heightAt(c, 200, B, kWhite), 4);
        EXPECT_EQ(widthAt(c, L.rightL, midY, kBlack), 2);
        EXPECT_EQ(widthAt(c, L.w - 24, midY, kBlack), 2);
        EXPECT_EQ(c.pixel(30, B - 6), kTealPanel);

        // header: 1-pixel separators in a white box, none below it
        for (int x : L.separators) {
            if (x >= L.leftR - 18 && (x <= L.rightL || x >= L.w - 42)) continue;  // pushed out of the panel
            EXPECT_EQ(c.pixel(x, T + 43), kBlack) << x;
            EXPECT_EQ(c.pixel(x - 1, T + 43), kWhite) << x;
            EXPECT_EQ(c.pixel(x, T + 76 + 2 * kRow + 1), kTealPanel) << x;
        }
        // nothing of a panel's contents spills into the margins beside it
        EXPECT_EQ(c.countColor(RECT{L.leftR + 2, T + 36, L.rightL - 2, B}, kBlack), 0);
        EXPECT_EQ(c.countColor(RECT{L.w - 22, T + 36, L.w, B}, kBlack), 0);

        // function buttons: the first is selected (white), the bar not focused (2-pixel frames)
        const int top = L.h - 63, y = top + 5;
        const RECT buttons[] = {{12, top, L.button1L - 4, 0}, {L.button1L, top, L.button1R, 0},
                                {L.lastL, top, L.w - 12, 0}};
        for (const RECT& b : buttons) {
            EXPECT_EQ(c.pixel(b.left, y), kBlack) << b.left;
            EXPECT_EQ(c.pixel(b.right - 1, y), kBlack) << b.left;
            EXPECT_EQ(c.pixel(b.right, y), kTealKeyBar) << b.left;
            EXPECT_EQ(heightAt(c, (b.left + b.right) / 2, top, kBlack), 2) << b.left;
            EXPECT_EQ(c.pixel(b.left + 4, y), b.left == 12 ? kWhite : kTealButton) << b.left;
        }
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
    EXPECT_EQ(widthAt(c, 24, 500, kBlack), 2);
    EXPECT_EQ(widthAt(c, 948, 500, kBlack), 2);
    EXPECT_EQ(widthAt(c, 972, 500, RGB(0, 0xFF, 0xFF)), 4);
    EXPECT_EQ(widthAt(c, 1896, 500, RGB(0, 0xFF, 0xFF)), 4);
    EXPECT_EQ(c.pixel(1754, 1022), kWhite);  // the last button selected, with a 3-pixel frame
    EXPECT_EQ(heightAt(c, 1830, 1017, kBlack), 3);
    EXPECT_EQ(c.pixel(16, 1022), kTealButton);
    EXPECT_EQ(heightAt(c, 89, 1017, kBlack), 2);
}

// Rows of the left panel at 1920 x 1080: x0 = 42, x1 = 930, the list starts at y 162.
TEST_F(FrameTest, CursorAndMarkedRowsForEverySelectionBarColour) {
    const struct {
        COLORREF fill, blended, text;
    } bars[] = {
        {RGB(255, 230, 0), RGB(127, 190, 75), kBlack}, {RGB(255, 255, 255), RGB(127, 202, 202), kBlack},
        {RGB(255, 170, 0), RGB(127, 160, 75), kBlack}, {RGB(0, 255, 120), RGB(0, 202, 135), kBlack},
        {RGB(0, 220, 255), RGB(0, 185, 202), kBlack},  {RGB(200, 0, 200), RGB(100, 75, 175), kWhite},
        {RGB(180, 0, 0), RGB(90, 75, 75), kWhite},
    };
    leftPanel.cursor = 2;
    leftPanel.marked = {L"..", L"FILE0.TXT", L"docs"};  // ".." is never shown marked; marks ignore case
    auto rowY = [](int row) { return 162 + row * kRow + kRow / 2; };
    for (int s = 0; s < 7; ++s) {
        SCOPED_TRACE(s);
        appSettings.selectionBarColor = s;
        applyColorScheme();
        Canvas c(1920, 1080);
        drawFrame(c.dc(), 1920, 1080);
        // the cursor row ("docs", also marked) is filled edge to edge with the bar colour
        EXPECT_EQ(c.pixel(42, rowY(2)), bars[s].fill);
        EXPECT_EQ(c.pixel(929, 162 + 2 * kRow), bars[s].fill);
        EXPECT_EQ(c.pixel(41, rowY(2)), kTealPanel);
        EXPECT_EQ(c.pixel(930, rowY(2)), kTealPanel);
        EXPECT_GT(c.countColor(RECT{42, 162 + 2 * kRow, 563, 162 + 3 * kRow}, bars[s].text), 0);
        // "file0.txt" (row 4) is marked: the mean of bar and panel colour
        EXPECT_EQ(c.pixel(927, rowY(4)), bars[s].blended);
        // ".." (row 0), a plain folder and a plain file: no fill
        for (int row : {0, 1, 5}) EXPECT_EQ(c.pixel(927, rowY(row)), kTealPanel) << row;
        // the inactive right panel shows its cursor row too
        EXPECT_EQ(c.pixel(1875, rowY(0)), bars[s].fill);
    }
}

TEST_F(FrameTest, ScrolledPanelShowsTheCursorOnItsLastRow) {
    leftPanel = makePanel(L"C:\\big", 100);  // 22 visible rows at 1920 x 1080
    leftPanel.cursor = 50;
    Canvas c(1920, 1080);
    drawFrame(c.dc(), 1920, 1080);
    EXPECT_EQ(leftPanel.scroll, 29);
    EXPECT_EQ(c.pixel(927, 162 + 21 * kRow + kRow / 2), RGB(255, 230, 0));
    EXPECT_EQ(c.pixel(927, 162 + 20 * kRow + kRow / 2), kTealPanel);
    EXPECT_EQ(c.pixel(927, 162 + 22 * kRow + 4), kTealPanel);  // no 23rd row
}

TEST_F(FrameTest, MessageBoxAtEachWindowSize) {
    appSettings.textColor = 1;  // white text elsewhere; the box stays black on its own
    applyTextColor();
    showMessageBox(nullptr, L"Copy failed", L"R&D.txt\nAccess is denied. Windows error 5");
    for (const Layout& L : kLayouts) {
        SCOPED_TRACE(testing::Message() << L.w << "x" << L.h);
        Canvas c(L.w, L.h);
        drawFrame(c.dc(), L.w, L.h);
        const RECT& b = L.box;
        expectBox(c, b, 4, kWhite, kTealDialog, CLR_INVALID);
        // title, text and hint are black, never the white text colour
        EXPECT_EQ(c.countColor(RECT{b.left + 6, b.top + 6, b.right - 6, b.bottom - 6}, kWhite), 0);
        EXPECT_GT(c.countColor(RECT{b.left + 24, b.top + 18, b.right - 24, b.top + 68}, kBlack), 0);
        EXPECT_GT(c.countColor(RECT{b.left + 42, b.top + 78, b.right - 42, b.bottom - 52}, kBlack), 0);
        EXPECT_GT(c.countColor(RECT{b.left + 30, b.bottom - 38, b.right - 30, b.bottom - 10}, kBlack), 0);
    }
}

// Each paint creates and deletes its own brushes, pens and the message box's title font.
TEST_F(FrameTest, RepeatedPaintsWithAMessageBoxKeepTheGdiObjectCount) {
    showMessageBox(nullptr, L"Title", L"Text");
    Canvas c(1920, 1080);
    HGDIOBJ font = GetCurrentObject(c.dc(), OBJ_FONT), pen = GetCurrentObject(c.dc(), OBJ_PEN),
            brush = GetCurrentObject(c.dc(), OBJ_BRUSH);
    drawFrame(c.dc(), 1920, 1080);
    const int first = gdiObjectCount();
    ASSERT_GT(first, 0);
    for (int i = 0; i < 1000; ++i) drawFrame(c.dc(), 1920, 1080);
    EXPECT_LE(gdiObjectCount(), first);
    EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_FONT), font) << "every selection was undone";
    EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_BRUSH), brush);
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
    int plain = inkRight(L"WWWWWWWW"), ampersands = inkRight(L"&&&&&&&&");
    ASSERT_GT(plain, 0);
    EXPECT_NEAR(ampersands, plain, plain / 8);
}

}  // namespace
