#include "viewer/viewer.h"

#include <algorithm>

#include "fs/paths.h"
#include "panels/panels.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/state.h"
#include "viewer/text_load.h"

namespace {

const LocalizedText kNoFile = {L"No file selected.", L"Keine Datei ausgewaehlt.", L"Aucun fichier selectionne.",
                               L"Nessun file selezionato."};
const LocalizedText kFilesOnly = {L"F3 READ works for files only.", L"F3 LESEN funktioniert nur bei Dateien.",
                                  L"F3 LIRE fonctionne seulement avec des fichiers.",
                                  L"F3 LEGGI funziona solo con file."};
const LocalizedText kUnsupportedTitle = {L"UNSUPPORTED FILE TYPE", L"DATEITYP NICHT UNTERSTUETZT",
                                         L"TYPE DE FICHIER NON PRIS EN CHARGE", L"TIPO FILE NON SUPPORTATO"};
const LocalizedText kUnsupportedText = {L"F3 opens text/source files only.", L"F3 oeffnet nur Text-/Quelltextdateien.",
                                        L"F3 ouvre seulement les fichiers texte/source.",
                                        L"F3 apre solo file testo/sorgente."};
const LocalizedText kBinaryTitle = {L"BINARY FILE", L"BINAERDATEI", L"FICHIER BINAIRE", L"FILE BINARIO"};
const LocalizedText kBinaryText = {L"This file does not look like a text file.",
                                   L"Diese Datei sieht nicht wie eine Textdatei aus.",
                                   L"Ce fichier ne semble pas etre un fichier texte.",
                                   L"Questo file non sembra un file di testo."};
const LocalizedText kReadErrorTitle = {L"READ ERROR", L"LESEFEHLER", L"ERREUR DE LECTURE", L"ERRORE DI LETTURA"};
const LocalizedText kReadErrorText = {L"File could not be read.", L"Datei konnte nicht gelesen werden.",
                                      L"Le fichier ne peut pas etre lu.", L"Impossibile leggere il file."};
const LocalizedText kOpened = {L"F3 READ: ", L"F3 LESEN: ", L"F3 LIRE: ", L"F3 LEGGI: "};
const LocalizedText kClosed = {L"Viewer closed.", L"Datei-Anzeige geschlossen.", L"Visionneuse fermee.",
                               L"Visualizzatore chiuso."};
const LocalizedText kTitle = {L"TORVANE FILE VIEWER", L"TORVANE DATEI-ANZEIGE", L"TORVANE VISIONNEUSE",
                              L"TORVANE VISUALIZZATORE"};
const LocalizedText kHint = {L"Up/down = scroll   PageUp/PageDown = fast scroll   ESC = back",
                             L"Pfeil hoch/runter = scrollen   PageUp/PageDown = schnell   ESC = zurueck",
                             L"Haut/bas = defiler   PageUp/PageDown = rapide   ESC = retour",
                             L"Su/giu = scorri   PageUp/PageDown = veloce   ESC = indietro"};

int32_t lastLine() {
    return std::max(static_cast<int32_t>(loadedText.lines.size()) - 1, 0);
}

// More than any row can show at the smallest font on the widest screen; a 256 KB line is not measured
// whole at every frame.
constexpr size_t kDrawnUnitsLimit = 2048;

int lineHeight() {
    return std::max(theme.rowHeight, kViewerMinLineHeight);
}

// Text area of the box whose bottom is at `boxBottom`.
RECT textArea(int w, int boxBottom) {
    return rectOf(50 + 26, 66 + 98, w - 50 - 26, boxBottom - 48);
}

}  // namespace

