#include "ops/copy.h"

#include <vector>

#include "fs/file_ops.h"
#include "fs/paths.h"
#include "fs/protection.h"
#include "ops/plan.h"
#include "ops/progress.h"
#include "ops/requests.h"
#include "ops/transfer.h"
#include "panels/panels.h"
#include "ui/state.h"

const LocalizedText noSelectionText = {L"No selection.", L"Keine Auswahl vorhanden.", L"Aucune selection.",
                                       L"Nessuna selezione."};
const LocalizedText targetUnavailableTitle = {L"TARGET UNAVAILABLE", L"ZIEL NICHT VERFUEGBAR",
                                              L"CIBLE INDISPONIBLE", L"DESTINAZIONE NON DISPONIBILE"};
const LocalizedText targetUnreadableText = {
    L"The target panel cannot be read or is not a folder.",
    L"Das Ziel-Panel kann nicht gelesen werden oder ist kein Ordner.",
    L"Le panneau cible ne peut pas etre lu ou n'est pas un dossier.",
    L"Il pannello di destinazione non puo essere letto o non e una cartella."};
const LocalizedText copyBlockedTitle = {L"COPY BLOCKED", L"KOPIEREN BLOCKIERT", L"COPIE BLOQUEE",
                                        L"COPIA BLOCCATA"};
const LocalizedText sameFolderText = {L"Source and target panels show the same folder.",
                                      L"Quell- und Ziel-Panel zeigen denselben Ordner.",
                                      L"Les panneaux source et cible affichent le meme dossier.",
                                      L"I pannelli origine e destinazione mostrano la stessa cartella."};
const LocalizedText targetProtectedTitle = {L"TARGET PROTECTED", L"ZIEL GESCHUETZT", L"CIBLE PROTEGEE",
                                            L"DESTINAZIONE PROTETTA"};
const LocalizedText sourceProtectedTitle = {L"SOURCE PROTECTED", L"QUELLE GESCHUETZT", L"SOURCE PROTEGEE",
                                            L"ORIGINE PROTETTA"};
const LocalizedText sourceProtectedText = {
    L"This system folder or link cannot be copied.", L"Dieser Systemordner oder Link kann nicht kopiert werden.",
    L"Ce dossier systeme ou lien ne peut pas etre copie.",
    L"Questa cartella di sistema o collegamento non puo essere copiata."};
const LocalizedText intoItselfText = {
    L"A folder cannot be copied into itself or one of its subfolders.",
    L"Ein Ordner kann nicht in sich selbst oder in einen Unterordner kopiert werden.",
    L"Un dossier ne peut pas etre copie dans lui-meme ou dans un sous-dossier.",
    L"Una cartella non puo essere copiata dentro se stessa o in una sottocartella."};
const LocalizedText sameFileText = {L"Source and target are the same file.", L"Quelle und Ziel sind dieselbe Datei.",
                                    L"La source et la cible sont le meme fichier.",
                                    L"Origine e destinazione sono lo stesso file."};
const LocalizedText overwriteOpenedText = {
    L"Target file exists. Overwrite confirmation opened.",
    L"Zieldatei existiert. Ueberschreiben-Bestaetigung geoeffnet.",
    L"Le fichier cible existe. Confirmation de remplacement ouverte.",
    L"Il file di destinazione esiste. Conferma di sovrascrittura aperta."};
const LocalizedText targetBlockedTitle = {L"TARGET BLOCKED", L"ZIEL BLOCKIERT", L"CIBLE BLOQUEE",
                                          L"DESTINAZIONE BLOCCATA"};
const LocalizedText nameExistsText = {
    L"An item with this name already exists in the target panel.",
    L"Im Ziel-Panel existiert bereits ein Eintrag mit diesem Namen.",
    L"Un element avec ce nom existe deja dans le panneau cible.",
    L"Nel pannello di destinazione esiste gia un elemento con questo nome."};
const LocalizedText filesOnlyTitle = {L"FILES ONLY", L"NUR DATEIEN", L"FICHIERS SEULEMENT", L"SOLO FILE"};
const LocalizedText scanFailedTitle = {L"FOLDER SCAN FAILED", L"ORDNER-SCAN FEHLGESCHLAGEN",
                                       L"ANALYSE DOSSIER ECHOUEE", L"SCANSIONE CARTELLA FALLITA"};
const LocalizedText scanFailedText = {
    L"The folder cannot be scanned completely or contains a protected link.",
    L"Der Ordner kann nicht vollstaendig gelesen werden oder enthaelt einen geschuetzten Link.",
    L"Le dossier ne peut pas etre lu completement ou contient un lien protege.",
    L"La cartella non puo essere letta completamente o contiene un collegamento protetto."};
