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
    holdKey(VK_CONTROL, false);
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

void showPanels(const std::wstring& left, const std::wstring& right, const std::wstring& name) {
    resetPanels(left, right);
    loadListing(leftPanel);
    loadListing(rightPanel);
    if (!name.empty()) selectEntryByName(leftPanel, name);
}

std::wstring panelsText() {
    std::wstring text;
    for (const PanelState* panel : {&leftPanel, &rightPanel}) {
        text += panel->path + L" @" + std::to_wstring(panel->cursor) + L" marks:";
        for (const std::wstring& mark : panel->marked) text += L" " + mark;
        for (const DirEntry& entry : panel->entries) text += L" /" + entry.name;
    }
    return text;
}
