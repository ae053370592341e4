#include "common/app_state.h"

#include "app/draw.h"
#include "app/state.h"
#include "common/keys.h"
#include "panels/drives.h"
#include "panels/panels.h"
#include "ops/progress.h"
#include "screens/dialog_texts.h"
#include "settings/settings.h"

void resetAppState() {
    appSettings = AppSettings();
    applyColorScheme();
    applyTextColor();
    applyFontSize();
    screenMode = ScreenMode::MainView;
    statusLine.clear();
    messageTitle.clear();
    messageText.clear();
    messageHint.clear();
    functionBarIndex = functionBarFocused = settingsRow = 0;
    cancelRequested = false;
    folderNameInput.clear();
    renameInput.clear();
    renameChoice = deleteChoice = copyOverwriteChoice = moveOverwriteChoice = runChoice = 1;
    renameRequest = RenameRequest();
    runRequest = RunRequest();
    resetCopyOperation();
    resetMoveOperation();
    resetDeleteOperation();
    leftPanel = rightPanel = PanelState();
    leftPanelActive = true;
    driveList.clear();
    driveIndex = driveScroll = 0;
    holdControl(false);
}

void AppTest::SetUp() {
    resetAppState();
    createFonts();
}

void AppTest::TearDown() {
    deleteFonts();
    resetAppState();
}
