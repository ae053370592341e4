#pragma once
// The pending rename and run requests, whose texts the dialogs show. Copy, move and delete keep
// theirs in ops/requests.h; the accessors in dialogs.h read both.
#include <cstdint>
#include <string>

// The rename in progress: filled when F2 is accepted, emptied by every way out of the rename.
struct RenameRequest {
    std::wstring oldName;     // the entry's name when F2 was pressed
    std::wstring sourcePath;  // the panel folder with a separator, then the name
};
extern RenameRequest renameRequest;

// The program waiting for its YES in RunConfirm.
struct RunRequest {
    std::wstring programName;  // the name as listed
    std::wstring programPath;  // full path handed to the shell
};
extern RunRequest runRequest;
