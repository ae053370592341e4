#pragma once
// Path operations. Paths are wide strings of any length; both \ and / separate, \ is written.
// Paths shown, stored or compared are in FullPath form; every Windows file call gets LongPath.
// None of these fails: a failing Windows call gives the fallback stated below.
// fs/ is the bottom floor: it includes nothing of the program above it.
#include <string>

// "\\?\UNC\srv\x" -> "\\srv\x"; "\\?\C:\x" -> "C:\x"; anything else (also "\\.\") unchanged.
std::wstring StripLongPathPrefix(const std::wstring& path);
// Absolute, unprefixed form. Drive and UNC paths are resolved here ("." and ".." segments, / to \)
// keeping every name exactly, trailing dots and spaces included; only relative input goes through
// GetFullPathNameW. Empty gives empty; a failing call gives the input unchanged.
std::wstring FullPath(const std::wstring& path);
// The form for Windows file calls: "\\?\C:\..." or "\\?\UNC\srv\share\...". Input already starting
// with "\\?\" or "\\.\" is returned untouched; a full path that is neither drive nor UNC stays bare.
std::wstring LongPath(const std::wstring& path);
// Full file name of the running executable, or empty.
std::wstring ExecutablePath();
// The current directory, or empty.
std::wstring CurrentDirectory();
// The folder ending in a separator; empty gives "\".
std::wstring WithTrailingSeparator(const std::wstring& folder);
// Removes trailing separators while the path is longer than 3 characters (C:\ keeps its own).
std::wstring TrimTrailingSeparators(const std::wstring& path);
// True for a drive root such as C:\ (after FullPath).
bool IsDriveRoot(const std::wstring& path);
// True for the root of a network share, \\server\share with or without a trailing separator.
bool IsShareRoot(const std::wstring& path);
// A folder with no parent to go to: a drive root or a share root.
bool IsRootFolder(const std::wstring& path);
// The containing folder; a drive root or share root gives itself; C:\Temp gives C:\.
std::wstring ParentFolder(const std::wstring& path);
// The folder part including its trailing separator; no separator gives the current directory
// with a separator (empty when that is unknown).
std::wstring FolderOfPath(const std::wstring& path);
// Both name the same place (case-insensitive, trailing separators ignored).
bool SamePath(const std::wstring& a, const std::wstring& b);
// `path` is `folder` or lies below it; D:\data2 is not inside D:\data.
bool IsSameOrInside(const std::wstring& path, const std::wstring& folder);
// Each UTF-16 unit through towupper.
std::wstring UpperCaseName(const std::wstring& text);

bool IsSeparator(wchar_t ch);
// Exactly three characters: anything, a colon, a separator (C:\).
bool HasDriveRootShape(const std::wstring& path);
