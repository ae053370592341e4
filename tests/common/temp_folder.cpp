#include "common/temp_folder.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <vector>

#include "fs/handles.h"
#include "fs/paths.h"

namespace {
std::wstring makeUniqueFolder() {
    static uint32_t counter = 0;
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    GetTempPathW(MAX_PATH, buffer.data());
    std::wstring base = TrimTrailingSeparators(buffer.data()) + L"\\tvtest_" + std::to_wstring(GetCurrentProcessId());
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::wstring candidate = base + L"_" + std::to_wstring(GetTickCount()) + L"_" + std::to_wstring(++counter);
        if (CreateDirectoryW(LongPath(candidate).c_str(), nullptr)) return candidate;
    }
    // A temporary folder that cannot be made at all (full disk, no rights) ends the program at once.
    fprintf(stderr, "cannot create a test folder under %ls\n", base.c_str());
    abort();
}

void createParents(const std::wstring& path) {
    std::wstring parent = ParentFolder(path);
    if (parent == TrimTrailingSeparators(path) || pathExists(parent)) return;
    createParents(parent);
    CreateDirectoryW(LongPath(parent).c_str(), nullptr);
}
}  // namespace

TempFolder::TempFolder() : path_(makeUniqueFolder()) {}

TempFolder::~TempFolder() {
    removeTree(path_);
}

std::wstring TempFolder::operator/(const std::wstring& relative) const {
    return path_ + L"\\" + relative;
}

std::wstring TempFolder::file(const std::wstring& relative, const std::string& content) const {
    std::wstring full = *this / relative;
    createParents(full);
    writeFileBytes(full, content);
    return full;
}

std::wstring TempFolder::folder(const std::wstring& relative) const {
    std::wstring full = *this / relative;
    createParents(full);
    CreateDirectoryW(LongPath(full).c_str(), nullptr);
    return full;
}

std::string readFileBytes(const std::wstring& path) {
    FileHandle h(CreateFileW(LongPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.valid()) return "<missing>";
    std::string out;
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(h.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) out.append(chunk, got);
    return out;
}

void writeFileBytes(const std::wstring& path, const std::string& bytes) {
    FileHandle h(CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                             nullptr));
    DWORD written = 0;
    if (h.valid() && !bytes.empty()) WriteFile(h.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

bool pathExists(const std::wstring& path) {
    return GetFileAttributesW(LongPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring temporaryItem(const std::wstring& folder, const wchar_t* pattern) {
    WIN32_FIND_DATAW data;
    return FindHandle(FindFirstFileW(LongPath(WithTrailingSeparator(folder) + pattern).c_str(), &data)).valid()
               ? data.cFileName
               : L"";
}

void removeTree(const std::wstring& path) {
    std::wstring lp = LongPath(path);
    DWORD attributes = GetFileAttributesW(lp.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(lp.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(lp.c_str());
        return;
    }
    WIN32_FIND_DATAW data;
    FindHandle find((attributes & FILE_ATTRIBUTE_REPARSE_POINT) ? INVALID_HANDLE_VALUE
                                                                : FindFirstFileW(LongPath(path + L"\\*").c_str(), &data));
    for (bool more = find.valid(); more; more = FindNextFileW(find.get(), &data))
        if (wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0) removeTree(path + L"\\" + data.cFileName);
    find.close();
    RemoveDirectoryW(lp.c_str());
}
