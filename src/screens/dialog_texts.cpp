// The one place that knows where each dialog's texts come from.
#include "screens/dialog_texts.h"

#include "screens/dialogs.h"

RenameRequest renameRequest;
RunRequest runRequest;
DialogTexts dialogTexts;

const std::wstring& renameOldName() {
    return renameRequest.oldName;
}

int32_t deleteKind() {
    return dialogTexts.deleteKind;
}

const std::wstring& deleteDisplayText() {
    return dialogTexts.deleteText;
}

const std::wstring& overwriteFileText(bool move) {
    return move ? dialogTexts.moveFile : dialogTexts.copyFile;
}

const std::wstring& overwriteTargetText(bool move) {
    return move ? dialogTexts.moveTarget : dialogTexts.copyTarget;
}

const std::wstring& runProgramName() {
    return runRequest.programName;
}
