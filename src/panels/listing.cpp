#include <algorithm>

#include "fs/handles.h"
#include "fs/paths.h"
#include "panels/panels.h"

PanelState leftPanel;
PanelState rightPanel;
bool leftPanelActive = true;

PanelState& activePanel() {
    return leftPanelActive ? leftPanel : rightPanel;
}

PanelState& inactivePanel() {
    return leftPanelActive ? rightPanel : leftPanel;
}

void resetPanels(const std::wstring& leftPath, const std::wstring& rightPath) {
    leftPanel = PanelState();
    leftPanel.path = leftPath;
    rightPanel = PanelState();
    rightPanel.path = rightPath;
    leftPanelActive = true;
}

bool isParentEntry(const DirEntry& entry) {
    return entry.name == L"..";
}

namespace {

const wchar_t kCannotRead[] = L"Folder cannot be read.";

// The runtime's default-locale case folding: A to Z become a to z, every other unit stays.
inline wchar_t foldCase(wchar_t ch) {
    return (ch >= L'A' && ch <= L'Z') ? static_cast<wchar_t>(ch + (L'a' - L'A')) : ch;
}

// <0, 0, >0 like _wcsicmp in the "C" locale.
int compareNoCase(const std::wstring& a, const std::wstring& b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        wchar_t x = foldCase(a[i]), y = foldCase(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

DirEntry entryFromFindData(const WIN32_FIND_DATAW& data) {
    DirEntry e;
    e.name = data.cFileName;
    e.attributes = data.dwFileAttributes;
    e.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    e.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    e.modified = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                 data.ftLastWriteTime.dwLowDateTime;
    return e;
}

DirEntry parentEntry() {
    DirEntry e;
    e.name = L"..";
    e.isFolder = true;
    e.attributes = FILE_ATTRIBUTE_DIRECTORY;
    return e;
}

void clampCursor(PanelState& panel) {
    int32_t rows = static_cast<int32_t>(panel.entries.size());
    if (panel.cursor < 0 || rows == 0) panel.cursor = 0;
    if (rows > 0 && panel.cursor >= rows) panel.cursor = rows - 1;
}

}  // namespace

bool compareEntries(const DirEntry& a, const DirEntry& b) {
    bool aParent = isParentEntry(a), bParent = isParentEntry(b);
    if (aParent != bParent) return aParent;
    if (a.isFolder != b.isFolder) return a.isFolder;
    int byFolded = compareNoCase(a.name, b.name);
    if (byFolded != 0) return byFolded < 0;
    size_t n = std::min(a.name.size(), b.name.size());
    for (size_t i = 0; i < n; ++i)
        if (a.name[i] != b.name[i]) return a.name[i] < b.name[i];
    return a.name.size() < b.name.size();
}

void loadListing(PanelState& panel) {
    panel.entries.clear();
    panel.errorText.clear();
    panel.path = FullPath(panel.path);
    if (!IsRootFolder(panel.path)) panel.entries.push_back(parentEntry());

    std::wstring pattern = LongPath(WithTrailingSeparator(panel.path) + L"*");
    WIN32_FIND_DATAW data;
    // Basic info skips the short names; large fetch asks for bigger batches per kernel call.
    FindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH));
    if (!find.valid()) {
        DWORD error = GetLastError();
        // A drive root has no "." entry, so an empty but readable root reports "no files".
        DWORD attributes = GetFileAttributesW(LongPath(panel.path).c_str());
        bool emptyFolder = (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) &&
                           attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        if (!emptyFolder) {
            panel.errorText = kCannotRead;
            panel.cursor = 0;
            panel.scroll = 0;
            return;
        }
    } else {
        do {
            const wchar_t* n = data.cFileName;
            if (n[0] == L'.' && (n[1] == 0 || (n[1] == L'.' && n[2] == 0))) continue;
            panel.entries.push_back(entryFromFindData(data));
        } while (FindNextFileW(find.get(), &data));
    }
    std::sort(panel.entries.begin(), panel.entries.end(), compareEntries);
    clampCursor(panel);
    panel.scroll = 0;
}

void selectEntryByName(PanelState& panel, const std::wstring& name) {
    for (size_t i = 0; i < panel.entries.size(); ++i) {
        if (_wcsicmp(panel.entries[i].name.c_str(), name.c_str()) == 0) {
            panel.cursor = static_cast<int32_t>(i);
            return;
        }
    }
}

void reloadAndSelectIndex(PanelState& panel, int32_t index) {
    loadListing(panel);
    panel.cursor = index;
    clampCursor(panel);
    panel.scroll = 0;
}

int findMark(const PanelState& panel, const std::wstring& name) {
    for (size_t i = 0; i < panel.marked.size(); ++i)
        if (_wcsicmp(panel.marked[i].c_str(), name.c_str()) == 0) return static_cast<int>(i);
    return -1;
}

const DirEntry* cursorEntry(const PanelState& panel) {
    if (panel.entries.empty()) return nullptr;
    int32_t last = static_cast<int32_t>(panel.entries.size()) - 1;
    return &panel.entries[panel.cursor < 0 ? 0 : (panel.cursor > last ? last : panel.cursor)];
}

bool FindPanelEntry(const PanelState& panel, const std::wstring& name, DirEntry& out) {
    const DirEntry* found = nullptr;
    for (const DirEntry& entry : panel.entries) {
        if (entry.name == name) {
            found = &entry;
            break;
        }
        if (!found && _wcsicmp(entry.name.c_str(), name.c_str()) == 0) found = &entry;
    }
    if (!found || isParentEntry(*found)) return false;
    out = *found;
    return true;
}
