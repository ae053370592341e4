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
// A temporary item of this program (.torvanecommander_tmp_*) directly in `folder`.
bool hasTemporaryItem(const std::wstring& folder);
// Removes a tree (attributes cleared first); used for clean-up only.
void removeTree(const std::wstring& path);
