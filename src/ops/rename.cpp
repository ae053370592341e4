#include "ops/rename.h"

#include "fs/file_ops.h"
#include "fs/paths.h"
#include "fs/protection.h"
#include "ops/requests.h"
#include "panels/panels.h"
#include "settings/language.h"
#include "ui/state.h"

namespace {

const LocalizedText kNoItem = {L"No item selected.", L"Kein Element ausgewaehlt.", L"Aucun element selectionne.",
                               L"Nessun elemento selezionato."};
const LocalizedText kParent = {L"Parent folder entry cannot be renamed.",
                               L"Der Zurueck-Ordner kann nicht umbenannt werden.",
                               L"L'entree dossier parent ne peut pas etre renommee.",
                               L"La voce cartella superiore non puo essere rinominata."};
const LocalizedText kRenameTitle = {L"RENAME", L"UMBENENNEN", L"RENOMMER", L"RINOMINA"};
const LocalizedText kProtected = {L"Protected folder cannot be renamed.",
                                  L"Geschuetzter Ordner kann nicht umbenannt werden.",
                                  L"Dossier protege impossible a renommer.",
                                  L"Cartella protetta non puo essere rinominata."};
const LocalizedText kRenameOpened = {L"F2 Rename opened.", L"F2 Umbenennen geoeffnet.", L"F2 Renommer ouvert.",
                                     L"F2 Rinomina aperto."};
const LocalizedText kEnterName = {L"Please enter a new name.", L"Bitte einen neuen Namen eingeben.",
                                  L"Veuillez saisir un nouveau nom.", L"Inserire un nuovo nome."};
const LocalizedText kInvalidName = {L"Invalid name.", L"Ungueltiger Name.", L"Nom invalide.", L"Nome non valido."};
const LocalizedText kExists = {L"Target name already exists.", L"Zielname existiert bereits.",
                               L"Le nom cible existe deja.", L"Il nome di destinazione esiste gia."};
const LocalizedText kConfirmOpened = {L"Rename confirmation opened.", L"Umbenennen-Bestaetigung geoeffnet.",
                                      L"Confirmation de renommage ouverte.", L"Conferma rinomina aperta."};
const LocalizedText kRenameCanceled = {L"Rename canceled.", L"Umbenennen abgebrochen.", L"Renommage annule.",
                                       L"Rinomina annullata."};
const LocalizedText kRenamed = {L"Renamed: ", L"Umbenannt: ", L"Renomme: ", L"Rinominato: "};
const LocalizedText kRenameFailed = {L"Rename failed. Windows error: ", L"Umbenennen fehlgeschlagen. Windows-Fehler: ",
                                     L"Echec renommage. Erreur Windows: ", L"Rinomina fallita. Errore Windows: "};
const LocalizedText kFolderOpened = {L"F7 Create folder opened.", L"F7 Ordner erstellen geoeffnet.",
                                     L"F7 Creer dossier ouvert.", L"F7 Crea cartella aperto."};
const LocalizedText kFolderCanceled = {L"Create folder canceled.", L"Ordner erstellen abgebrochen.",
                                       L"Creation dossier annulee.", L"Creazione cartella annullata."};
const LocalizedText kEnterFolderName = {L"Please enter a folder name.", L"Bitte einen Ordnernamen eingeben.",
                                        L"Veuillez saisir un nom de dossier.", L"Inserire un nome cartella."};
const LocalizedText kInvalidFolderName = {L"Invalid folder name.", L"Ungueltiger Ordnername.",
                                          L"Nom de dossier invalide.", L"Nome cartella non valido."};
const LocalizedText kFolderExists = {L"Folder already exists.", L"Ordner existiert bereits.", L"Le dossier existe deja.",
                                     L"La cartella esiste gia."};
const LocalizedText kFolderFailed = {L"Could not create folder.", L"Ordner konnte nicht erstellt werden.",
                                     L"Impossible de creer le dossier.", L"Impossibile creare la cartella."};
const LocalizedText kFolderCreated = {L"Folder created: ", L"Ordner erstellt: ", L"Dossier cree: ",
                                      L"Cartella creata: "};

void clearRename() {
    renameRequest = RenameRequest();
    renameInput.clear();
    renameChoice = 1;
}

std::wstring inActiveFolder(const std::wstring& name) {
    return WithTrailingSeparator(activePanel().path) + name;
}

}  // namespace

bool isInvalidName(const std::wstring& name) {
    if (name.empty() || name == L"." || name == L"..") return true;
    return name.find_first_of(L"\\/:*?\"<>|") != std::wstring::npos;
}

