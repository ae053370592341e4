#include "ops/plan.h"

#include <algorithm>

#include "fs/file_ops.h"
#include "fs/paths.h"
#include "fs/protection.h"

std::vector<int32_t> listingNameIndex(const PanelState& panel) {
    std::vector<int32_t> order(panel.entries.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int32_t>(i);
    std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
        return _wcsicmp(panel.entries[a].name.c_str(), panel.entries[b].name.c_str()) < 0;
    });
    return order;
}

const DirEntry* findInIndex(const PanelState& panel, const std::vector<int32_t>& order,
                            const std::wstring& name) {
    auto it = std::lower_bound(order.begin(), order.end(), name, [&](int32_t i, const std::wstring& n) {
        return _wcsicmp(panel.entries[i].name.c_str(), n.c_str()) < 0;
    });
    const DirEntry* found = nullptr;
    for (; it != order.end() && _wcsicmp(panel.entries[*it].name.c_str(), name.c_str()) == 0; ++it) {
        const DirEntry& entry = panel.entries[*it];
        if (entry.name == name) return isParentEntry(entry) ? nullptr : &entry;
        if (!found) found = &entry;
    }
    return found && !isParentEntry(*found) ? found : nullptr;
}

namespace {

// File names compare as the file system does: without case, beyond A to Z too.
bool nameBefore(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_LESS_THAN;
}

// The names in a folder, sorted; false when it cannot be read completely. Short 8.3 names count
// too: a new item under one of them would open the item that carries it.
bool readFolderNames(const std::wstring& folder, std::vector<std::wstring>& names) {
    WIN32_FIND_DATAW data;
    FindHandle find = FindFirstPath(WithTrailingSeparator(folder) + L"*", data);
    if (!find.valid()) return false;
    do {
        names.push_back(data.cFileName);
        if (data.cAlternateFileName[0] != 0) names.push_back(data.cAlternateFileName);
    } while (FindNextPath(find.get(), data));
    if (GetLastError() != ERROR_NO_MORE_FILES) return false;
    std::sort(names.begin(), names.end(), nameBefore);
    return true;
}

void publishTree(HWND window, const TreeCopy& copy, const std::wstring& item) {
    if (copy.forMove)
        setMoveProgress(window, item, 0, 0, copy.done, copy.total);
    else
        setCopyProgress(window, item, 0, 0, copy.done, copy.total);
}

// Removes a half-built temporary folder: the first `made` records, the rest were never created. What
// cannot be removed is named in the report.
void removeTemporaryTree(const std::wstring& temp, const std::vector<ScanRecord>& records, size_t made) {
    DWORD code = made == records.size()
                     ? deleteTree(temp, records, true)
                     : deleteTree(temp, std::vector<ScanRecord>(records.begin(), records.begin() + made), true);
    if (code != 0) noteLeftover(temp, code);
}

// Creates the records below the temporary folder; 0 or the first failing code, with `made` the
// records that stand (a file that fails has removed itself). Nothing in the tree is visible before
// its rename, so each file is made under its own name. Folders get their attributes only once
// everything inside them is there: a read-only folder may refuse new files.
DWORD fillTree(HWND window, const std::wstring& temp, TreeCopy& copy, size_t& made) {
    std::wstring sourceBase = WithTrailingSeparator(copy.source), tempBase = WithTrailingSeparator(temp);
    const ChunkedTransfer how = {copy.forMove ? &moveProgress : &copyProgress, false, true, !copy.forMove, false, true};
    for (made = 0; made < copy.records.size(); ++made) {
        const ScanRecord& record = copy.records[made];
        std::wstring source = sourceBase + record.relativePath, path = tempBase + record.relativePath;
        std::wstring display = copy.prefixRecords ? copy.name + L"\\" + record.relativePath : record.relativePath;
        copy.failedItem = display;
        if (record.isFolder) {
            if (!CreateFolderPath(path) && GetLastError() != ERROR_ALREADY_EXISTS) return LastFailureCode();
            publishTree(window, copy, display);
            continue;
        }
        uint64_t copied = 0;
        DWORD code = transferFileChunked(window, source, path, display, how, copy.done, copy.total, &copied);
        if (code != 0) return code;
        copy.done += copied;
    }
    for (const ScanRecord& record : copy.records) {
        if (!record.isFolder) continue;
        copy.failedItem = copy.prefixRecords ? copy.name + L"\\" + record.relativePath : record.relativePath;
        DWORD attributes = GetPathAttributes(sourceBase + record.relativePath);
        if (attributes != INVALID_FILE_ATTRIBUTES && !SetPathAttributes(tempBase + record.relativePath, attributes))
            return LastFailureCode();
    }
    copy.failedItem = copy.name;
    DWORD attributes = GetPathAttributes(copy.source);
    if (attributes != INVALID_FILE_ATTRIBUTES && !SetPathAttributes(temp, attributes)) return LastFailureCode();
    copy.failedItem.clear();
    return 0;
}

}  // namespace

