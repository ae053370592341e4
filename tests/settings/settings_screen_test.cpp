// The settings screen: its texts in all four languages, its keys (each change applied and saved at
// once), and its box and rows drawn into a DIB section.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/draw.h"
#include "app/state.h"
#include "common/box_check.h"
#include "common/canvas.h"
#include "common/settings_file_guard.h"
#include "common/temp_folder.h"
#include "settings/settings.h"
#include "settings/settings_screen.h"

namespace {

struct Four {
    const wchar_t* text[4];  // English, German, French, Italian
};

const Four kLabels[8] = {
    {{L"Language: ", L"Sprache: ", L"Langue: ", L"Lingua: "}},
    {{L"Background color: ", L"Hintergrundfarbe: ", L"Couleur de fond: ", L"Colore sfondo: "}},
    {{L"Selection bar: ", L"Auswahlbalken: ", L"Barre de selection: ", L"Barra selezione: "}},
    {{L"Text color: ", L"Schriftfarbe: ", L"Couleur du texte: ", L"Colore testo: "}},
    {{L"Text style: ", L"Schriftstil: ", L"Style du texte: ", L"Stile testo: "}},
    {{L"Font size: ", L"Schriftgroesse: ", L"Taille du texte: ", L"Dimensione testo: "}},
    {{L"Panel border: ", L"Panel-Rahmen: ", L"Bordure panneau: ", L"Bordo pannello: "}},
    {{L"Back to Commander", L"Zurueck zum Commander", L"Retour au Commander", L"Torna al Commander"}},
};

// Value names of rows 1..6, index 0 first.
const std::vector<Four> kValues[7] = {
    {},  // row 0: the language names, checked on their own
    {{{L"TEAL", L"TEAL", L"TURQUOISE", L"VERDE ACQUA"}},
     {{L"DARK TEAL", L"DUNKEL-TEAL", L"TURQUOISE FONCE", L"VERDE ACQUA SCURO"}},
     {{L"GRAY TEAL", L"GRAU-TEAL", L"GRIS-TURQUOISE", L"GRIGIO VERDE"}},
     {{L"PETROL", L"PETROL", L"PETROLE", L"PETROLIO"}},
     {{L"OLIVE", L"OLIVE", L"OLIVE", L"OLIVA"}},
     {{L"SAND", L"SAND", L"SABLE", L"SABBIA"}},
     {{L"NIGHT", L"NACHT", L"NUIT", L"NOTTE"}}},
    {{{L"YELLOW", L"GELB", L"JAUNE", L"GIALLO"}},
     {{L"WHITE", L"WEISS", L"BLANC", L"BIANCO"}},
     {{L"ORANGE", L"ORANGE", L"ORANGE", L"ARANCIO"}},
     {{L"GREEN", L"GRUEN", L"VERT", L"VERDE"}},
     {{L"CYAN", L"CYAN", L"CYAN", L"CIANO"}},
     {{L"MAGENTA", L"MAGENTA", L"MAGENTA", L"MAGENTA"}},
     {{L"RED", L"ROT", L"ROUGE", L"ROSSO"}}},
    {{{L"BLACK", L"SCHWARZ", L"NOIR", L"NERO"}},
     {{L"WHITE", L"WEISS", L"BLANC", L"BIANCO"}},
     {{L"DARK BLUE", L"DUNKELBLAU", L"BLEU FONCE", L"BLU SCURO"}},
     {{L"DARK GREEN", L"DUNKELGRUEN", L"VERT FONCE", L"VERDE SCURO"}},
     {{L"BORDEAUX", L"BORDO", L"BORDEAUX", L"BORDO"}},
     {{L"YELLOW", L"GELB", L"JAUNE", L"GIALLO"}},
     {{L"DARK GRAY", L"DUNKELGRAU", L"GRIS FONCE", L"GRIGIO SCURO"}}},
    {{{L"NORMAL", L"NORMAL", L"NORMAL", L"NORMALE"}}, {{L"BOLD", L"FETT", L"GRAS", L"GRASSETTO"}}},
    {{{L"NORMAL", L"NORMAL", L"NORMALE", L"NORMALE"}},
     {{L"LARGE", L"GROSS", L"GRANDE", L"GRANDE"}},
     {{L"VERY LARGE", L"SEHR GROSS", L"TRES GRANDE", L"MOLTO GRANDE"}}},
    {{{L"LIGHT", L"HELL", L"CLAIR", L"CHIARO"}},
     {{L"BLACK", L"SCHWARZ", L"NOIR", L"NERO"}},
     {{L"YELLOW", L"GELB", L"JAUNE", L"GIALLO"}},
     {{L"CYAN", L"CYAN", L"CYAN", L"CIANO"}}},
};

int32_t* fieldOfRow(int row, AppSettings& s = appSettings) {
    int32_t* fields[7] = {&s.language,  &s.backgroundColor, &s.selectionBarColor, &s.textColor,
                          &s.textStyle, &s.fontSize,        &s.panelBorder};
    return fields[row];
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
    DeleteFileW(path.c_str());
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, "marker", 6, &written, nullptr);
    CloseHandle(file);
}

