// The frame rendered into a DIB section, checked pixel by pixel at the coordinates the layout fixes:
// bands, panel boxes and their frames, header separators, row fills, function buttons and the
// message box. Samples lie away from text, since the monospaced face differs between systems.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/draw.h"
#include "app/frame.h"
#include "app/state.h"
#include "common/canvas.h"
#include "panels/panels.h"
#include "settings/settings.h"

namespace {

constexpr COLORREF kTeal = RGB(0x00, 0x80, 0x80), kTealPanel = RGB(0x00, 0x96, 0x96),
                   kTealHeader = RGB(0x00, 0x76, 0x76), kTealKeyBar = RGB(0x00, 0x8C, 0x8C),
                   kTealButton = RGB(0x00, 0xAA, 0xAA), kTealDialog = RGB(0x00, 0xA5, 0xA5);
constexpr int kRow = 36;  // row height at the default font size

void resetSettings() {
    appSettings = AppSettings();
    applyColorScheme();
    applyTextColor();
    applyFontSize();
}

// "..", three folders, then files; every file gets the same fixed time.
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

// Pixels of `color` on row y within 4 pixels either side of x: the width of a vertical frame line.
int lineWidthAcross(const Canvas& c, int x, int y, COLORREF color) {
    return c.countColor(RECT{x - 4, y, x + 4, y + 1}, color);
}
// The same down a column, for a horizontal frame line at y.
int lineHeightAcross(const Canvas& c, int x, int y, COLORREF color) {
    return c.countColor(RECT{x, y - 4, x + 1, y + 4}, color);
}

// GDI objects alive in this process. Windows counts them in GetGuiResources; Wine answers 0 there,
// so the count is read from its handle table instead: a new handle takes a freed slot first, then
// the next fresh one, so the highest slot that a burst of new brushes reaches rises by one for
// every object left alive.
long gdiObjectCount() {
    DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted > 0) return static_cast<long>(counted);
    const int burst = 4000;
    std::vector<HBRUSH> brushes;
    long highest = 0;
    for (int i = 0; i < burst; ++i) {
        HBRUSH brush = CreateSolidBrush(RGB(i & 0xFF, 0, 0));
        if (!brush) break;
        brushes.push_back(brush);
        highest = std::max(highest, static_cast<long>(LOWORD(reinterpret_cast<ULONG_PTR>(brush))));
    }
    for (auto it = brushes.rbegin(); it != brushes.rend(); ++it) DeleteObject(*it);
    return highest + 1 - burst;
}

class FrameTest : public testing::Test {
protected:
    void SetUp() override {
        resetSettings();
        createFonts();
        screenMode = ScreenMode::MainView;
        leftPanelActive = true;
        functionBarIndex = 0;
        functionBarFocused = 0;
        statusLine = L"ready";
        leftPanel = makePanel(L"C:\\left", 40);
        rightPanel = makePanel(L"C:\\right", 40);
    }
    void TearDown() override {
        deleteFonts();
        leftPanel = PanelState();
        rightPanel = PanelState();
        screenMode = ScreenMode::MainView;
        messageTitle.clear();
        messageText.clear();
        messageHint.clear();
        resetSettings();
    }
};

struct Layout {
    int w, h;
    int leftR, rightL;                   // left panel 24..leftR, right panel rightL..w-24
    int nameRight, dateRight;            // header separators of the left panel
    int rightNameRight, rightDateRight;  // and of the right panel
    int button1L, button1R, lastL;       // second function button, start of the last one
    RECT box;                            // the message box
};

const Layout kLayouts[] = {
    // wide columns (225 / 12 / 118)
    {1920, 1080, 948, 972, 563, 800, 1511, 1748, 170, 324, 1750, {480, 405, 1440, 675}},
    // narrow columns (180 / 8 / 92)
    {1280, 720, 628, 652, 322, 510, 950, 1138, 117, 218, 1167, {260, 227, 1020, 492}},
    // the name column at its 160-pixel minimum; date and size pushed past the panel edge
    {800, 600, 388, 412, 202, 390, 590, 778, 77, 138, 727, {40, 167, 760, 432}},
};

