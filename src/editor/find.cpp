#include "editor/find.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

#include "editor/buffer.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/gdi.h"
#include "ui/state.h"

namespace {

const LocalizedText kOpened = {L"Editor search opened.", L"Editor-Suche geoeffnet.", L"Recherche editeur ouverte.",
                               L"Ricerca editor aperta."};
const LocalizedText kClosed = {L"Editor search closed.", L"Editor-Suche geschlossen.", L"Recherche editeur fermee.",
                               L"Ricerca editor chiusa."};
const LocalizedText kEmpty = {L"Search text is empty.", L"Suchtext ist leer.", L"Texte de recherche vide.",
                              L"Testo di ricerca vuoto."};
const LocalizedText kNotFound = {L"Search text not found: ", L"Suchtext nicht gefunden: ", L"Texte introuvable: ",
                                 L"Testo non trovato: "};
const LocalizedText kFound = {L"Found at line ", L"Gefunden in Zeile ", L"Trouve a la ligne ", L"Trovato alla riga "};
const LocalizedText kTitle = {L"FIND TEXT", L"TEXT SUCHEN", L"CHERCHER TEXTE", L"TROVA TESTO"};
const LocalizedText kLabel = {L"Search text:", L"Suchtext:", L"Texte a chercher:", L"Testo da cercare:"};
const LocalizedText kHint = {L"Type text   Enter/F3 = find next   Backspace = delete   ESC = back",
                             L"Text eingeben   Enter/F3 = weiter suchen   Backspace = loeschen   ESC = zurueck",
                             L"Saisir texte   Enter/F3 = chercher suivant   Backspace = effacer   ESC = retour",
                             L"Scrivi testo   Enter/F3 = trova prossimo   Backspace = cancella   ESC = indietro"};

// `text` lower-cased by the system's Unicode case mapping, one unit for one unit, so columns
// found in it are columns of the text (towlower in the C runtime folds only A to Z).
void lowerCase(const std::wstring& text, std::wstring& lowered) {
    lowered.resize(text.size());
    int size = static_cast<int>(text.size());
    if (size == 0) return;
    if (LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_LOWERCASE, text.data(), size, lowered.data(), size, nullptr,
                      nullptr, 0) != size)
        lowered = text;
}

// Horspool's search over lower-cased text: how far the pattern may move on when the unit under its
// last position mismatches, by that unit's low byte (units sharing a low byte take the shortest move,
// so no match is skipped).
struct Searcher {
    size_t shift[256];
    explicit Searcher(const std::wstring& pattern) {
        size_t last = pattern.size() - 1;
        std::fill(std::begin(shift), std::end(shift), pattern.size());
        for (size_t i = 0; i < last; ++i) shift[pattern[i] & 0xFF] = last - i;
    }
};

// First column >= `from` where the lower-cased pattern starts in the lower-cased line, or -1.
int32_t findInLine(const std::wstring& lowered, const std::wstring& pattern, const Searcher& searcher,
                   int32_t from) {
    size_t size = pattern.size(), last = size - 1;
    for (size_t at = static_cast<size_t>(from); at + size <= lowered.size();
         at += searcher.shift[lowered[at + last] & 0xFF]) {
        if (lowered[at + last] == pattern[last] && wmemcmp(lowered.data() + at, pattern.data(), last) == 0)
            return static_cast<int32_t>(at);
    }
    return -1;
}

}  // namespace

bool findText(const std::wstring& pattern, int32_t row, int32_t column, int32_t& foundRow, int32_t& foundColumn) {
    const std::vector<std::wstring>& lines = loadedText.lines;
    if (pattern.empty() || lines.empty()) return false;
    int32_t count = static_cast<int32_t>(lines.size());
    row = std::clamp(row, 0, count - 1);
    column = std::max(column, 0);
    // Each line is lower-cased once per search, the start row too, which is searched twice.
    std::wstring lowered, line, startLine;
    lowerCase(pattern, lowered);
    lowerCase(lines[row], startLine);
    Searcher searcher(lowered);
    auto found = [&](int32_t r, int32_t from) {
        if (r != row) lowerCase(lines[r], line);
        int32_t at = findInLine(r == row ? startLine : line, lowered, searcher, from);
        if (at < 0) return false;
        foundRow = r;
        foundColumn = at;
        return true;
    };
    int32_t startLength = static_cast<int32_t>(lines[row].size());
    if (found(row, std::min(column, startLength))) return true;
    for (int32_t r = row + 1; r < count; ++r)
        if (found(r, 0)) return true;
    for (int32_t r = 0; r < row; ++r)
        if (found(r, 0)) return true;
    // Last, the start row left of the start column.
    return column >= 1 && found(row, 0) && foundColumn < column;
}

