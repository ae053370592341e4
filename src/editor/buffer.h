#pragma once
// The editor's document: loadedText's lines, name, path, encoding and line ending, with the cursor,
// the line block, the search state and ten steps of undo and redo kept here. Every operation acts
// on the one document, clamps the cursor afterwards and never fails. editor/ stands on viewer/ and
// panels/; nothing below it reads it.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "viewer/text_load.h"

constexpr size_t kEditorSizeLimit = 0x80000;      // characters, one per line break between lines
constexpr size_t kClipboardTextLimit = 0x40000;   // characters a paste may bring
constexpr size_t kUndoSteps = 10;                 // per history
constexpr size_t kFindInputLimit = 120;           // units of the search text
constexpr int32_t kEditorPageLines = 15;
constexpr int32_t kEditorTabSpaces = 4;

// One earlier state: the whole text and where the cursor and the view stood.
struct UndoStep {
    std::vector<std::wstring> lines;
    int32_t firstVisibleLine = 0;
    int32_t cursorRow = 0;
    int32_t cursorColumn = 0;
    int32_t preferredColumn = 0;
    bool modified = false;
};

struct EditorBuffer {
    int32_t cursorRow = 0;
    int32_t cursorColumn = 0;     // 0..line length, never between the halves of a surrogate pair
    int32_t preferredColumn = 0;  // what vertical moves try to keep
    bool modified = false;
    bool partial = false;         // loaded only in part: saving is refused
    int32_t saveChoice = 0;       // save question: 0 YES, 1 NO
    bool exitAfterSave = true;    // the save question came from leaving the editor
    bool blockActive = false;
    int32_t blockAnchor = 0;
    std::wstring findInput;
    int32_t matchRow = -1, matchColumn = -1, matchLength = 0;
    std::vector<UndoStep> undoHistory, redoHistory;  // newest last
    bool highSurrogateTyped = false;  // the last change typed the first half of a pair
};
extern EditorBuffer editor;

// Everything empty, the document (loadedText) included.
void resetEditor();
// Back to the main view with "Editor closed." and everything empty.
void closeEditor(HWND window);
// After a load into loadedText: the editor's own state as after a reset, `partial` kept.
void initialiseEditor(bool partial);

// --- the document's invariants ---
// No search match highlighted.
void clearMatch();
void ensureLine();
// Cursor into the lines and off the second half of a pair; a negative preferred column to 0.
void clampCursor();
// Sum of the line lengths plus one per break between lines, counted only until it passes `stop`.
size_t documentSize(size_t stop = kEditorSizeLimit);
// The marked rows, r1 cut to the last line; false when nothing valid is marked.
bool blockRange(int32_t& r0, int32_t& r1);

// --- moves (all but the block extension end the block) ---
void moveVertically(int32_t delta);
void moveLeft();
void moveRight();
void moveToLineStart();
void moveToLineEnd();
// Ctrl+Up / Ctrl+Down: starts a block at the cursor row if none is active, then moves.
void extendBlock(int32_t delta);
void endBlock();

// --- changes; each takes its undo step first and ends with the document modified ---
void insertCharacter(wchar_t ch);
void insertTab();
void splitLine();
void backspace();
void deleteForward();
void deleteBlockLines();
void indentBlock();
void unindentBlock();
// Pastes `text` at the cursor, over the marked lines when a block is active: one undo step.
void insertText(const std::wstring& text);
// The marked lines joined by CR LF, no break after the last; empty without a block.
std::wstring blockText();

// --- undo and redo ---
// The state before a change goes to the undo history and the redo history empties; above the size
// limit both histories empty instead.
void takeSnapshot();
void clearHistories();
void undo(HWND window);
void redo(HWND window);
