#include "common/app_state.h"

#include "app/window.h"
#include "common/keys.h"
#include "editor/buffer.h"
#include "ops/progress.h"
#include "panels/drives.h"
#include "panels/panels.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/state.h"

// The same resets start-up uses, with default settings instead of the file and no listing.
void resetAppState() {
    appSettings = AppSettings();
    applyTheme();
    resetUiState();
    resetPanels(L"", L"");
    resetDriveSelect();
    resetOperations();
    resetEditor();
    resetWindowState();
    holdControl(false);
    holdKey(VK_SHIFT, false);
    holdKey(VK_MENU, false);
}

void AppTest::SetUp() {
    resetAppState();
    createFonts();
}

void AppTest::TearDown() {
    deleteFonts();
    resetAppState();
}
