#include "ops/delete.h"

#include <vector>

#include "fs/file_ops.h"
#include "fs/paths.h"
#include "fs/protection.h"
#include "ops/copy.h"
#include "ops/open_run.h"
#include "ops/plan.h"
#include "ops/progress.h"
#include "ops/requests.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/state.h"

namespace {

// Texts by kind: file, folder, marked items.
const LocalizedText kOpened[] = {
    {L"F8 Delete file opened.", L"F8 Datei loeschen geoeffnet.", L"F8 Effacer fichier ouvert.",
     L"F8 Elimina file aperto."},
    {L"F8 Delete folder opened.", L"F8 Ordner loeschen geoeffnet.", L"F8 Effacer dossier ouvert.",
     L"F8 Elimina cartella aperto."},
    {L"F8 Delete marked items opened.", L"F8 markierte Elemente loeschen geoeffnet.",
     L"F8 Effacer elements marques ouvert.", L"F8 elimina elementi marcati aperto."},
};
const LocalizedText kFailed[] = {
    {L"Could not delete file.", L"Datei konnte nicht geloescht werden.", L"Impossible d'effacer le fichier.",
     L"Impossibile eliminare il file."},
    {L"Could not delete folder.", L"Ordner konnte nicht geloescht werden.", L"Impossible d'effacer le dossier.",
     L"Impossibile eliminare la cartella."},
    {L"Could not delete marked items.", L"Markierte Elemente konnten nicht geloescht werden.",
     L"Impossible d'effacer les elements marques.", L"Impossibile eliminare gli elementi marcati."},
};
const LocalizedText kDeleted[] = {
    {L"File deleted: ", L"Datei geloescht: ", L"Fichier efface: ", L"File eliminato: "},
    {L"Folder deleted: ", L"Ordner geloescht: ", L"Dossier efface: ", L"Cartella eliminata: "},
    {L"Items deleted: ", L"Elemente geloescht: ", L"Elements effaces: ", L"Elementi eliminati: "},
};
const LocalizedText kProgressTitles[] = {
    {L"DELETING FILE", L"DATEI WIRD GELOESCHT", L"SUPPRESSION FICHIER", L"ELIMINAZIONE FILE"},
    {L"DELETING FOLDER", L"ORDNER WIRD GELOESCHT", L"SUPPRESSION DOSSIER", L"ELIMINAZIONE CARTELLA"},
    {L"DELETING ITEMS", L"ELEMENTE WERDEN GELOESCHT", L"SUPPRESSION ELEMENTS", L"ELIMINAZIONE ELEMENTI"},
};
const LocalizedText kItemsSuffix = {L" item(s)", L" Element(e)", L" element(s)", L" elementi"};
const LocalizedText kMarkedTitle = {L"DELETE ITEMS", L"ELEMENTE LOESCHEN", L"EFFACER ELEMENTS", L"ELIMINA ELEMENTI"};
const LocalizedText kNoValidMarks = {L"No valid marked items found.", L"Keine gueltigen markierten Elemente gefunden.",
                                     L"Aucun element marque valide trouve.", L"Nessun elemento marcato valido trovato."};
const LocalizedText kParent = {L"The parent folder [DIR] .. cannot be deleted.",
                               L"Der Elternordner [DIR] .. kann nicht geloescht werden.",
                               L"Le dossier parent [DIR] .. ne peut pas etre efface.",
                               L"La cartella padre [DIR] .. non puo essere eliminata."};
const LocalizedText kProtectedTitle = {L"PROTECTED FOLDER", L"GESCHUETZTER ORDNER", L"DOSSIER PROTEGE",
                                       L"CARTELLA PROTETTA"};
const LocalizedText kProtectedText = {L"This system folder or link cannot be deleted.",
                                      L"Dieser Systemordner oder Link kann nicht geloescht werden.",
                                      L"Ce dossier systeme ou lien ne peut pas etre efface.",
                                      L"Questa cartella di sistema o collegamento non puo essere eliminata."};
const LocalizedText kCanceled = {L"Delete canceled.", L"Loeschen abgebrochen.", L"Suppression annulee.",
                                 L"Eliminazione annullata."};
const LocalizedText kFailedTitle = {L"DELETE FAILED", L"LOESCHEN FEHLGESCHLAGEN", L"SUPPRESSION ECHOUEE",
                                    L"ELIMINAZIONE FALLITA"};
const LocalizedText kBinHint = {L"Some items may already be in the recycle bin.",
                                L"Einige Elemente koennen bereits im Papierkorb sein.",
                                L"Certains elements peuvent deja etre dans la corbeille.",
                                L"Alcuni elementi possono gia essere nel cestino."};
const LocalizedText kDeletingLabel = {L"Deleting item:", L"Loesche Element:", L"Element supprime:",
                                      L"Elemento eliminato:"};
const LocalizedText kCurrentLabel = {L"Current:", L"Aktuell:", L"Actuel:", L"Attuale:"};
const LocalizedText kTotalLabel = {L"Total:", L"Total:", L"Total:", L"Totale:"};

// A folder is row 1, marked items row 2, anything else reads as a file.
std::wstring byKind(const LocalizedText (&texts)[3], DeleteKind kind) {
    return localize(texts[kind == DeleteKind::Folder ? 1 : (kind == DeleteKind::MarkedItems ? 2 : 0)]);
}

void showProtected(HWND window) {
    showMessageBox(window, localize(kProtectedTitle), localize(kProtectedText));
}

// The entry as it is on disk now: a listed file that has become a folder is judged as a folder.
DirEntry asOnDisk(const DirEntry& listed, DWORD attributes) {
    DirEntry entry = listed;
    if (attributes == INVALID_FILE_ATTRIBUTES) return entry;
    entry.isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.attributes = attributes;
    return entry;
}

void publishDelete(const std::wstring& name, int32_t itemPercent, int64_t done, int64_t total) {
    deleteProgress.currentItem = name;
    deleteProgress.itemPercent = itemPercent;
    deleteProgress.totalDone = static_cast<uint64_t>(done < 0 ? 0 : done);
    deleteProgress.totalSize = static_cast<uint64_t>(total < 0 ? 0 : total);
    deleteProgress.totalPercent = total <= 0 ? 100 : percentOf(deleteProgress.totalDone, deleteProgress.totalSize);
}

void beginMarkedDelete(HWND window, const PanelState& panel) {
    std::vector<int32_t> index = listingNameIndex(panel);
    std::vector<const DirEntry*> found;
    for (const std::wstring& mark : panel.marked)
        if (const DirEntry* entry = findInIndex(panel, index, mark)) found.push_back(entry);
    if (found.empty()) return showMessageBox(window, localize(kMarkedTitle), localize(kNoValidMarks));
    std::wstring folder = WithTrailingSeparator(panel.path);
    for (const DirEntry* entry : found) {
        std::wstring path = folder + entry->name;
        if (refuseShellPath(window, path, entry->name)) return;
        // Judged as it is on disk: a listed file may have become a folder or a link.
        DirEntry onDisk = asOnDisk(*entry, GetPathAttributes(path));
        if (onDisk.isFolder && IsProtectedSourceItem(panel.path, onDisk, path)) return showProtected(window);
    }
    deleteRequest = DeleteRequest{DeleteKind::MarkedItems, std::to_wstring(found.size()) + localize(kItemsSuffix),
                                  panel.path};
    deleteChoice = 1;
    switchScreen(window, ScreenMode::DeleteConfirm, byKind(kOpened, DeleteKind::MarkedItems));
}

// The shell takes no \\?\ form and would act on the item Windows makes of the name: 0 when it
// reaches exactly `path`.
DWORD shellPathCode(const std::wstring& path) {
    if (ShellTakesPathUnchanged(path)) return 0;
    return path.size() >= MAX_PATH ? ERROR_FILENAME_EXCED_RANGE : ERROR_INVALID_NAME;
}

struct DeleteItem {
    std::wstring path;
    DirEntry listed;
};

// A marked item as it is on disk now, in the panel's `folder`: 0, or the code that stops the run
// (a name the shell would change, an item that cannot be read, a folder the protection refuses).
DWORD checkOnDisk(const std::wstring& folder, const DirEntry& listed, const std::wstring& path) {
    DWORD result = shellPathCode(path);
    if (result != 0) return result;
    DWORD attributes = GetPathAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return LastFailureCode();
    DirEntry entry = asOnDisk(listed, attributes);
    return entry.isFolder && IsProtectedSourceItem(folder, entry, path) ? ERROR_ACCESS_DENIED : 0;
}

// Phase 1 of a marked delete: every mark checked on disk before anything goes. 0 or the code that
// stops the run, with the item named in the progress record.
DWORD checkMarkedItems(const PanelState& panel, std::vector<DeleteItem>& items) {
    std::wstring folder = WithTrailingSeparator(panel.path);
    std::vector<int32_t> index = listingNameIndex(panel);
    for (const std::wstring& mark : panel.marked) {
        const DirEntry* listed = findInIndex(panel, index, mark);
        if (!listed) continue;
        std::wstring path = folder + listed->name;
        deleteProgress.currentItem = listed->name;
        DWORD result = checkOnDisk(panel.path, *listed, path);
        if (result != 0) return result;
        items.push_back(DeleteItem{path, *listed});
    }
    deleteProgress.currentItem = deleteRequest.displayText;
    return items.empty() ? ERROR_FILE_NOT_FOUND : 0;
}

}  // namespace

