#pragma once
// Scoped owners of kernel handles: each closes its handle on every path out of a scope.
#include <windows.h>

// A file handle from CreateFileW; INVALID_HANDLE_VALUE means none.
class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(HANDLE h) : handle_(h) {}
    ~FileHandle() { close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    FileHandle(FileHandle&& other) noexcept : handle_(other.release()) {}
    FileHandle& operator=(FileHandle&& other) noexcept { if (this != &other) { close(); handle_ = other.release(); } return *this; }

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE release() { HANDLE h = handle_; handle_ = INVALID_HANDLE_VALUE; return h; }
    // Closes now; returns false when CloseHandle failed (a late write error may show here).
    bool close() { bool ok = true; if (valid()) ok = CloseHandle(handle_) != 0; handle_ = INVALID_HANDLE_VALUE; return ok; }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// A search handle from FindFirstFileW.
class FindHandle {
public:
    explicit FindHandle(HANDLE h) : handle_(h) {}
    ~FindHandle() { close(); }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    FindHandle(FindHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = INVALID_HANDLE_VALUE; }

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    void close() { if (valid()) FindClose(handle_); handle_ = INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// Sets the process error mode for a scope, so a drive without medium fails quietly instead of
// showing a system dialog.
class ErrorModeScope {
public:
    explicit ErrorModeScope(UINT mode) : previous_(SetErrorMode(mode)) {}
    ~ErrorModeScope() { SetErrorMode(previous_); }
    ErrorModeScope(const ErrorModeScope&) = delete;
    ErrorModeScope& operator=(const ErrorModeScope&) = delete;

private:
    UINT previous_;
};
