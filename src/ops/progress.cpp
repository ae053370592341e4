#include "ops/progress.h"

#include <vector>

#include "ops/requests.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/pump.h"
#include "ui/state.h"
#include "viewer/text_load.h"

OperationProgress copyProgress, moveProgress, deleteProgress;

CopyRequest copyRequest;
MoveRequest moveRequest;
DeleteRequest deleteRequest;
RenameRequest renameRequest;
RunRequest runRequest;

const LocalizedText partialTargetHint = {
    L"Operation stopped. Partial target may exist.",
    L"Vorgang gestoppt. Unvollstaendiges Ziel kann vorhanden sein.",
    L"Operation arretee. Une cible partielle peut exister.",
    L"Operazione fermata. La destinazione parziale puo esistere.",
};
const LocalizedText checkFoldersHint = {
    L"Please check source and target folders. Both may now contain data.",
    L"Bitte Quelle und Ziel pruefen. Beide koennen jetzt Daten enthalten.",
    L"Veuillez verifier source et cible. Les deux peuvent contenir des donnees.",
    L"Controlla origine e destinazione. Entrambe possono contenere dati.",
};

namespace {

const LocalizedText kCopyingFileLabel = {L"Copying File:", L"Kopiere Datei:", L"Copie du fichier:", L"Copia file:"};
const LocalizedText kMovingFileLabel = {L"Moving File:", L"Verschiebe Datei:", L"Deplacement du fichier:",
                                        L"Sposta file:"};
const LocalizedText kTotalLabel = {L"Total:", L"Gesamt:", L"Total:", L"Totale:"};
const LocalizedText kItemPrefix = {L"Item: ", L"Element: ", L"Element: ", L"Elemento: "};
const LocalizedText kErrorPrefix = {L"Windows error: ", L"Windows-Fehler: ", L"Erreur Windows: ",
                                    L"Errore Windows: "};

const LocalizedText kCopyTitleMarked = {L"COPYING FILES", L"DATEIEN WERDEN KOPIERT", L"COPIE DES FICHIERS",
                                        L"COPIA FILE"};
const LocalizedText kCopyTitleFile = {L"COPYING FILE", L"DATEI WIRD KOPIERT", L"COPIE DU FICHIER", L"COPIA FILE"};
const LocalizedText kCopyTitleFolder = {L"COPYING FOLDER", L"ORDNER WIRD KOPIERT", L"COPIE DU DOSSIER",
                                        L"COPIA CARTELLA"};
const LocalizedText kMoveTitleFile = {L"MOVING FILE", L"DATEI WIRD VERSCHOBEN", L"DEPLACEMENT DU FICHIER",
                                      L"SPOSTA FILE"};
const LocalizedText kMoveTitleFolder = {L"MOVING FOLDER", L"ORDNER WIRD VERSCHOBEN", L"DEPLACEMENT DU DOSSIER",
                                        L"SPOSTA CARTELLA"};

const LocalizedText kLeftoverPrefix = {L"Temporary item left behind: ", L"Temporaeres Element verblieben: ",
                                       L"Element temporaire restant: ", L"Elemento temporaneo rimasto: "};

const wchar_t kDoneSeparator[] = L" / ";

// Temporary items that survived their clean-up, waiting for the message that ends the operation.
struct Leftover {
    std::wstring path;
    DWORD code;
};
std::vector<Leftover> leftovers;

void setProgress(OperationProgress& progress, HWND window, const std::wstring& item, uint64_t itemDone,
                 uint64_t itemSize, uint64_t totalDone, uint64_t totalSize) {
    progress.currentItem = item;
    progress.itemDone = itemDone;
    progress.itemSize = itemSize;
    progress.itemPercent = percentOf(itemDone, itemSize);
    progress.totalDone = totalDone;
    progress.totalSize = totalSize;
    progress.totalPercent = percentOf(totalDone, totalSize);
    publishProgress(window);
}

std::wstring doneOfTotal(uint64_t done, uint64_t total) {
    return formatProgressBytes(done) + kDoneSeparator + formatProgressBytes(total);
}

}  // namespace