void beginDelete(HWND window) {
    const PanelState& panel = activePanel();
    const DirEntry* cursor = cursorEntry(panel);
    if (!cursor) return reportStatus(window, localize(noSelectionText));
    if (!panel.marked.empty()) return beginMarkedDelete(window, panel);
    if (isParentEntry(*cursor)) return reportStatus(window, localize(kParent));
    std::wstring path = WithTrailingSeparator(panel.path) + cursor->name;
    if (refuseShellPath(window, path, cursor->name)) return;
    DirEntry entry = asOnDisk(*cursor, GetPathAttributes(path));
    if (entry.isFolder && IsProtectedSourceItem(panel.path, entry, path)) {
        resetDeleteOperation();
        return showProtected(window);
    }
    DeleteKind kind = entry.isFolder ? DeleteKind::Folder : DeleteKind::File;
    deleteRequest = DeleteRequest{kind, entry.name, path};
    deleteChoice = 1;
    switchScreen(window, ScreenMode::DeleteConfirm, byKind(kOpened, kind));
}

void cancelDelete(HWND window) {
    resetDeleteOperation();
    switchScreen(window, ScreenMode::MainView, localize(kCanceled));
}

void runDelete(HWND window) {
    PanelState& panel = activePanel();
    int32_t row = panel.cursor;
    DeleteRequest request = deleteRequest;
    cancelRequested = false;
    screenMode = ScreenMode::DeleteProgress;
    setStatus(byKind(kProgressTitles, request.kind) + L": " + request.displayText);
    publishDelete(request.displayText, 0, 0, 1);
    publishProgressNow(window);

    DWORD result = request.kind == DeleteKind::MarkedItems
                       ? deleteMarkedItems(window, panel)
                       : deleteSingleItem(window, static_cast<int32_t>(request.kind), request.targetPath,
                                          request.displayText);
    screenMode = ScreenMode::MainView;
    if (result == 0) {
        resetDeleteOperation();
        reloadAndSelectIndex(panel, row);
        panel.marked.clear();
        return reportStatus(window, byKind(kDeleted, request.kind) + request.displayText);
    }
    // The panel is not re-read and its marks stay: the report says what happened.
    std::wstring failing = deleteProgress.currentItem.empty() ? request.displayText : deleteProgress.currentItem;
    resetDeleteOperation();
    showOperationReport(window, localize(kFailedTitle), byKind(kFailed, request.kind), failing, result,
                        localize(kBinHint));
}