std::wstring trimSpaces(const std::wstring& text) {
    size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return std::wstring();
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

void beginRename(HWND window) {
    const PanelState& panel = activePanel();
    const DirEntry* cursor = cursorEntry(panel);
    if (!cursor) return reportStatus(window, localize(kNoItem));
    if (isParentEntry(*cursor)) return reportStatus(window, localize(kParent));
    DirEntry entry = *cursor;
    std::wstring path = inActiveFolder(entry.name);
    // What is on disk now decides: a listed file that has become a folder is tested as a folder.
    DWORD attributes = GetPathAttributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        entry.isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.attributes = attributes;
    }
    if (entry.isFolder && IsProtectedSourceItem(panel.path, entry, path))
        return showMessageBox(window, localize(kRenameTitle), localize(kProtected));
    renameRequest = RenameRequest{entry.name, path};
    renameInput = entry.name;  // whole, even beyond the input's limit, which only stops typing
    switchScreen(window, ScreenMode::RenameInput, localize(kRenameOpened));
}

void acceptRenameInput(HWND window) {
    std::wstring name = trimSpaces(renameInput);
    if (name.empty()) return reportStatus(window, localize(kEnterName));
    if (isInvalidName(name)) return reportStatus(window, localize(kInvalidName));
    // A change of letter case alone counts as no change.
    if (_wcsicmp(name.c_str(), renameRequest.oldName.c_str()) == 0) return cancelRename(window);
    if (GetPathAttributes(inActiveFolder(name)) != INVALID_FILE_ATTRIBUTES)
        return reportStatus(window, localize(kExists));
    renameInput = name;
    renameChoice = 1;
    switchScreen(window, ScreenMode::RenameConfirm, localize(kConfirmOpened));
}

void cancelRename(HWND window) {
    clearRename();
    switchScreen(window, ScreenMode::MainView, localize(kRenameCanceled));
}

void performRename(HWND window) {
    std::wstring name = renameInput;
    // No replace flag: a target that appeared meanwhile makes the rename fail.
    if (!MovePath(renameRequest.sourcePath, inActiveFolder(name), MOVEFILE_WRITE_THROUGH)) {
        DWORD code = LastFailureCode();
        return switchScreen(window, ScreenMode::RenameInput, localize(kRenameFailed) + std::to_wstring(code));
    }
    PanelState& panel = activePanel();
    loadListing(panel);
    selectEntryByName(panel, name);
    panel.marked.clear();
    std::wstring report = localize(kRenamed) + renameRequest.oldName + L" -> " + name;
    clearRename();
    switchScreen(window, ScreenMode::MainView, report);
}

void beginCreateFolder(HWND window) {
    folderNameInput.clear();
    switchScreen(window, ScreenMode::CreateFolderInput, localize(kFolderOpened));
}

void cancelCreateFolder(HWND window) {
    folderNameInput.clear();
    switchScreen(window, ScreenMode::MainView, localize(kFolderCanceled));
}

void createFolder(HWND window) {
    std::wstring name = trimSpaces(folderNameInput);
    if (name.empty()) return reportStatus(window, localize(kEnterFolderName));
    if (isInvalidName(name)) return reportStatus(window, localize(kInvalidFolderName));
    if (!CreateFolderPath(inActiveFolder(name))) {
        bool exists = GetLastError() == ERROR_ALREADY_EXISTS;
        return reportStatus(window, localize(exists ? kFolderExists : kFolderFailed));
    }
    PanelState& panel = activePanel();
    panel.cursor = 0;
    panel.scroll = 0;
    loadListing(panel);
    selectEntryByName(panel, name);
    folderNameInput.clear();
    switchScreen(window, ScreenMode::MainView, localize(kFolderCreated) + name);
}

void renameInputKey(HWND window, UINT key) {
    if (key == VK_ESCAPE) return cancelRename(window);
    if (key == VK_RETURN) return acceptRenameInput(window);
    if (key == VK_BACK && removeLastCharacter(renameInput)) requestRepaint(window);
}

void renameConfirmKey(HWND window, UINT key) {
    confirmationKey(window, key, renameChoice, performRename, cancelRename);
}

void createFolderInputKey(HWND window, UINT key) {
    if (key == VK_ESCAPE) return cancelCreateFolder(window);
    if (key == VK_RETURN) return createFolder(window);
    if (key == VK_BACK && removeLastCharacter(folderNameInput)) requestRepaint(window);
}
