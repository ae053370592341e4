#include "ops/move.h"

#include <vector>

#include "fs/file_ops.h"
#include "fs/paths.h"
#include "ops/copy.h"
#include "ops/plan.h"
#include "ops/progress.h"
#include "ops/requests.h"
#include "ops/transfer.h"
#include "panels/panels.h"
#include "ui/state.h"

namespace {

const LocalizedText kParentText = {L"The parent folder [DIR] .. cannot be moved.",
                                   L"Der Elternordner [DIR] .. kann nicht verschoben werden.",
                                   L"Le dossier parent [DIR] .. ne peut pas etre deplace.",
                                   L"La cartella padre [DIR] .. non puo essere spostata."};
const LocalizedText kMoveBlockedTitle = {L"MOVE BLOCKED", L"VERSCHIEBEN BLOCKIERT", L"DEPLACEMENT BLOQUE",
                                         L"SPOSTAMENTO BLOCCATO"};
const LocalizedText kTargetProtectedText = {
    L"This system folder or link cannot be used as move target.",
    L"Dieser Systemordner oder Link kann nicht als Ziel benutzt werden.",
    L"Ce dossier systeme ou lien ne peut pas etre utilise comme cible.",
    L"Questa cartella di sistema o collegamento non puo essere usata come destinazione."};
const LocalizedText kMoveFailedTitle = {L"MOVE FAILED", L"VERSCHIEBEN FEHLGESCHLAGEN", L"DEPLACEMENT ECHOUE",
                                        L"SPOSTAMENTO FALLITO"};
const LocalizedText kMoveFailedText = {L"The selected item could not be moved.",
                                       L"Der ausgewaehlte Eintrag konnte nicht verschoben werden.",
                                       L"L'element selectionne n'a pas pu etre deplace.",
                                       L"L'elemento selezionato non puo essere spostato."};
const LocalizedText kChangedText = {
    L"This item changed during the move and stays in the source.",
    L"Dieser Eintrag hat sich waehrend des Verschiebens geaendert und bleibt in der Quelle.",
    L"Cet element a change pendant le deplacement et reste dans la source.",
    L"Questo elemento e cambiato durante lo spostamento e resta nell'origine."};
const LocalizedText kAttributesFailedText = {
    L"The target now holds the new file, but its attributes could not be set. The source was kept.",
    L"Das Ziel enthaelt jetzt die neue Datei, aber ihre Attribute konnten nicht gesetzt werden. Die Quelle "
    L"wurde behalten.",
    L"La cible contient maintenant le nouveau fichier, mais ses attributs n'ont pas pu etre definis. La source "
    L"a ete conservee.",
    L"La destinazione contiene ora il nuovo file, ma i suoi attributi non possono essere impostati. L'origine "
    L"e stata mantenuta."};
const LocalizedText kNothingToMoveText = {L"Only single files can be moved in this phase.",
                                          L"In dieser Phase koennen nur einzelne Dateien verschoben werden.",
                                          L"Dans cette phase, seuls les fichiers simples peuvent etre deplaces.",
                                          L"In questa fase si possono spostare solo singoli file."};
const LocalizedText kCanceledText = {L"Move canceled.", L"Verschieben abgebrochen.", L"Deplacement annule.",
                                     L"Spostamento annullato."};
const LocalizedText kDoneFile = {L"File moved: ", L"Datei verschoben: ", L"Fichier deplace: ", L"File spostato: "};
const LocalizedText kDoneFolder = {L"Folder moved: ", L"Ordner verschoben: ", L"Dossier deplace: ",
                                   L"Cartella spostata: "};

constexpr DWORD kRenameFlags = MOVEFILE_WRITE_THROUGH;

const RefusalTexts kMoveTexts = {&kParentText, &kMoveBlockedTitle, &kTargetProtectedText, &nameExistsText,
                                 &kNothingToMoveText};

void showText(HWND window, const LocalizedText& title, const LocalizedText& text) {
    showOperationMessage(window, localize(title), localize(text));
}

void endMove() {
    screenMode = ScreenMode::MainView;
    resetMoveOperation();
}

// Every move failure asks the user to look at both folders; an item found to be its own target is
// refused as the same file. A source that changed stays without any call having failed: no code.
void failMove(HWND window, const std::wstring& item, DWORD code, const LocalizedText& text = kMoveFailedText) {
    endMove();
    if (code == kErrorSameItem) return showText(window, kMoveBlockedTitle, sameFileText);
    bool changed = code == kErrorSourceChanged;
    showOperationReport(window, localize(kMoveFailedTitle), localize(changed ? kChangedText : text), item,
                        changed ? 0 : code, localize(checkFoldersHint));
}

void publishMoveNow(HWND window, const std::wstring& item, uint64_t done, uint64_t total) {
    moveProgress = OperationProgress{item, 0, 0, 100, done, total, percentOf(done, total)};
    publishProgressNow(window);
}

// A folder copied across volumes; then its source tree is deleted, strictly, unless it is the target.
DWORD moveTreeAcross(HWND window, TreeCopy& copy) {
    copy.forMove = true;
    DWORD code = copyTreeThroughTemp(window, copy);
    if (code != 0) return code;
    publishMoveNow(window, copy.name, copy.done, copy.total);
    copy.failedItem = copy.name;
    code = checkDistinctItems(copy.source, copy.target);
    if (code != 0) return code;
    std::wstring changed;
    code = deleteTree(copy.source, copy.records, false, &changed);
    if (code == kErrorSourceChanged && !changed.empty()) copy.failedItem = copy.name + L"\\" + changed;
    return code;
}

void overwriteYes(HWND window) {
    runSingleMove(window, true);
}

}  // namespace