int32_t percentOf(uint64_t done, uint64_t total) {
    if (total == 0) return 100;
    uint64_t percent = done * 100 / total;
    return percent > 100 ? 100 : static_cast<int32_t>(percent);
}

void publishProgress(HWND window) {
    // Between the first and the last frame of an operation only its box changes: painting just the
    // box keeps each frame a fraction of a full one.
    RECT box, client;
    bool boxOnly = window && GetClientRect(window, &client) &&
                   progressBoxRect(screenMode, client.right, client.bottom, box);
    paintFrameWhenDue(window, boxOnly ? &box : nullptr);
    // A small file publishes twice in a few milliseconds: the queue is emptied at most every 10 ms.
    pumpMessagesPaced();
}

void publishProgressNow(HWND window) {
    paintFrame(window);
    pumpMessages();
}

void setCopyProgress(HWND window, const std::wstring& item, uint64_t itemDone, uint64_t itemSize,
                     uint64_t totalDone, uint64_t totalSize) {
    setProgress(copyProgress, window, item, itemDone, itemSize, totalDone, totalSize);
}

void setMoveProgress(HWND window, const std::wstring& item, uint64_t itemDone, uint64_t itemSize,
                     uint64_t totalDone, uint64_t totalSize) {
    setProgress(moveProgress, window, item, itemDone, itemSize, totalDone, totalSize);
}

void resetCopyOperation() {
    copyRequest = CopyRequest();
    copyOverwriteChoice = 1;
    copyProgress = OperationProgress();
}

void resetMoveOperation() {
    moveRequest = MoveRequest();
    moveOverwriteChoice = 1;
    moveProgress = OperationProgress();
}

void resetDeleteOperation() {
    deleteRequest = DeleteRequest();
    deleteChoice = 1;
    deleteProgress = OperationProgress();
    messageTitle.clear();
    messageText.clear();
    messageHint.clear();
    clearLoadedText();  // the document the viewer and the editor share
}

void resetOperations() {
    resetCopyOperation();
    resetMoveOperation();
    resetDeleteOperation();
    renameRequest = RenameRequest();
    runRequest = RunRequest();
    progressRepaintCount = 0;
    clearLeftovers();
}

std::wstring windowsErrorLine(DWORD code) {
    return localize(kErrorPrefix) + std::to_wstring(static_cast<unsigned long>(code));
}

std::wstring operationReport(const std::wstring& message, const std::wstring& item, DWORD code,
                             const std::wstring& hint) {
    std::wstring report = message;
    if (!item.empty()) report += L"\n" + localize(kItemPrefix) + item;
    if (code != 0) report += L"\n" + windowsErrorLine(code);
    if (!hint.empty()) report += L"\n" + hint;
    return report;
}

void noteLeftover(const std::wstring& path, DWORD code) {
    // A removal that finds nothing there (its folder deleted by another program) leaves nothing.
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return;
    leftovers.push_back(Leftover{path, code});
}

void clearLeftovers() {
    leftovers.clear();
}

void showOperationMessage(HWND window, const std::wstring& title, const std::wstring& text) {
    std::wstring shown = text;
    for (const Leftover& left : leftovers)
        shown += L"\n" + localize(kLeftoverPrefix) + left.path + L"\n" + windowsErrorLine(left.code);
    clearLeftovers();
    showMessageBox(window, title, shown);
}

void showOperationReport(HWND window, const std::wstring& title, const std::wstring& message,
                         const std::wstring& item, DWORD code, const std::wstring& hint) {
    showOperationMessage(window, title, operationReport(message, item, code, hint));
}

std::wstring formatProgressBytes(uint64_t bytes) {
    if (bytes >= (uint64_t{1} << 30)) return std::to_wstring(bytes >> 30) + L" GB";
    if (bytes >= (uint64_t{1} << 20)) return std::to_wstring(bytes >> 20) + L" MB";
    if (bytes < 1024) return std::to_wstring(bytes) + L" B";
    return std::to_wstring(bytes >> 10) + L" KB";
}

std::wstring copyTitle() {
    if (copyRequest.isMulti) return localize(kCopyTitleMarked);
    return localize(copyRequest.isFolder ? kCopyTitleFolder : kCopyTitleFile);
}

