#include "panels/navigation.h"

#include <string>

#include "fs/paths.h"
#include "panels/panels.h"
#include "settings/language.h"
#include "ui/state.h"

namespace {

const LocalizedText kSelectionUp = {L"Selection up.", L"Auswahl nach oben.", L"Selection vers le haut.",
                                    L"Selezione su."};
const LocalizedText kSelectionDown = {L"Selection down.", L"Auswahl nach unten.", L"Selection vers le bas.",
                                      L"Selezione giu."};
const LocalizedText kNoSelection = {L"No selection.", L"Keine Auswahl vorhanden.", L"Aucune selection.",
                                    L"Nessuna selezione."};
const LocalizedText kParentNotMarkable = {
    L"The parent folder [DIR] .. cannot be marked.", L"Der Elternordner [DIR] .. kann nicht markiert werden.",
    L"Le dossier parent [DIR] .. ne peut pas etre marque.", L"La cartella padre [DIR] .. non puo essere marcata."};
const LocalizedText kMarked = {L"Marked: ", L"Markiert: ", L"Marque: ", L"Marcato: "};
const LocalizedText kUnmarked = {L"Unmarked: ", L"Markierung entfernt: ", L"Marque retire: ",
                                 L"Marcatura rimossa: "};
const LocalizedText kItemsMarked = {L" item(s) marked.", L" Element(e) markiert.", L" element(s) marques.",
                                    L" elementi marcati."};
const LocalizedText kAllCleared = {L"All marked items cleared.", L"Alle Markierungen geloescht.",
                                   L"Tous les marquages sont effaces.", L"Tutte le marcature sono state rimosse."};
const LocalizedText kNoMarks = {L"No marked items. F10 exits the program.",
                                L"Keine Elemente markiert. F10 beendet das Programm.",
                                L"Aucun element marque. F10 quitte le programme.",
                                L"Nessun elemento marcato. F10 chiude il programma."};
const LocalizedText kFolderOpened = {L"Folder opened: ", L"Ordner geoeffnet: ", L"Dossier ouvert: ",
                                     L"Cartella aperta: "};
const LocalizedText kAtRoot = {L"Already at root directory.", L"Bereits im Stammverzeichnis.",
                               L"Deja dans le dossier racine.", L"Gia nella directory radice."};
const LocalizedText kLevelBack = {L"One level back: ", L"Eine Ebene zurueck: ", L"Un niveau en arriere: ",
                                  L"Un livello indietro: "};
const LocalizedText kActiveLeft = {L"Active panel: left", L"Aktives Panel: links", L"Panneau actif: gauche",
                                   L"Pannello attivo: sinistra"};
const LocalizedText kActiveRight = {L"Active panel: right", L"Aktives Panel: rechts", L"Panneau actif: droite",
                                    L"Pannello attivo: destra"};

std::wstring countText() {
    return std::to_wstring(markCount()) + localize(kItemsMarked);
}

int32_t clampRow(const PanelState& panel, int32_t row) {
    int32_t last = static_cast<int32_t>(panel.entries.size()) - 1;
    if (row < 0) return 0;
    return row > last ? last : row;
}

void markIfMarkable(PanelState& panel, int32_t row) {
    const DirEntry& e = panel.entries[static_cast<size_t>(row)];
    if (!isParentEntry(e) && findMark(panel, e.name) < 0) panel.marked.push_back(e.name);
}

// Shows `folder` in the panel from its first row, without the panel's marks.
void enterFolder(PanelState& panel, const std::wstring& folder) {
    panel.path = folder;
    panel.cursor = 0;
    panel.marked.clear();
    loadListing(panel);
}

}  // namespace

size_t markCount() {
    return leftPanel.marked.size() + rightPanel.marked.size();
}

void moveCursor(HWND window, int delta) {
    functionBarFocused = 0;
    PanelState& panel = activePanel();
    if (panel.entries.empty()) {
        panel.cursor = 0;
        panel.scroll = 0;
    } else {
        panel.cursor = clampRow(panel, panel.cursor + delta);
    }
    reportStatus(window, localize(delta < 0 ? kSelectionUp : kSelectionDown));
}

void markAndMove(HWND window, int delta) {
    functionBarFocused = 0;
    PanelState& panel = activePanel();
    if (panel.entries.empty()) return;
    panel.cursor = clampRow(panel, panel.cursor);
    markIfMarkable(panel, panel.cursor);
    panel.cursor = clampRow(panel, panel.cursor + delta);
    markIfMarkable(panel, panel.cursor);
    reportStatus(window, countText());
}

void toggleMark(HWND window) {
    functionBarFocused = 0;
    PanelState& panel = activePanel();
    if (panel.entries.empty()) return reportStatus(window, localize(kNoSelection));
    panel.cursor = clampRow(panel, panel.cursor);
    const DirEntry& e = panel.entries[static_cast<size_t>(panel.cursor)];
    if (isParentEntry(e)) return reportStatus(window, localize(kParentNotMarkable));
    int position = findMark(panel, e.name);
    if (position < 0) {
        panel.marked.push_back(e.name);
        reportStatus(window, localize(kMarked) + e.name + L"   " + countText());
    } else {
        panel.marked.erase(panel.marked.begin() + position);
        reportStatus(window, localize(kUnmarked) + e.name + L"   " + countText());
    }
}

void clearMarks(HWND window) {
    if (markCount() == 0) return reportStatus(window, localize(kNoMarks));
    leftPanel.marked.clear();
    rightPanel.marked.clear();
    reportStatus(window, localize(kAllCleared));
}

bool openEntry(HWND window) {
    PanelState& panel = activePanel();
    if (panel.entries.empty()) return true;
    panel.cursor = clampRow(panel, panel.cursor);
    const DirEntry e = panel.entries[static_cast<size_t>(panel.cursor)];
    if (!e.isFolder) return false;
    enterFolder(panel, isParentEntry(e) ? ParentFolder(panel.path)
                                        : FullPath(WithTrailingSeparator(panel.path) + e.name));
    reportStatus(window, localize(kFolderOpened) + panel.path);
    return true;
}

void goUp(HWND window) {
    functionBarFocused = 0;
    PanelState& panel = activePanel();
    if (IsRootFolder(panel.path)) return reportStatus(window, localize(kAtRoot));
    enterFolder(panel, ParentFolder(panel.path));
    reportStatus(window, localize(kLevelBack) + panel.path);
}

void switchPanel(HWND window) {
    functionBarFocused = 0;
    leftPanelActive = !leftPanelActive;
    reportStatus(window, localize(leftPanelActive ? kActiveLeft : kActiveRight));
}
