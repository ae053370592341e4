#include "screens/settings_screen.h"

#include <algorithm>

#include "settings/language.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/state.h"

namespace {

constexpr int kRowCount = 8;
constexpr int kBackRow = 7;

const LocalizedText kRowLabels[kRowCount] = {
    {L"Language: ", L"Sprache: ", L"Langue: ", L"Lingua: "},
    {L"Background color: ", L"Hintergrundfarbe: ", L"Couleur de fond: ", L"Colore sfondo: "},
    {L"Selection bar: ", L"Auswahlbalken: ", L"Barre de selection: ", L"Barra selezione: "},
    {L"Text color: ", L"Schriftfarbe: ", L"Couleur du texte: ", L"Colore testo: "},
    {L"Text style: ", L"Schriftstil: ", L"Style du texte: ", L"Stile testo: "},
    {L"Font size: ", L"Schriftgroesse: ", L"Taille du texte: ", L"Dimensione testo: "},
    {L"Panel border: ", L"Panel-Rahmen: ", L"Bordure panneau: ", L"Bordo pannello: "},
    {L"Back to Commander", L"Zurueck zum Commander", L"Retour au Commander", L"Torna al Commander"},
};

// Each language names itself, whatever the current language.
const LocalizedText kLanguageNames[kLanguageCount] = {
    {L"ENGLISH", L"ENGLISH", L"ENGLISH", L"ENGLISH"},
    {L"DEUTSCH", L"DEUTSCH", L"DEUTSCH", L"DEUTSCH"},
    {L"FRANCAIS", L"FRANCAIS", L"FRANCAIS", L"FRANCAIS"},
    {L"ITALIANO", L"ITALIANO", L"ITALIANO", L"ITALIANO"},
};

const LocalizedText kBackgroundNames[kBackgroundCount] = {
    {L"TEAL", L"TEAL", L"TURQUOISE", L"VERDE ACQUA"},
    {L"DARK TEAL", L"DUNKEL-TEAL", L"TURQUOISE FONCE", L"VERDE ACQUA SCURO"},
    {L"GRAY TEAL", L"GRAU-TEAL", L"GRIS-TURQUOISE", L"GRIGIO VERDE"},
    {L"PETROL", L"PETROL", L"PETROLE", L"PETROLIO"},
    {L"OLIVE", L"OLIVE", L"OLIVE", L"OLIVA"},
    {L"SAND", L"SAND", L"SABLE", L"SABBIA"},
    {L"NIGHT", L"NACHT", L"NUIT", L"NOTTE"},
};

const LocalizedText kSelectionBarNames[kSelectionBarCount] = {
    {L"YELLOW", L"GELB", L"JAUNE", L"GIALLO"},     {L"WHITE", L"WEISS", L"BLANC", L"BIANCO"},
    {L"ORANGE", L"ORANGE", L"ORANGE", L"ARANCIO"}, {L"GREEN", L"GRUEN", L"VERT", L"VERDE"},
    {L"CYAN", L"CYAN", L"CYAN", L"CIANO"},         {L"MAGENTA", L"MAGENTA", L"MAGENTA", L"MAGENTA"},
    {L"RED", L"ROT", L"ROUGE", L"ROSSO"},
};

const LocalizedText kTextColorNames[kTextColorCount] = {
    {L"BLACK", L"SCHWARZ", L"NOIR", L"NERO"},
    {L"WHITE", L"WEISS", L"BLANC", L"BIANCO"},
    {L"DARK BLUE", L"DUNKELBLAU", L"BLEU FONCE", L"BLU SCURO"},
    {L"DARK GREEN", L"DUNKELGRUEN", L"VERT FONCE", L"VERDE SCURO"},
    {L"BORDEAUX", L"BORDO", L"BORDEAUX", L"BORDO"},
    {L"YELLOW", L"GELB", L"JAUNE", L"GIALLO"},
    {L"DARK GRAY", L"DUNKELGRAU", L"GRIS FONCE", L"GRIGIO SCURO"},
};

// French differs between the two: the style is "NORMAL", the size "NORMALE".
const LocalizedText kTextStyleNames[kTextStyleCount] = {
    {L"NORMAL", L"NORMAL", L"NORMAL", L"NORMALE"},
    {L"BOLD", L"FETT", L"GRAS", L"GRASSETTO"},
};

const LocalizedText kFontSizeNames[kFontSizeCount] = {
    {L"NORMAL", L"NORMAL", L"NORMALE", L"NORMALE"},
    {L"LARGE", L"GROSS", L"GRANDE", L"GRANDE"},
    {L"VERY LARGE", L"SEHR GROSS", L"TRES GRANDE", L"MOLTO GRANDE"},
};

const LocalizedText kPanelBorderNames[kPanelBorderCount] = {
    {L"LIGHT", L"HELL", L"CLAIR", L"CHIARO"},
    {L"BLACK", L"SCHWARZ", L"NOIR", L"NERO"},
    {L"YELLOW", L"GELB", L"JAUNE", L"GIALLO"},
    {L"CYAN", L"CYAN", L"CYAN", L"CIANO"},
};

const LocalizedText kTitle = {L"TORVANE COMMANDER - SETTINGS", L"TORVANE COMMANDER - EINSTELLUNGEN",
                              L"TORVANE COMMANDER - REGLAGES", L"TORVANE COMMANDER - OPZIONI"};
const LocalizedText kHint = {L"Up/down = select   Enter = change   ESC = back",
                             L"Pfeil hoch/runter = Auswahl   Enter = Aendern   ESC = Zurueck",
                             L"Haut/bas = choix   Enter = modifier   ESC = retour",
                             L"Su/giu = scelta   Enter = cambia   ESC = indietro"};
const LocalizedText kOpened = {L"F11 Settings opened.", L"F11 Einstellungen geoeffnet.", L"F11 Reglages ouverts.",
                               L"F11 Opzioni aperte."};
const LocalizedText kClosed = {L"Settings closed.", L"Einstellungen geschlossen.", L"Reglages fermes.",
                               L"Opzioni chiuse."};
const LocalizedText kChanged = {L"Changed: ", L"Geaendert: ", L"Modifie: ", L"Modificato: "};

// Steps a field to its next value, back to 0 after the last.
void stepForward(int32_t& field, int count) {
    field = (field + 1 >= count || field < 0) ? 0 : field + 1;
}

}  // namespace

