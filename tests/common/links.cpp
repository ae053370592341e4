#include "common/links.h"

#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <string>
#include <vector>

#include "fs/handles.h"
#include "fs/paths.h"

namespace {

// The mount-point form of REPARSE_DATA_BUFFER (not in every SDK's user-mode headers).
struct MountPointBuffer {
    DWORD tag;
    WORD dataLength;
    WORD reserved;
    WORD substituteOffset, substituteLength, printOffset, printLength;
    wchar_t paths[2048];
};

bool listsAsReparsePoint(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(LongPath(path).c_str(), &data));
    return find.valid() && (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool makeJunction(const std::wstring& link, const std::wstring& target) {
    if (!CreateDirectoryW(LongPath(link).c_str(), nullptr)) return false;
    FileHandle folder(CreateFileW(LongPath(link).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    std::wstring substitute = L"\\??\\" + FullPath(target);
    std::wstring print = FullPath(target);
    MountPointBuffer buffer = {};
    buffer.tag = IO_REPARSE_TAG_MOUNT_POINT;
    buffer.substituteLength = static_cast<WORD>(substitute.size() * sizeof(wchar_t));
    buffer.printOffset = static_cast<WORD>(buffer.substituteLength + sizeof(wchar_t));
    buffer.printLength = static_cast<WORD>(print.size() * sizeof(wchar_t));
    std::memcpy(buffer.paths, substitute.c_str(), buffer.substituteLength);
    std::memcpy(reinterpret_cast<char*>(buffer.paths) + buffer.printOffset, print.c_str(), buffer.printLength);
    buffer.dataLength = static_cast<WORD>(8 + buffer.printOffset + buffer.printLength + sizeof(wchar_t));
    DWORD returned = 0;
    bool ok = folder.valid() && DeviceIoControl(folder.get(), FSCTL_SET_REPARSE_POINT, &buffer,
                                                8u + buffer.dataLength, nullptr, 0, &returned, nullptr);
    folder.close();
    if (!ok) RemoveDirectoryW(LongPath(link).c_str());
    return ok;
}

using UnixNameFunction = char*(CDECL*)(LPCWSTR);

// Under Wine: runs a Unix program on the Unix names of the given paths (Wine starts ELF programs
// from CreateProcessW, but does not let us wait for them on the handle).
bool runUnix(const wchar_t* program, const char* options, const std::wstring* paths, int count) {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto unixName = kernel ? reinterpret_cast<UnixNameFunction>(
                                 reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_unix_file_name")))
                           : nullptr;
    if (!unixName) return false;
    std::string command = options;
    for (int i = 0; i < count; ++i) {
        char* name = unixName(FullPath(paths[i]).c_str());
        if (!name) return false;
        command += std::string(" \"") + name + "\"";
        HeapFree(GetProcessHeap(), 0, name);
    }
    std::wstring wide(command.begin(), command.end());  // Wine's Unix names here are ASCII
    std::vector<wchar_t> line(wide.begin(), wide.end());
    line.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(program, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// Waits up to 5 s for the path to list as a reparse point (or to vanish).
bool waitForLink(const std::wstring& path, bool present) {
    for (int waited = 0; waited < 5000; waited += 10) {
        if (listsAsReparsePoint(path) == present) return true;
        Sleep(10);
    }
    return false;
}

}  // namespace

bool runningUnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool makeFolderLink(const std::wstring& link, const std::wstring& target, std::wstring& how) {
    if (makeJunction(link, target) && listsAsReparsePoint(link)) {
        how = L"junction";
        return true;
    }
    if (CreateSymbolicLinkW(LongPath(link).c_str(), LongPath(target).c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) &&
        listsAsReparsePoint(link)) {
        how = L"symbolic link";
        return true;
    }
    const std::wstring paths[] = {target, link};
    if (runningUnderWine() && runUnix(L"Z:\\bin\\ln", "ln -s", paths, 2) && waitForLink(link, true)) {
        how = L"unix symlink";
        return true;
    }
    return false;
}

void removeFolderLink(const std::wstring& link) {
    // Under Wine only rm: its RemoveDirectoryW follows a Unix symlink and removes an empty target.
    if (runningUnderWine()) {
        if (runUnix(L"Z:\\bin\\rm", "rm", &link, 1)) waitForLink(link, false);
        return;
    }
    // A junction or folder symbolic link is removed as a folder; its target stays.
    RemoveDirectoryW(LongPath(link).c_str());
}
