// The help screen: representative rows and its messages in all four languages, its keys, and the
// box, table and row bands drawn into a DIB section.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/app_state.h"
#include "common/box_check.h"
#include "common/canvas.h"
#include "common/keys.h"
#include "screens/help.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/function_keys.h"
#include "ui/state.h"

namespace {

const COLORREF kCanvasColor = RGB(1, 2, 3), kTableFill = RGB(0xD2, 0xD2, 0xD2);

using HelpScreen = AppTest;

TEST_F(HelpScreen, RowsTitleAndMessagesInEveryLanguage) {
    // row -1: the title, -2: the status after F1 and keys that do nothing there, -3: after ESC
    const struct { int row; const wchar_t* text[4]; } cases[] = {
        {0, {L"Show this help window.", L"Dieses Hilfefenster anzeigen.", L"Afficher cette fenetre d'aide.",
             L"Mostra questa finestra di aiuto."}},
        {19, {L"Clear all marked items. Exit with F10.", L"Alle Markierungen loeschen. Beenden mit F10.",
              L"Effacer tous les marquages. Quitter avec F10.", L"Rimuove tutte le marcature. Esce con F10."}},
        {-1, {L"TORVANE COMMANDER - HELP", L"TORVANE COMMANDER - HILFE", L"TORVANE COMMANDER - AIDE",
              L"TORVANE COMMANDER - AIUTO"}},
        {-2, {L"F1 Help opened. ESC closes the window.", L"F1 Hilfe geoeffnet. ESC schliesst das Fenster.",
              L"F1 Aide ouverte. ESC ferme la fenetre.", L"F1 Aiuto aperto. ESC chiude la finestra."}},
        {-3, {L"Help closed.", L"Hilfe geschlossen.", L"Aide fermee.", L"Aiuto chiuso."}},
    };
    std::set<std::wstring> descriptions;
    for (int language = 0; language < 4; ++language) {
        appSettings.language = language;
        for (const auto& c : cases) {
            std::wstring text = c.row >= 0    ? helpDescription(c.row)
                                : c.row == -1 ? helpTitle()
                                : c.row == -2 ? press({VK_F1, VK_F12, VK_F11, VK_DOWN, 'Q'})
                                              : press({VK_ESCAPE});
            EXPECT_EQ(text, c.text[language]) << "row " << c.row << " language " << language;
        }
        // The key column names the function keys as the bar does, then fixed key names.
        for (int row = 0; row < 12; ++row) EXPECT_EQ(helpKeyText(row), functionLabel(row)) << row;
        for (int row = 0; row < 20; ++row) descriptions.insert(helpDescription(row));
        EXPECT_EQ(helpKeyText(18), L"CTRL + UP/DOWN");
        EXPECT_EQ(helpKeyText(20), L"SUPPORTED FILES:");
    }
    EXPECT_EQ(descriptions.size(), 80u) << "twenty different descriptions in four different languages";
}

TEST_F(HelpScreen, BoxTableAndRowBands) {
    appSettings.panelBorder = 3;  // cyan: the frame differs from every fill
    applyColorScheme();
    const struct {
        int width, height;
        RECT box;
        int rowHeight;
        bool rowsReachTableBottom, rowsReachBoxBottom;
    } sizes[] = {
        {1920, 1080, {240, 135, 1680, 945}, 27, false, false},  // three quarters; the table is 676 high
        {800, 600, {40, 50, 760, 550}, 20, true, true},         // below the minimum: rows run past the table
    };
    for (const auto& s : sizes) {
        SCOPED_TRACE(std::to_string(s.width) + "x" + std::to_string(s.height));
        Canvas canvas(s.width, s.height);
        canvas.clear(kCanvasColor);
        drawHelpScreen(canvas.dc(), s.width, s.height);
        expectBox(canvas, s.box, 4, RGB(0, 0xFF, 0xFF), theme.dialogBackground, kCanvasColor, !s.rowsReachBoxBottom);
        RECT table = {s.box.left + 34, s.box.top + 78, s.box.right - 34, s.box.bottom - 56};
        expectBox(canvas, table, 2, kBlack, kTableFill, theme.dialogBackground, !s.rowsReachTableBottom);
        const int left = table.left + 6, right = table.right - 6;
        for (int row = 0; row < kHelpRowCount; ++row) {
            int top = table.top + 6 + row * s.rowHeight, bottom = top + s.rowHeight - 2;
            if (bottom >= s.height) break;
            COLORREF band = row % 2 == 0 ? RGB(0xE0, 0xE0, 0xE0) : RGB(0xC8, 0xC8, 0xC8);
            EXPECT_EQ(canvas.pixel(left, top), band) << row;
            EXPECT_EQ(canvas.pixel(right - 1, bottom - 1), band) << row;
            EXPECT_TRUE(bottom >= table.bottom - 2 || canvas.pixel(left + 4, bottom) == kTableFill) << row;
            // The divider between key and description, 4 pixels short of the band's ends.
            EXPECT_EQ(canvas.pixel(left + 190, top + 3), band) << row;
            EXPECT_EQ(canvas.pixel(left + 190, top + 4), kBlack) << row;
        }
    }
}

}  // namespace