DWORD deleteSingleItem(HWND window, int32_t kind, const std::wstring& path, const std::wstring& name) {
    publishDelete(name, 0, 0, 1);
    publishProgressNow(window);
    if (kind != 1 && kind != 2) return ERROR_INVALID_PARAMETER;
    DWORD attributes = GetPathAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return LastFailureCode();
    bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (folder != (kind == 2)) return ERROR_DIRECTORY;
    // A folder is judged again as it is now: it may have become a link since F8.
    if (folder && IsProtectedSourceItem(ParentFolder(path), DirEntry{name, true, attributes, 0, 0}, path))
        return ERROR_ACCESS_DENIED;
    DWORD result = deletePath(path, window);
    if (result != 0) return result;
    publishDelete(name, 100, 1, 1);
    publishProgressNow(window);
    return 0;
}

DWORD deleteMarkedItems(HWND window, const PanelState& panel) {
    std::vector<DeleteItem> items;
    DWORD result = checkMarkedItems(panel, items);
    if (result != 0) return result;
    int64_t total = static_cast<int64_t>(items.size());
    publishDelete(deleteRequest.displayText, 0, 0, total);
    publishProgressNow(window);
    for (int64_t i = 0; i < total; ++i) {
        const DeleteItem& item = items[static_cast<size_t>(i)];
        setDeleteProgress(window, item.listed.name, 0, i, total);
        // Tested again: it may have changed while the items before it went.
        result = checkOnDisk(panel.path, item.listed, item.path);
        if (result == 0) result = deletePath(item.path, window);
        if (result != 0) return result;
        setDeleteProgress(window, item.listed.name, 100, i + 1, total);
    }
    publishDelete(deleteRequest.displayText, 100, total, total);
    publishProgressNow(window);
    return 0;
}