std::wstring settingRowText(int row) {
    const AppSettings& s = appSettings;
    std::wstring label = localizedRow(kRowLabels, row);
    switch (row) {
    case 0: return label + localizedRow(kLanguageNames, s.language);
    case 1: return label + localizedRow(kBackgroundNames, s.backgroundColor);
    case 2: return label + localizedRow(kSelectionBarNames, s.selectionBarColor);
    case 3: return label + localizedRow(kTextColorNames, s.textColor);
    case 4: return label + localizedRow(kTextStyleNames, s.textStyle);
    case 5: return label + localizedRow(kFontSizeNames, s.fontSize);
    case 6: return label + localizedRow(kPanelBorderNames, s.panelBorder);
    default: return label;
    }
}

std::wstring settingsTitle() {
    return localize(kTitle);
}

std::wstring settingsHint() {
    return localize(kHint);
}

void openSettings(HWND window) {
    settingsRow = 0;
    switchScreen(window, ScreenMode::Settings, localize(kOpened));
}

void closeSettings(HWND window) {
    switchScreen(window, ScreenMode::MainView, localize(kClosed));
}

void changeSetting(HWND window) {
    AppSettings& s = appSettings;
    switch (settingsRow) {
    case 0: stepForward(s.language, kLanguageCount); break;
    case 1: stepForward(s.backgroundColor, kBackgroundCount); applyColorScheme(); break;
    case 2: stepForward(s.selectionBarColor, kSelectionBarCount); applyColorScheme(); break;
    case 3: stepForward(s.textColor, kTextColorCount); applyTextColor(); break;
    case 4: stepForward(s.textStyle, kTextStyleCount); break;
    case 5:
        stepForward(s.fontSize, kFontSizeCount);
        applyFontSize();
        createFonts();
        break;
    case 6: stepForward(s.panelBorder, kPanelBorderCount); applyColorScheme(); break;
    default:
        closeSettings(window);
        return;
    }
    // The message is produced after the step, so a language change already speaks the new language.
    setStatus(localize(kChanged) + settingRowText(settingsRow));
    saveSettings();
    requestRepaint(window);
}

void settingsKey(HWND window, UINT key) {
    switch (key) {
    case VK_ESCAPE:
    case VK_F11:
        closeSettings(window);
        break;
    case VK_UP:
        settingsRow = std::max(settingsRow - 1, 0);
        requestRepaint(window);
        break;
    case VK_DOWN:
        settingsRow = std::min(settingsRow + 1, kBackRow);
        requestRepaint(window);
        break;
    case VK_RETURN:
    case VK_LEFT:
    case VK_RIGHT:
        changeSetting(window);
        break;
    default:
        break;
    }
}

void drawSettingsScreen(HDC dc, int width, int height) {
    int boxWidth = std::min(std::max(width / 3, 680), width - 80);
    int boxHeight = std::min(std::max(height / 3, 520), height - 100);
    int left = (width - boxWidth) / 2;
    int top = (height - boxHeight) / 2;
    int right = left + boxWidth;
    int bottom = top + boxHeight;
    drawBox(dc, rectOf(left, top, right, bottom), theme.dialogBackground, theme.dialogFrame, 4);
    drawText(dc, rectOf(left + 20, top + 18, right - 20, top + 58), settingsTitle(), kBlack, true, false,
             kLineCentre);

    // The spacing stays at 46 pixels whatever the font size.
    for (int row = 0; row < kRowCount; ++row) {
        bool selected = row == settingsRow;
        int rowTop = top + 76 + 46 * row;
        RECT box = rectOf(left + 34, rowTop, right - 34, rowTop + 38);
        drawBox(dc, box, selected ? kWhite : theme.keyButtonFill, kBlack, 2);
        drawText(dc, rectOf(box.left + 16, box.top, box.right - 16, box.bottom), settingRowText(row), kBlack,
                 selected, true, kLineLeftMiddle);
    }

    drawText(dc, rectOf(left + 24, bottom - 42, right - 24, bottom - 12), settingsHint(), kBlack, false, true,
             kLineCentre);
}
