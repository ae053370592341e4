// The info screen: the structure of the terms in every language, its messages and keys, the box
// sized to its text, and no GDI object left behind by its title font or by font size changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/app_state.h"
#include "common/box_check.h"
#include "common/canvas.h"
#include "common/gdi_count.h"
#include "common/keys.h"
#include "common/settings_file_guard.h"
#include "screens/info.h"
#include "screens/settings_screen.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/gdi.h"
#include "ui/state.h"

namespace {

const COLORREF kCanvasColor = RGB(1, 2, 3), kTermsFill = RGB(0xD2, 0xD2, 0xD2), kYellow = RGB(0xFF, 0xE6, 0x00);

bool plainAscii(const std::wstring& text) {
    for (wchar_t ch : text)
        if (ch < 32 || ch > 126) return false;
    return true;
}

class InfoScreen : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        appSettings.panelBorder = 2;  // yellow: the frame differs from every fill
        applyColorScheme();
    }
    // True when some pixel in the area is black (text is drawn in black on grey).
    static bool hasInk(const Canvas& canvas, const RECT& area) { return canvas.countColor(area, kBlack) > 0; }
};

// The terms keep their structure in every language; F12 opens, other keys do nothing, F12 closes.
TEST_F(InfoScreen, TermsAndMessagesInEveryLanguage) {
    const wchar_t* opened[4] = {L"F12 Info opened. ESC closes the window.",
                                L"F12 Info geoeffnet. ESC schliesst das Fenster.",
                                L"F12 Info ouverte. ESC ferme la fenetre.", L"F12 Info aperta. ESC chiude la finestra."};
    const wchar_t* closed[4] = {L"Info closed.", L"Info geschlossen.", L"Info fermee.", L"Info chiusa."};
    std::vector<std::wstring> english;
    for (int language = 0; language < 4; ++language) {
        SCOPED_TRACE(language);
        appSettings.language = language;
        EXPECT_EQ(press({VK_F12, VK_F1, VK_F11, VK_RETURN, 'X'}), opened[language]);
        EXPECT_EQ(press({VK_F12}), closed[language]);
        std::vector<std::wstring> lines = termsLines();
        ASSERT_EQ(lines.size(), 17u);
        EXPECT_EQ(lines[0], L"Terms and User Agreement:");
        // Item 1 over three lines, then items 2 to 14 one line each.
        EXPECT_EQ(lines[1].rfind(L"1. ", 0), 0u);
        for (int i : {2, 3}) EXPECT_TRUE(lines[i].rfind(L"   ", 0) == 0 && lines[i][3] != L' ') << i;
        for (int i = 4; i < 17; ++i) EXPECT_EQ(lines[i].rfind(std::to_wstring(i - 2) + L". ", 0), 0u) << lines[i];
        // Plain text, short enough that the widest line leaves the box at its 980-pixel minimum.
        for (const std::wstring& line : lines) EXPECT_TRUE(plainAscii(line) && line.size() <= 62u) << line;
        if (language == 0) english = lines;
        for (int i = 1; language > 0 && i < 17; ++i) EXPECT_NE(lines[i], english[i]) << "translated: " << i;
    }
    EXPECT_TRUE(plainAscii(infoOwnerLine()));
    EXPECT_NE(infoSupportLine().find(L"@example.com"), std::wstring::npos);
}

TEST_F(InfoScreen, BoxAndTermsPanelAtTheSmallestAndLargestFont) {
    // 17 lines of 28 pixels at every size (row heights 32 and 42 are both lowered to 28): terms
    // panel 498 high, box 718 high and 980 wide, its minimum.
    for (int fontSize : {0, 2}) {
        SCOPED_TRACE(fontSize);
        appSettings.fontSize = fontSize;
        applyFontSize();
        createFonts();
        Canvas canvas(1920, 1080);
        canvas.clear(kCanvasColor);
        drawInfoScreen(canvas.dc(), 1920, 1080);
        expectBox(canvas, {470, 181, 1450, 899}, 6, kYellow, theme.dialogBackground, kCanvasColor);
        expectBox(canvas, {500, 339, 1420, 837}, 2, kBlack, kTermsFill, theme.dialogBackground);
        for (int i = 0; i < 17; ++i) EXPECT_TRUE(hasInk(canvas, {516, 349 + i * 28, 1404, 377 + i * 28})) << i;
    }
}

TEST_F(InfoScreen, LowWindowLeavesOutTheLinesThatDoNotFit) {
    // 1000 x 500: box 880 x 400 at 60, 50; panel 90..910 x 208..388 (bottom limited to box bottom - 62).
    // Lines of 28 pixels from 218: five end by 384 (panel bottom - 4); the sixth would not.
    Canvas canvas(1000, 500);
    canvas.clear(kCanvasColor);
    drawInfoScreen(canvas.dc(), 1000, 500);
    expectBox(canvas, {60, 50, 940, 450}, 6, kYellow, theme.dialogBackground, kCanvasColor);
    expectBox(canvas, {90, 208, 910, 388}, 2, kBlack, kTermsFill, theme.dialogBackground);
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(hasInk(canvas, {106, 218 + i * 28, 894, 246 + i * 28})) << i;
    EXPECT_FALSE(hasInk(canvas, {93, 359, 907, 386}) || hasInk(canvas, {62, 390, 938, 404})) << "no sixth line";
}

TEST_F(InfoScreen, FontSizeCyclingAndThousandPaintsLeaveNoGdiObjects) {
    SettingsFileGuard guard;
    Canvas canvas(1920, 1080);
    // The counter itself must see objects come and go, or the check below would prove nothing.
    int before = gdiObjectCount();
    {
        GdiObject<HBRUSH> a(CreateSolidBrush(RGB(1, 1, 1))), b(CreateSolidBrush(RGB(2, 2, 2)));
        ASSERT_EQ(gdiObjectCount(), before + 2);
    }
    ASSERT_EQ(gdiObjectCount(), before);

    openSettings(nullptr);
    settingsRow = 5;
    for (int i = 0; i < 30; ++i) settingsKey(nullptr, VK_RETURN);
    EXPECT_EQ(appSettings.fontSize, (1 + 30) % 3);
    EXPECT_EQ(gdiObjectCount(), before) << "after 30 font size steps";
    HGDIOBJ font = GetCurrentObject(canvas.dc(), OBJ_FONT);
    for (int i = 0; i < 1000; ++i) drawInfoScreen(canvas.dc(), 1920, 1080);
    EXPECT_EQ(gdiObjectCount(), before) << "after 1000 paints of the info screen";
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), font) << "the title font was deselected";
}

}  // namespace
