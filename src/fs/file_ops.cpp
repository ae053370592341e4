#include "fs/file_ops.h"

#include <shellapi.h>

#include <cstring>

#include "fs/paths.h"

uint32_t TempFileCounter = 0;
uint32_t TempFolderCounter = 0;
bool ShellCallRunning = false;

namespace {

constexpr int kMaxTempAttempts = 1000;
constexpr size_t kCallKinds = static_cast<size_t>(FileCall::Count);

// The test switch. In the program nothing is ever injected and each call costs one comparison.
struct Injection {
    uint32_t calls[kCallKinds] = {};
    uint32_t failAt[kCallKinds] = {};  // 0: never
    DWORD code[kCallKinds] = {};
    uint32_t actAt[kCallKinds] = {};  // 0: never
    void (*action[kCallKinds])() = {};
    DWORD readLimit = 0;
    bool armed = false;
};
Injection injection;

// Counts the call; true (with the last error set) when this one is to fail.
bool injected(FileCall call) {
    size_t kind = static_cast<size_t>(call);
    uint32_t number = ++injection.calls[kind];
    if (injection.armed && injection.actAt[kind] == number && injection.action[kind]) injection.action[kind]();
    if (!injection.armed || injection.failAt[kind] != number) return false;
    SetLastError(injection.code[kind]);
    return true;
}

// Marks a shell call for its length.
struct ShellCallScope {
    ShellCallScope() { ShellCallRunning = true; }
    ~ShellCallScope() { ShellCallRunning = false; }
};

bool isNameCollision(DWORD code) {
    return code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS;
}

}  // namespace

DWORD LastFailureCode() {
    DWORD code = GetLastError();
    return code != 0 ? code : ERROR_FUNCTION_FAILED;
}

void InjectFailure(FileCall call, uint32_t nth, DWORD code) {
    size_t kind = static_cast<size_t>(call);
    injection.failAt[kind] = injection.calls[kind] + nth;
    injection.code[kind] = code;
    injection.armed = true;
}

void InjectBeforeCall(FileCall call, uint32_t nth, void (*action)()) {
    size_t kind = static_cast<size_t>(call);
    injection.actAt[kind] = injection.calls[kind] + nth;
    injection.action[kind] = action;
    injection.armed = true;
}

void InjectShortReads(DWORD limit) {
    injection.readLimit = limit;
}

void ClearInjectedFailures() {
    injection = Injection();
}

uint32_t FileCallCount(FileCall call) {
    return injection.calls[static_cast<size_t>(call)];
}

const char* FileCallName(FileCall call) {
    static const char* const names[kCallKinds] = {
        "GetAttributes", "SetAttributes", "Move", "DeleteFile", "CreateFolder", "RemoveFolder",
        "OpenRead", "CreateTempFile", "CreateTempFolder", "FileSize", "Read", "Write", "Flush", "FindFirst",
        "FindNext", "Identity", "Recycle", "OpenWrite", "CreateNew", "Copy", "FinalPath", "ReadSecurity",
        "WriteSecurity", "ReadTimes", "SetTimes", "ItemFacts"};
    return names[static_cast<size_t>(call)];
}

DWORD GetPathAttributes(const std::wstring& path) {
    if (injected(FileCall::GetAttributes)) return INVALID_FILE_ATTRIBUTES;
    return GetFileAttributesW(LongPath(path).c_str());
}

bool SetPathAttributes(const std::wstring& path, DWORD attributes) {
    if (injected(FileCall::SetAttributes)) return false;
    return SetFileAttributesW(LongPath(path).c_str(), attributes) != 0;
}

bool MovePath(const std::wstring& from, const std::wstring& to, DWORD flags) {
    if (injected(FileCall::Move)) return false;
    return MoveFileExW(LongPath(from).c_str(), LongPath(to).c_str(), flags) != 0;
}

bool DeleteFilePath(const std::wstring& path) {
    if (injected(FileCall::DeleteFile)) return false;
    return DeleteFileW(LongPath(path).c_str()) != 0;
}

bool CreateFolderPath(const std::wstring& path) {
    if (injected(FileCall::CreateFolder)) return false;
    return CreateDirectoryW(LongPath(path).c_str(), nullptr) != 0;
}

bool RemoveFolderPath(const std::wstring& path) {
    if (injected(FileCall::RemoveFolder)) return false;
    return RemoveDirectoryW(LongPath(path).c_str()) != 0;
}