const LocalizedText fileExistsTitle = {L"OVERWRITE FILE", L"DATEI UEBERSCHREIBEN", L"REMPLACER FICHIER",
                                          L"SOVRASCRIVI FILE"};
const LocalizedText fileExistsText = {L"File already exists. Overwrite?", L"Datei existiert bereits. Ueberschreiben?",
                                         L"Le fichier existe deja. Remplacer?", L"Il file esiste gia. Sovrascrivere?"};
const LocalizedText markedCountSuffix = {L" marked item(s)", L" markierte Element(e)", L" elements marques",
                                         L" elementi marcati"};

namespace {

const LocalizedText kParentText = {L"The parent folder [DIR] .. cannot be copied.",
                                   L"Der Elternordner [DIR] .. kann nicht kopiert werden.",
                                   L"Le dossier parent [DIR] .. ne peut pas etre copie.",
                                   L"La cartella padre [DIR] .. non puo essere copiata."};
const LocalizedText kTargetProtectedText = {
    L"This system folder or link cannot be used as copy target.",
    L"Dieser Systemordner oder Link kann nicht als Kopierziel benutzt werden.",
    L"Ce dossier systeme ou lien ne peut pas etre utilise comme cible.",
    L"Questa cartella di sistema o collegamento non puo essere usata come destinazione."};
const LocalizedText kMarkedExistText = {
    L"One or more marked files already exist in the target panel. Multi-copy does not overwrite yet.",
    L"Eine oder mehrere markierte Dateien existieren bereits im Ziel-Panel. Mehrfach-Kopieren ueberschreibt noch "
    L"nicht.",
    L"Un ou plusieurs fichiers marques existent deja dans le panneau cible. La copie multiple ne remplace pas "
    L"encore.",
    L"Uno o piu file marcati esistono gia nel pannello di destinazione. La copia multipla non sovrascrive ancora."};
const LocalizedText kNoValidMarksText = {L"No valid marked items found in the active panel.",
                                         L"Keine gueltig markierten Elemente im aktiven Panel gefunden.",
                                         L"Aucun element marque valide dans le panneau actif.",
                                         L"Nessun elemento marcato valido nel pannello attivo."};
const LocalizedText kCopyFailedTitle = {L"COPY FAILED", L"KOPIEREN FEHLGESCHLAGEN", L"COPIE ECHOUEE",
                                        L"COPIA FALLITA"};
const LocalizedText kCopyFailedText = {L"The file could not be copied.", L"Die Datei konnte nicht kopiert werden.",
                                       L"Le fichier n'a pas pu etre copie.", L"Il file non puo essere copiato."};
const LocalizedText kAttributesFailedText = {
    L"The target now holds the new file, but its attributes could not be set.",
    L"Das Ziel enthaelt jetzt die neue Datei, aber ihre Attribute konnten nicht gesetzt werden.",
    L"La cible contient maintenant le nouveau fichier, mais ses attributs n'ont pas pu etre definis.",
    L"La destinazione contiene ora il nuovo file, ma i suoi attributi non possono essere impostati."};
const LocalizedText kCanceledText = {L"Copy canceled.", L"Kopieren abgebrochen.", L"Copie annulee.",
                                     L"Copia annullata."};
const LocalizedText kDoneMarked = {L"Files copied: ", L"Dateien kopiert: ", L"Fichiers copies: ", L"File copiati: "};
const LocalizedText kDoneFile = {L"File copied: ", L"Datei kopiert: ", L"Fichier copie: ", L"File copiato: "};
const LocalizedText kDoneFolder = {L"Folder copied: ", L"Ordner kopiert: ", L"Dossier copie: ",
                                   L"Cartella copiata: "};

std::wstring copyDonePrefix() {
    if (copyRequest.isMulti) return localize(kDoneMarked);
    return localize(copyRequest.isFolder ? kDoneFolder : kDoneFile);
}

void showText(HWND window, const LocalizedText& title, const LocalizedText& text) {
    showOperationMessage(window, localize(title), localize(text));
}

// Back to the main view with the request emptied; the message box opens after the reset.
void endCopy() {
    screenMode = ScreenMode::MainView;
    resetCopyOperation();
}

void failCopy(HWND window, const std::wstring& item, DWORD code, bool withHint,
              const LocalizedText& text = kCopyFailedText) {
    endCopy();
    showOperationReport(window, localize(kCopyFailedTitle), localize(text), item, code,
                        withHint ? localize(partialTargetHint) : std::wstring());
}

// The last state of a copy: everything done.
void publishCopyEnd(HWND window, const std::wstring& item, uint64_t total) {
    copyProgress = OperationProgress{item, 0, 0, 100, total, total, 100};
    publishProgressNow(window);
}

void startCopyProgress(HWND window, const std::wstring& name, uint64_t total) {
    cancelRequested = false;
    clearLeftovers();
    screenMode = ScreenMode::CopyProgress;
    setStatus(copyTitle() + L": " + name);
    copyProgress = OperationProgress{name, 0, 0, 100, 0, total, percentOf(0, total)};
    publishProgressNow(window);
}

void overwriteYes(HWND window) {
    runSingleCopy(window, true);
}

const RefusalTexts kCopyTexts = {&kParentText, &copyBlockedTitle, &kTargetProtectedText, &kMarkedExistText,
                                 &kNoValidMarksText};

// The refusals of the shared checks: each shows why and answers false.
bool refuse(HWND window, const LocalizedText& title, const LocalizedText& text) {
    showText(window, title, text);
    return false;
}

bool refuseInStatus(HWND window, const LocalizedText& text) {
    reportStatus(window, localize(text));
    return false;
}

// True when the other panel cannot take the items; the refusal is shown.
bool showPanelRefusal(HWND window, PanelRefusal refusal, const RefusalTexts& texts) {
    switch (refusal) {
    case PanelRefusal::TargetUnreadable: showText(window, targetUnavailableTitle, targetUnreadableText); return true;
    case PanelRefusal::SameFolder: showText(window, *texts.blockedTitle, sameFolderText); return true;
    case PanelRefusal::TargetProtected: showText(window, targetProtectedTitle, *texts.targetProtected); return true;
    default: return false;
    }
}

}  // namespace

