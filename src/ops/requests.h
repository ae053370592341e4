#pragma once
// The pending request of each file operation: recorded when the operation is accepted, read by its
// confirmation and progress screens, emptied by its reset (ops/progress.h).
#include <cstdint>
#include <string>

struct CopyRequest {
    std::wstring sourceName;    // the entry's name; for marked items the count text
    std::wstring sourcePath;    // source folder + name (empty for marked items)
    std::wstring targetPath;    // targetFolder + name (empty for marked items)
    std::wstring targetFolder;  // the target panel's folder with a trailing separator
    bool isFolder = false;      // true also for marked items
    bool isMulti = false;       // marked items
};

struct MoveRequest {
    std::wstring sourceName;
    std::wstring sourcePath;
    std::wstring targetPath;
    std::wstring targetFolder;
    bool isFolder = false;
};

enum class DeleteKind : int32_t { None = 0, File = 1, Folder = 2, MarkedItems = 3 };

struct DeleteRequest {
    DeleteKind kind = DeleteKind::None;
    std::wstring displayText;  // the entry name, or "<n> item(s)" for marked items
    std::wstring targetPath;   // the entry's full path, or the panel's folder for marked items
};

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

extern CopyRequest copyRequest;
extern MoveRequest moveRequest;
extern DeleteRequest deleteRequest;
