#pragma once
// A fresh folder under the temporary folder for one test, removed with everything in it afterwards.
#include <windows.h>

#include <cstdint>
#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& path() const { return path_; }
    // path() + "\" + relative
    std::wstring operator/(const std::wstring& relative) const;
    // Creates a file (and its folders) with the given bytes; returns its full path.
    std::wstring file(const std::wstring& relative, const std::string& content = std::string()) const;
    // Creates a folder (and its parents); returns its full path.
    std::wstring folder(const std::wstring& relative) const;

private:
    std::wstring path_;
};

// Whole content of a file, or "<missing>" when it cannot be read.
std::string readFileBytes(const std::wstring& path);
// Creates or replaces a file (its folder must exist) with the given bytes.
void writeFileBytes(const std::wstring& path, const std::string& bytes);
bool pathExists(const std::wstring& path);
// The name of a temporary item of this program directly in `folder` (a copy's by default, or a
// save's with ".torvane_save_*"), or "".
std::wstring temporaryItem(const std::wstring& folder, const wchar_t* pattern = L".torvanecommander_tmp_*");
inline bool hasTemporaryItem(const std::wstring& folder) { return !temporaryItem(folder).empty(); }
// Removes a tree (attributes cleared first); used for clean-up only.
void removeTree(const std::wstring& path);