void openFind(HWND window) {
    switchScreen(window, ScreenMode::EditorFind, localize(kOpened));
}

void findNext(HWND window, bool skip) {
    editor.highSurrogateTyped = false;
    if (editor.findInput.empty()) return reportStatus(window, localize(kEmpty));
    ensureLine();
    clampCursor();
    int32_t row = 0, column = 0;
    if (!findText(editor.findInput, editor.cursorRow, editor.cursorColumn + (skip ? 1 : 0), row, column)) {
        clearMatch();
        return reportStatus(window, localize(kNotFound) + editor.findInput);
    }
    editor.blockActive = false;
    editor.blockAnchor = editor.cursorRow;
    editor.cursorRow = row;
    editor.cursorColumn = editor.preferredColumn = column;
    editor.matchRow = row;
    editor.matchColumn = column;
    editor.matchLength = static_cast<int32_t>(editor.findInput.size());
    clampCursor();
    wchar_t where[64];
    formatText(where, L"%d, Col %d: ", row + 1, column + 1);
    switchScreen(window, ScreenMode::Editor, localize(kFound) + where + editor.findInput);
}

void findInputKey(HWND window, UINT key) {
    switch (key) {
    case VK_RETURN:
    case VK_F3: return findNext(window, false);
    case VK_BACK:
        if (removeLastCharacter(editor.findInput)) clearMatch();
        return requestRepaint(window);
    case VK_DELETE:
        editor.findInput.clear();
        clearMatch();
        return requestRepaint(window);
    case VK_ESCAPE: return switchScreen(window, ScreenMode::Editor, localize(kClosed));
    default: return;
    }
}

void findInputCharacter(HWND window, wchar_t ch) {
    if (appendToInput(editor.findInput, kFindInputLimit, ch)) {
        clearMatch();
        requestRepaint(window);
    }
}

void drawFindInput(HDC dc, int w, int h) {
    int bw = std::min(w - 80, std::max(w / 2, 720)), bh = std::min(h - 100, 240);
    int left = (w - bw) / 2, top = (h - bh) / 2, right = left + bw, bottom = top + bh;
    RECT box = rectOf(left, top, right, bottom);
    fillRect(dc, box, theme.dialogBackground);
    drawFrameOnly(dc, box, theme.dialogFrame, 4);
    drawText(dc, rectOf(left + 30, top + 22, right - 30, top + 66), localize(kTitle), kBlack, true, false,
             kLineCentre);
    drawText(dc, rectOf(left + 44, top + 82, right - 44, top + 112), localize(kLabel), kBlack, true, true, kLineLeft);
    RECT field = rectOf(left + 44, top + 116, right - 44, top + 160);
    drawBox(dc, field, RGB(235, 235, 235), kBlack, 2);
    HFONT font = pickFont(true, true);
    drawTextInFont(dc, rectOf(field.left + 10, field.top, field.right - 10, field.bottom), editor.findInput, kBlack,
                   font, kLineLeftMiddle);
    SIZE extent = {};
    {
        SelectedObject selected(dc, font);
        GetTextExtentPoint32W(dc, editor.findInput.c_str(), static_cast<int>(editor.findInput.size()), &extent);
    }
    int x = std::min(static_cast<int>(field.right) - 14, static_cast<int>(field.left) + 10 + static_cast<int>(extent.cx));
    fillRect(dc, rectOf(x, field.top + 9, x + 3, field.bottom - 9), kBlack);
    drawText(dc, rectOf(left + 30, bottom - 48, right - 30, bottom - 14), localize(kHint), kBlack, false, true,
             kLineCentre);
}