DWORD deletePath(const std::wstring& path, HWND owner) {
    DWORD result = shellPathCode(path);
    if (result == 0) result = recyclePath(path, owner);
    if (result != 0) return result;
    // The shell can answer 0 and leave the item where it was: that is no delete.
    return GetPathAttributes(path) != INVALID_FILE_ATTRIBUTES ? ERROR_FUNCTION_FAILED : 0;
}

DWORD recyclePath(const std::wstring& path, HWND owner) {
    return RecycleItem(path, owner);
}

void setDeleteProgress(HWND window, const std::wstring& name, int32_t itemPercent, int64_t done, int64_t total) {
    publishDelete(name, itemPercent, done, total);
    publishProgress(window);
}

void deleteConfirmKey(HWND window, UINT key) {
    confirmationKey(window, key, deleteChoice, runDelete, cancelDelete);
}

void drawDeleteProgress(HDC dc, int w, int h) {
    const RECT box = deleteProgressRect(w, h);
    const int left = box.left, top = box.top, right = box.right;
    drawBox(dc, box, theme.dialogBackground, theme.dialogFrame, 4);
    drawText(dc, rectOf(left + 30, top + 20, right - 30, top + 64), byKind(kProgressTitles, deleteRequest.kind),
             kBlack, true, false, kLineCentre);
    const int textLeft = left + 44, textRight = right - 44;
    auto line = [&](int y0, int y1, const std::wstring& text, UINT flags) {
        drawText(dc, rectOf(textLeft, top + y0, textRight, top + y1), text, kBlack, true, true, flags);
    };
    line(78, 108, localize(kDeletingLabel), kLineLeftMiddle);
    line(108, 142, deleteProgress.currentItem, kLineLeftMiddle);
    line(148, 176, localize(kCurrentLabel), kLineLeftMiddle);
    drawProgressBar(dc, rectOf(textLeft, top + 182, textRight, top + 224), deleteProgress.itemPercent);
    line(242, 272, localize(kTotalLabel), kLineLeftMiddle);
    drawProgressBar(dc, rectOf(textLeft, top + 278, textRight, top + 320), deleteProgress.totalPercent);
    line(330, 358, std::to_wstring(deleteProgress.totalDone) + L" / " + std::to_wstring(deleteProgress.totalSize),
         kLineCentre);
}
