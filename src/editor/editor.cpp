#include "editor/editor.h"

#include <algorithm>

#include "editor/block.h"
#include "editor/buffer.h"
#include "editor/find.h"
#include "editor/save.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/gdi.h"
#include "ui/state.h"
#include "viewer/viewer.h"

namespace {

const LocalizedText kFilesOnly = {L"F4 EDITOR works for files only.", L"F4 EDITOR funktioniert nur bei Dateien.",
                                  L"F4 EDITEUR fonctionne seulement avec des fichiers.",
                                  L"F4 EDITOR funziona solo con file."};
const LocalizedText kOpened = {L"F4 EDITOR opened read-only: ", L"F4 EDITOR nur lesend geoeffnet: ",
                               L"F4 EDITEUR ouvert en lecture seule: ", L"F4 EDITOR aperto in sola lettura: "};
const LocalizedText kMixedBreaks = {L"Mixed line breaks: saving writes %ls throughout.",
                                    L"Gemischte Zeilenumbrueche: Speichern schreibt durchgehend %ls.",
                                    L"Sauts de ligne mixtes: l'enregistrement ecrit %ls partout.",
                                    L"Interruzioni di riga miste: il salvataggio scrive %ls ovunque."};
const LocalizedText kCannotSave = {
    L"This file cannot be saved: its bytes would not be written back unchanged.",
    L"Diese Datei kann nicht gespeichert werden: ihre Bytes wuerden nicht unveraendert zurueckgeschrieben.",
    L"Ce fichier ne peut pas etre enregistre: ses octets ne seraient pas reecrits a l'identique.",
    L"Questo file non puo essere salvato: i suoi byte non verrebbero riscritti invariati."};
const wchar_t* const kStyleNames[] = {L"CR LF", L"LF", L"CR"};  // by LineEndingStyle
const LocalizedText kHelpOpened = {L"Editor help opened.", L"Editor-Hilfe geoeffnet.", L"Aide editeur ouverte.",
                                   L"Aiuto editor aperto."};
const LocalizedText kHelpClosed = {L"Editor help closed.", L"Editor-Hilfe geschlossen.", L"Aide editeur fermee.",
                                   L"Aiuto editor chiuso."};
const LocalizedText kTitle = {L"TORVANE EDITOR", L"TORVANE EDITOR", L"TORVANE EDITEUR", L"TORVANE EDITOR"};
const LocalizedText kHint = {
    L"F1 Help   F2 Save   F3 Find   Ctrl+Z / Ctrl+Shift+Z = undo / redo   Ctrl+C/X/V",
    L"F1 Hilfe   F2 Speichern   F3 Suchen   Ctrl+Z / Ctrl+Shift+Z = Undo / Redo",
    L"F1 Aide   F2 Enregistrer   F3 Chercher   Ctrl+Z / Ctrl+Shift+Z = Annuler / Retablir",
    L"F1 Aiuto   F2 Salva   F3 Trova   Ctrl+Z / Ctrl+Shift+Z = Annulla / Ripeti"};
const LocalizedText kHelpTitle = {L"TORVANE EDITOR HELP", L"TORVANE EDITOR HILFE", L"TORVANE EDITEUR AIDE",
                                  L"TORVANE EDITOR AIUTO"};
const LocalizedText kHelpFooter = {L"ESC or F1 = back to editor", L"ESC oder F1 = zurueck zum Editor",
                                   L"ESC ou F1 = retour a l'editeur", L"ESC o F1 = ritorna all'editor"};
const wchar_t* const kButtons[] = {L"[F1] HELP", L"[F2] SAVE", L"[F3] FIND", L"[F10] EXIT", L"[ESC] BACK"};

struct HelpRow {
    const wchar_t* key;
    LocalizedText text;
};
const HelpRow kHelpRows[] = {
    {L"F1", {L"show / close this editor help", L"diese Editor-Hilfe anzeigen / schliessen",
             L"afficher / fermer cette aide editeur", L"mostra / chiudi questo aiuto editor"}},
    {L"F2", {L"open SAVE FILE? dialog", L"Dialog DATEI SICHERN? oeffnen", L"ouvrir le dialogue ENREGISTRER FICHIER?",
             L"apre il dialogo SALVARE FILE?"}},
    {L"F3 / CTRL + F", {L"find text, F3 repeats last search", L"Text suchen, F3 wiederholt letzte Suche",
                        L"chercher texte, F3 repete la derniere recherche", L"trova testo, F3 ripete l'ultima ricerca"}},
    {L"F10 / ESC", {L"exit editor, asks to save when modified", L"Editor verlassen, fragt bei Aenderungen nach Speichern",
                    L"quitter l'editeur, demande d'enregistrer si modifie",
                    L"esce dall'editor, chiede salvataggio se modificato"}},
    {L"ARROWS", {L"move cursor", L"Cursor bewegen", L"deplacer le curseur", L"muove il cursore"}},
    {L"HOME / END", {L"start / end of current line", L"Anfang / Ende der aktuellen Zeile",
                     L"debut / fin de la ligne actuelle", L"inizio / fine della riga corrente"}},
    {L"PAGE UP / DOWN", {L"move cursor by page", L"Cursor seitenweise bewegen", L"deplacer le curseur par page",
                         L"muove il cursore per pagina"}},
    {L"CTRL + UP/DOWN", {L"mark whole lines as block", L"ganze Zeilen als Block markieren",
                         L"marquer lignes entieres comme bloc", L"marca righe intere come blocco"}},
    {L"DELETE / BACKSPACE", {L"delete character or marked line block", L"Zeichen oder markierten Zeilenblock loeschen",
                             L"effacer caractere ou bloc de lignes marque", L"elimina carattere o blocco righe marcato"}},
    {L"TAB", {L"insert 4 spaces or indent marked block", L"4 Leerzeichen einfuegen oder markierten Block einruecken",
              L"inserer 4 espaces ou indenter le bloc marque", L"inserisce 4 spazi o indenta il blocco marcato"}},
    {L"SHIFT + TAB", {L"unindent marked block", L"markierten Block ausruecken", L"desindenter le bloc marque",
                      L"toglie indentazione al blocco marcato"}},
    {L"CTRL + C", {L"copy marked line block to Windows clipboard",
                   L"markierten Zeilenblock in Windows-Zwischenablage kopieren",
                   L"copier le bloc marque dans le presse-papiers Windows",
                   L"copia il blocco marcato negli appunti Windows"}},
    {L"CTRL + X", {L"cut marked line block to Windows clipboard", L"markierten Zeilenblock ausschneiden",
                   L"couper le bloc marque dans le presse-papiers Windows",
                   L"taglia il blocco marcato negli appunti Windows"}},
    {L"CTRL + V", {L"paste Windows clipboard at cursor", L"Windows-Zwischenablage am Cursor einfuegen",
                   L"coller le presse-papiers Windows au curseur", L"incolla gli appunti Windows al cursore"}},
    {L"CTRL + Z", {L"undo, maximum 10 steps", L"Rueckgaengig, maximal 10 Schritte", L"annuler, maximum 10 etapes",
                   L"annulla, massimo 10 passi"}},
    {L"CTRL + SHIFT + Z", {L"redo, maximum 10 steps", L"Wiederherstellen, maximal 10 Schritte",
                           L"retablir, maximum 10 etapes", L"ripeti, massimo 10 passi"}},
};

// More than a row can show at the smallest font on the widest screen: a 256 KB line is never
// measured or drawn whole at every frame.
constexpr size_t kDrawnUnits = 2048;

bool keyDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

int lineHeight() {
    return std::max(theme.rowHeight, 28);
}

RECT textArea(int w, int h) {
    return rectOf(50 + 26, 66 + 168, w - 50 - 26, h - 92 - 48);
}

COLORREF scaled(COLORREF c, int multiply, int add, int divide) {
    auto channel = [&](int value) { return std::clamp((value * multiply + add) / divide, 0, 255); };
    return RGB(channel(GetRValue(c)), channel(GetGValue(c)), channel(GetBValue(c)));
}

// The Ctrl commands; false when the key is not one of them.
bool controlCommand(HWND window, UINT key) {
    switch (key) {
    case 'F': openFind(window); return true;
    case 'Z': keyDown(VK_SHIFT) ? redo(window) : undo(window); return true;
    case 'C': copyBlock(window); return true;
    case 'X': cutBlock(window); return true;
    case 'V': pasteClipboard(window); return true;
    case VK_UP: extendBlock(-1); break;
    case VK_DOWN: extendBlock(+1); break;
    default: return false;
    }
    requestRepaint(window);
    return true;
}

// The width of the first `count` units of `line` in the DC's font.
int textWidth(HDC dc, const std::wstring& line, size_t count) {
    SIZE extent = {};
    count = std::min({count, line.size(), kDrawnUnits});
    if (count > 0) GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(count), &extent);
    return extent.cx;
}

}  // namespace