void beginMove(HWND window) {
    if (!activePanel().marked.empty()) return moveMarkedItems(window);
    SingleItem item;
    if (!checkSingleItem(window, kMoveTexts, item)) return;
    moveRequest = MoveRequest{item.entry.name, item.sourcePath, item.targetPath, item.targetFolder, item.entry.isFolder};
    moveOverwriteChoice = 1;
    runOrAsk(window, item, ScreenMode::MoveOverwriteConfirm, runSingleMove, resetMoveOperation);
}

void cancelMove(HWND window) {
    endMove();
    reportStatus(window, localize(kCanceledText));
}

void runSingleMove(HWND window, bool overwrite) {
    const int32_t cursor = activePanel().cursor;
    const std::wstring name = moveRequest.sourceName, source = moveRequest.sourcePath, target = moveRequest.targetPath;
    const bool folder = moveRequest.isFolder;
    if (overwrite && SameFileIdentity(source, target)) return failMove(window, name, kErrorSameItem);
    cancelRequested = false;
    clearLeftovers();
    screenMode = ScreenMode::MoveProgress;
    setStatus(moveTitle() + L": " + name);
    publishMoveNow(window, name, 0, 0);
    bool attributesFailed = false;
    DWORD code =
        folder ? moveFolderTree(window) : moveFileWithFallback(window, source, target, name, overwrite, &attributesFailed);
    if (code == 0) {
        std::wstring text = localize(folder ? kDoneFolder : kDoneFile) + name;
        endMove();
        reloadAndSelectIndex(activePanel(), cursor);
        PanelState& panel = inactivePanel();
        loadListing(panel);
        selectEntryByName(panel, name);
        return reportStatus(window, text);
    }
    std::wstring item = moveProgress.currentItem.empty() ? name : moveProgress.currentItem;
    if (!folder && (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS)) {
        endMove();
        return showText(window, fileExistsTitle, fileExistsText);
    }
    failMove(window, item, code, attributesFailed ? kAttributesFailedText : kMoveFailedText);
}

DWORD moveFileWithFallback(HWND window, const std::wstring& source, const std::wstring& target,
                           const std::wstring& display, bool overwrite, bool* attributesFailed) {
    moveProgress.currentItem = display;
    moveProgress.itemDone = moveProgress.itemSize = 0;
    moveProgress.itemPercent = 100;
    publishProgress(window);
    if (MovePath(source, target, kRenameFlags | (overwrite ? MOVEFILE_REPLACE_EXISTING : 0))) {
        moveProgress.itemDone = moveProgress.itemSize = 1;
        publishProgress(window);
        return 0;
    }
    DWORD code = LastFailureCode();
    if (code != ERROR_NOT_SAME_DEVICE) return code;
    // Across volumes: the copy of F5, cancellable, into the move's progress, without totals; then the
    // source goes.
    const ChunkedTransfer how = {&moveProgress, overwrite, false, true, true};
    return transferFileChunked(window, source, target, display, how, 0, 0, nullptr, attributesFailed);
}

