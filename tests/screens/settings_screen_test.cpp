// The settings screen: its texts in four languages, its keys (each change applied and saved at
// once, a failed save silent), and its box and rows drawn into a DIB section.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/app_state.h"
#include "common/box_check.h"
#include "common/canvas.h"
#include "common/keys.h"
#include "common/settings_file_guard.h"
#include "common/temp_folder.h"
#include "screens/settings_screen.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/state.h"

namespace {

int32_t& fieldOfRow(int row) {
    AppSettings& s = appSettings;
    int32_t* fields[7] = {&s.language, &s.backgroundColor, &s.selectionBarColor, &s.textColor, &s.textStyle,
                          &s.fontSize, &s.panelBorder};
    return *fields[row];
}

// The current settings as the file must hold them.
std::string record() {
    SettingsRecord r = encodeSettings(appSettings);
    return std::string(r.begin(), r.end());
}

void writeMarker(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, "marker", 6, &written, nullptr);
    CloseHandle(file);
}

using SettingsScreen = AppTest;

TEST_F(SettingsScreen, TextsInEveryLanguage) {
    // row -1: the title, -2: the status after F11, -3: after ESC; value: of the row's setting
    const struct { int row, value; const wchar_t* text[4]; } cases[] = {
        {0, 0, {L"Language: ENGLISH", L"Sprache: DEUTSCH", L"Langue: FRANCAIS", L"Lingua: ITALIANO"}},
        {1, 1, {L"Background color: DARK TEAL", L"Hintergrundfarbe: DUNKEL-TEAL", L"Couleur de fond: TURQUOISE FONCE",
                L"Colore sfondo: VERDE ACQUA SCURO"}},
        {5, 2, {L"Font size: VERY LARGE", L"Schriftgroesse: SEHR GROSS", L"Taille du texte: TRES GRANDE",
                L"Dimensione testo: MOLTO GRANDE"}},
        {7, 0, {L"Back to Commander", L"Zurueck zum Commander", L"Retour au Commander", L"Torna al Commander"}},
        {-1, 0, {L"TORVANE COMMANDER - SETTINGS", L"TORVANE COMMANDER - EINSTELLUNGEN",
                 L"TORVANE COMMANDER - REGLAGES", L"TORVANE COMMANDER - OPZIONI"}},
        {-2, 0, {L"F11 Settings opened.", L"F11 Einstellungen geoeffnet.", L"F11 Reglages ouverts.",
                 L"F11 Opzioni aperte."}},
        {-3, 0, {L"Settings closed.", L"Einstellungen geschlossen.", L"Reglages fermes.", L"Opzioni chiuse."}},
    };
    std::set<std::wstring> labels;
    for (int language = 0; language < 4; ++language) {
        for (const auto& c : cases) {
            appSettings = AppSettings{};
            if (c.row >= 1 && c.row <= 6) fieldOfRow(c.row) = c.value;
            appSettings.language = language;
            std::wstring text = c.row >= 0    ? settingRowText(c.row)
                                : c.row == -1 ? settingsTitle()
                                              : press({c.row == -2 ? UINT(VK_F11) : UINT(VK_ESCAPE)});
            EXPECT_EQ(text, c.text[language]) << "row " << c.row << " language " << language;
        }
        for (int row = 0; row < 8; ++row) labels.insert(settingRowText(row));
    }
    EXPECT_EQ(labels.size(), 32u) << "every row reads differently in each language";
    EXPECT_EQ(settingsHint(), L"Su/giu = scelta   Enter = cambia   ESC = indietro");
}

TEST_F(SettingsScreen, KeysMoveStopAtTheEndsOrCloseWithoutWriting) {
    SettingsFileGuard guard;
    writeMarker(guard.path());
    press({VK_F11, VK_UP});
    EXPECT_EQ(settingsRow, 0);
    for (int i = 0; i < 9; ++i) press({VK_DOWN});
    EXPECT_EQ(press({VK_UP, VK_HOME, VK_F1, VK_F12, VK_SPACE, 'A', VK_BACK}), L"F11 Settings opened.");
    EXPECT_EQ(settingsRow, 6);
    // ESC, F11 and every change key on the back row close; opening again starts on the first row.
    const std::pair<int, UINT> closing[] = {{7, VK_RETURN}, {7, VK_LEFT}, {0, VK_ESCAPE}, {3, VK_F11}};
    for (auto [row, key] : closing) {
        settingsRow = row;
        EXPECT_EQ(press({key}), L"Settings closed.") << key;
        EXPECT_EQ(screenMode, ScreenMode::MainView) << key;
        press({VK_F11});
        EXPECT_EQ(settingsRow, 0);
    }
    EXPECT_EQ(readFileBytes(guard.path()), "marker");
}

