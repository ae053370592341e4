#pragma once
// The pending requests whose texts the dialogs show. Rename and run keep their records here;
// copy, move and delete own theirs in their operations, and dialogTexts stands in for those until
// the accessors in dialog_texts.cpp read the real records.
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

// Stand-in for the copy, move and delete records.
struct DialogTexts {
    int32_t deleteKind = 0;       // 1 file, 2 folder, 3 marked items; anything else reads as file
    std::wstring deleteText;      // the delete request's display text
    std::wstring copyFile;        // copy: source name
    std::wstring copyTarget;      // copy: target folder
    std::wstring moveFile;        // move: source name
    std::wstring moveTarget;      // move: target folder
};
extern DialogTexts dialogTexts;
