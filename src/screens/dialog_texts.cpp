// The one place that knows where each dialog's texts come from.
#include "ops/requests.h"
#include "screens/dialogs.h"

const std::wstring& renameOldName() {
    return renameRequest.oldName;
}

int32_t deleteKind() {
    return static_cast<int32_t>(deleteRequest.kind);
}

const std::wstring& deleteDisplayText() {
    return deleteRequest.displayText;
}

const std::wstring& overwriteFileText(bool move) {
    return move ? moveRequest.sourceName : copyRequest.sourceName;
}

const std::wstring& overwriteTargetText(bool move) {
    return move ? moveRequest.targetFolder : copyRequest.targetFolder;
}

const std::wstring& runProgramName() {
    return runRequest.programName;
}
