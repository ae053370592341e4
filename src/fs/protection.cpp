#include "fs/protection.h"

#include <windows.h>

#include <cwchar>
#include <vector>

#include "fs/handles.h"
#include "fs/paths.h"

const wchar_t* const ProtectedRootNames[11] = {
    L"WINDOWS",     L"PROGRAM FILES", L"PROGRAM FILES (X86)",         L"PROGRAMME",
    L"PROGRAMDATA", L"USERS",         L"DOKUMENTE UND EINSTELLUNGEN", L"DOCUMENTS AND SETTINGS",
    L"SYSTEM VOLUME INFORMATION",     L"RECOVERY",                    L"$RECYCLE.BIN",
};

const wchar_t* const ProtectedTreeNames[8] = {
    L"WINDOWS",     L"PROGRAM FILES",             L"PROGRAM FILES (X86)", L"PROGRAMME",
    L"PROGRAMDATA", L"SYSTEM VOLUME INFORMATION", L"RECOVERY",            L"$RECYCLE.BIN",
};

namespace {

template <size_t N>
bool inList(const wchar_t* const (&list)[N], const std::wstring& name) {
    std::wstring normalized = NormalizedFolderName(name);
    for (const wchar_t* entry : list)
        if (normalized == entry) return true;
    return false;
}

bool isAsciiLetter(wchar_t ch) {
    return (ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z');
}

std::wstring lastComponent(const std::wstring& path) {
    size_t last = path.find_last_of(L"\\/");
    return last == std::wstring::npos ? path : path.substr(last + 1);
}

// C:\<tree name> or anything below it, judged by the names in the path.
bool nameInsideProtectedTree(const std::wstring& path) {
    std::wstring f = TrimTrailingSeparators(FullPath(path));
    if (f.size() <= 3 || !isAsciiLetter(f[0]) || f[1] != L':') return false;
    size_t end = f.find_first_of(L"\\/", 3);
    std::wstring first = f.substr(3, end == std::wstring::npos ? std::wstring::npos : end - 3);
    return inList(ProtectedTreeNames, first);
}

// A folder directly in a drive root whose name is on the root list.
bool nameIsProtectedRootFolder(const std::wstring& path) {
    std::wstring f = TrimTrailingSeparators(FullPath(path));
    if (HasDriveRootShape(f) || !HasDriveRootShape(ParentFolder(f))) return false;
    return inList(ProtectedRootNames, lastComponent(f));
}

std::wstring finalPathOf(HANDLE handle) {
    std::vector<wchar_t> buffer(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD n = GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                            FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0) return std::wstring();
        if (n < buffer.size()) return std::wstring(buffer.data(), n);
        buffer.assign(static_cast<size_t>(n) + 1, L'\0');
    }
    return std::wstring();
}

// Expands any 8.3 names left in a resolved path; the input when the call fails.
std::wstring expandShortNames(const std::wstring& path) {
    std::wstring prefixed = LongPath(path);
    DWORD n = GetLongPathNameW(prefixed.c_str(), nullptr, 0);
    if (n == 0) return path;
    std::vector<wchar_t> buffer(static_cast<size_t>(n) + 1, L'\0');
    DWORD r = GetLongPathNameW(prefixed.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (r == 0 || r >= buffer.size()) return path;
    return StripLongPathPrefix(std::wstring(buffer.data(), r));
}

std::wstring resolveExisting(const std::wstring& path) {
    // No access rights needed: attributes only, and backup semantics so folders open too.
    FileHandle handle(CreateFileW(LongPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle.valid()) return std::wstring();
    std::wstring resolved = finalPathOf(handle.get());
    if (resolved.empty()) return resolved;
    return expandShortNames(StripLongPathPrefix(resolved));
}

// Either form of the path matches `rule`.
bool eitherForm(const std::wstring& path, bool (*rule)(const std::wstring&)) {
    if (rule(path)) return true;
    std::wstring resolved = ResolvedLocation(path);
    return !resolved.empty() && rule(resolved);
}

bool isProtectedTargetLocation(const std::wstring& path) {
    std::wstring f = TrimTrailingSeparators(FullPath(path));
    if (HasDriveRootShape(f)) return false;
    return nameIsProtectedRootFolder(f) || nameInsideProtectedTree(f);
}

bool isProtectedItemLocation(const std::wstring& path) {
    return nameIsProtectedRootFolder(path) || nameInsideProtectedTree(path);
}

}  // namespace

std::wstring NormalizedFolderName(const std::wstring& name) {
    size_t end = name.size();
    while (end > 0 && (name[end - 1] == L'.' || name[end - 1] == L' ')) --end;
    return UpperCaseName(name.substr(0, end));
}

std::wstring ResolvedLocation(const std::wstring& path) {
    std::wstring f = TrimTrailingSeparators(FullPath(path));
    std::wstring rest;
    for (;;) {
        std::wstring resolved = resolveExisting(f);
        if (!resolved.empty()) return rest.empty() ? resolved : WithTrailingSeparator(resolved) + rest;
        std::wstring parent = ParentFolder(f);
        if (parent == f) return std::wstring();
        std::wstring name = lastComponent(f);
        rest = rest.empty() ? name : name + L"\\" + rest;
        f = parent;
    }
}

bool IsInsideProtectedTree(const std::wstring& path) {
    return eitherForm(path, nameInsideProtectedTree);
}

bool IsProtectedSourceItem(const std::wstring& panelFolder, const DirEntry& entry, const std::wstring& itemPath) {
    if (!entry.isFolder) return false;
    DWORD attributes = GetFileAttributesW(LongPath(itemPath).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
        (entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return true;
    if (HasDriveRootShape(FullPath(panelFolder)) && inList(ProtectedRootNames, entry.name)) return true;
    return eitherForm(itemPath, isProtectedItemLocation);
}

bool IsProtectedTarget(const std::wstring& folder) {
    std::wstring f = TrimTrailingSeparators(FullPath(folder));
    DWORD attributes = GetFileAttributesW(LongPath(f).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return true;
    return eitherForm(f, isProtectedTargetLocation);
}
