// The settings screen: its texts in all four languages, its keys (each change applied and saved at
// once), and its box and rows drawn into a DIB section.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <string>
#include <vector>

#include "app/draw.h"
#include "app/state.h"
#include "common/app_state.h"
#include "common/box_check.h"
#include "common/canvas.h"
#include "common/keys.h"
#include "common/settings_file_guard.h"
#include "common/temp_folder.h"
#include "settings/settings.h"
#include "settings/settings_screen.h"

namespace {

int32_t& fieldOfRow(int row, AppSettings& s = appSettings) {
    int32_t* fields[7] = {&s.language,  &s.backgroundColor, &s.selectionBarColor, &s.textColor,
                          &s.textStyle, &s.fontSize,        &s.panelBorder};
    return *fields[row];
}

// What the file at `path` holds, or the defaults with language -1 when it does not decode.
AppSettings settingsOnDisk(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    AppSettings out;
    out.language = -1;
    SettingsRecord record = {};
    if (!readSettingsFile(path, bytes)) return out;
    std::copy(bytes.begin(), bytes.end(), record.begin());
    decodeSettings(record, out);
    return out;
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
    const struct {
        int row, value;  // row -1: the title, -2: the status after F11, -3: after ESC
        const wchar_t* text[4];
    } cases[] = {
        {0, 0, {L"Language: ENGLISH", L"Sprache: ENGLISH", L"Langue: ENGLISH", L"Lingua: ENGLISH"}},
        {1, 1, {L"Background color: DARK TEAL", L"Hintergrundfarbe: DUNKEL-TEAL", L"Couleur de fond: TURQUOISE FONCE",
                L"Colore sfondo: VERDE ACQUA SCURO"}},
        {3, 4, {L"Text color: BORDEAUX", L"Schriftfarbe: BORDO", L"Couleur du texte: BORDEAUX", L"Colore testo: BORDO"}},
        {5, 2, {L"Font size: VERY LARGE", L"Schriftgroesse: SEHR GROSS", L"Taille du texte: TRES GRANDE",
                L"Dimensione testo: MOLTO GRANDE"}},
        {7, 0, {L"Back to Commander", L"Zurueck zum Commander", L"Retour au Commander", L"Torna al Commander"}},
        {-1, 0, {L"TORVANE COMMANDER - SETTINGS", L"TORVANE COMMANDER - EINSTELLUNGEN",
                 L"TORVANE COMMANDER - REGLAGES", L"TORVANE COMMANDER - OPZIONI"}},
        {-2, 0, {L"F11 Settings opened.", L"F11 Einstellungen geoeffnet.", L"F11 Reglages ouverts.",
                 L"F11 Opzioni aperte."}},
        {-3, 0, {L"Settings closed.", L"Einstellungen geschlossen.", L"Reglages fermes.", L"Opzioni chiuse."}},
    };
    const wchar_t* languageNames[4] = {L"ENGLISH", L"DEUTSCH", L"FRANCAIS", L"ITALIANO"};
    std::set<std::wstring> labels;
    for (int language = 0; language < 4; ++language) {
        for (const auto& c : cases) {
            appSettings = AppSettings{};
            if (c.row >= 1 && c.row <= 6) fieldOfRow(c.row) = c.value;
            appSettings.language = language;
            std::wstring text = c.row >= 0    ? settingRowText(c.row)
                                : c.row == -1 ? settingsTitle()
                                              : press({c.row == -2 ? UINT(VK_F11) : UINT(VK_ESCAPE)});
            std::wstring expected = c.text[language];
            if (c.row == 0) expected.replace(expected.find(L"ENGLISH"), 7, languageNames[language]);
            EXPECT_EQ(text, expected) << "row " << c.row << " language " << language;
        }
        for (int row = 0; row < 8; ++row) labels.insert(settingRowText(row));
        EXPECT_EQ(settingRowText(8), L"");
        EXPECT_EQ(settingRowText(-1), L"");
    }
    EXPECT_EQ(labels.size(), 32u) << "every row reads differently in each language";
    appSettings.language = 2;
    EXPECT_EQ(settingsHint(), L"Haut/bas = choix   Enter = modifier   ESC = retour");
}

TEST_F(SettingsScreen, KeysMoveStopAtTheEndsOrCloseWithoutWriting) {
    SettingsFileGuard guard;
    writeMarker(guard.path());
    press({VK_F11, VK_UP});
    EXPECT_EQ(settingsRow, 0);
    press({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_UP});
    EXPECT_EQ(press({VK_HOME, VK_F1, VK_F12, VK_SPACE, 'A', VK_BACK}), L"F11 Settings opened.");
    EXPECT_EQ(screenMode, ScreenMode::Settings);
    EXPECT_EQ(settingsRow, 6);
    // ESC, F11 and every change key on the back row close; opening again starts on the first row.
    const std::pair<int, UINT> closing[] = {{7, VK_RETURN}, {7, VK_LEFT}, {7, VK_RIGHT}, {0, VK_ESCAPE}, {3, VK_F11}};
    for (auto [row, key] : closing) {
        settingsRow = row;
        EXPECT_EQ(press({key}), L"Settings closed.") << key;
        EXPECT_EQ(screenMode, ScreenMode::MainView) << key;
        press({VK_F11});
        EXPECT_EQ(settingsRow, 0);
    }
    EXPECT_EQ(readFileBytes(guard.path()), "marker");
}

TEST_F(SettingsScreen, LanguageStepsForwardWithEveryKeyAndSavesEachTime) {
    SettingsFileGuard guard;
    openSettings(nullptr);
    const struct {
        UINT key;
        int32_t language;
        const wchar_t* status;
    } steps[] = {
        {VK_LEFT, 1, L"Geaendert: Sprache: DEUTSCH"},  // Left steps forward too: not to Italian
        {VK_RETURN, 2, L"Modifie: Langue: FRANCAIS"},
        {VK_RIGHT, 3, L"Modificato: Lingua: ITALIANO"},
        {VK_RETURN, 0, L"Changed: Language: ENGLISH"},
    };
    for (const auto& s : steps) {
        writeMarker(guard.path());
        EXPECT_EQ(press({s.key}), s.status);
        EXPECT_EQ(appSettings.language, s.language);
        EXPECT_EQ(settingsOnDisk(guard.path()).language, s.language) << "file rewritten after each step";
    }
}

TEST_F(SettingsScreen, EachRowAppliesItsValueAtOnceAndWrapsAround) {
    SettingsFileGuard guard;
    auto fontHeightOf = [](HFONT font) {
        LOGFONTW info = {};
        return GetObjectW(font, sizeof info, &info) ? info.lfHeight : 0;
    };
    const struct {
        int row, count;
        const wchar_t* status;  // after the first step
        bool (*applied)();      // the theme follows the first step
    } cases[] = {
        {1, 7, L"Changed: Background color: DARK TEAL",
         [] { return theme.windowBackground == RGB(0x00, 0x5F, 0x5F) && theme.dialogBackground == RGB(0, 0x87, 0x87); }},
        {2, 7, L"Changed: Selection bar: WHITE", [] { return theme.selectionBarFill == RGB(0xFF, 0xFF, 0xFF); }},
        {3, 7, L"Changed: Text color: WHITE", [] { return theme.textForeground == RGB(0xFF, 0xFF, 0xFF); }},
        {4, 2, L"Changed: Text style: NORMAL", [] { return !boldText(); }},
        {5, 3, L"Changed: Font size: VERY LARGE", [] { return theme.fontHeight == 34 && theme.rowHeight == 42; }},
        {6, 4, L"Changed: Panel border: BLACK", [] { return theme.dialogFrame == RGB(0, 0, 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        resetAppState();
        openSettings(nullptr);
        settingsRow = c.row;
        const int32_t start = fieldOfRow(c.row);
        EXPECT_EQ(press({VK_RETURN}), c.status);
        EXPECT_TRUE(c.applied());
        AppSettings onDisk = settingsOnDisk(guard.path());
        EXPECT_EQ(fieldOfRow(c.row, onDisk), (start + 1) % c.count);
        if (c.row == 5) {  // the three fonts were recreated at the new heights
            EXPECT_EQ(fontHeightOf(normalFont), 34);
            EXPECT_EQ(fontHeightOf(boldFont), 34);
            EXPECT_EQ(fontHeightOf(smallFont), 22);
        }
        for (int i = 1; i < c.count; ++i) press({VK_RETURN});
        EXPECT_EQ(fieldOfRow(c.row), start) << "back to the start after one full round";
        onDisk = settingsOnDisk(guard.path());
        EXPECT_EQ(fieldOfRow(c.row, onDisk), start);
    }
}

TEST_F(SettingsScreen, FailedSaveIsSilentAndTheChangeStillApplies) {
    SettingsFileGuard guard;
    writeMarker(guard.path());
    ASSERT_TRUE(SetFileAttributesW(guard.path().c_str(), FILE_ATTRIBUTE_READONLY));
    openSettings(nullptr);
    settingsRow = 1;
    EXPECT_EQ(press({VK_RETURN}), L"Changed: Background color: DARK TEAL");
    SetFileAttributesW(guard.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(theme.windowBackground, RGB(0x00, 0x5F, 0x5F));
    EXPECT_EQ(readFileBytes(guard.path()), "marker");
}

TEST_F(SettingsScreen, BoxAndRowsAtFullSizeAndBelowTheMinimum) {
    const COLORREF background = RGB(1, 2, 3);
    // 680 x 520 (the minimum) at 1920 x 1080, a third of each side at 2400 x 1800, W - 80 by H - 100
    // below the minimum; the rows keep their 46-pixel spacing at every font size.
    const struct {
        int width, height, fontSize;
        RECT box;
    } cases[] = {{1920, 1080, 1, {620, 280, 1300, 800}}, {2400, 1800, 0, {800, 600, 1600, 1200}},
                 {700, 560, 2, {40, 50, 660, 510}}};
    appSettings.panelBorder = 2;  // a yellow frame tells the outline apart from the fills
    applyColorScheme();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        appSettings.fontSize = c.fontSize;
        applyFontSize();
        createFonts();
        settingsRow = c.fontSize * 3 + 1;
        Canvas canvas(c.width, c.height);
        canvas.clear(background);
        drawSettingsScreen(canvas.dc(), c.width, c.height);
        expectBox(canvas, c.box, 4, RGB(0xFF, 0xE6, 0x00), theme.dialogBackground, background);
        for (int row = 0; row < 8; ++row) {
            // A box 38 high, 34 in from the sides, with a 1-pixel black outline; checked at its ends
            // only, the text lies further in.
            const int top = c.box.top + 76 + 46 * row, left = c.box.left + 34, right = c.box.right - 34;
            EXPECT_EQ(canvas.pixel(left, top + 19), kBlack) << row;
            EXPECT_EQ(canvas.pixel(left + 1, top + 19), row == settingsRow ? kWhite : theme.keyButtonFill) << row;
            EXPECT_EQ(canvas.pixel(left + 6, top), kBlack) << row;
            EXPECT_EQ(canvas.pixel(left + 6, top + 37), kBlack) << row;
            EXPECT_EQ(canvas.pixel(right - 1, top + 19), kBlack) << row;
            EXPECT_EQ(canvas.pixel(right + 1, top + 19), theme.dialogBackground) << row;
        }
    }
}

}  // namespace
