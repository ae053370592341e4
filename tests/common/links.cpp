#include "common/links.h"

#include <windows.h>

#include <string>
#include <vector>

#include "common/temp_folder.h"
#include "fs/handles.h"
#include "fs/paths.h"

namespace {

bool runningUnderWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

bool listsAsReparsePoint(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(LongPath(path).c_str(), &data));
    return find.valid() && (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Starts a Unix program on the Unix names of the paths, then waits up to 5 s for the last one to show as
// a link or not: a folder as a reparse point, a file by being there (Wine gives no handle to wait on).
bool runUnix(const wchar_t* program, std::string command, std::vector<std::wstring> paths, bool linkAfter,
             bool folder = true) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName) return false;
    for (const std::wstring& path : paths) {
        char* name = unixName(FullPath(path).c_str());
        if (!name) return false;
        command += std::string(" \"") + name + "\"";
        HeapFree(GetProcessHeap(), 0, name);
    }
    std::wstring line(command.begin(), command.end());  // Wine's Unix names here are ASCII
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(program, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (int waited = 0; waited < 5000; waited += 10, Sleep(10))
        if ((folder ? listsAsReparsePoint(paths.back()) : pathExists(paths.back())) == linkAfter) return true;
    return false;
}

}  // namespace

FolderLink::FolderLink(const std::wstring& link, const std::wstring& target, bool folder) : link_(link) {
    if (runningUnderWine())
        made_ = runUnix(L"Z:\\bin\\ln", "ln -s", {target, link}, true, folder);
    else
        made_ = CreateSymbolicLinkW(LongPath(link).c_str(), LongPath(target).c_str(),
                                    (folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) |
                                        SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) &&
                listsAsReparsePoint(link);
}

FolderLink::~FolderLink() {
    if (!made_) return;
    if (runningUnderWine())
        runUnix(L"Z:\\bin\\rm", "rm", {link_}, false);
    else
        RemoveDirectoryW(LongPath(link_).c_str());  // a folder link goes; its target stays
}
