#include "app/startup.h"

#include <windows.h>

#include "editor/buffer.h"
#include "fs/paths.h"
#include "ops/progress.h"
#include "panels/drives.h"
#include "panels/panels.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "ui/state.h"

namespace {
const LocalizedText kReady = {L"TORVANE COMMANDER Ver. 1.0 ready.", L"TORVANE COMMANDER Ver. 1.0 bereit.",
                              L"TORVANE COMMANDER Ver. 1.0 pret.", L"TORVANE COMMANDER Ver. 1.0 pronto."};
}  // namespace

const wchar_t* readyMessage() {
    return localizeIn(kReady, appSettings.language);
}

void useLowFragmentationHeaps() {
    HANDLE heaps[64];
    DWORD count = GetProcessHeaps(64, heaps);
    ULONG lowFragmentation = 2;
    for (DWORD i = 0; i < count && i < 64; ++i)
        HeapSetInformation(heaps[i], HeapCompatibilityInformation, &lowFragmentation, sizeof lowFragmentation);
}

void startUp() {
    resetUiState();
    std::wstring current = CurrentDirectory();
    resetPanels(L"C:\\", current.empty() ? L"C:\\" : current);
    resetDriveSelect();
    // These also empty the message box texts and set their YES/NO choices back to NO.
    resetOperations();
    resetEditor();

    loadSettings();
    applyTheme();

    loadListing(leftPanel);
    loadListing(rightPanel);
    setStatus(readyMessage());
}
