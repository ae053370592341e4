#include "editor/buffer.h"

#include <algorithm>

#include "settings/language.h"
#include "ui/state.h"

EditorBuffer editor;

namespace {

const LocalizedText kNothingToUndo = {L"Undo: no previous step.", L"Undo: kein vorheriger Schritt.",
                                      L"Annuler: aucune etape precedente.", L"Annulla: nessun passaggio precedente."};
const LocalizedText kUndone = {L"Undo.", L"Undo.", L"Annule.", L"Annullato."};
const LocalizedText kNothingToRedo = {L"Redo: no next step.", L"Redo: kein naechster Schritt.",
                                      L"Retablir: aucune etape suivante.", L"Ripeti: nessun passaggio successivo."};
const LocalizedText kClosed = {L"Editor closed.", L"Editor geschlossen.", L"Editeur ferme.", L"Editor chiuso."};
const LocalizedText kRedone = {L"Redo.", L"Redo.", L"Retabli.", L"Ripetuto."};

std::vector<std::wstring>& lines() {
    return loadedText.lines;
}

int32_t lineCount() {
    return static_cast<int32_t>(lines().size());
}

int32_t lineLength(int32_t row) {
    return row >= 0 && row < lineCount() ? static_cast<int32_t>(lines()[row].size()) : 0;
}

std::wstring& cursorLine() {
    return lines()[editor.cursorRow];
}

bool isHigh(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLow(wchar_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// True when a whole pair ends just before `column` / starts at `column`.
bool pairBefore(const std::wstring& line, int32_t column) {
    return column >= 2 && isLow(line[column - 1]) && isHigh(line[column - 2]);
}

bool pairAt(const std::wstring& line, int32_t column) {
    return column + 1 < static_cast<int32_t>(line.size()) && isHigh(line[column]) && isLow(line[column + 1]);
}

// Every operation but typing the second half of a pair ends the wait for it.
void startOperation() {
    editor.highSurrogateTyped = false;
}

// How every text change begins: the block dropped, a line to work on, the cursor valid.
void beginChange() {
    startOperation();
    editor.blockActive = false;
    editor.blockAnchor = editor.cursorRow;
    ensureLine();
    clampCursor();
}

void afterChange() {
    editor.modified = true;
    clearMatch();
    clampCursor();
}

void trimHistory(std::vector<UndoStep>& history) {
    if (history.size() > kUndoSteps) history.erase(history.begin(), history.end() - kUndoSteps);
}

UndoStep currentState() {
    UndoStep step;
    step.lines = lines();
    step.firstVisibleLine = loadedText.firstVisibleLine;
    step.cursorRow = editor.cursorRow;
    step.cursorColumn = editor.cursorColumn;
    step.preferredColumn = editor.preferredColumn;
    step.modified = editor.modified;
    return step;
}

void restore(UndoStep& step) {
    lines() = std::move(step.lines);
    if (lines().empty()) lines().emplace_back();
    loadedText.firstVisibleLine = step.firstVisibleLine;
    editor.cursorRow = step.cursorRow;
    editor.cursorColumn = step.cursorColumn;
    editor.preferredColumn = step.preferredColumn;
    editor.modified = step.modified;
    editor.blockActive = false;
    editor.blockAnchor = editor.cursorRow;
    clearMatch();
    clampCursor();
    loadedText.firstVisibleLine = std::clamp(loadedText.firstVisibleLine, 0, std::max(lineCount() - 1, 0));
}

// Undo and redo are mirrors: the current state goes to `to`, the newest step of `from` comes back.
void stepThrough(HWND window, std::vector<UndoStep>& from, std::vector<UndoStep>& to, const LocalizedText& empty,
                 const LocalizedText& done) {
    startOperation();
    if (from.empty()) return reportStatus(window, localize(empty));
    to.push_back(currentState());
    trimHistory(to);
    UndoStep step = std::move(from.back());
    from.pop_back();
    restore(step);
    reportStatus(window, localize(done));
}

// `text` cut at CR LF, CR and LF; a text ending in a break ends with an empty piece.
std::vector<std::wstring> pieces(const std::wstring& text) {
    std::vector<std::wstring> result;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\r' && text[i] != L'\n') continue;
        result.emplace_back(text, start, i - start);
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        start = i + 1;
    }
    result.emplace_back(text, start, text.size() - start);
    return result;
}

// Lines first..last give way to `replacement`; lines that only change their text are not moved.
void replaceLines(int32_t first, int32_t last, std::vector<std::wstring>& replacement) {
    size_t marked = static_cast<size_t>(last - first + 1), common = std::min(marked, replacement.size());
    auto at = lines().begin() + first;
    std::move(replacement.begin(), replacement.begin() + static_cast<ptrdiff_t>(common), at);
    at += static_cast<ptrdiff_t>(common);
    if (marked > common)
        lines().erase(at, at + static_cast<ptrdiff_t>(marked - common));
    else
        lines().insert(at, std::make_move_iterator(replacement.begin() + static_cast<ptrdiff_t>(common)),
                       std::make_move_iterator(replacement.end()));
}

}  // namespace

void resetEditor() {
    editor = EditorBuffer();
    clearLoadedText();
}

void closeEditor(HWND window) {
    resetEditor();
    switchScreen(window, ScreenMode::MainView, localize(kClosed));
}

void initialiseEditor(bool partial) {
    editor = EditorBuffer();
    editor.partial = partial;
    loadedText.firstVisibleLine = 0;
}

void clearMatch() {
    editor.matchRow = editor.matchColumn = -1;
    editor.matchLength = 0;
}

void ensureLine() {
    if (lines().empty()) lines().emplace_back();
}

void clampCursor() {
    editor.cursorRow = std::clamp(editor.cursorRow, 0, std::max(lineCount() - 1, 0));
    editor.cursorColumn = std::clamp(editor.cursorColumn, 0, lineLength(editor.cursorRow));
    if (editor.preferredColumn < 0) editor.preferredColumn = 0;
    // Never between the halves of a pair, unless the second half is about to be typed.
    if (!editor.highSurrogateTyped && editor.cursorColumn > 0 && editor.cursorRow < lineCount()) {
        const std::wstring& line = cursorLine();
        if (pairAt(line, editor.cursorColumn - 1)) --editor.cursorColumn;
    }
}

size_t documentSize(size_t stop) {
    size_t size = 0;
    for (const std::wstring& line : lines()) {
        size += line.size();
        if (size > stop) return size;
    }
    return size + (lines().size() > 1 ? lines().size() - 1 : 0);
}

bool blockRange(int32_t& r0, int32_t& r1) {
    r0 = std::min(editor.blockAnchor, editor.cursorRow);
    r1 = std::min(std::max(editor.blockAnchor, editor.cursorRow), lineCount() - 1);
    return editor.blockActive && r0 >= 0 && r1 >= r0 && r0 < lineCount();
}

void endBlock() {
    editor.blockActive = false;
    editor.blockAnchor = editor.cursorRow;
}

void moveVertically(int32_t delta) {
    startOperation();
    editor.cursorRow += delta;
    clampCursor();
    editor.cursorColumn = std::min(editor.preferredColumn, lineLength(editor.cursorRow));
    clampCursor();
}

void moveLeft() {
    startOperation();
    clampCursor();
    if (editor.cursorColumn > 0) {
        editor.cursorColumn -= pairBefore(cursorLine(), editor.cursorColumn) ? 2 : 1;
    } else if (editor.cursorRow > 0) {
        --editor.cursorRow;
        editor.cursorColumn = lineLength(editor.cursorRow);
    }
    editor.preferredColumn = editor.cursorColumn;
}

void moveRight() {
    startOperation();
    clampCursor();
    if (editor.cursorColumn < lineLength(editor.cursorRow)) {
        editor.cursorColumn += pairAt(cursorLine(), editor.cursorColumn) ? 2 : 1;
    } else if (editor.cursorRow + 1 < lineCount()) {
        ++editor.cursorRow;
        editor.cursorColumn = 0;
    }
    editor.preferredColumn = editor.cursorColumn;
}

void moveToLineStart() {
    startOperation();
    editor.cursorColumn = editor.preferredColumn = 0;
}

void moveToLineEnd() {
    startOperation();
    clampCursor();
    editor.cursorColumn = editor.preferredColumn = lineLength(editor.cursorRow);
}

void extendBlock(int32_t delta) {
    if (!editor.blockActive) {
        editor.blockActive = true;
        editor.blockAnchor = editor.cursorRow;
    }
    moveVertically(delta);
}

void insertCharacter(wchar_t ch) {
    // The second half of a pair joins the step of the first, so one undo never splits a character.
    bool joinsPair = editor.highSurrogateTyped && isLow(ch) && editor.cursorColumn > 0 &&
                     editor.cursorRow < lineCount() && isHigh(cursorLine()[editor.cursorColumn - 1]);
    int32_t column = editor.cursorColumn;
    beginChange();
    // The clamp would put the cursor back before the first half, whose next unit (a lone second
    // half already in the text) completes it; the typed second half belongs right after the first.
    if (joinsPair) editor.cursorColumn = column;
    if (!joinsPair) takeSnapshot();
    cursorLine().insert(static_cast<size_t>(editor.cursorColumn), 1, ch);
    editor.highSurrogateTyped = isHigh(ch);
    ++editor.cursorColumn;
    editor.preferredColumn = editor.cursorColumn;
    afterChange();
}

void insertTab() {
    beginChange();
    takeSnapshot();
    cursorLine().insert(static_cast<size_t>(editor.cursorColumn), kEditorTabSpaces, L' ');
    editor.cursorColumn += kEditorTabSpaces;
    editor.preferredColumn = editor.cursorColumn;
    afterChange();
}

void splitLine() {
    beginChange();
    takeSnapshot();
    std::wstring tail = cursorLine().substr(static_cast<size_t>(editor.cursorColumn));
    cursorLine().erase(static_cast<size_t>(editor.cursorColumn));
    lines().insert(lines().begin() + editor.cursorRow + 1, std::move(tail));
    ++editor.cursorRow;
    editor.cursorColumn = editor.preferredColumn = 0;
    afterChange();
}

void backspace() {
    beginChange();
    if (editor.cursorRow == 0 && editor.cursorColumn == 0) return;
    takeSnapshot();
    if (editor.cursorColumn == 0) {
        int32_t above = editor.cursorRow - 1;
        editor.cursorColumn = lineLength(above);
        lines()[above] += cursorLine();
        lines().erase(lines().begin() + editor.cursorRow);
        editor.cursorRow = above;
    } else {
        int32_t width = pairBefore(cursorLine(), editor.cursorColumn) ? 2 : 1;
        editor.cursorColumn -= width;
        cursorLine().erase(static_cast<size_t>(editor.cursorColumn), static_cast<size_t>(width));
    }
    editor.preferredColumn = editor.cursorColumn;
    afterChange();
}

void deleteForward() {
    beginChange();
    bool atLineEnd = editor.cursorColumn >= lineLength(editor.cursorRow);
    if (atLineEnd && editor.cursorRow + 1 >= lineCount()) return;
    takeSnapshot();
    if (atLineEnd) {
        cursorLine() += lines()[editor.cursorRow + 1];
        lines().erase(lines().begin() + editor.cursorRow + 1);
    } else {
        size_t width = pairAt(cursorLine(), editor.cursorColumn) ? 2 : 1;
        cursorLine().erase(static_cast<size_t>(editor.cursorColumn), width);
    }
    afterChange();
}

void deleteBlockLines() {
    startOperation();
    ensureLine();
    clampCursor();
    int32_t r0 = 0, r1 = 0;
    if (!blockRange(r0, r1)) return;
    if (lineCount() == 1 && lines()[0].empty()) return endBlock();
    takeSnapshot();
    lines().erase(lines().begin() + r0, lines().begin() + r1 + 1);
    ensureLine();
    editor.cursorRow = std::min(r0, lineCount() - 1);
    editor.cursorColumn = editor.preferredColumn = 0;
    endBlock();
    afterChange();
}

void indentBlock() {
    startOperation();
    ensureLine();
    clampCursor();
    int32_t r0 = 0, r1 = 0;
    if (!blockRange(r0, r1)) return;
    takeSnapshot();
    for (int32_t row = r0; row <= r1; ++row) lines()[row].insert(0, kEditorTabSpaces, L' ');
    if (editor.cursorRow >= r0 && editor.cursorRow <= r1) {
        editor.cursorColumn += kEditorTabSpaces;
        editor.preferredColumn = editor.cursorColumn;
    }
    afterChange();
}

void unindentBlock() {
    startOperation();
    ensureLine();
    clampCursor();
    int32_t r0 = 0, r1 = 0;
    if (!blockRange(r0, r1)) return;
    std::vector<int32_t> counts;
    for (int32_t row = r0; row <= r1; ++row) {
        const std::wstring& line = lines()[row];
        int32_t count = 0;
        while (count < kEditorTabSpaces && count < static_cast<int32_t>(line.size()) && line[count] == L' ') ++count;
        counts.push_back(count);
    }
    if (std::all_of(counts.begin(), counts.end(), [](int32_t count) { return count == 0; })) return;
    takeSnapshot();
    for (int32_t row = r0; row <= r1; ++row) lines()[row].erase(0, static_cast<size_t>(counts[row - r0]));
    if (editor.cursorRow >= r0 && editor.cursorRow <= r1) {
        editor.cursorColumn = std::max(editor.cursorColumn - counts[editor.cursorRow - r0], 0);
        editor.preferredColumn = editor.cursorColumn;
    }
    afterChange();
}

std::wstring blockText() {
    int32_t r0 = 0, r1 = 0;
    std::wstring text;
    if (!blockRange(r0, r1)) return text;
    for (int32_t row = r0; row <= r1; ++row) text += (row > r0 ? L"\r\n" : L"") + lines()[row];
    return text;
}

void insertText(const std::wstring& text) {
    startOperation();
    int32_t r0 = 0, r1 = 0;
    bool overBlock = blockRange(r0, r1);
    if (text.empty()) {
        if (overBlock) deleteBlockLines();
        return;
    }
    ensureLine();
    clampCursor();
    takeSnapshot();
    std::vector<std::wstring> parts = pieces(text);
    if (overBlock) {
        // The marked lines give way to the pasted lines, whole, at the block's first row.
        if (parts.size() > 1 && parts.back().empty()) parts.pop_back();
        size_t count = parts.size();
        int32_t lastLength = static_cast<int32_t>(parts.back().size());
        replaceLines(r0, r1, parts);
        int32_t after = r0 + static_cast<int32_t>(count);
        bool lineFollows = after < lineCount();
        editor.cursorRow = lineFollows ? after : after - 1;
        editor.cursorColumn = lineFollows ? 0 : lastLength;
        endBlock();
    } else {
        std::wstring& line = cursorLine();
        std::wstring tail = line.substr(static_cast<size_t>(editor.cursorColumn));
        line.erase(static_cast<size_t>(editor.cursorColumn));
        size_t last = parts.size() - 1;
        int32_t lastLength = static_cast<int32_t>(parts[last].size());
        if (last == 0) {
            editor.cursorColumn += lastLength;
            line += parts[0] + tail;
        } else {
            line += parts[0];
            parts[last] += tail;
            lines().insert(lines().begin() + editor.cursorRow + 1, std::make_move_iterator(parts.begin() + 1),
                           std::make_move_iterator(parts.end()));
            editor.cursorRow += static_cast<int32_t>(last);
            editor.cursorColumn = lastLength;
        }
    }
    editor.preferredColumn = editor.cursorColumn;
    afterChange();
}

void takeSnapshot() {
    if (documentSize() > kEditorSizeLimit) return clearHistories();
    editor.undoHistory.push_back(currentState());
    trimHistory(editor.undoHistory);
    editor.redoHistory.clear();
}

void clearHistories() {
    editor.undoHistory.clear();
    editor.redoHistory.clear();
    // A second half typed next must take a step of its own: the first half's step is gone.
    editor.highSurrogateTyped = false;
}

void undo(HWND window) {
    stepThrough(window, editor.undoHistory, editor.redoHistory, kNothingToUndo, kUndone);
}

void redo(HWND window) {
    stepThrough(window, editor.redoHistory, editor.undoHistory, kNothingToRedo, kRedone);
}