FileHandle OpenForReading(const std::wstring& path) {
    if (injected(FileCall::OpenRead)) return FileHandle();
    return FileHandle(CreateFileW(LongPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileHandle OpenSharedForReading(const std::wstring& path) {
    if (injected(FileCall::OpenRead)) return FileHandle();
    return FileHandle(CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileHandle OpenForWriting(const std::wstring& path) {
    if (injected(FileCall::OpenWrite)) return FileHandle();
    return FileHandle(
        CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileHandle CreateNewFile(const std::wstring& path) {
    if (injected(FileCall::CreateNew)) return FileHandle();
    return FileHandle(
        CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool CopyFilePath(const std::wstring& from, const std::wstring& to, bool overwrite) {
    if (injected(FileCall::Copy)) return false;
    return CopyFileW(LongPath(from).c_str(), LongPath(to).c_str(), overwrite ? FALSE : TRUE) != 0;
}

bool ReadFinalPath(const std::wstring& path, std::wstring& out) {
    if (injected(FileCall::FinalPath)) return false;
    // No access asked and everything shared: only the name is wanted. Backup semantics opens folders.
    FileHandle handle(CreateFileW(LongPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle.valid()) return false;
    const DWORD flags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    std::wstring name(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(handle.get(), name.data(), static_cast<DWORD>(name.size()), flags);
    if (length >= name.size()) {
        // Too small: the answer was the size needed, terminator included.
        name.assign(length, L'\0');
        length = GetFinalPathNameByHandleW(handle.get(), name.data(), static_cast<DWORD>(name.size()), flags);
        if (length >= name.size()) length = 0;
    }
    if (length == 0) return false;
    name.resize(length);
    out = StripLongPathPrefix(name);
    return true;
}

namespace {

// True when the DACL names an entry of its own or refuses the folder's: a new file would not get it.
bool daclIsExplicit(PSECURITY_DESCRIPTOR descriptor) {
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    if (!GetSecurityDescriptorControl(descriptor, &control, &revision) ||
        !GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted))
        return true;
    // No DACL, or a null one (everyone in, as FAT answers): a new file is no more open than that.
    if (!present || !dacl) return false;
    if (control & SE_DACL_PROTECTED) return true;
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        ACE_HEADER* ace = nullptr;
        if (!GetAce(dacl, i, reinterpret_cast<void**>(&ace)) || !(ace->AceFlags & INHERITED_ACE)) return true;
    }
    return false;
}

}  // namespace

bool ReadExplicitDacl(const std::wstring& path, std::vector<BYTE>& descriptor) {
    descriptor.clear();
    if (injected(FileCall::ReadSecurity)) return false;
    std::wstring longPath = LongPath(path);
    DWORD needed = 0;
    GetFileSecurityW(longPath.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    if (needed == 0) return false;
    descriptor.resize(needed);
    if (!GetFileSecurityW(longPath.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), needed, &needed)) {
        descriptor.clear();
        return false;
    }
    if (!daclIsExplicit(descriptor.data())) descriptor.clear();
    return true;
}

bool WriteDacl(const std::wstring& path, const std::vector<BYTE>& descriptor) {
    if (injected(FileCall::WriteSecurity)) return false;
    auto data = const_cast<BYTE*>(descriptor.data());  // the call only reads it
    return SetFileSecurityW(LongPath(path).c_str(), DACL_SECURITY_INFORMATION, data) != 0;
}

bool ReadCreationTime(const std::wstring& path, FILETIME& creation) {
    if (injected(FileCall::ReadTimes)) return false;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(LongPath(path).c_str(), GetFileExInfoStandard, &data)) return false;
    creation = data.ftCreationTime;
    return true;
}

bool SetCreationTime(HANDLE file, const FILETIME& creation) {
    if (injected(FileCall::SetTimes)) return false;
    return SetFileTime(file, &creation, nullptr, nullptr) != 0;
}

bool ReadFileSize(HANDLE file, uint64_t& size) {
    if (injected(FileCall::FileSize)) return false;
    LARGE_INTEGER value;
    if (!GetFileSizeEx(file, &value)) return false;
    size = static_cast<uint64_t>(value.QuadPart);
    return true;
}

bool ReadBytes(HANDLE file, void* buffer, DWORD wanted, DWORD& got) {
    got = 0;
    if (injected(FileCall::Read)) return false;
    if (injection.readLimit != 0 && wanted > injection.readLimit) wanted = injection.readLimit;
    return ReadFile(file, buffer, wanted, &got, nullptr) != 0;
}

bool WriteBytes(HANDLE file, const void* buffer, DWORD size, DWORD& wrote) {
    wrote = 0;
    if (injected(FileCall::Write)) return false;
    return WriteFile(file, buffer, size, &wrote, nullptr) != 0;
}

bool FlushFile(HANDLE file) {
    if (injected(FileCall::Flush)) return false;
    return FlushFileBuffers(file) != 0;
}

FindHandle FindFirstPath(const std::wstring& pattern, WIN32_FIND_DATAW& data) {
    if (injected(FileCall::FindFirst)) return FindHandle(INVALID_HANDLE_VALUE);
    return FindHandle(FindFirstFileW(LongPath(pattern).c_str(), &data));
}

bool FindNextPath(HANDLE find, WIN32_FIND_DATAW& data) {
    if (injected(FileCall::FindNext)) return false;
    return FindNextFileW(find, &data) != 0;
}

void FillEntryFromFindData(DirEntry& entry, const WIN32_FIND_DATAW& data) {
    entry.name = data.cFileName;
    entry.attributes = data.dwFileAttributes;
    entry.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    entry.modified = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                     data.ftLastWriteTime.dwLowDateTime;
}

bool ReadItemEntry(const std::wstring& path, DirEntry& out) {
    if (injected(FileCall::ItemFacts)) return false;
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(LongPath(path).c_str(), &data));
    if (!find.valid()) return false;
    FillEntryFromFindData(out, data);
    return true;
}

bool ReadFileIdentity(const std::wstring& path, FileIdentity& out) {
    if (injected(FileCall::Identity)) return false;
    // Backup semantics opens folders too; no access beyond the attributes, shared with everyone.
    FileHandle handle(CreateFileW(LongPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!handle.valid() || !GetFileInformationByHandle(handle.get(), &info)) return false;
    out = FileIdentity();
    out.volume = info.dwVolumeSerialNumber;
    out.index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    // FILE_ID_INFO by its layout and FileIdInfo by its number (18): the headers name both only for
    // Windows 8 and later, and before that the call fails and the pair above decides.
    struct {
        ULONGLONG volume;
        BYTE id[16];
    } wide;
    if (GetFileInformationByHandleEx(handle.get(), static_cast<FILE_INFO_BY_HANDLE_CLASS>(18), &wide, sizeof wide)) {
        out.hasWideId = true;
        out.wideVolume = wide.volume;
        std::memcpy(out.wideId, wide.id, sizeof out.wideId);
    }
    return true;
}

bool SameIdentity(const FileIdentity& a, const FileIdentity& b) {
    if (a.hasWideId && b.hasWideId)
        return a.wideVolume == b.wideVolume && std::memcmp(a.wideId, b.wideId, sizeof a.wideId) == 0;
    return a.volume == b.volume && a.index == b.index;
}

bool SameFileIdentity(const std::wstring& a, const std::wstring& b) {
    FileIdentity first, second;
    return ReadFileIdentity(a, first) && ReadFileIdentity(b, second) && SameIdentity(first, second);
}

INT_PTR OpenWithShell(const std::wstring& path, HWND owner) {
    ShellCallScope scope;
    return reinterpret_cast<INT_PTR>(ShellExecuteW(owner, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

DWORD RecycleItem(const std::wstring& path, HWND owner) {
    if (injected(FileCall::Recycle)) return GetLastError();
    std::wstring list = path;
    list.push_back(L'\0');  // a list of one name ends in two NULs
    SHFILEOPSTRUCTW operation = {};
    operation.hwnd = owner;
    operation.wFunc = FO_DELETE;
    operation.pFrom = list.c_str();
    // Silent and unconfirmed, but never destroyed for good without the system asking first.
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_NOERRORUI | FOF_WANTNUKEWARNING;
    ShellCallScope scope;
    int result = SHFileOperationW(&operation);
    if (result != 0) return static_cast<DWORD>(result);
    return operation.fAnyOperationsAborted ? ERROR_CANCELLED : 0;
}

bool ShellTakesPathUnchanged(const std::wstring& path) {
    if (path.empty() || path.size() >= MAX_PATH || path.find_first_of(L"*?") != std::wstring::npos) return false;
    wchar_t resolved[MAX_PATH];
    DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, resolved, nullptr);
    return length == path.size() && path.compare(0, path.size(), resolved, length) == 0;
}

DWORD WritableAttributes(DWORD attributes) {
    DWORD writable = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
    return writable != 0 ? writable : FILE_ATTRIBUTE_NORMAL;
}

std::wstring TempName(uint32_t counter) {
    return L".torvanecommander_tmp_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
           std::to_wstring(GetTickCount()) + L"_" + std::to_wstring(counter) + L".tmp";
}

FileHandle CreateTempFileNear(const std::wstring& target, std::wstring& tempPath, DWORD& error) {
    std::wstring folder = FolderOfPath(target);
    if (folder.empty()) {
        error = ERROR_PATH_NOT_FOUND;
        return FileHandle();
    }
    for (int attempt = 1;; ++attempt) {
        tempPath = folder + TempName(++TempFileCounter);
        FileHandle file(injected(FileCall::CreateTempFile)
                            ? INVALID_HANDLE_VALUE
                            : CreateFileW(LongPath(tempPath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED, nullptr));
        if (file.valid()) {
            error = 0;
            return file;
        }
        error = LastFailureCode();
        if (!isNameCollision(error)) return FileHandle();
        if (attempt == kMaxTempAttempts) {
            error = ERROR_ALREADY_EXISTS;
            return FileHandle();
        }
    }
}

bool CreateTempFolderNear(const std::wstring& target, std::wstring& tempPath, DWORD& error) {
    std::wstring folder = FolderOfPath(target);
    if (folder.empty()) {
        error = ERROR_PATH_NOT_FOUND;
        return false;
    }
    for (int attempt = 1;; ++attempt) {
        tempPath = folder + TempName(++TempFolderCounter);
        if (!injected(FileCall::CreateTempFolder) && CreateDirectoryW(LongPath(tempPath).c_str(), nullptr)) {
            error = 0;
            return true;
        }
        error = LastFailureCode();
        if (!isNameCollision(error)) return false;
        if (attempt == kMaxTempAttempts) {
            error = ERROR_ALREADY_EXISTS;
            return false;
        }
    }
}
