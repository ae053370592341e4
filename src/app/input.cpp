#include "app/input.h"

#include "app/main_view.h"
#include "editor/buffer.h"
#include "editor/editor.h"
#include "editor/find.h"
#include "editor/save.h"
#include "ops/copy.h"
#include "ops/delete.h"
#include "ops/move.h"
#include "ops/open_run.h"
#include "ops/rename.h"
#include "panels/drives.h"
#include "screens/dialogs.h"
#include "screens/help.h"
#include "screens/info.h"
#include "screens/settings_screen.h"
#include "ui/state.h"
#include "viewer/viewer.h"

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
        return createFolderInputKey(window, key);
    case ScreenMode::RenameInput:
        return renameInputKey(window, key);
    case ScreenMode::RenameConfirm:
        return renameConfirmKey(window, key);
    case ScreenMode::DeleteConfirm:
        return deleteConfirmKey(window, key);
    case ScreenMode::CopyOverwriteConfirm:
        return copyOverwriteKey(window, key);
    case ScreenMode::MoveOverwriteConfirm:
        return moveOverwriteKey(window, key);
    case ScreenMode::RunConfirm:
        return runConfirmKey(window, key);
    case ScreenMode::Viewer:
        viewerKey(window, key);
        // The editor's state and its histories go with the document; the viewer's floor cannot reach them.
        if (screenMode != ScreenMode::Viewer) resetEditor();
        return;
    case ScreenMode::Editor:
        return editorKey(window, key);
    case ScreenMode::EditorHelp:
        return editorHelpKey(window, key);
    case ScreenMode::EditorFind:
        return findInputKey(window, key);
    case ScreenMode::EditorSaveConfirm:
        return saveConfirmKey(window, key);
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
    case ScreenMode::Editor:
        return editorCharacter(window, ch);
    case ScreenMode::EditorFind:
        return findInputCharacter(window, ch);
    default:
        return;
    }
}
