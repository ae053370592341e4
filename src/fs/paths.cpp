#include "fs/paths.h"

#include <windows.h>

#include <cwchar>
#include <cwctype>
#include <vector>

namespace {

const wchar_t kLongPrefix[] = L"\\\\?\\";      // \\?\  (4)
const wchar_t kLongUncPrefix[] = L"\\\\?\\UNC\\";  // \\?\UNC\  (8)
const wchar_t kDevicePrefix[] = L"\\\\.\\";    // \\.\  (4)

bool startsWith(const std::wstring& s, const wchar_t* prefix) {
    return s.compare(0, wcslen(prefix), prefix) == 0;
}

bool isAsciiLetter(wchar_t ch) {
    return (ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z');
}

bool isDrivePath(const std::wstring& s) {
    return s.size() >= 3 && isAsciiLetter(s[0]) && s[1] == L':' && IsSeparator(s[2]);
}

// \\server\share..., but not the \\?\ and \\.\ forms.
bool isUncPath(const std::wstring& s) {
    if (s.size() < 3 || !IsSeparator(s[0]) || !IsSeparator(s[1]) || IsSeparator(s[2])) return false;
    bool devicePrefix = (s[2] == L'?' || s[2] == L'.') && (s.size() == 3 || IsSeparator(s[3]));
    return !devicePrefix;
}

// Splits at separators, dropping empty parts.
std::vector<std::wstring> splitParts(const std::wstring& s, size_t from) {
    std::vector<std::wstring> parts;
    std::wstring part;
    for (size_t i = from; i < s.size(); ++i) {
        if (IsSeparator(s[i])) {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part.push_back(s[i]);
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

// Resolves "." and ".." below a fixed root and keeps every other name exactly as given.
std::wstring resolveBelowRoot(const std::wstring& root, const std::vector<std::wstring>& parts, bool trailing) {
    std::vector<const std::wstring*> kept;
    for (const std::wstring& part : parts) {
        if (part == L".") continue;
        if (part == L"..") {
            if (!kept.empty()) kept.pop_back();
            continue;
        }
        kept.push_back(&part);
    }
    std::wstring out = root;
    for (size_t i = 0; i < kept.size(); ++i) {
        if (!out.empty() && !IsSeparator(out.back())) out.push_back(L'\\');
        out += *kept[i];
    }
    if (trailing && !kept.empty()) out.push_back(L'\\');
    return out;
}

std::wstring resolveDrivePath(const std::wstring& s) {
    std::wstring root = s.substr(0, 2) + L"\\";
    return resolveBelowRoot(root, splitParts(s, 3), IsSeparator(s.back()));
}

std::wstring resolveUncPath(const std::wstring& s) {
    std::vector<std::wstring> parts = splitParts(s, 2);
    std::wstring root = L"\\\\" + parts[0];
    size_t first = 1;
    if (parts.size() > 1) {
        root += L"\\" + parts[1];
        first = 2;
    }
    std::vector<std::wstring> rest(parts.begin() + static_cast<std::ptrdiff_t>(first), parts.end());
    std::wstring out = resolveBelowRoot(root, rest, IsSeparator(s.back()));
    if (rest.empty() && IsSeparator(s.back()) && parts.size() > 1) out.push_back(L'\\');
    return out;
}

std::wstring getFullPathName(const std::wstring& s, const std::wstring& fallback) {
    DWORD n = GetFullPathNameW(s.c_str(), 0, nullptr, nullptr);
    if (n == 0) return fallback;
    std::vector<wchar_t> buffer(static_cast<size_t>(n) + 1, L'\0');
    DWORD r = GetFullPathNameW(s.c_str(), n + 1, buffer.data(), nullptr);
    if (r > 0 && r < n + 1) return std::wstring(buffer.data(), r);
    return fallback;
}

}  // namespace

bool IsSeparator(wchar_t ch) {
    return ch == L'\\' || ch == L'/';
}

bool HasDriveRootShape(const std::wstring& path) {
    return path.size() == 3 && path[1] == L':' && IsSeparator(path[2]);
}

std::wstring StripLongPathPrefix(const std::wstring& path) {
    if (startsWith(path, kLongUncPrefix)) return L"\\\\" + path.substr(8);
    if (startsWith(path, kLongPrefix)) return path.substr(4);
    return path;
}

std::wstring FullPath(const std::wstring& path) {
    if (path.empty()) return path;
    // A prefixed path that is neither a drive nor a share (a volume GUID, GLOBALROOT) has no
    // unprefixed form.
    if (startsWith(path, kLongPrefix) && !startsWith(path, kLongUncPrefix) && !isDrivePath(path.substr(4)))
        return path;
    std::wstring s = StripLongPathPrefix(path);
    if (isDrivePath(s)) return resolveDrivePath(s);
    if (isUncPath(s)) return resolveUncPath(s);
    if (startsWith(s, kDevicePrefix)) return s;
    return getFullPathName(s, path);
}

std::wstring LongPath(const std::wstring& path) {
    if (path.empty()) return path;
    if (startsWith(path, kLongPrefix) || startsWith(path, kDevicePrefix)) return path;
    std::wstring f = FullPath(path);
    // GetFullPathNameW maps device names ("con") to "\\.\con": never dress those up as a share.
    if (startsWith(f, kLongPrefix) || startsWith(f, kDevicePrefix)) return f;
    if (f.size() >= 2 && f[0] == L'\\' && f[1] == L'\\') return kLongUncPrefix + f.substr(2);
    if (f.size() >= 2 && isAsciiLetter(f[0]) && f[1] == L':') return kLongPrefix + f;
    return f;
}

std::wstring ExecutablePath() {
    std::vector<wchar_t> buffer(260, L'\0');
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD capacity = static_cast<DWORD>(buffer.size());
        DWORD n = GetModuleFileNameW(nullptr, buffer.data(), capacity);
        if (n == 0) return std::wstring();
        if (n < capacity - 1) return std::wstring(buffer.data(), n);
        buffer.assign(buffer.size() * 2, L'\0');
    }
    return std::wstring();
}

std::wstring CurrentDirectory() {
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    if (n == 0) return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(n) + 1, L'\0');
    DWORD r = GetCurrentDirectoryW(n + 1, buffer.data());
    if (r == 0 || r >= n + 1) return std::wstring();
    return std::wstring(buffer.data(), r);
}

std::wstring WithTrailingSeparator(const std::wstring& folder) {
    if (folder.empty()) return L"\\";
    if (IsSeparator(folder.back())) return folder;
    return folder + L"\\";
}

std::wstring TrimTrailingSeparators(const std::wstring& path) {
    std::wstring p = path;
    while (p.size() > 3 && IsSeparator(p.back())) p.pop_back();
    return p;
}

bool IsDriveRoot(const std::wstring& path) {
    return HasDriveRootShape(FullPath(path));
}

bool IsShareRoot(const std::wstring& path) {
    std::wstring f = FullPath(path);
    if (!isUncPath(f)) return false;
    return splitParts(f, 2).size() == 2;
}

bool IsRootFolder(const std::wstring& path) {
    return IsDriveRoot(path) || IsShareRoot(path);
}

std::wstring ParentFolder(const std::wstring& path) {
    std::wstring f = TrimTrailingSeparators(FullPath(path));
    if (HasDriveRootShape(f) || IsShareRoot(f)) return f;
    size_t last = f.find_last_of(L"\\/");
    if (last == std::wstring::npos) return f;
    if (last == 2) return f.substr(0, 3);
    return f.substr(0, last);
}

std::wstring FolderOfPath(const std::wstring& path) {
    std::wstring f = FullPath(path);
    size_t last = f.find_last_of(L"\\/");
    if (last != std::wstring::npos) return f.substr(0, last + 1);
    std::wstring current = CurrentDirectory();
    if (current.empty()) return current;
    return WithTrailingSeparator(current);
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return _wcsicmp(TrimTrailingSeparators(FullPath(a)).c_str(), TrimTrailingSeparators(FullPath(b)).c_str()) == 0;
}

bool IsSameOrInside(const std::wstring& path, const std::wstring& folder) {
    std::wstring a = TrimTrailingSeparators(FullPath(path));
    std::wstring b = TrimTrailingSeparators(FullPath(folder));
    if (_wcsicmp(a.c_str(), b.c_str()) == 0) return true;
    if (!b.empty() && !IsSeparator(b.back())) b.push_back(L'\\');
    return a.size() >= b.size() && _wcsnicmp(a.c_str(), b.c_str(), b.size()) == 0;
}

std::wstring UpperCaseName(const std::wstring& text) {
    std::wstring out = text;
    for (wchar_t& ch : out) ch = static_cast<wchar_t>(towupper(ch));
    return out;
}
