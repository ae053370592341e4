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
    if (existed_) writeFileBytes(path_, bytes_);
    if (mutex_) {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
}