class SettingsScreen : public ::testing::Test {
protected:
    void SetUp() override {
        appSettings = AppSettings{};
        applyColorScheme();
        applyTextColor();
        applyFontSize();
        createFonts();
        screenMode = ScreenMode::MainView;
        statusLine.clear();
        settingsRow = 0;
    }
    void TearDown() override { deleteFonts(); }
};

TEST_F(SettingsScreen, EveryRowTextInEveryLanguage) {
    const wchar_t* languageNames[4] = {L"ENGLISH", L"DEUTSCH", L"FRANCAIS", L"ITALIANO"};
    for (int language = 0; language < 4; ++language) {
        appSettings.language = language;
        EXPECT_EQ(settingRowText(0), std::wstring(kLabels[0].text[language]) + languageNames[language]);
        for (int row = 1; row <= 6; ++row) {
            for (size_t value = 0; value < kValues[row].size(); ++value) {
                appSettings = AppSettings{};
                appSettings.language = language;
                *fieldOfRow(row) = static_cast<int32_t>(value);
                EXPECT_EQ(settingRowText(row),
                          std::wstring(kLabels[row].text[language]) + kValues[row][value].text[language])
                    << "language " << language << " row " << row << " value " << value;
            }
        }
        EXPECT_EQ(settingRowText(7), kLabels[7].text[language]);
        EXPECT_EQ(settingRowText(8), L"");
        EXPECT_EQ(settingRowText(-1), L"");
    }
}

TEST_F(SettingsScreen, TitleHintAndMessagesInEveryLanguage) {
    const struct {
        std::wstring (*produce)();
        Four expected;
    } cases[] = {
        {settingsTitle,
         {{L"TORVANE COMMANDER - SETTINGS", L"TORVANE COMMANDER - EINSTELLUNGEN", L"TORVANE COMMANDER - REGLAGES",
           L"TORVANE COMMANDER - OPZIONI"}}},
        {settingsHint,
         {{L"Up/down = select   Enter = change   ESC = back",
           L"Pfeil hoch/runter = Auswahl   Enter = Aendern   ESC = Zurueck",
           L"Haut/bas = choix   Enter = modifier   ESC = retour", L"Su/giu = scelta   Enter = cambia   ESC = indietro"}}},
        {[] {
             openSettings(nullptr);
             return statusLine;
         },
         {{L"F11 Settings opened.", L"F11 Einstellungen geoeffnet.", L"F11 Reglages ouverts.",
           L"F11 Opzioni aperte."}}},
        {[] {
             closeSettings(nullptr);
             return statusLine;
         },
         {{L"Settings closed.", L"Einstellungen geschlossen.", L"Reglages fermes.", L"Opzioni chiuse."}}},
    };
    for (int language = 0; language < 4; ++language) {
        appSettings.language = language;
        for (const auto& c : cases) EXPECT_EQ(c.produce(), c.expected.text[language]) << language;
    }
}

