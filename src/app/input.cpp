#include "app/input.h"

#include "app/main_view.h"
#include "ops/copy.h"
#include "ops/move.h"
#include "panels/drives.h"
#include "screens/dialogs.h"
#include "screens/help.h"
#include "screens/info.h"
#include "screens/settings_screen.h"
#include "ui/state.h"

namespace {

// Until an operation takes over its dialog, leaving the dialog just returns to the main view.
void leaveDialog(HWND window) {
    screenMode = ScreenMode::MainView;
    requestRepaint(window);
}

void inputKey(HWND window, UINT key, std::wstring& input) {
    if (key == VK_BACK) return inputBackspace(window, input);
    if (key == VK_ESCAPE) return leaveDialog(window);
}

}  // namespace

void dispatchKey(HWND window, UINT key) {
    switch (screenMode) {
    case ScreenMode::DeleteProgress:
    case ScreenMode::CopyProgress:
    case ScreenMode::MoveProgress:
        if (key == VK_ESCAPE) requestCancel(window);
        return;
    case ScreenMode::MessageBox:
        if (key == VK_RETURN || key == VK_ESCAPE) closeMessageBox(window);
        return;
    case ScreenMode::Settings:
        return settingsKey(window, key);
    case ScreenMode::Info:
        return infoKey(window, key);
    case ScreenMode::Help:
        return helpKey(window, key);
    case ScreenMode::DriveSelect:
        return driveSelectKey(window, key);
    case ScreenMode::CreateFolderInput:
        return inputKey(window, key, folderNameInput);
    case ScreenMode::RenameInput:
        return inputKey(window, key, renameInput);
    case ScreenMode::RenameConfirm:
        return confirmationKey(window, key, renameChoice, leaveDialog, leaveDialog);
    case ScreenMode::DeleteConfirm:
        return confirmationKey(window, key, deleteChoice, leaveDialog, leaveDialog);
    case ScreenMode::CopyOverwriteConfirm:
        return copyOverwriteKey(window, key);
    case ScreenMode::MoveOverwriteConfirm:
        return moveOverwriteKey(window, key);
    case ScreenMode::RunConfirm:
        return confirmationKey(window, key, runChoice, leaveDialog, leaveDialog);
    case ScreenMode::Viewer:
    case ScreenMode::Editor:
    case ScreenMode::EditorHelp:
    case ScreenMode::EditorFind:
    case ScreenMode::EditorSaveConfirm:
        return;  // screens that are not built yet take no keys
    default:
        return mainViewKey(window, key);
    }
}

void characterInput(HWND window, wchar_t ch) {
    switch (screenMode) {
    case ScreenMode::CreateFolderInput:
        if (appendToInput(folderNameInput, kFolderNameLimit, ch)) requestRepaint(window);
        return;
    case ScreenMode::RenameInput:
        if (appendToInput(renameInput, kRenameLimit, ch)) requestRepaint(window);
        return;
    default:
        return;
    }
}
