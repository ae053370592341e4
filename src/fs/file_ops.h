#pragma once
// File primitives and temporary names. Every path argument goes through LongPath; each wrapper makes
// exactly one Windows call and returns its result, so the caller reads the reason with
// LastFailureCode right after a failure.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fs/dir_entry.h"
#include "fs/handles.h"

// Attempts to create a temporary file or folder; each attempt counts one up before its name is made,
// so the first name carries 1. Never reset.
extern uint32_t TempFileCounter;
extern uint32_t TempFolderCounter;

// The last-error code of a call that has just failed; ERROR_FUNCTION_FAILED (1627) when Windows left
// it 0, so a failure is never mistaken for success.
DWORD LastFailureCode();

// --- the test switch: makes a chosen call fail as Windows would ---
// Each wrapper below is one kind of call; every call of a kind is counted.
enum class FileCall : int32_t {
    GetAttributes, SetAttributes, Move, DeleteFile, CreateFolder, RemoveFolder,
    OpenRead, CreateTempFile, CreateTempFolder, FileSize, Read, Write, Flush, FindFirst, FindNext, Identity,
    Recycle, OpenWrite, CreateNew, Copy, FinalPath, ReadSecurity, WriteSecurity, ReadTimes, SetTimes, ItemFacts,
    Count
};
// Call number `nth` of `call` from now on (1 = the next one) fails with `code` without reaching
// Windows; a second switch on the same kind replaces the first.
void InjectFailure(FileCall call, uint32_t nth, DWORD code);
// Just before call number `nth` of `call` from now on reaches Windows, `action` runs: a test changes
// the disk there, as another program could at that moment. A second hook on the same kind replaces it.
void InjectBeforeCall(FileCall call, uint32_t nth, void (*action)());
// Every read returns at most `limit` bytes, as on a share or a pipe; 0 lifts the limit.
void InjectShortReads(DWORD limit);
// Switches off, counters back to 0.
void ClearInjectedFailures();
// Calls of that kind since the last ClearInjectedFailures.
uint32_t FileCallCount(FileCall call);
const char* FileCallName(FileCall call);

// --- one Windows call each ---
DWORD GetPathAttributes(const std::wstring& path);  // INVALID_FILE_ATTRIBUTES when it cannot be read
bool SetPathAttributes(const std::wstring& path, DWORD attributes);
bool MovePath(const std::wstring& from, const std::wstring& to, DWORD flags);  // MoveFileExW
bool DeleteFilePath(const std::wstring& path);
bool CreateFolderPath(const std::wstring& path);  // default security
bool RemoveFolderPath(const std::wstring& path);
// Opens an existing file for reading, shared for reading only.
FileHandle OpenForReading(const std::wstring& path);
// The same, shared with writers and deleters too: a file another program is writing can be read.
FileHandle OpenSharedForReading(const std::wstring& path);
// Opens an existing file for writing with no sharing at all: whether it may be replaced now.
FileHandle OpenForWriting(const std::wstring& path);
// Creates a file that must not exist yet (80 when it does), open for writing, unshared.
FileHandle CreateNewFile(const std::wstring& path);
// CopyFileW; an existing target is replaced only when `overwrite`.
bool CopyFilePath(const std::wstring& from, const std::wstring& to, bool overwrite);
// The path the file system really reaches through `path`, every symbolic link and junction on the way
// resolved (GetFinalPathNameByHandleW), without the long-path prefix. False when the item cannot be
// opened or has no drive or share path.
bool ReadFinalPath(const std::wstring& path, std::wstring& out);
// The file's DACL as a self-relative security descriptor (GetFileSecurityW), or an empty one when
// every entry of it is inherited from the folder, as a new file there gets it anyway.
bool ReadExplicitDacl(const std::wstring& path, std::vector<BYTE>& descriptor);
// Sets that DACL on the file (SetFileSecurityW); the descriptor must not be empty.
bool WriteDacl(const std::wstring& path, const std::vector<BYTE>& descriptor);
// The file's creation time (GetFileAttributesExW).
bool ReadCreationTime(const std::wstring& path, FILETIME& creation);
// Sets the creation time of an open file (SetFileTime), the other times left alone.
bool SetCreationTime(HANDLE file, const FILETIME& creation);
bool ReadFileSize(HANDLE file, uint64_t& size);
bool ReadBytes(HANDLE file, void* buffer, DWORD wanted, DWORD& got);
bool WriteBytes(HANDLE file, const void* buffer, DWORD size, DWORD& wrote);
bool FlushFile(HANDLE file);
// FindFirstFileW on a pattern such as "C:\x\*"; FindNextFileW on its handle.
FindHandle FindFirstPath(const std::wstring& pattern, WIN32_FIND_DATAW& data);
bool FindNextPath(HANDLE find, WIN32_FIND_DATAW& data);

// The entry a find call reported.
void FillEntryFromFindData(DirEntry& entry, const WIN32_FIND_DATAW& data);
// One item as its folder lists it now (FindFirstFileW on the path itself): the link itself, never
// what it points to. False when it cannot be found or read.
bool ReadItemEntry(const std::wstring& path, DirEntry& out);

// True while a shell call below runs: the shell may pump messages, and keys that arrive then must
// not act as commands.
extern bool ShellCallRunning;
// Opens the file through the shell (ShellExecuteW, "open", no parameters or working folder); the
// shell's result, above 32 on success.
INT_PTR OpenWithShell(const std::wstring& path, HWND owner);
// Moves one file or folder to the recycle bin through the shell (SHFileOperationW), with no dialog
// but the system's own question before anything would be destroyed for good (an item the bin cannot
// take); `owner` owns that question. The path goes to the shell as it is, never in the long form,
// which the shell does not take. Returns the shell's result: 0, or 1223 when its question got a NO.
DWORD RecycleItem(const std::wstring& path, HWND owner);
// True when the shell reaches exactly this path: under MAX_PATH, no * or ?, and GetFullPathNameW
// gives it back unchanged. A trailing dot or space is dropped there, "con" names the console device
// and the shell expands wildcards, so it would act on other items.
bool ShellTakesPathUnchanged(const std::wstring& path);

// What makes a file or folder itself, whatever path reaches it: a share of the same folder, a
// second drive letter or a junction all give the same identity. The 64-bit index is not unique on
// ReFS and cloned volumes share serials, so the 128-bit id of FileIdInfo decides wherever both
// sides could read it; the older pair decides otherwise.
struct FileIdentity {
    DWORD volume = 0;    // volume serial number
    uint64_t index = 0;  // file index on that volume
    bool hasWideId = false;      // FileIdInfo answered
    uint64_t wideVolume = 0;     // its 64-bit volume serial
    uint8_t wideId[16] = {};     // its 128-bit file id
};
bool ReadFileIdentity(const std::wstring& path, FileIdentity& out);
bool SameIdentity(const FileIdentity& a, const FileIdentity& b);
// Both paths exist and are one file or folder.
bool SameFileIdentity(const std::wstring& a, const std::wstring& b);

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