bool loadCursorFile(HWND window, const LocalizedText& filesOnly, bool expandTabs, bool& partial) {
    const PanelState& panel = activePanel();
    const DirEntry* entry = cursorEntry(panel);
    if (!entry) {
        reportStatus(window, localize(kNoFile));
        return false;
    }
    if (entry->isFolder) {
        reportStatus(window, localize(filesOnly));
        return false;
    }
    if (!isSupportedTextName(entry->name)) {
        showMessageBox(window, localize(kUnsupportedTitle), localize(kUnsupportedText));
        return false;
    }
    std::wstring path = WithTrailingSeparator(panel.path) + entry->name;
    if (loadTextFile(path, expandTabs, partial) != LoadOutcome::Loaded) {
        if (GetLastError() != 0)
            showMessageBox(window, localize(kReadErrorTitle), localize(kReadErrorText));
        else
            showMessageBox(window, localize(kBinaryTitle), localize(kBinaryText));
        return false;
    }
    loadedText.fileName = entry->name;
    loadedText.fullPath = path;
    loadedText.firstVisibleLine = 0;
    return true;
}

void openViewer(HWND window) {
    bool partial = false;
    if (loadCursorFile(window, kFilesOnly, true, partial))
        switchScreen(window, ScreenMode::Viewer, localize(kOpened) + loadedText.fileName);
}

void viewerKey(HWND window, UINT key) {
    int32_t& first = loadedText.firstVisibleLine;
    switch (key) {
    case VK_ESCAPE: return closeViewer(window);
    case VK_UP: first -= 1; break;
    case VK_DOWN: first += 1; break;
    case VK_PRIOR: first -= kViewerPageLines; break;
    case VK_NEXT: first += kViewerPageLines; break;
    case VK_HOME: first = 0; break;
    case VK_END: first = lastLine(); break;
    default: return;
    }
    first = std::clamp(first, 0, lastLine());
    requestRepaint(window);
}

void closeViewer(HWND window) {
    clearLoadedText();
    switchScreen(window, ScreenMode::MainView, localize(kClosed));
}

int32_t viewerVisibleRows(int h) {
    RECT area = textArea(0, h - 92);
    return std::max<int32_t>((area.bottom - area.top - 12) / lineHeight(), 1);
}

void drawViewer(HDC dc, int w, int h) {
    int left = 50, top = 66, right = w - 50, bottom = h - 92;
    if (right < 251 || bottom < 267) return;
    RECT box = rectOf(left, top, right, bottom);
    fillRect(dc, box, RGB(192, 192, 192));
    drawFrameOnly(dc, box, theme.dialogFrame, 4);
    drawText(dc, rectOf(left + 24, top + 16, right - 24, top + 54), localize(kTitle), kBlack, true, false,
             kLineCentre);
    drawText(dc, rectOf(left + 30, top + 58, right - 30, top + 92), L"File: " + loadedText.fileName, kBlack, true,
             false, kLineLeftMiddle);
    RECT area = textArea(w, bottom);
    drawBox(dc, area, RGB(210, 210, 210), kBlack, 2);

    int32_t count = static_cast<int32_t>(loadedText.lines.size());
    int32_t& first = loadedText.firstVisibleLine;
    first = std::clamp(first, 0, lastLine());
    int rowHeight = lineHeight();
    int32_t rows = viewerVisibleRows(h);
    // Only the rows on screen are drawn, whatever the document's length.
    for (int32_t i = 0; i < rows && first + i < count; ++i) {
        int y = area.top + 6 + i * rowHeight;
        const std::wstring& line = loadedText.lines[first + i];
        drawText(dc, rectOf(area.left + 10, y, area.right - 10, y + rowHeight), line.substr(0, kDrawnUnitsLimit),
                 kBlack, boldText(), false, kLineLeftMiddle);
    }

    wchar_t position[64];
    formatText(position, L"Line %d / %d", first + 1, count);
    drawText(dc, rectOf(left + 30, bottom - 42, left + 280, bottom - 14), position, kBlack, false, true,
             kLineLeftMiddle);
    drawText(dc, rectOf(left + 290, bottom - 42, right - 30, bottom - 14), localize(kHint), kBlack, false, true,
             kLineCentre);
}