DWORD moveFolderTree(HWND window) {
    const std::wstring name = moveRequest.sourceName;
    if (MovePath(moveRequest.sourcePath, moveRequest.targetPath, kRenameFlags)) {
        publishMoveNow(window, name, 1, 1);
        return 0;
    }
    DWORD code = LastFailureCode();
    if (code != ERROR_NOT_SAME_DEVICE) return code;
    TreeCopy copy;
    copy.source = TrimTrailingSeparators(FullPath(moveRequest.sourcePath));
    copy.target = moveRequest.targetPath;
    copy.name = name;
    code = moveTreeAcross(window, copy);
    if (code != 0) {
        if (!copy.failedItem.empty()) moveProgress.currentItem = copy.failedItem;
        return copy.scanFailed ? kScanFailedCode : code;
    }
    publishMoveNow(window, name, copy.total, copy.total);
    return 0;
}

void moveMarkedItems(HWND window) {
    std::vector<CopyPlanItem> plan;
    uint64_t total = 0;
    if (!planOrRefuse(window, kMoveTexts, plan, total)) return;
    PanelState& source = activePanel();
    PanelState& target = inactivePanel();

    const std::wstring count = std::to_wstring(plan.size()) + localize(markedCountSuffix);
    moveRequest = MoveRequest{count, std::wstring(), std::wstring(), WithTrailingSeparator(target.path), true};
    moveOverwriteChoice = 1;
    cancelRequested = false;
    clearLeftovers();
    screenMode = ScreenMode::MoveProgress;
    setStatus(moveTitle() + L": " + count);
    const int32_t cursor = source.cursor;
    publishMoveNow(window, count, 0, total);

    uint64_t done = 0;
    std::wstring last;
    for (const CopyPlanItem& item : plan) {
        if (MovePath(item.sourcePath, item.targetPath, kRenameFlags)) {
            done += item.bytes;
            uint64_t size = item.isFolder ? 0 : item.bytes;
            setMoveProgress(window, item.name, size, size, done, total);
            last = item.name;
            continue;
        }
        DWORD code = LastFailureCode();
        if (code != ERROR_NOT_SAME_DEVICE) return failMove(window, item.name, code);
        if (item.isFolder) {
            TreeCopy copy;
            copy.source = item.sourcePath;
            copy.target = item.targetPath;
            copy.name = item.name;
            copy.prefixRecords = true;
            copy.totalFromScan = false;
            copy.done = done;
            copy.total = total;
            code = moveTreeAcross(window, copy);
            if (copy.scanFailed) {
                endMove();
                return showText(window, scanFailedTitle, scanFailedText);
            }
            if (code != 0) return failMove(window, copy.failedItem.empty() ? item.name : copy.failedItem, code);
            done = copy.done;
            setMoveProgress(window, item.name, 0, 0, done, total);
        } else {
            uint64_t copied = 0;
            code = copyFileForMove(window, item.sourcePath, item.targetPath, item.name, done, total, &copied);
            if (code == 0) code = deleteMovedSource(item.sourcePath, item.targetPath, item.bytes, item.modified);
            if (code != 0) return failMove(window, item.name, code);
            done += copied;
        }
        last = item.name;
    }
    publishMoveNow(window, count, total, total);
    // The file form of the done text, also for several items and for folders.
    std::wstring text = localize(kDoneFile) + count;
    endMove();
    source.marked.clear();
    reloadAndSelectIndex(source, cursor);
    loadListing(target);
    if (!last.empty()) selectEntryByName(target, last);
    reportStatus(window, text);
}

void moveOverwriteKey(HWND window, UINT key) {
    confirmationKey(window, key, moveOverwriteChoice, overwriteYes, cancelMove);
}