TEST_F(SettingsScreen, UpAndDownStopAtTheEndsAndOtherKeysDoNothing) {
    openSettings(nullptr);
    EXPECT_EQ(screenMode, ScreenMode::Settings);
    EXPECT_EQ(settingsRow, 0);
    settingsKey(nullptr, VK_UP);
    EXPECT_EQ(settingsRow, 0);
    for (int i = 1; i <= 9; ++i) {
        settingsKey(nullptr, VK_DOWN);
        EXPECT_EQ(settingsRow, std::min(i, 7));
    }
    settingsKey(nullptr, VK_UP);
    EXPECT_EQ(settingsRow, 6);

    for (UINT key : {UINT(VK_HOME), UINT(VK_F1), UINT(VK_F12), UINT(VK_SPACE), UINT('A'), UINT(VK_BACK)}) {
        settingsKey(nullptr, key);
        EXPECT_EQ(screenMode, ScreenMode::Settings) << key;
        EXPECT_EQ(settingsRow, 6) << key;
        EXPECT_EQ(statusLine, L"F11 Settings opened.") << key;
    }
    // Opening again starts on the first row.
    openSettings(nullptr);
    EXPECT_EQ(settingsRow, 0);
}

TEST_F(SettingsScreen, EscF11AndTheBackRowCloseWithoutWriting) {
    SettingsFileGuard guard;
    const struct {
        int row;
        UINT key;
    } cases[] = {{7, VK_RETURN}, {7, VK_LEFT}, {7, VK_RIGHT}, {0, VK_ESCAPE}, {3, VK_F11}};
    for (const auto& c : cases) {
        writeMarker(guard.path());
        openSettings(nullptr);
        settingsRow = c.row;
        settingsKey(nullptr, c.key);
        EXPECT_EQ(screenMode, ScreenMode::MainView) << c.key;
        EXPECT_EQ(statusLine, L"Settings closed.") << c.key;
        EXPECT_EQ(readFileBytes(guard.path()), "marker") << c.key;
        EXPECT_EQ(appSettings.language, 0);
    }
}

TEST_F(SettingsScreen, LanguageStepsForwardWithEveryKeyAndSavesEachTime) {
    SettingsFileGuard guard;
    openSettings(nullptr);
    const struct {
        UINT key;
        int32_t language;
        const wchar_t* status;
    } steps[] = {
        // Left steps forward too: English goes to German, not to Italian.
        {VK_LEFT, 1, L"Geaendert: Sprache: DEUTSCH"},
        {VK_RETURN, 2, L"Modifie: Langue: FRANCAIS"},
        {VK_RIGHT, 3, L"Modificato: Lingua: ITALIANO"},
        {VK_RETURN, 0, L"Changed: Language: ENGLISH"},
    };
    for (const auto& s : steps) {
        writeMarker(guard.path());
        settingsKey(nullptr, s.key);
        EXPECT_EQ(appSettings.language, s.language);
        EXPECT_EQ(statusLine, s.status);
        EXPECT_EQ(settingsOnDisk(guard.path()).language, s.language) << "file rewritten after each step";
        EXPECT_EQ(screenMode, ScreenMode::Settings);
    }
}

TEST_F(SettingsScreen, EachRowAppliesItsValueAtOnceAndWrapsAround) {
    SettingsFileGuard guard;
    auto fontHeightOf = [](HFONT font) {
        LOGFONTW info = {};
        return GetObjectW(font, sizeof info, &info) ? info.lfHeight : 0;
    };
    const struct {
        int row;
        int count;
        const wchar_t* status;  // after the first step, in English
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
        SetUp();
        openSettings(nullptr);
        settingsRow = c.row;
        int32_t start = *fieldOfRow(c.row);
        settingsKey(nullptr, VK_RETURN);
        EXPECT_EQ(statusLine, c.status);
        EXPECT_TRUE(c.applied());
        EXPECT_EQ(*fieldOfRow(c.row), (start + 1) % c.count);
        AppSettings onDisk = settingsOnDisk(guard.path());
        EXPECT_EQ(*fieldOfRow(c.row, onDisk), (start + 1) % c.count);
        if (c.row == 5) {
            // The three fonts were recreated at the new heights.
            EXPECT_EQ(fontHeightOf(normalFont), 34);
            EXPECT_EQ(fontHeightOf(boldFont), 34);
            EXPECT_EQ(fontHeightOf(smallFont), 22);
        }
        for (int i = 1; i < c.count; ++i) settingsKey(nullptr, VK_RETURN);
        EXPECT_EQ(*fieldOfRow(c.row), start) << "back to the start after one full round";
        onDisk = settingsOnDisk(guard.path());
        EXPECT_EQ(*fieldOfRow(c.row, onDisk), start);
    }
}

