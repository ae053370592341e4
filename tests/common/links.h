#pragma once
// Makes a folder link for protection and scan tests, by whatever the system under test supports:
// a junction (FSCTL_SET_REPARSE_POINT), a symbolic link, or under Wine a Unix symlink made with
// /bin/ln (Wine 8 fails the junction call with 50 and its CreateSymbolicLinkW reports success
// without creating anything; a Unix symlink lists as a reparse-point folder, GetFileAttributesW on
// it fails, and its RemoveDirectoryW follows it, so such links are removed with /bin/rm).
#include <string>

// True when `link` now lists as a reparse point leading to `target`; `how` names the method used.
bool makeFolderLink(const std::wstring& link, const std::wstring& target, std::wstring& how);
// Removes a link made above without touching its target.
void removeFolderLink(const std::wstring& link);
// True when running under Wine.
bool runningUnderWine();

// A folder link for the length of a scope.
class FolderLink {
public:
    FolderLink(const std::wstring& link, const std::wstring& target) : link_(link) {
        made_ = makeFolderLink(link, target, how_);
    }
    ~FolderLink() {
        if (made_) removeFolderLink(link_);
    }
    FolderLink(const FolderLink&) = delete;
    FolderLink& operator=(const FolderLink&) = delete;
    bool made() const { return made_; }
    const std::wstring& how() const { return how_; }

private:
    std::wstring link_, how_;
    bool made_ = false;
};