TEST_F(FrameTest, GeometryAndColoursAtEachWindowSize) {
    for (const Layout& L : kLayouts) {
        SCOPED_TRACE(testing::Message() << L.w << "x" << L.h);
        Canvas c(L.w, L.h);
        drawFrame(c.dc(), L.w, L.h);
        const int B = L.h - 110, midY = (86 + B) / 2, T = 86;

        // window background, title band (0..52), function band (h-76..h)
        EXPECT_EQ(c.pixel(2, 60), kTeal);
        EXPECT_EQ(c.pixel(L.w - 2, 60), kTeal);
        EXPECT_EQ(c.pixel(L.w / 2, 2), kTealHeader);
        EXPECT_EQ(c.pixel(L.w / 2, 51), kTealHeader);
        EXPECT_EQ(c.pixel(L.w / 2, 52), kTeal);
        EXPECT_EQ(c.pixel(L.w - 30, L.h - 88), kTeal);  // the status line has no box
        EXPECT_EQ(c.pixel(5, L.h - 77), kTeal);
        EXPECT_EQ(c.pixel(5, L.h - 76), kTealKeyBar);
        EXPECT_EQ(c.pixel(L.w / 2, L.h - 2), kTealKeyBar);

        // panel boxes: the active left one framed white with 4 pixels, the right one black with 2
        EXPECT_EQ(lineWidthAcross(c, 24, midY, kWhite), 4);
        EXPECT_EQ(lineWidthAcross(c, L.leftR, midY, kWhite), 4);
        EXPECT_EQ(lineHeightAcross(c, 200, T, kWhite), 4);
        EXPECT_EQ(lineHeightAcross(c, 200, B, kWhite), 4);
        EXPECT_EQ(lineWidthAcross(c, L.rightL, midY, kBlack), 2);
        EXPECT_EQ(lineWidthAcross(c, L.w - 24, midY, kBlack), 2);
        EXPECT_EQ(lineHeightAcross(c, L.rightL + 100, B, kBlack), 2);
        EXPECT_EQ(c.pixel(20, midY), kTeal);
        EXPECT_EQ(c.pixel(L.leftR + 2, midY), kTeal);
        EXPECT_EQ(c.pixel(L.rightL - 3, midY), kTeal);
        EXPECT_EQ(c.pixel(L.w - 22, midY), kTeal);
        EXPECT_EQ(c.pixel(200, B + 2), kTeal);
        EXPECT_EQ(c.pixel(30, B - 6), kTealPanel);
        EXPECT_EQ(c.pixel(L.w - 30, B - 6), kTealPanel);

        // header: a white box from x0 to x1 with 1-pixel separators, none below it
        for (int x : {L.nameRight, L.dateRight, L.rightNameRight, L.rightDateRight}) {
            bool inside = x < L.leftR - 18 || (x > L.rightL && x < L.w - 42);
            if (!inside) continue;  // pushed out of the panel: checked below
            SCOPED_TRACE(x);
            EXPECT_EQ(c.pixel(x, T + 43), kBlack);
            EXPECT_EQ(c.pixel(x - 1, T + 43), kWhite);
            EXPECT_EQ(c.pixel(x + 1, T + 43), kWhite);
            EXPECT_EQ(c.pixel(x, T + 76 + 2 * kRow + 1), kTealPanel);
        }
        // nothing of a panel's contents spills into the margins beside it
        EXPECT_EQ(c.countColor(RECT{L.leftR + 2, T + 36, L.rightL - 2, B}, kBlack), 0);
        EXPECT_EQ(c.countColor(RECT{L.w - 22, T + 36, L.w, B}, kBlack), 0);

        // function buttons: the first is selected (white), the bar not focused (2-pixel frames)
        const int top = L.h - 63, y = top + 5;
        RECT buttons[] = {{12, top, 0, 0}, {L.button1L, top, L.button1R, 0}, {L.lastL, top, L.w - 12, 0}};
        buttons[0].right = L.button1L - 4;
        for (const RECT& b : buttons) {
            SCOPED_TRACE(b.left);
            EXPECT_EQ(c.pixel(b.left, y), kBlack);
            EXPECT_EQ(c.pixel(b.left - 2, y), kTealKeyBar);
            EXPECT_EQ(c.pixel(b.right - 1, y), kBlack);
            EXPECT_EQ(c.pixel(b.right, y), kTealKeyBar);
            EXPECT_EQ(lineHeightAcross(c, (b.left + b.right) / 2, top, kBlack), 2);
            EXPECT_EQ(lineHeightAcross(c, (b.left + b.right) / 2, L.h - 13, kBlack), 2);
            EXPECT_EQ(c.pixel(b.left + 4, y), b.left == 12 ? kWhite : kTealButton);
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
    const COLORREF cyan = RGB(0x00, 0xFF, 0xFF);
    EXPECT_EQ(lineWidthAcross(c, 24, 500, kBlack), 2);
    EXPECT_EQ(lineWidthAcross(c, 948, 500, kBlack), 2);
    EXPECT_EQ(lineWidthAcross(c, 972, 500, cyan), 4);
    EXPECT_EQ(lineWidthAcross(c, 1896, 500, cyan), 4);

    const int top = 1080 - 63;
    EXPECT_EQ(c.pixel(1754, top + 5), kWhite);  // last button selected
    EXPECT_EQ(lineHeightAcross(c, 1830, top, kBlack), 3);
    EXPECT_EQ(c.pixel(16, top + 5), kTealButton);
    EXPECT_EQ(lineHeightAcross(c, 89, top, kBlack), 2);
}

// Rows of the left panel at 1920 x 1080: x0 = 42, x1 = 930, the list starts at y 162.
TEST_F(FrameTest, CursorAndMarkedRowsForEverySelectionBarColour) {
    struct Bar {
        COLORREF fill, blended, text;
    };
    const Bar bars[] = {
        {RGB(255, 230, 0), RGB(127, 190, 75), kBlack},   {RGB(255, 255, 255), RGB(127, 202, 202), kBlack},
        {RGB(255, 170, 0), RGB(127, 160, 75), kBlack},   {RGB(0, 255, 120), RGB(0, 202, 135), kBlack},
        {RGB(0, 220, 255), RGB(0, 185, 202), kBlack},    {RGB(200, 0, 200), RGB(100, 75, 175), kWhite},
        {RGB(180, 0, 0), RGB(90, 75, 75), kWhite},
    };
    PanelState& p = leftPanel;
    p.cursor = 2;
    p.marked = {L"..", L"FILE0.TXT", L"docs"};  // ".." is never shown marked; marks ignore case
    const int x0 = 42, x1 = 930;
    auto rowY = [](int row) { return 162 + row * kRow + kRow / 2; };

    for (int s = 0; s < 7; ++s) {
        SCOPED_TRACE(s);
        appSettings.selectionBarColor = s;
        applyColorScheme();
        Canvas c(1920, 1080);
        drawFrame(c.dc(), 1920, 1080);
        const Bar& bar = bars[s];
        // the cursor row ("docs", also marked) is filled edge to edge with the bar colour
        EXPECT_EQ(c.pixel(x0, rowY(2)), bar.fill);
        EXPECT_EQ(c.pixel(x1 - 1, rowY(2)), bar.fill);
        EXPECT_EQ(c.pixel(x0 - 1, rowY(2)), kTealPanel);
        EXPECT_EQ(c.pixel(x1, rowY(2)), kTealPanel);
        EXPECT_EQ(c.pixel(x1 - 3, 162 + 2 * kRow), bar.fill);
        EXPECT_EQ(c.pixel(x1 - 3, 162 + 3 * kRow - 1), bar.fill);
        EXPECT_GT(c.countColor(RECT{x0, 162 + 2 * kRow, 563, 162 + 3 * kRow}, bar.text), 0);
        // "file0.txt" (row 4) is marked: the mean of bar and panel colour
        EXPECT_EQ(c.pixel(x0, rowY(4)), bar.blended);
        EXPECT_EQ(c.pixel(x1 - 3, rowY(4)), bar.blended);
        // ".." (row 0), a plain folder and a plain file: no fill
        for (int row : {0, 1, 5}) EXPECT_EQ(c.pixel(x1 - 3, rowY(row)), kTealPanel) << row;
        // the inactive right panel shows its cursor row too
        EXPECT_EQ(c.pixel(1878 - 3, rowY(0)), bar.fill);
    }
}

TEST_F(FrameTest, ScrolledPanelShowsTheCursorOnItsLastRow) {
    // 1920 x 1080: (970 - 162 - 12) / 36 = 22 visible rows
    leftPanel = makePanel(L"C:\\big", 100);
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
    screenMode = ScreenMode::MessageBox;
    messageTitle = L"Copy failed";
    messageText = L"R&D.txt\nAccess is denied. Windows error 5";
    messageHint = L"Enter / ESC = close";
    for (const Layout& L : kLayouts) {
        SCOPED_TRACE(testing::Message() << L.w << "x" << L.h);
        Canvas c(L.w, L.h);
        drawFrame(c.dc(), L.w, L.h);
        const RECT& b = L.box;
        const int midY = (b.top + b.bottom) / 2, midX = (b.left + b.right) / 2;
        EXPECT_EQ(lineWidthAcross(c, b.left, midY, kWhite), 4);
        EXPECT_EQ(lineWidthAcross(c, b.right, midY, kWhite), 4);
        EXPECT_EQ(lineHeightAcross(c, midX, b.top, kWhite), 4);
        EXPECT_EQ(lineHeightAcross(c, midX, b.bottom, kWhite), 4);
        EXPECT_EQ(c.pixel(b.left + 10, midY), kTealDialog);
        EXPECT_EQ(c.pixel(b.right - 10, b.bottom - 6), kTealDialog);
        EXPECT_NE(c.pixel(b.left - 4, midY), kTealDialog);
        // title, text and hint are black, never the white text colour
        RECT inside = {b.left + 6, b.top + 6, b.right - 6, b.bottom - 6};
        EXPECT_EQ(c.countColor(inside, kWhite), 0);
        EXPECT_GT(c.countColor(RECT{b.left + 24, b.top + 18, b.right - 24, b.top + 68}, kBlack), 0);
        EXPECT_GT(c.countColor(RECT{b.left + 42, b.top + 78, b.right - 42, b.bottom - 52}, kBlack), 0);
        EXPECT_GT(c.countColor(RECT{b.left + 30, b.bottom - 38, b.right - 30, b.bottom - 10}, kBlack), 0);
    }
}

// Each paint creates and deletes its own brushes, pens and the message box's title font.
TEST_F(FrameTest, RepeatedPaintsWithAMessageBoxKeepTheGdiObjectCount) {
    screenMode = ScreenMode::MessageBox;
    messageTitle = L"Title";
    messageText = L"Text";
    messageHint = L"Enter / ESC = close";
    Canvas c(1920, 1080);
    HGDIOBJ font = GetCurrentObject(c.dc(), OBJ_FONT), pen = GetCurrentObject(c.dc(), OBJ_PEN),
            brush = GetCurrentObject(c.dc(), OBJ_BRUSH);
    drawFrame(c.dc(), 1920, 1080);
    const long first = gdiObjectCount();
    ASSERT_GT(first, 0);
    for (int i = 0; i < 1000; ++i) drawFrame(c.dc(), 1920, 1080);
    EXPECT_LE(gdiObjectCount(), first);
    // every selection was undone
    EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_BRUSH), brush);
}

// A fixed-pitch font draws "&&&&&&&&" as eight cells: no prefix processing swallows half of them.
TEST_F(FrameTest, AmpersandsAreDrawnAsTheyAre) {
    auto inkRight = [](const std::wstring& text) {
        Canvas c(600, 40);
        c.clear(kWhite);
        drawText(c.dc(), RECT{0, 0, 600, 40}, text, kBlack, true, false, kLineLeftMiddle);
        int right = -1;
        for (int x = 0; x < 600; ++x)
            for (int y = 0; y < 40; ++y)
                if (c.pixel(x, y) != kWhite) right = x;
        return right;
    };
    int plain = inkRight(L"WWWWWWWW"), ampersands = inkRight(L"&&&&&&&&");
    ASSERT_GT(plain, 0);
    EXPECT_NEAR(ampersands, plain, plain / 8);
}

}  // namespace
