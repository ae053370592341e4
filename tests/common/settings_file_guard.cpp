#include "common/settings_file_guard.h"

#include "common/temp_folder.h"
#include "settings/settings.h"

SettingsFileGuard::SettingsFileGuard()
    : mutex_(CreateMutexW(nullptr, FALSE, L"TorvaneCommanderTestsSettingsFile")), path_(settingsFilePath()) {
    if (mutex_) WaitForSingleObject(mutex_, INFINITE);
    existed_ = pathExists(path_);
    if (existed_) bytes_ = readFileBytes(path_);
}

SettingsFileGuard::~SettingsFileGuard() {
    SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path_.c_str());
    if (existed_) {
        HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
        DWORD written = 0;
        WriteFile(file, bytes_.data(), static_cast<DWORD>(bytes_.size()), &written, nullptr);
        CloseHandle(file);
    }
    if (mutex_) {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
}