TEST_F(SettingsScreen, FailedSaveIsSilentAndTheChangeStillApplies) {
    SettingsFileGuard guard;
    writeMarker(guard.path());
    ASSERT_TRUE(SetFileAttributesW(guard.path().c_str(), FILE_ATTRIBUTE_READONLY));
    openSettings(nullptr);
    settingsRow = 1;
    settingsKey(nullptr, VK_RETURN);
    SetFileAttributesW(guard.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(appSettings.backgroundColor, 1);
    EXPECT_EQ(theme.windowBackground, RGB(0x00, 0x5F, 0x5F));
    EXPECT_EQ(statusLine, L"Changed: Background color: DARK TEAL");
    EXPECT_EQ(screenMode, ScreenMode::Settings);
    EXPECT_EQ(readFileBytes(guard.path()), "marker");
}

TEST_F(SettingsScreen, BoxAndRowsAtFullSizeAndBelowTheMinimum) {
    const COLORREF background = RGB(1, 2, 3);
    const struct {
        int width, height;
        RECT box;
    } sizes[] = {
        {1920, 1080, {620, 280, 1300, 800}},  // 680 x 520, the minimum box
        {2400, 1800, {800, 600, 1600, 1200}},  // a third of each side
        {700, 560, {40, 50, 660, 510}},        // below the minimum: W - 80 by H - 100
    };
    // A yellow frame tells the outline apart from the fills; the row spacing stays 46 at every size.
    appSettings.panelBorder = 2;
    applyColorScheme();
    for (int fontSize = 0; fontSize < 3; ++fontSize) {
        appSettings.fontSize = fontSize;
        applyFontSize();
        createFonts();
        for (const auto& s : sizes) {
            SCOPED_TRACE(std::to_string(s.width) + "x" + std::to_string(s.height) + " size " +
                         std::to_string(fontSize));
            settingsRow = (fontSize * 3 + 2) % 8;
            Canvas canvas(s.width, s.height);
            canvas.clear(background);
            drawSettingsScreen(canvas.dc(), s.width, s.height);
            expectBox(canvas, s.box, 4, RGB(0xFF, 0xE6, 0x00), theme.dialogBackground, background);
            for (int row = 0; row < 8; ++row) {
                int top = s.box.top + 76 + 46 * row;
                RECT rowBox = {s.box.left + 34, top, s.box.right - 34, top + 38};
                COLORREF fill = row == settingsRow ? kWhite : theme.keyButtonFill;
                // Checked at its left end only: the text lies further in.
                EXPECT_EQ(canvas.pixel(rowBox.left - 2, top + 19), theme.dialogBackground) << row;
                EXPECT_EQ(canvas.pixel(rowBox.left, top + 19), kBlack) << row;
                EXPECT_EQ(canvas.pixel(rowBox.left + 1, top + 19), fill) << row;
                EXPECT_EQ(canvas.pixel(rowBox.left + 6, top + 2), fill) << row;
                EXPECT_EQ(canvas.pixel(rowBox.left + 6, top), kBlack) << row;
                EXPECT_EQ(canvas.pixel(rowBox.left + 6, top + 37), kBlack) << row;
                EXPECT_EQ(canvas.pixel(rowBox.right - 1, top + 19), kBlack) << row;
                EXPECT_EQ(canvas.pixel(rowBox.right + 1, top + 19), theme.dialogBackground) << row;
            }
        }
    }
}

}  // namespace
