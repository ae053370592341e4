#pragma once
// File primitives and temporary names. Every path argument goes through LongPath; each wrapper makes
// exactly one Windows call and returns its result, so the caller reads the reason with
// LastFailureCode right after a failure.
#include <windows.h>

#include <cstdint>
#include <string>

#include "fs/handles.h"

// Attempts to create a temporary file or folder; each attempt counts one up before its name is made,
// so the first name carries 1. Never reset.
extern uint32_t TempFileCounter;
extern uint32_t TempFolderCounter;

// The last-error code of a call that has just failed; ERROR_FUNCTION_FAILED (1627) when Windows left
// it 0, so a failure is never mistaken for success.
DWORD LastFailureCode();

// --- one Windows call each ---
DWORD GetPathAttributes(const std::wstring& path);  // INVALID_FILE_ATTRIBUTES when it cannot be read
bool SetPathAttributes(const std::wstring& path, DWORD attributes);
bool MovePath(const std::wstring& from, const std::wstring& to, DWORD flags);  // MoveFileExW
bool DeleteFilePath(const std::wstring& path);
bool CreateFolderPath(const std::wstring& path);  // default security

// Read-only cleared; 0 and 1 give FILE_ATTRIBUTE_NORMAL (128); 0x21 gives 0x20.
DWORD WritableAttributes(DWORD attributes);

// ".torvanecommander_tmp_<pid>_<tick>_<counter>.tmp"; the leading full stop is part of the name.
std::wstring TempName(uint32_t counter);
// Creates an empty file beside the target (FolderOfPath + TempName), open for writing, unshared,
// marked temporary and not indexed. `tempPath` is the last name tried; `error` 0 on success,
// 3 for a target without a folder, 183 after 1000 colliding names, else the Windows code.
FileHandle CreateTempFileNear(const std::wstring& target, std::wstring& tempPath, DWORD& error);
// The same for a folder; true on success.
bool CreateTempFolderNear(const std::wstring& target, std::wstring& tempPath, DWORD& error);
