#include "fs/file_ops.h"

#include "fs/paths.h"

uint32_t TempFileCounter = 0;
uint32_t TempFolderCounter = 0;

namespace {

constexpr int kMaxTempAttempts = 1000;

bool isNameCollision(DWORD code) {
    return code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS;
}

}  // namespace

DWORD LastFailureCode() {
    DWORD code = GetLastError();
    return code != 0 ? code : ERROR_FUNCTION_FAILED;
}

DWORD GetPathAttributes(const std::wstring& path) {
    return GetFileAttributesW(LongPath(path).c_str());
}

bool SetPathAttributes(const std::wstring& path, DWORD attributes) {
    return SetFileAttributesW(LongPath(path).c_str(), attributes) != 0;
}

bool MovePath(const std::wstring& from, const std::wstring& to, DWORD flags) {
    return MoveFileExW(LongPath(from).c_str(), LongPath(to).c_str(), flags) != 0;
}

bool DeleteFilePath(const std::wstring& path) {
    return DeleteFileW(LongPath(path).c_str()) != 0;
}

bool CreateFolderPath(const std::wstring& path) {
    return CreateDirectoryW(LongPath(path).c_str(), nullptr) != 0;
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
        FileHandle file(CreateFileW(LongPath(tempPath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
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
        if (CreateDirectoryW(LongPath(tempPath).c_str(), nullptr)) {
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
