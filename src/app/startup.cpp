#include "app/startup.h"

#include "app/state.h"
#include "fs/paths.h"
#include "ops/progress.h"
#include "panels/drives.h"
#include "panels/panels.h"
#include "screens/dialog_texts.h"
#include "settings/language.h"
#include "settings/settings.h"

namespace {
const LocalizedText kReady = {L"TORVANE COMMANDER Ver. 1.0 ready.", L"TORVANE COMMANDER Ver. 1.0 bereit.",
                              L"TORVANE COMMANDER Ver. 1.0 pret.", L"TORVANE COMMANDER Ver. 1.0 pronto."};

void resetPanel(PanelState& panel, const std::wstring& path) {
    panel.path = path;
    panel.cursor = 0;
    panel.scroll = 0;
    panel.marked.clear();
}
}  // namespace

const wchar_t* readyMessage() {
    return localizeIn(kReady, appSettings.language);
}

void startUp() {
    std::wstring current = CurrentDirectory();
    resetPanel(rightPanel, current.empty() ? L"C:\\" : current);
    resetPanel(leftPanel, L"C:\\");
    leftPanelActive = true;

    functionBarIndex = 0;
    functionBarFocused = 0;
    screenMode = ScreenMode::MainView;
    cancelRequested = false;
    settingsRow = 0;

    loadSettings();

    folderNameInput.clear();
    renameInput.clear();
    renameRequest = RenameRequest();
    runRequest = RunRequest();
    driveList.clear();
    driveIndex = 0;
    renameChoice = runChoice = 1;
    // These also empty the message box texts and set their YES/NO choices back to NO.
    resetDeleteOperation();
    resetCopyOperation();
    resetMoveOperation();

    applyColorScheme();
    applyTextColor();
    applyFontSize();

    loadListing(leftPanel);
    loadListing(rightPanel);
    setStatus(readyMessage());
}
