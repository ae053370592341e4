#include "app/main_view.h"

#include "app/state.h"
#include "panels/drives.h"
#include "panels/navigation.h"
#include "screens/help.h"
#include "screens/info.h"
#include "settings/settings_screen.h"
#include "settings/language.h"

namespace {

const wchar_t* const kKeyLabels[12] = {L"[F1]", L"[F2]", L"[F3]", L"[F4]",  L"[F5]",  L"[F6]",
                                       L"[F7]", L"[F8]", L"[F9]", L"[F10]", L"[F11]", L"[F12]"};
const LocalizedText kFunctionNames[12] = {
    {L"HELP", L"HILFE", L"AIDE", L"AIUTO"},
    {L"RENAME", L"UMBENENNEN", L"RENOMMER", L"RINOMINA"},
    {L"VIEW", L"ANSICHT", L"VOIR", L"VISTA"},
    {L"EDIT", L"BEARBEITEN", L"EDITER", L"MODIFICA"},
    {L"COPY", L"KOPIEREN", L"COPIER", L"COPIA"},
    {L"MOVE", L"VERSCHIEBEN", L"DEPLACER", L"SPOSTA"},
    {L"FOLDER", L"ORDNER", L"DOSSIER", L"CARTELLA"},
    {L"DELETE", L"LOESCHEN", L"EFFACER", L"ELIMINA"},
    {L"MENU", L"MENUE", L"MENU", L"MENU"},
    {L"EXIT", L"ENDE", L"QUITTER", L"ESCI"},
    {L"SETTINGS", L"EINSTELLUNG", L"REGLAGES", L"OPZIONI"},
    {L"INFO", L"INFO", L"INFO", L"INFO"},
};
const LocalizedText kFunctionSelected = {L"Function selected: ", L"Funktion ausgewaehlt: ",
                                         L"Fonction choisie: ", L"Funzione scelta: "};
const LocalizedText kEnterStarts = {L"   (Enter starts)", L"   (Enter startet)", L"   (Enter demarre)",
                                    L"   (Enter avvia)"};
const LocalizedText kLastKey = {L"Last key: ", L"Letzte Taste: ", L"Derniere touche: ", L"Ultimo tasto: "};
const LocalizedText kUnknownKey = {L"Unknown key", L"Unbekannte Taste", L"Touche inconnue",
                                   L"Tasto sconosciuto"};

bool controlHeld() {
    return (GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

}  // namespace

std::wstring functionName(int index) {
    return localizedRow(kFunctionNames, index);
}

std::wstring functionKeyLabel(int index) {
    if (index < 0 || index >= 12) return std::wstring();
    return kKeyLabels[index];
}

std::wstring functionLabel(int index) {
    if (index < 0 || index >= 12) return std::wstring();
    return functionKeyLabel(index) + L" " + functionName(index);
}

void moveFunctionBar(HWND window, int delta) {
    functionBarFocused = 1;
    functionBarIndex += delta;
    if (functionBarIndex < 0) functionBarIndex = 0;
    if (functionBarIndex > 11) functionBarIndex = 11;
    reportStatus(window, localize(kFunctionSelected) + functionLabel(functionBarIndex) + localize(kEnterStarts));
}

void runFunction(HWND window, int index) {
    switch (index) {
    case 0: return openHelp(window);
    case 8: return openDriveSelect(window);
    case 9: return PostQuitMessage(0);  // F10: end at once, nothing to save
    case 10: return openSettings(window);
    case 11: return openInfo(window);
    default: return;  // functions whose screens are not built yet do nothing
    }
}

void mainViewKey(HWND window, UINT key) {
    if (key == VK_ESCAPE) return clearMarks(window);
    if (key == VK_SPACE) {
        functionBarFocused = 0;
        return toggleMark(window);
    }
    if (key >= VK_F1 && key <= VK_F12) {
        functionBarIndex = static_cast<int32_t>(key - VK_F1);
        functionBarFocused = 1;
        return runFunction(window, functionBarIndex);
    }
    switch (key) {
    case VK_TAB:
        return switchPanel(window);
    case VK_LEFT:
        return moveFunctionBar(window, -1);
    case VK_RIGHT:
        return moveFunctionBar(window, +1);
    case VK_UP:
    case VK_DOWN: {
        functionBarFocused = 0;
        int delta = key == VK_UP ? -1 : +1;
        return controlHeld() ? markAndMove(window, delta) : moveCursor(window, delta);
    }
    case VK_BACK:
        functionBarFocused = 0;
        goUp(window);
        return requestRepaint(window);
    case VK_RETURN:
        if (functionBarFocused == 1) return runFunction(window, functionBarIndex);
        return openEntry(window);
    default:
        return reportStatus(window, localize(kLastKey) + localize(kUnknownKey));
    }
}