std::wstring moveTitle() {
    return localize(moveRequest.isFolder ? kMoveTitleFolder : kMoveTitleFile);
}

void drawProgressBar(HDC dc, const RECT& rect, int32_t percent) {
    drawBox(dc, rect, kWhite, kBlack, 2);
    int32_t p = percent < 0 ? 0 : (percent > 100 ? 100 : percent);
    int fill = (rect.right - rect.left - 6) * p / 100;
    if (fill > 0) fillRect(dc, rectOf(rect.left + 3, rect.top + 3, rect.left + 3 + fill, rect.bottom - 3),
                           theme.selectionBarFill);
    drawText(dc, rect, std::to_wstring(p) + L"%", kBlack, true, false, kLineCentre);
}

RECT copyMoveProgressRect(int w, int h, bool move) {
    bool withTotal = move ? moveRequest.isFolder : (copyRequest.isFolder || copyRequest.isMulti);
    int width = w / 3 > 720 ? w / 3 : 720;
    if (width > w - 80) width = w - 80;
    int height = withTotal ? (h / 3 > 370 ? h / 3 : 370) : (h / 4 > 260 ? h / 4 : 260);
    if (height > h - 120) height = h - 120;
    int left = (w - width) / 2, top = (h - height) / 2;
    return rectOf(left, top, left + width, top + height);
}

RECT deleteProgressRect(int w, int h) {
    int width = w / 3 > 720 ? w / 3 : 720;
    if (width > w - 80) width = w - 80;
    int height = h / 3 > 360 ? h / 3 : 360;
    if (height > h - 120) height = h - 120;
    int left = (w - width) / 2, top = (h - height) / 2;
    return rectOf(left, top, left + width, top + height);
}

bool progressBoxRect(ScreenMode mode, int w, int h, RECT& box) {
    switch (mode) {
    case ScreenMode::DeleteProgress:
        box = deleteProgressRect(w, h);
        return true;
    case ScreenMode::CopyProgress:
    case ScreenMode::MoveProgress:
        box = copyMoveProgressRect(w, h, mode == ScreenMode::MoveProgress);
        return true;
    default:
        return false;
    }
}

void drawCopyMoveProgress(HDC dc, int w, int h, bool move) {
    const OperationProgress& progress = move ? moveProgress : copyProgress;
    bool withTotal = move ? moveRequest.isFolder : (copyRequest.isFolder || copyRequest.isMulti);
    const RECT box = copyMoveProgressRect(w, h, move);
    const int left = box.left, top = box.top, right = box.right;
    drawBox(dc, box, theme.dialogBackground, theme.dialogFrame, 4);

    // Title bold; labels and item in the small font (else bold, else normal); byte lines small or normal.
    drawText(dc, rectOf(left + 30, top + 20, right - 30, top + 64), move ? moveTitle() : copyTitle(), kBlack,
             true, false, kLineCentre);
    const int textLeft = left + 44, textRight = right - 44;
    drawText(dc, rectOf(textLeft, top + 78, textRight, top + 108),
             localize(move ? kMovingFileLabel : kCopyingFileLabel), kBlack, true, true, kLineLeftMiddle);
    drawText(dc, rectOf(textLeft, top + 108, textRight, top + 142), progress.currentItem, kBlack, true, true,
             kLineLeftMiddle);
    drawProgressBar(dc, rectOf(textLeft, top + 152, textRight, top + 194), progress.itemPercent);
    int y = top + 194 + 10;
    drawText(dc, rectOf(textLeft, y, textRight, y + 28), doneOfTotal(progress.itemDone, progress.itemSize), kBlack,
             false, true, kLineCentre);
    if (!withTotal) return;
    drawText(dc, rectOf(textLeft, y + 46, textRight, y + 76), localize(kTotalLabel), kBlack, true, true,
             kLineLeftMiddle);
    drawProgressBar(dc, rectOf(textLeft, y + 82, textRight, y + 124), progress.totalPercent);
    drawText(dc, rectOf(textLeft, y + 134, textRight, y + 162), doneOfTotal(progress.totalDone, progress.totalSize),
             kBlack, false, true, kLineCentre);
}
