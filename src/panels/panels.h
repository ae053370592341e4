#pragma once
// The two file panels: folder listings in display order, the cursor, and the marks. panels/
// stands on ui/ and below and knows nothing of the operations, viewer or editor beside it.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fs/dir_entry.h"

struct PanelState {
    std::wstring path;                 // FullPath form, never prefixed
    std::vector<DirEntry> entries;     // display order: "..", folders, files
    std::vector<std::wstring> marked;  // marked names in marking order; never ".."
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
// Position of `name` in the marks (case-insensitive), or -1.
int findMark(const PanelState& panel, const std::wstring& name);
// The entry of that name (the exact spelling first, then any case); false for ".." and for a name
// that has left the listing.
bool FindPanelEntry(const PanelState& panel, const std::wstring& name, DirEntry& out);
