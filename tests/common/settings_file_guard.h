#pragma once
// For tests that use the real settings file beside the test programs: one such test at a time
// (across processes), and whatever file was there before is put back afterwards.
#include <windows.h>

#include <string>

class SettingsFileGuard {
public:
    SettingsFileGuard();
    ~SettingsFileGuard();
    SettingsFileGuard(const SettingsFileGuard&) = delete;
    SettingsFileGuard& operator=(const SettingsFileGuard&) = delete;

    // settingsFilePath()
    const std::wstring& path() const { return path_; }

private:
    HANDLE mutex_;
    std::wstring path_;
    bool existed_;
    std::string bytes_;
};
