#include "ops/open_run.h"

#include <shlwapi.h>

#include "fs/file_ops.h"
#include "ops/progress.h"
#include "panels/panels.h"
#include "ops/requests.h"
#include "ui/state.h"

const LocalizedText shellNameTitle = {L"NAME NOT SUPPORTED", L"NAME NICHT UNTERSTUETZT", L"NOM NON PRIS EN CHARGE",
                                      L"NOME NON SUPPORTATO"};

namespace {

const LocalizedText kAlteredNameText = {
    L"Windows would change this name (a trailing dot or space, or a device name such as CON) and act on "
    L"another item.",
    L"Windows wuerde diesen Namen aendern (Punkt oder Leerzeichen am Ende, oder ein Geraetename wie CON) und "
    L"ein anderes Element treffen.",
    L"Windows modifierait ce nom (point ou espace final, ou nom de peripherique comme CON) et agirait sur un "
    L"autre element.",
    L"Windows modificherebbe questo nome (punto o spazio finale, o nome di dispositivo come CON) e agirebbe su "
    L"un altro elemento."};
const LocalizedText kWildcardText = {
    L"The Windows shell reads * and ? in this name as wildcards and would act on other items.",
    L"Die Windows-Shell liest * und ? in diesem Namen als Platzhalter und wuerde andere Elemente treffen.",
    L"Le shell Windows lit * et ? dans ce nom comme des jokers et agirait sur d'autres elements.",
    L"La shell di Windows legge * e ? in questo nome come caratteri jolly e agirebbe su altri elementi."};
const LocalizedText kPathTooLongText = {
    L"The path is too long for the Windows shell (260 characters or more).",
    L"Der Pfad ist zu lang fuer die Windows-Shell (260 Zeichen oder mehr).",
    L"Le chemin est trop long pour le shell Windows (260 caracteres ou plus).",
    L"Il percorso e troppo lungo per la shell di Windows (260 caratteri o piu)."};
const LocalizedText kOpened = {L"Opened: ", L"Geoeffnet: ", L"Ouvert: ", L"Aperto: "};
const LocalizedText kRunOpened = {L"Run confirmation opened.", L"Start-Bestaetigung geoeffnet.",
                                  L"Confirmation de lancement ouverte.", L"Conferma di avvio aperta."};
const LocalizedText kRunCanceled = {L"Run canceled.", L"Start abgebrochen.", L"Lancement annule.",
                                    L"Avvio annullato."};
const LocalizedText kStarted = {L"Started: ", L"Gestartet: ", L"Lance: ", L"Avviato: "};
const LocalizedText kOpenFailedTitle = {L"OPEN FAILED", L"OEFFNEN FEHLGESCHLAGEN", L"OUVERTURE ECHOUEE",
                                        L"APERTURA FALLITA"};
const LocalizedText kOpenFailedText = {L"Windows could not open this file.", L"Windows konnte diese Datei nicht oeffnen.",
                                       L"Windows n'a pas pu ouvrir ce fichier.",
                                       L"Windows non ha potuto aprire questo file."};
const LocalizedText kGoneText = {L"The listed file is no longer there.", L"Die gelistete Datei ist nicht mehr da.",
                                 L"Le fichier liste n'est plus la.", L"Il file elencato non c'e piu."};
// Extensions that start code when the shell opens them; the system names more (AssocIsDangerous).
const wchar_t* const kProgramExtensions[] = {
    L".exe", L".bat", L".cmd", L".com", L".js",  L".msi", L".scr", L".ps1", L".vbs", L".jse", L".wsf",
    L".reg", L".lnk", L".pif", L".hta", L".cpl", L".msc", L".vbe", L".wsh", L".msp", L".jar",
    L".url", L".application", L".settingcontent-ms", L".chm"};

// The shell resolves a missing name by trying program extensions ("tool" starts "tool.exe"), so it
// is handed only a listed file that is still a file. Otherwise the box says so and the panel is read
// again; false then.
bool stillAFile(HWND window, const std::wstring& name, const std::wstring& path) {
    DWORD attributes = GetPathAttributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
    DWORD code = attributes == INVALID_FILE_ATTRIBUTES ? LastFailureCode() : ERROR_FILE_NOT_FOUND;
    // The text first: `name` may be the listed entry's own, which the re-read replaces.
    std::wstring text = localize(kGoneText) + L" " + windowsErrorLine(code) + L"\n" + name;
    loadListing(activePanel());
    showMessageBox(window, localize(kOpenFailedTitle), text);
    return false;
}

// The shell opens the file; true when it took it, else the failure is in the message box.
bool shellOpen(HWND window, const std::wstring& name, const std::wstring& path) {
    if (!stillAFile(window, name, path)) return false;
    INT_PTR result = OpenWithShell(path, window);
    if (result > 32) return true;
    showMessageBox(window, localize(kOpenFailedTitle),
                   localize(kOpenFailedText) + L" " + windowsErrorLine(static_cast<DWORD>(result)));
    return false;
}

}  // namespace

const LocalizedText* shellPathProblem(const std::wstring& path) {
    if (ShellTakesPathUnchanged(path)) return nullptr;
    if (path.size() >= MAX_PATH) return &kPathTooLongText;
    return path.find_first_of(L"*?") != std::wstring::npos ? &kWildcardText : &kAlteredNameText;
}

bool refuseShellPath(HWND window, const std::wstring& path, const std::wstring& name) {
    const LocalizedText* problem = shellPathProblem(path);
    if (!problem) return false;
    showMessageBox(window, localize(shellNameTitle), localize(*problem) + L"\n" + name);
    return true;
}

bool isProgramFile(const std::wstring& name) {
    // Windows drops trailing dots and spaces: "setup.exe. " runs setup.exe.
    size_t end = name.find_last_not_of(L". ");
    if (end == std::wstring::npos) return false;
    size_t dot = name.rfind(L'.', end);
    if (dot == std::wstring::npos) return false;
    std::wstring extension;
    for (size_t i = dot; i <= end; ++i) extension.push_back(static_cast<wchar_t>(towlower(name[i])));
    for (const wchar_t* program : kProgramExtensions)
        if (extension == program) return true;
    return AssocIsDangerous(extension.c_str()) != FALSE;
}

void openFileEntry(HWND window, const std::wstring& name, const std::wstring& fullPath) {
    if (refuseShellPath(window, fullPath, name)) return;
    if (isProgramFile(name)) return askRunProgram(window, name, fullPath);
    openDocument(window, name, fullPath);
}

void openDocument(HWND window, const std::wstring& name, const std::wstring& fullPath) {
    if (shellOpen(window, name, fullPath)) reportStatus(window, localize(kOpened) + name);
}

void askRunProgram(HWND window, const std::wstring& name, const std::wstring& fullPath) {
    runRequest = RunRequest{name, fullPath};
    runChoice = 1;
    switchScreen(window, ScreenMode::RunConfirm, localize(kRunOpened));
}

void cancelRun(HWND window) {
    runRequest = RunRequest();
    runChoice = 1;
    switchScreen(window, ScreenMode::MainView, localize(kRunCanceled));
}

void runProgram(HWND window) {
    RunRequest run = runRequest;
    runRequest = RunRequest();
    runChoice = 1;
    screenMode = ScreenMode::MainView;
    if (shellOpen(window, run.programName, run.programPath)) reportStatus(window, localize(kStarted) + run.programName);
}

void runConfirmKey(HWND window, UINT key) {
    confirmationKey(window, key, runChoice, runProgram, cancelRun);
}
