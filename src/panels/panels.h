#pragma once
// The two file panels: folder listings in display order, the cursor, and the marks. panels/
// stands on ui/ and below and knows nothing of the operations, viewer or editor beside it.
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <unordered_map>
#include <vector>

#include "fs/dir_entry.h"

// The marked names of a panel in marking order, read like a vector of names, with a count per A-Z
// folded name beside them: whether a row is marked is one hash look-up, however many marks there
// are (every drawn row asks). The few calls that change the names keep the counts in step.
class MarkList {
public:
    using const_iterator = std::vector<std::wstring>::const_iterator;
    using iterator = const_iterator;

    MarkList() = default;
    MarkList(std::initializer_list<std::wstring> names) { assign(names); }
    MarkList& operator=(std::initializer_list<std::wstring> names) { assign(names); return *this; }
    MarkList& operator=(const std::vector<std::wstring>& names) { assign(names); return *this; }

    const std::vector<std::wstring>& names() const { return names_; }
    const_iterator begin() const { return names_.begin(); }
    const_iterator end() const { return names_.end(); }
    size_t size() const { return names_.size(); }
    bool empty() const { return names_.empty(); }
    const std::wstring& operator[](size_t i) const { return names_[i]; }

    void push_back(const std::wstring& name);
    void erase(const_iterator at);
    void clear();
    // A name equal under case-insensitive comparison is among the marks.
    bool contains(const std::wstring& name) const;

    friend bool operator==(const MarkList& a, const std::vector<std::wstring>& b) { return a.names_ == b; }

private:
    template <typename Names>
    void assign(const Names& names) {
        clear();
        for (const std::wstring& name : names) push_back(name);
    }
    std::vector<std::wstring> names_;
    std::unordered_map<std::wstring, uint32_t> folded_;
};

struct PanelState {
    std::wstring path;                 // FullPath form, never prefixed
    std::vector<DirEntry> entries;     // display order: "..", folders, files
    MarkList marked;                   // marked names in marking order; never ".."
    int32_t cursor = 0;
    int32_t scroll = 0;
    std::wstring errorText;            // empty, or why the last listing failed
};

extern PanelState leftPanel;
extern PanelState rightPanel;
extern bool leftPanelActive;
PanelState& activePanel();
PanelState& inactivePanel();

// Start state: the two folders (not listed yet), no rows, marks, cursor or error; left active.
void resetPanels(const std::wstring& leftPath, const std::wstring& rightPath);

bool isParentEntry(const DirEntry& entry);
// The entry under the cursor (clamped to the rows); null for an empty listing.
const DirEntry* cursorEntry(const PanelState& panel);

// --- listing and sorting ---
// Re-reads the panel's folder; marks and cursor survive (the cursor clamped), scroll goes to 0.
// An unreadable folder leaves only the parent entry and errorText "Folder cannot be read.".
void loadListing(PanelState& panel);
// True when a goes before b: "..", then folders, then files; names case-insensitively (A-Z fold),
// upper case first among names that differ only in case.
bool compareEntries(const DirEntry& a, const DirEntry& b);
// Cursor onto the first entry of that name (case-insensitive); nothing changes if there is none.
void selectEntryByName(PanelState& panel, const std::wstring& name);
// Reloads, then puts the cursor on `index` clamped to the rows; scroll 0.
void reloadAndSelectIndex(PanelState& panel, int32_t index);
// Position of `name` in the marks (case-insensitive), or -1. panel.marked.contains tells the same
// without the position, and in constant time.
int findMark(const PanelState& panel, const std::wstring& name);
// The entry of that name (the exact spelling first, then any case); false for ".." and for a name
// that has left the listing.
bool FindPanelEntry(const PanelState& panel, const std::wstring& name, DirEntry& out);