void openEditor(HWND window) {
    bool partial = false;
    if (!loadCursorFile(window, kFilesOnly, false, partial)) return;
    initialiseEditor(partial);
    // What a save would do to a file the user has not touched is said before the first key.
    std::wstring status = localize(kOpened) + loadedText.fileName;
    if (!partial && loadedText.unsafeToSave) {
        status = localize(kCannotSave);
    } else if (!partial && loadedText.mixedLineBreaks) {
        status = localize(kMixedBreaks);
        status.replace(status.find(L"%ls"), 3, kStyleNames[static_cast<int>(loadedText.lineEnding)]);
    }
    switchScreen(window, ScreenMode::Editor, status);
}

void editorKey(HWND window, UINT key) {
    switch (key) {
    case VK_F1: return switchScreen(window, ScreenMode::EditorHelp, localize(kHelpOpened));
    case VK_ESCAPE:
    case VK_F10: return requestLeave(window);
    case VK_F2: return requestSave(window);
    case VK_F3: return editor.findInput.empty() ? openFind(window) : findNext(window, true);
    default: break;
    }
    // AltGr arrives as Ctrl+Alt and types characters with letter keys: only the letter commands wait
    // for Alt to be up; AltGr types nothing with the arrows.
    bool arrow = key == VK_UP || key == VK_DOWN;
    if (keyDown(VK_CONTROL) && (arrow || !keyDown(VK_MENU)) && controlCommand(window, key)) return;
    bool block = editor.blockActive;
    switch (key) {
    case VK_RETURN: splitLine(); break;
    case VK_BACK: block ? deleteBlockLines() : backspace(); break;
    case VK_DELETE: block ? deleteBlockLines() : deleteForward(); break;
    case VK_TAB:
        if (block) keyDown(VK_SHIFT) ? unindentBlock() : indentBlock();
        else if (!keyDown(VK_SHIFT)) insertTab();
        break;
    case VK_UP: endBlock(); moveVertically(-1); break;
    case VK_DOWN: endBlock(); moveVertically(+1); break;
    case VK_PRIOR: endBlock(); moveVertically(-kEditorPageLines); break;
    case VK_NEXT: endBlock(); moveVertically(+kEditorPageLines); break;
    case VK_LEFT: endBlock(); moveLeft(); break;
    case VK_RIGHT: endBlock(); moveRight(); break;
    case VK_HOME: endBlock(); moveToLineStart(); break;
    case VK_END: endBlock(); moveToLineEnd(); break;
    default: return;
    }
    requestRepaint(window);
}

