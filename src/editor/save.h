#pragma once
// Saving the editor's document: the save question (F2, or leaving with changes) and the save, which
// never writes into the file. It checks that the file may be written, copies it to a backup beside
// it, writes the new text into a fresh file in the same folder, flushes it and renames it over the
// file in one step, so the file holds either the old or the complete new text, with its own access
// rights and creation time. A path that leads through a symbolic link is saved where the link
// points, so the link stays a link.
#include <windows.h>

#include <string>

constexpr int kSaveTempAttempts = 100;  // temporary names tried before giving up with 183

// ESC or F10 in the editor: closes it at once when nothing is modified, else asks whether to save
// before leaving.
void requestLeave(HWND window);
// F2 in the editor: asks whether to save now, also when nothing is modified.
void requestSave(HWND window);
// A key of the save question: Left/Right toggle YES/NO, Enter acts, ESC goes back to the editor;
// any other key is ignored.
void saveConfirmKey(HWND window, UINT key);
// Saves the document to its file and says how it went in the status line. On success the document
// is unmodified, both histories are empty, and the active panel is read again with its cursor on the
// file; on failure nothing of the document or the file has changed.
bool saveDocument(HWND window);

// The document's bytes as a save writes them: the lines joined by the document's break, encoded as
// loaded. 0, or 223 partial, 1113 a character the encoding cannot hold (or a document that would not
// write back unchanged).
DWORD encodeDocument(std::string& bytes);

// What a write has to say beside its code.
struct WriteNotes {
    DWORD attributesCode = 0;  // the new text is in place, but the file's attributes did not come back
    std::wstring leftTemp;     // a temporary file that could not be removed after a failure
    DWORD leftTempCode = 0;
};

// The write alone, to `path` as it is (links already resolved): `bytes` written through a temporary
// name made from `processId`, `tick` and an attempt number, given the file's explicit DACL and its
// creation time, renamed over the file, the file's attributes restored. 0, or the Windows code: 123
// empty path, 2 no such file, 5 read-only, 183 all temporary names taken, 29 a write that wrote
// nothing. On failure the file is untouched and no temporary file is left, unless `notes` names it.
DWORD writeDocument(const std::wstring& path, const std::string& bytes, DWORD processId, DWORD tick,
                    WriteNotes& notes);
// The temporary file of attempt 0..99 for `path`:
// "<folder>\.torvane_save_<pid, 8 hex>_<tick, 8 hex>_<attempt, 2 digits>.tmp"; the folder is the
// path up to its last \ or /, or "." when it has none.
std::wstring saveTempName(const std::wstring& path, DWORD processId, DWORD tick, int attempt);

// The save question, drawn over the editor.
void drawSaveConfirm(HDC dc, int w, int h);
