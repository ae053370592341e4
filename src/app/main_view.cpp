#include "app/main_view.h"

#include "editor/editor.h"
#include "fs/paths.h"
#include "ops/copy.h"
#include "ops/delete.h"
#include "ops/move.h"
#include "ops/open_run.h"
#include "ops/rename.h"
#include "panels/drives.h"
#include "panels/navigation.h"
#include "panels/panels.h"
#include "screens/help.h"
#include "screens/info.h"
#include "screens/settings_screen.h"
#include "settings/language.h"
#include "ui/function_keys.h"
#include "ui/state.h"
#include "viewer/viewer.h"

namespace {

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

// Enter on a file: the shell opens it, or asks first for a program.
void openCursorFile(HWND window) {
    const PanelState& panel = activePanel();
    const DirEntry* entry = cursorEntry(panel);
    if (entry && !entry->isFolder) openFileEntry(window, entry->name, WithTrailingSeparator(panel.path) + entry->name);
}

}  // namespace

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
    case 1: return beginRename(window);
    case 2: return openViewer(window);
    case 3: return openEditor(window);
    case 4: return beginCopy(window);
    case 5: return beginMove(window);
    case 6: return beginCreateFolder(window);
    case 7: return beginDelete(window);
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
        if (!openEntry(window)) openCursorFile(window);
        return;
    default:
        return reportStatus(window, localize(kLastKey) + localize(kUnknownKey));
    }
}