void editorCharacter(HWND window, wchar_t ch) {
    // Ctrl+Backspace also sends DEL as a character; it would land in the file as a control byte.
    if (ch < 32 || ch == 127) return;
    insertCharacter(ch);
    requestRepaint(window);
}

void editorHelpKey(HWND window, UINT key) {
    if (key == VK_ESCAPE || key == VK_F1) switchScreen(window, ScreenMode::Editor, localize(kHelpClosed));
}

int32_t editorVisibleRows(int h) {
    RECT area = textArea(0, h);
    return std::max<int32_t>((area.bottom - area.top - 12) / lineHeight(), 1);
}

void drawEditor(HDC dc, int w, int h) {
    int left = 50, top = 66, right = w - 50, bottom = h - 92;
    if (right < 251 || bottom < 267) return;
    RECT box = rectOf(left, top, right, bottom);
    fillRect(dc, box, RGB(176, 176, 176));
    drawFrameOnly(dc, box, theme.dialogFrame, 4);
    drawText(dc, rectOf(left + 24, top + 16, right - 24, top + 54), localize(kTitle), kBlack, true, false, kLineCentre);
    int x0 = left + (right - left - 773) / 2;
    for (int j = 0; j < 5; ++j) {
        RECT button = rectOf(x0 + 157 * j, top + 58, x0 + 157 * j + 145, top + 92);
        drawBox(dc, button, theme.keyButtonFill, kBlack, 2);
        drawText(dc, button, kButtons[j], kBlack, true, true, kLineCentre);
    }
    drawText(dc, rectOf(left + 30, top + 104, right - 30, top + 138), L"File: " + loadedText.fileName, kBlack, true,
             false, kLineLeftMiddle);
    drawText(dc, rectOf(left + 30, top + 134, right - 30, top + 162),
             editor.modified ? L"EDIT MODE - NOT SAVED" : L"EDIT MODE - F2 saves to disk", RGB(80, 0, 0), true, true,
             kLineLeftMiddle);
    RECT area = textArea(w, h);
    drawBox(dc, area, RGB(210, 210, 210), kBlack, 2);

    const std::vector<std::wstring>& lines = loadedText.lines;
    int32_t count = static_cast<int32_t>(lines.size());
    int32_t rows = editorVisibleRows(h), rowHeight = lineHeight();
    clampCursor();
    int32_t& first = loadedText.firstVisibleLine;
    if (editor.cursorRow < first) first = editor.cursorRow;
    if (editor.cursorRow >= first + rows) first = editor.cursorRow - rows + 1;
    first = std::clamp(first, 0, std::max(count - 1, 0));

    COLORREF blockColour = scaled(theme.selectionBarFill, 35, 390 * 35, 100);
    COLORREF cursorInBlock = scaled(blockColour, 55, 11475, 100);
    COLORREF matchColour = scaled(theme.selectionBarFill, 65, 8925, 100);
    int32_t b0 = std::min(editor.blockAnchor, editor.cursorRow), b1 = std::max(editor.blockAnchor, editor.cursorRow);
    HFONT font = pickFont(boldText(), false);
    SelectedObject selected(dc, font);
    for (int32_t i = 0; i < rows && first + i < count; ++i) {
        int32_t k = first + i;
        const std::wstring& line = lines[k];
        int y = area.top + 6 + i * rowHeight;
        RECT row = rectOf(area.left + 10, y, area.right - 10, y + rowHeight);
        RECT band = rectOf(area.left + 4, y, area.right - 4, y + rowHeight);
        bool inBlock = editor.blockActive && k >= b0 && k <= b1;
        if (inBlock) fillRect(dc, band, blockColour);
        if (k == editor.cursorRow) fillRect(dc, band, inBlock ? cursorInBlock : RGB(235, 235, 235));
        int32_t length = static_cast<int32_t>(line.size());
        if (k == editor.matchRow && editor.matchColumn >= 0 && editor.matchLength >= 1 && editor.matchColumn < length) {
            int32_t m = std::min(editor.matchLength, length - editor.matchColumn);
            int a = textWidth(dc, line, static_cast<size_t>(editor.matchColumn));
            int b = textWidth(dc, line.substr(static_cast<size_t>(editor.matchColumn), kDrawnUnits), static_cast<size_t>(m));
            int xa = std::max(static_cast<int>(row.left) + a, static_cast<int>(row.left));
            int xb = std::min(static_cast<int>(row.right) - 2, static_cast<int>(row.left) + a + b);
            if (xb > xa) fillRect(dc, rectOf(xa, y + 3, xb, y + rowHeight - 3), matchColour);
        }
        drawTextInFont(dc, row, line.substr(0, kDrawnUnits), kBlack, font, kLineLeftMiddle);
        if (k == editor.cursorRow) {
            int a = textWidth(dc, line, static_cast<size_t>(std::min(editor.cursorColumn, length)));
            int x = std::min(std::max(static_cast<int>(row.left) + a, static_cast<int>(row.left)),
                             static_cast<int>(row.right) - 4);
            fillRect(dc, rectOf(x, y + 4, x + 3, y + rowHeight - 4), kBlack);
        }
    }

    std::wstring position = L"Line " + std::to_wstring(editor.cursorRow + 1) + L" / " + std::to_wstring(count) +
                            L"   Col " + std::to_wstring(editor.cursorColumn + 1);
    if (editor.modified) position += L"   MODIFIED";
    if (editor.blockActive) {
        int32_t marked = editor.blockAnchor < 0 || editor.cursorRow < 0 ? 0 : b1 - b0 + 1;
        position += L"   BLOCK " + std::to_wstring(marked) + L" line(s)";
    }
    drawText(dc, rectOf(left + 30, bottom - 42, left + 420, bottom - 14), position, kBlack, false, true,
             kLineLeftMiddle);
    drawText(dc, rectOf(left + 430, bottom - 42, right - 30, bottom - 14), localize(kHint), kBlack, false, true,
             kLineCentre);
}

void drawEditorHelp(HDC dc, int w, int h) {
    int bw = std::min(w - 80, std::max(2 * w / 3, 880)), bh = std::min(h - 100, std::max(2 * h / 3, 620));
    int left = (w - bw) / 2, top = (h - bh) / 2, right = left + bw, bottom = top + bh;
    RECT box = rectOf(left, top, right, bottom);
    fillRect(dc, box, theme.dialogBackground);
    drawFrameOnly(dc, box, theme.dialogFrame, 4);
    drawText(dc, rectOf(left + 30, top + 18, right - 30, top + 66), localize(kHelpTitle), kBlack, true, false,
             kLineCentre);
    for (int i = 0; i < 16; ++i) {
        int y = top + 84 + 32 * i;
        drawText(dc, rectOf(left + 54, y, left + 282, y + 28), kHelpRows[i].key, kBlack, true, true, kLineLeftMiddle);
        drawText(dc, rectOf(left + 300, y, left + 1500, y + 28), localize(kHelpRows[i].text), kBlack, false, true,
                 kLineLeftMiddle);
    }
    drawText(dc, rectOf(left + 30, bottom - 44, right - 30, bottom - 14), localize(kHelpFooter), kBlack, false, true,
             kLineCentre);
}