bool checkSingleItem(HWND window, const RefusalTexts& texts, SingleItem& item) {
    const PanelState& source = activePanel();
    const PanelState& target = inactivePanel();
    const DirEntry* entry = cursorEntry(source);
    if (!entry) return refuseInStatus(window, noSelectionText);
    item.entry = *entry;
    if (isParentEntry(item.entry)) return refuseInStatus(window, *texts.parent);
    if (showPanelRefusal(window, checkPanels(source, target), texts)) return false;

    item.sourcePath = WithTrailingSeparator(source.path) + item.entry.name;
    item.targetFolder = WithTrailingSeparator(target.path);
    item.targetPath = item.targetFolder + item.entry.name;
    if (item.entry.isFolder) {
        if (IsProtectedSourceItem(source.path, item.entry, item.sourcePath))
            return refuse(window, sourceProtectedTitle, sourceProtectedText);
        if (IsSameOrInside(item.targetPath, item.sourcePath))
            return refuse(window, copyBlockedTitle, intoItselfText);
    }
    item.existing = GetPathAttributes(item.targetPath);
    bool targetIsFile = item.existing != INVALID_FILE_ATTRIBUTES && !(item.existing & FILE_ATTRIBUTE_DIRECTORY);
    if (!item.entry.isFolder &&
        (_wcsicmp(FullPath(item.sourcePath).c_str(), FullPath(item.targetPath).c_str()) == 0 ||
         (targetIsFile && SameFileIdentity(item.sourcePath, item.targetPath))))
        return refuse(window, *texts.blockedTitle, sameFileText);
    return true;
}

void runOrAsk(HWND window, const SingleItem& item, ScreenMode question, void (*run)(HWND, bool), void (*reset)()) {
    if (item.existing == INVALID_FILE_ATTRIBUTES) return run(window, false);
    if (!item.entry.isFolder && !(item.existing & FILE_ATTRIBUTE_DIRECTORY)) {
        screenMode = question;
        return reportStatus(window, localize(overwriteOpenedText));
    }
    reset();
    showText(window, targetBlockedTitle, nameExistsText);
}

bool planOrRefuse(HWND window, const RefusalTexts& texts, std::vector<CopyPlanItem>& plan, uint64_t& total) {
    const PanelState& source = activePanel();
    const PanelState& target = inactivePanel();
    if (source.marked.empty()) return refuseInStatus(window, noSelectionText);
    if (showPanelRefusal(window, checkPanels(source, target), texts)) return false;
    switch (planMarkedItems(source, target, plan, total)) {
    case PlanRefusal::TargetExists: return refuse(window, targetBlockedTitle, *texts.markedExist);
    case PlanRefusal::ProtectedSource: return refuse(window, sourceProtectedTitle, sourceProtectedText);
    case PlanRefusal::IntoItself: return refuse(window, copyBlockedTitle, intoItselfText);
    case PlanRefusal::ScanFailed: return refuse(window, scanFailedTitle, scanFailedText);
    case PlanRefusal::Empty: return refuse(window, filesOnlyTitle, *texts.nothingPlanned);
    case PlanRefusal::None: return true;
    }
    return false;
}

