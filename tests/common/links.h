#pragma once
// A folder link for the length of a scope, for protection and scan tests. On Windows a folder
// symbolic link; under Wine a Unix symlink made with /bin/ln (Wine 8 fails the junction call and its
// CreateSymbolicLinkW reports success without creating anything). Such a link lists as a
// reparse-point folder; Wine's RemoveDirectoryW would follow it, so it is removed with /bin/rm.
// With `folder` false a link to a file, listed as a plain file under Wine; the test folder takes it.
#include <string>

class FolderLink {
public:
    FolderLink(const std::wstring& link, const std::wstring& target, bool folder = true);
    ~FolderLink();
    FolderLink(const FolderLink&) = delete;
    FolderLink& operator=(const FolderLink&) = delete;
    bool made() const { return made_; }

private:
    std::wstring link_;
    bool made_ = false;
};