// Left, Right and Enter all step forward; every step is applied and written at once, and a full
// round comes back to the start.
TEST_F(SettingsScreen, EachRowStepsForwardAppliesAndSavesAtOnce) {
    SettingsFileGuard guard;
    // row, values, the status after the first step, and how the theme follows it
    const struct { int row, count; const wchar_t* status; bool (*applied)(); } cases[] = {
        {0, 4, L"Geaendert: Sprache: DEUTSCH", [] { return appSettings.language == 1; }},
        {1, 7, L"Changed: Background color: DARK TEAL",
         [] { return theme.windowBackground == RGB(0x00, 0x5F, 0x5F) && theme.dialogBackground == RGB(0, 0x87, 0x87); }},
        {2, 7, L"Changed: Selection bar: WHITE", [] { return theme.selectionBarFill == RGB(0xFF, 0xFF, 0xFF); }},
        {3, 7, L"Changed: Text color: WHITE", [] { return theme.textForeground == RGB(0xFF, 0xFF, 0xFF); }},
        {4, 2, L"Changed: Text style: NORMAL", [] { return !boldText(); }},
        {5, 3, L"Changed: Font size: VERY LARGE", [] {  // the fonts were recreated at the new height
             LOGFONTW info = {};
             return theme.rowHeight == 42 && GetObjectW(normalFont, sizeof info, &info) && info.lfHeight == 34;
         }},
        {6, 4, L"Changed: Panel border: BLACK", [] { return theme.dialogFrame == RGB(0, 0, 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        resetAppState();
        openSettings(nullptr);
        settingsRow = c.row;
        const int32_t start = fieldOfRow(c.row);
        EXPECT_EQ(press({VK_LEFT}), c.status);
        EXPECT_TRUE(c.applied());
        EXPECT_EQ(fieldOfRow(c.row), (start + 1) % c.count);
        EXPECT_EQ(readFileBytes(guard.path()), record());
        for (int i = 1; i < c.count; ++i) press({i % 2 ? UINT(VK_RIGHT) : UINT(VK_RETURN)});
        EXPECT_EQ(fieldOfRow(c.row), start);
        EXPECT_EQ(readFileBytes(guard.path()), record());
    }
    writeMarker(guard.path());  // a failed save is silent, and the change applies all the same
    ASSERT_TRUE(SetFileAttributesW(guard.path().c_str(), FILE_ATTRIBUTE_READONLY));
    settingsRow = 1;
    EXPECT_EQ(press({VK_RETURN}), L"Changed: Background color: DARK TEAL");
    SetFileAttributesW(guard.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(readFileBytes(guard.path()), "marker");
}

TEST_F(SettingsScreen, BoxAndRowsAtFullSizeAndBelowTheMinimum) {
    // 680 x 520 at 620, 280 at full HD; W - 80 by H - 100 below the minimum. Rows 38 high every 46
    // pixels from 76, 34 in from the sides, outlined black; the current one white.
    const struct { int width, height; RECT box; } cases[] = {{1920, 1080, {620, 280, 1300, 800}},
                                                            {700, 560, {40, 50, 660, 510}}};
    appSettings.panelBorder = 2;  // a yellow frame tells the outline apart from the fills
    applyColorScheme();
    settingsRow = 4;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        Canvas canvas(c.width, c.height);
        canvas.clear(RGB(1, 2, 3));
        drawSettingsScreen(canvas.dc(), c.width, c.height);
        expectBox(canvas, c.box, 4, RGB(0xFF, 0xE6, 0x00), theme.dialogBackground, RGB(1, 2, 3));
        for (int row = 0; row < 8; ++row) {
            const int top = c.box.top + 76 + 46 * row, left = c.box.left + 34, right = c.box.right - 34;
            EXPECT_EQ(canvas.pixel(left, top + 19), kBlack) << row;
            EXPECT_EQ(canvas.pixel(left + 1, top + 19), row == settingsRow ? kWhite : theme.keyButtonFill) << row;
            EXPECT_EQ(canvas.pixel(left + 6, top), kBlack) << row;
            EXPECT_EQ(canvas.pixel(left + 6, top + 37), kBlack) << row;
            EXPECT_EQ(canvas.pixel(right + 1, top + 19), theme.dialogBackground) << row;
        }
    }
}

}  // namespace
