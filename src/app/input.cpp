#include "app/input.h"

#include "app/main_view.h"
#include "app/state.h"

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
    case ScreenMode::Info:
    case ScreenMode::Help:
    case ScreenMode::DriveSelect:
    case ScreenMode::CreateFolderInput:
    case ScreenMode::RenameInput:
    case ScreenMode::RenameConfirm:
    case ScreenMode::DeleteConfirm:
    case ScreenMode::CopyOverwriteConfirm:
    case ScreenMode::MoveOverwriteConfirm:
    case ScreenMode::RunConfirm:
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