void beginCopy(HWND window) {
    if (!activePanel().marked.empty()) return copyMarkedItems(window);
    SingleItem item;
    if (!checkSingleItem(window, kCopyTexts, item)) return;
    copyRequest = CopyRequest{item.entry.name, item.sourcePath, item.targetPath, item.targetFolder,
                              item.entry.isFolder, false};
    copyOverwriteChoice = 1;
    runOrAsk(window, item, ScreenMode::CopyOverwriteConfirm, runSingleCopy, resetCopyOperation);
}

void cancelCopy(HWND window) {
    endCopy();
    reportStatus(window, localize(kCanceledText));
}

void runSingleCopy(HWND window, bool overwrite) {
    const std::wstring name = copyRequest.sourceName, source = copyRequest.sourcePath, target = copyRequest.targetPath;
    const bool folder = copyRequest.isFolder;
    // The question may have waited a while: the target is checked again before it is replaced.
    if (overwrite && SameFileIdentity(source, target)) {
        endCopy();
        return showText(window, copyBlockedTitle, sameFileText);
    }
    startCopyProgress(window, name, 0);
    bool attributesFailed = false;
    DWORD code = folder ? copyFolderTree(window)
                        : copyFileChunked(window, source, target, name, overwrite, false, 0, 0, nullptr, &attributesFailed);
    if (code == 0) {
        std::wstring text = copyDonePrefix() + name;
        endCopy();
        PanelState& panel = inactivePanel();
        loadListing(panel);
        selectEntryByName(panel, name);
        return reportStatus(window, text);
    }
    std::wstring item = copyProgress.currentItem.empty() ? name : copyProgress.currentItem;
    if (!folder && (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS)) {
        endCopy();
        return showText(window, fileExistsTitle, fileExistsText);
    }
    if (folder && code == kScanFailedCode) {
        endCopy();
        return showOperationReport(window, localize(scanFailedTitle), localize(scanFailedText), item, code,
                                   std::wstring());
    }
    failCopy(window, item, code, folder, attributesFailed ? kAttributesFailedText : kCopyFailedText);
}

DWORD copyFolderTree(HWND window) {
    TreeCopy copy;
    copy.source = TrimTrailingSeparators(FullPath(copyRequest.sourcePath));
    copy.target = copyRequest.targetPath;
    copy.name = copyRequest.sourceName;
    DWORD code = copyTreeThroughTemp(window, copy);
    if (code != 0) {
        if (!copy.failedItem.empty()) copyProgress.currentItem = copy.failedItem;
        return copy.scanFailed ? kScanFailedCode : code;
    }
    publishCopyEnd(window, copy.name, copy.total);
    return 0;
}

void copyMarkedItems(HWND window) {
    std::vector<CopyPlanItem> plan;
    uint64_t total = 0;
    if (!planOrRefuse(window, kCopyTexts, plan, total)) return;
    PanelState& source = activePanel();
    PanelState& target = inactivePanel();

    const std::wstring count = std::to_wstring(plan.size()) + localize(markedCountSuffix);
    copyRequest = CopyRequest{count, std::wstring(), std::wstring(), WithTrailingSeparator(target.path), true, true};
    copyOverwriteChoice = 1;
    startCopyProgress(window, count, total);
    uint64_t done = 0;
    std::wstring last;
    for (const CopyPlanItem& item : plan) {
        if (item.isFolder) {
            TreeCopy copy;
            copy.source = item.sourcePath;
            copy.target = item.targetPath;
            copy.name = item.name;
            copy.prefixRecords = true;
            copy.totalFromScan = false;
            copy.done = done;
            copy.total = total;
            DWORD code = copyTreeThroughTemp(window, copy);
            if (copy.scanFailed) {
                endCopy();
                return showText(window, scanFailedTitle, scanFailedText);
            }
            if (code != 0) return failCopy(window, copy.failedItem.empty() ? item.name : copy.failedItem, code, true);
            done = copy.done;
            setCopyProgress(window, item.name, 0, 0, done, total);
        } else {
            uint64_t copied = 0;
            DWORD code =
                copyFileChunked(window, item.sourcePath, item.targetPath, item.name, false, true, done, total, &copied);
            if (code != 0) return failCopy(window, item.name, code, true);
            done += copied;
        }
        last = item.name;
    }
    publishCopyEnd(window, count, total);
    std::wstring text = copyDonePrefix() + count;
    endCopy();
    loadListing(target);
    if (!last.empty()) selectEntryByName(target, last);
    source.marked.clear();
    reportStatus(window, text);
}

void copyOverwriteKey(HWND window, UINT key) {
    confirmationKey(window, key, copyOverwriteChoice, overwriteYes, cancelCopy);
}