PanelRefusal checkPanels(const PanelState& source, const PanelState& target) {
    if (!target.errorText.empty()) return PanelRefusal::TargetUnreadable;
    if (SamePath(source.path, target.path)) return PanelRefusal::SameFolder;
    if (IsProtectedTarget(target.path)) return PanelRefusal::TargetProtected;
    return PanelRefusal::None;
}

PlanRefusal planMarkedItems(const PanelState& source, const PanelState& target, std::vector<CopyPlanItem>& plan,
                            uint64_t& total) {
    plan.clear();
    total = 0;
    const std::wstring sourceBase = WithTrailingSeparator(source.path), targetBase = WithTrailingSeparator(target.path);
    const std::vector<int32_t> order = listingNameIndex(source);
    std::vector<std::wstring> present;
    bool listed = readFolderNames(target.path, present);
    for (const std::wstring& mark : source.marked) {
        const DirEntry* entry = findInIndex(source, order, mark);
        if (!entry) continue;
        CopyPlanItem item{entry->name, sourceBase + entry->name, targetBase + entry->name, entry->isFolder,
                          entry->size, entry->modified};
        bool exists = listed ? std::binary_search(present.begin(), present.end(), entry->name, nameBefore)
                             : GetPathAttributes(item.targetPath) != INVALID_FILE_ATTRIBUTES;
        if (exists) return PlanRefusal::TargetExists;
        if (item.isFolder) {
            if (IsProtectedSourceItem(source.path, *entry, item.sourcePath)) return PlanRefusal::ProtectedSource;
            if (IsSameOrInside(item.targetPath, item.sourcePath)) return PlanRefusal::IntoItself;
            std::vector<ScanRecord> records;
            if (!scanFolderTree(item.sourcePath, records, item.bytes)) return PlanRefusal::ScanFailed;
        }
        total += item.bytes;
        plan.push_back(std::move(item));
    }
    return plan.empty() ? PlanRefusal::Empty : PlanRefusal::None;
}

DWORD copyTreeThroughTemp(HWND window, TreeCopy& copy) {
    copy.failedItem.clear();
    uint64_t scanned = 0;
    copy.scanFailed = !scanFolderTree(copy.source, copy.records, scanned);
    if (copy.scanFailed) return kScanFailedCode;
    if (copy.totalFromScan) {
        copy.done = 0;
        copy.total = scanned;
    }
    std::wstring temp;
    DWORD code = 0;
    if (!CreateTempFolderNear(copy.target, temp, code)) return code;
    publishTree(window, copy, copy.name);
    size_t made = 0;
    code = fillTree(window, temp, copy, made);
    if (code == 0 && !MovePath(temp, copy.target, MOVEFILE_WRITE_THROUGH)) {
        code = LastFailureCode();
        copy.failedItem = copy.name;
    }
    if (code != 0) removeTemporaryTree(temp, copy.records, made);
    return code;
}
