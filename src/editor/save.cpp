#include "editor/save.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "editor/buffer.h"
#include "fs/file_ops.h"
#include "fs/paths.h"
#include "panels/panels.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/state.h"
#include "viewer/text_load.h"

namespace {

const LocalizedText kSaveTitle = {L"SAVE FILE?", L"DATEI SICHERN?", L"ENREGISTRER FICHIER?", L"SALVARE FILE?"};
const LocalizedText kLeaveQuestion = {L"File was modified. Save changes?",
                                      L"Datei wurde geaendert. Aenderungen sichern?",
                                      L"Le fichier a ete modifie. Enregistrer?",
                                      L"Il file e stato modificato. Salvare?"};
const LocalizedText kSaveQuestion = {L"Save current file now?", L"Aktuelle Datei jetzt speichern?",
                                     L"Enregistrer le fichier maintenant?", L"Salvare il file corrente adesso?"};
const LocalizedText kYes = {L"YES", L"JA", L"OUI", L"SI"};
const LocalizedText kNo = {L"NO", L"NEIN", L"NON", L"NO"};
const LocalizedText kHint = {L"Left/right = YES/NO   Enter = confirm   ESC = cancel",
                             L"Links/rechts = JA/NEIN   Enter = bestaetigen   ESC = abbrechen",
                             L"Gauche/droite = OUI/NON   Enter = confirmer   ESC = annuler",
                             L"Sinistra/destra = SI/NO   Enter = conferma   ESC = annulla"};
const LocalizedText kPartial = {L"Save blocked: file was loaded only partially.",
                                L"Speichern blockiert: Datei wurde nur teilweise geladen.",
                                L"Enregistrement bloque: fichier charge seulement en partie.",
                                L"Salvataggio bloccato: file caricato solo parzialmente."};
const LocalizedText kUnsafe = {
    L"Save blocked: the file's bytes cannot be written back unchanged.",
    L"Speichern blockiert: die Bytes der Datei koennen nicht unveraendert zurueckgeschrieben werden.",
    L"Enregistrement bloque: les octets du fichier ne peuvent pas etre reecrits a l'identique.",
    L"Salvataggio bloccato: i byte del file non possono essere riscritti invariati."};
const LocalizedText kReadOnly = {L"Save blocked: file is read-only.",
                                 L"Speichern blockiert: Datei ist schreibgeschuetzt.",
                                 L"Enregistrement bloque: fichier en lecture seule.",
                                 L"Salvataggio bloccato: file in sola lettura."};
const LocalizedText kLocked = {
    L"Save blocked: file is locked or access was denied. Windows error: ",
    L"Speichern blockiert: Datei ist gesperrt oder Zugriff verweigert. Windows-Fehler: ",
    L"Enregistrement bloque: fichier verrouille ou acces refuse. Erreur Windows: ",
    L"Salvataggio bloccato: file bloccato o accesso negato. Errore Windows: "};
const LocalizedText kBackupFailed = {L"Backup failed. Save canceled. Windows error: ",
                                     L"Backup fehlgeschlagen. Speichern abgebrochen. Windows-Fehler: ",
                                     L"Echec backup. Enregistrement annule. Erreur Windows: ",
                                     L"Backup fallito. Salvataggio annullato. Errore Windows: "};
const LocalizedText kSaveFailed = {L"Save failed. Windows error: ", L"Speichern fehlgeschlagen. Windows-Fehler: ",
                                   L"Echec enregistrement. Erreur Windows: ", L"Salvataggio fallito. Errore Windows: "};
const LocalizedText kLeftBehind = {L"Temporary item left behind: ", L"Temporaeres Element verblieben: ",
                                  L"Element temporaire restant: ", L"Elemento temporaneo rimasto: "};
const LocalizedText kAttributesLost = {L"Attributes not restored. Windows error: ",
                                       L"Attribute nicht wiederhergestellt. Windows-Fehler: ",
                                       L"Attributs non restaures. Erreur Windows: ",
                                       L"Attributi non ripristinati. Errore Windows: "};
const LocalizedText kSaved = {L"File saved: ", L"Datei gespeichert: ", L"Fichier enregistre: ", L"File salvato: "};
const LocalizedText kCanceled = {L"Save canceled.", L"Speichern abgebrochen.", L"Enregistrement annule.",
                                 L"Salvataggio annullato."};
const LocalizedText kCloseCanceled = {L"Editor close canceled.", L"Editor-Schliessen abgebrochen.",
                                      L"Fermeture editeur annulee.", L"Chiusura editor annullata."};

constexpr DWORD kMaxWritePiece = 0x7FFFFFFF;
constexpr int kButtonWidth = 150, kButtonPair = 334;  // two buttons 34 apart

void openQuestion(HWND window, bool exitAfterSave) {
    editor.saveChoice = 0;
    editor.exitAfterSave = exitAfterSave;
    switchScreen(window, ScreenMode::EditorSaveConfirm, localize(kSaveTitle));
}

bool refuse(HWND window, const std::wstring& text) {
    reportStatus(window, text);
    return false;
}

std::wstring withCode(const LocalizedText& text, DWORD code) {
    return localize(text) + std::to_wstring(code);
}

// Why the file could not be opened: held by another program and access denied read as blocked.
std::wstring openFailure(DWORD code) {
    bool blocked = code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION || code == ERROR_ACCESS_DENIED;
    return withCode(blocked ? kLocked : kSaveFailed, code);
}

// 0 when `path` names an existing file without the read-only attribute, whose attributes are then
// in `attributes`; else 123, the failed attribute read's code (2 when Windows left none), 2 for a
// folder, or 5.
DWORD checkWritableFile(const std::wstring& path, DWORD& attributes) {
    if (path.empty()) return ERROR_INVALID_NAME;
    attributes = GetPathAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD code = GetLastError();
        return code != 0 ? code : ERROR_FILE_NOT_FOUND;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return ERROR_FILE_NOT_FOUND;
    return (attributes & FILE_ATTRIBUTE_READONLY) ? ERROR_ACCESS_DENIED : 0;
}

std::wstring documentText() {
    const wchar_t* lineBreak = loadedText.lineEnding == LineEndingStyle::Lf   ? L"\n"
                               : loadedText.lineEnding == LineEndingStyle::Cr ? L"\r"
                                                                              : L"\r\n";
    const std::vector<std::wstring>& lines = loadedText.lines;
    std::wstring text;
    text.reserve(documentSize(SIZE_MAX) + lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += lineBreak;
        text += lines[i];
    }
    return text;
}

// The first temporary name nobody holds; an attribute read that fails for another reason than a
// missing name ends the search with its code.
DWORD findFreeName(const std::wstring& path, DWORD processId, DWORD tick, std::wstring& temp) {
    for (int attempt = 0; attempt < kSaveTempAttempts; ++attempt) {
        temp = saveTempName(path, processId, tick, attempt);
        if (GetPathAttributes(temp) != INVALID_FILE_ATTRIBUTES) continue;
        DWORD code = GetLastError();
        return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? 0 : LastFailureCode();
    }
    return ERROR_ALREADY_EXISTS;
}

// Some shares, RAM disks and user-mode file systems keep no rights or no creation time and answer so:
// there is nothing of the kind to carry over, which is no reason to refuse the save.
bool keptNowhere(DWORD code) {
    return code == ERROR_NOT_SUPPORTED || code == ERROR_INVALID_FUNCTION;
}

void removeTemp(const std::wstring& temp, WriteNotes& notes) {
    if (DeleteFilePath(temp)) return;
    notes.leftTempCode = LastFailureCode();
    notes.leftTemp = temp;
}

// The copy takes the .bak's name only when whole, so a kill during it never leaves half a .bak.
DWORD makeBackup(const std::wstring& path, WriteNotes& notes) {
    DWORD attributes = 0;
    DWORD code = checkWritableFile(path, attributes);
    if (code != 0) return code;
    // A read-only .bak is refused as Windows refuses a copy onto it, also for a process that may write
    // anything (root under Wine); so is a folder, before anything is copied.
    DWORD backup = GetPathAttributes(path + L".bak");
    if (backup != INVALID_FILE_ATTRIBUTES && (backup & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return ERROR_ACCESS_DENIED;
    std::wstring temp;
    code = findFreeName(path, GetCurrentProcessId(), GetTickCount(), temp);
    if (code != 0) return code;
    if (CopyFilePath(path, temp, false) &&
        MovePath(temp, path + L".bak", MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    code = LastFailureCode();
    if (GetPathAttributes(temp) != INVALID_FILE_ATTRIBUTES) removeTemp(temp, notes);
    return code;
}

DWORD writeAll(HANDLE file, const std::string& bytes) {
    for (size_t done = 0; done < bytes.size();) {
        DWORD piece = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, kMaxWritePiece));
        DWORD wrote = 0;
        if (!WriteBytes(file, bytes.data() + done, piece, wrote)) return LastFailureCode();
        if (wrote == 0) return ERROR_WRITE_FAULT;
        done += wrote;
    }
    return 0;
}

// Creates `temp` and fills it, flushed and closed, with the file's creation time. Once created it is
// deleted again on any failure (`notes` names it when that fails too); a name that could not be
// created is never deleted, as it may be another program's file.
DWORD writeTempFile(const std::wstring& temp, const std::string& bytes, const FILETIME& creation, WriteNotes& notes) {
    FileHandle file = CreateNewFile(temp);
    if (!file.valid()) return LastFailureCode();
    DWORD code = writeAll(file.get(), bytes);
    if (code == 0 && !SetCreationTime(file.get(), creation) && !keptNowhere(LastFailureCode()))
        code = LastFailureCode();
    if (code == 0 && !FlushFile(file.get())) code = LastFailureCode();
    // A late write error can surface when the file is closed.
    if (!file.close() && code == 0) code = LastFailureCode();
    if (code != 0) removeTemp(temp, notes);
    return code;
}

}  // namespace

void requestLeave(HWND window) {
    if (editor.modified)
        openQuestion(window, true);
    else
        closeEditor(window);
}

void requestSave(HWND window) {
    openQuestion(window, false);
}

void saveConfirmKey(HWND window, UINT key) {
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
        editor.saveChoice = 1 - editor.saveChoice;
        requestRepaint(window);
        break;
    case VK_RETURN:
        if (editor.saveChoice == 0) {
            bool saved = saveDocument(window);
            if (saved && editor.exitAfterSave) {
                closeEditor(window);
            } else {
                screenMode = ScreenMode::Editor;  // the save's message stays
                requestRepaint(window);
            }
        } else if (editor.exitAfterSave) {
            closeEditor(window);
        } else {
            switchScreen(window, ScreenMode::Editor, localize(kCanceled));
        }
        break;
    case VK_ESCAPE:
        switchScreen(window, ScreenMode::Editor, localize(editor.exitAfterSave ? kCloseCanceled : kCanceled));
        break;
    default:
        break;
    }
}

bool saveDocument(HWND window) {
    if (editor.partial) return refuse(window, localize(kPartial));
    if (loadedText.unsafeToSave) return refuse(window, localize(kUnsafe));
    // Encoded before anything on disk changes: a text the encoding cannot hold costs not even the .bak.
    std::string bytes;
    DWORD code = encodeDocument(bytes);
    if (code != 0) return refuse(window, withCode(kSaveFailed, code));
    // Renaming onto a link would replace the link with a plain file: every step works on the file the
    // path really leads to. RAM disks, user-mode file systems and DefineDosDevice letters give no final
    // path; a file there that is no link itself is saved under the path as given.
    std::wstring path = loadedText.fullPath;
    if (!path.empty() && !ReadFinalPath(loadedText.fullPath, path)) {
        code = LastFailureCode();
        DWORD attributes = GetPathAttributes(loadedText.fullPath);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return refuse(window, openFailure(code));
        path = loadedText.fullPath;
    }
    DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetPathAttributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return refuse(window, localize(kReadOnly));
    if (!OpenForWriting(path).valid()) return refuse(window, openFailure(LastFailureCode()));

    WriteNotes notes;
    code = makeBackup(path, notes);
    if (code == ERROR_ACCESS_DENIED && notes.leftTemp.empty()) return refuse(window, localize(kReadOnly));
    const LocalizedText* failed = &kBackupFailed;
    if (code == 0) {
        failed = &kSaveFailed;
        code = writeDocument(path, bytes, GetCurrentProcessId(), GetTickCount(), notes);
    }
    if (code != 0) {
        std::wstring said = withCode(*failed, code);
        if (!notes.leftTemp.empty()) said += L". " + localize(kLeftBehind) + notes.leftTemp;
        return refuse(window, said);
    }

    editor.modified = false;
    clearHistories();
    PanelState& panel = activePanel();
    loadListing(panel);
    selectEntryByName(panel, loadedText.fileName);
    std::wstring said = localize(kSaved) + loadedText.fileName;
    if (notes.attributesCode != 0) said += L". " + withCode(kAttributesLost, notes.attributesCode);
    reportStatus(window, said);
    return true;
}

DWORD encodeDocument(std::string& bytes) {
    if (editor.partial) return ERROR_FILE_TOO_LARGE;
    if (loadedText.unsafeToSave) return ERROR_NO_UNICODE_TRANSLATION;
    return encodeText(documentText(), loadedText.encoding, bytes) ? 0 : ERROR_NO_UNICODE_TRANSLATION;
}

DWORD writeDocument(const std::wstring& path, const std::string& bytes, DWORD processId, DWORD tick,
                    WriteNotes& notes) {
    DWORD attributes = 0;
    DWORD code = checkWritableFile(path, attributes);
    if (code != 0) return code;
    // A new file gets the folder's rights and the time of now: the file's own rights and its creation
    // time go over to it before it takes the name, so a private file is never readable under it.
    std::vector<BYTE> dacl;
    FILETIME creation;
    if (!ReadExplicitDacl(path, dacl) && !keptNowhere(LastFailureCode())) return LastFailureCode();
    if (!ReadCreationTime(path, creation)) return LastFailureCode();

    std::wstring temp;
    code = findFreeName(path, processId, tick, temp);
    if (code == 0) code = writeTempFile(temp, bytes, creation, notes);
    if (code != 0) return code;
    if ((!dacl.empty() && !WriteDacl(temp, dacl)) ||
        !MovePath(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        code = LastFailureCode();
        removeTemp(temp, notes);
        return code;
    }
    // The new text is in place; attributes that do not come back cannot undo that, but are said.
    if (!SetPathAttributes(path, WritableAttributes(attributes))) notes.attributesCode = LastFailureCode();
    return 0;
}

std::wstring saveTempName(const std::wstring& path, DWORD processId, DWORD tick, int attempt) {
    size_t separator = path.find_last_of(L"\\/");
    std::wstring folder = separator == std::wstring::npos ? L".\\" : path.substr(0, separator + 1);
    if (!IsSeparator(folder.back())) folder += L'\\';
    wchar_t name[64];
    formatText(name, L".torvane_save_%08lX_%08lX_%02d.tmp", processId, tick, attempt);
    return folder + name;
}

void drawSaveConfirm(HDC dc, int w, int h) {
    int width = std::min(w - 80, std::max(w / 3, 720));
    int height = std::min(h - 100, std::max(h / 4, 300));
    int left = (w - width) / 2, top = (h - height) / 2, right = left + width, bottom = top + height;
    drawBox(dc, rectOf(left, top, right, bottom), theme.dialogBackground, theme.dialogFrame, 4);
    drawText(dc, rectOf(left + 30, top + 24, right - 30, top + 70), localize(kSaveTitle), kBlack, true, false,
             kLineCentre);
    drawText(dc, rectOf(left + 44, top + 82, right - 44, top + 116), L"File: " + loadedText.fileName, kBlack, true,
             true, kLineLeftMiddle);
    const LocalizedText& question = editor.exitAfterSave ? kLeaveQuestion : kSaveQuestion;
    drawText(dc, rectOf(left + 30, top + 130, right - 30, top + 172), localize(question), kBlack, true, false,
             kLineCentre);
    int x0 = left + (width - kButtonPair) / 2;
    drawDialogButton(dc, rectOf(x0, top + 184, x0 + kButtonWidth, top + 232), localize(kYes), editor.saveChoice == 0);
    drawDialogButton(dc, rectOf(x0 + kButtonPair - kButtonWidth, top + 184, x0 + kButtonPair, top + 232),
                     localize(kNo), editor.saveChoice == 1);
    drawText(dc, rectOf(left + 30, bottom - 42, right - 30, bottom - 12), localize(kHint), kBlack, false, true,
             kLineCentre);
}
