#include <algorithm>

#include "fs/file_ops.h"
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

// Order within one group: A-Z folded first (like _wcsicmp in the "C" locale, a shorter name before
// its longer namesake), then the units as they are, so "A.txt" comes before "a.txt". One pass over
// the names, as the sort of a large folder makes millions of these.
bool nameBefore(const std::wstring& a, const std::wstring& b) {
    const wchar_t* x = a.data();
    const wchar_t* y = b.data();
    size_t n = std::min(a.size(), b.size()), firstExact = n;
    for (size_t i = 0; i < n; ++i) {
        if (x[i] == y[i]) continue;
        wchar_t p = foldCase(x[i]), q = foldCase(y[i]);
        if (p != q) return p < q;
        if (firstExact == n) firstExact = i;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return firstExact < n && x[firstExact] < y[firstExact];
}

// A row's place in the sort: folders first, then its first eight A-Z folded units packed high to
// low (a name that ends pads with 0, so it goes before its longer namesake). Most comparisons are
// then three integer compares on one small contiguous array instead of two strings on the heap; equal
// keys fall back to nameBefore.
struct SortKey {
    uint32_t group;  // 0 folders, 1 files
    uint32_t row;
    uint64_t high, low;
};

SortKey sortKey(const DirEntry& e, uint32_t row) {
    uint64_t parts[2] = {0, 0};
    size_t n = std::min<size_t>(e.name.size(), 8);
    for (size_t i = 0; i < n; ++i) parts[i / 4] |= static_cast<uint64_t>(foldCase(e.name[i])) << (48 - 16 * (i % 4));
    return {e.isFolder ? 0u : 1u, row, parts[0], parts[1]};
}

// The rows from `first` on into the order of compareEntries; the rows before stay where they are.
void sortRows(std::vector<DirEntry>& entries, size_t first) {
    std::vector<SortKey> keys;
    keys.reserve(entries.size() - first);
    for (size_t i = first; i < entries.size(); ++i) keys.push_back(sortKey(entries[i], static_cast<uint32_t>(i)));
    std::sort(keys.begin(), keys.end(), [&entries](const SortKey& a, const SortKey& b) {
        if (a.group != b.group) return a.group < b.group;
        if (a.high != b.high) return a.high < b.high;
        if (a.low != b.low) return a.low < b.low;
        return nameBefore(entries[a.row].name, entries[b.row].name);
    });
    std::vector<DirEntry> sorted;
    sorted.reserve(entries.size());
    for (size_t i = 0; i < first; ++i) sorted.push_back(std::move(entries[i]));
    for (const SortKey& key : keys) sorted.push_back(std::move(entries[key.row]));
    entries.swap(sorted);
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
    return nameBefore(a.name, b.name);
}

void loadListing(PanelState& panel) {
    panel.entries.clear();
    panel.errorText.clear();
    panel.path = FullPath(panel.path);
    bool hasParent = !IsRootFolder(panel.path);
    if (hasParent) panel.entries.push_back(parentEntry());

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
            FillEntryFromFindData(panel.entries.emplace_back(), data);
        } while (FindNextFileW(find.get(), &data));
    }
    // The parent entry is already first and no other row is "..".
    sortRows(panel.entries, hasParent ? 1 : 0);
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

namespace {

std::wstring foldedName(const std::wstring& name) {
    std::wstring folded = name;
    for (wchar_t& ch : folded) ch = foldCase(ch);
    return folded;
}

}  // namespace

void MarkList::push_back(const std::wstring& name) {
    names_.push_back(name);
    ++folded_[foldedName(name)];
}

void MarkList::erase(const_iterator at) {
    auto count = folded_.find(foldedName(*at));
    if (count != folded_.end() && --count->second == 0) folded_.erase(count);
    names_.erase(at);
}

void MarkList::clear() {
    names_.clear();
    folded_.clear();
}

bool MarkList::contains(const std::wstring& name) const {
    return !folded_.empty() && folded_.count(foldedName(name)) != 0;
}

int findMark(const PanelState& panel, const std::wstring& name) {
    if (!panel.marked.contains(name)) return -1;
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
