#pragma once
// What copy and move share: the checks on the two panels, the plan of a marked-items operation,
// and the rebuilding of a folder through a temporary folder beside its target.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ops/transfer.h"
#include "panels/panels.h"

// The code a failed folder scan is reported with (ERROR_CANNOT_MAKE).
constexpr DWORD kScanFailedCode = 82;

// Listing positions sorted by name without case (stable: equal names keep listing order).
std::vector<int32_t> listingNameIndex(const PanelState& panel);
// What FindPanelEntry finds through that index (the exact spelling first, then the first of any
// case; never ".."), in log n; null when the name has left the listing.
const DirEntry* findInIndex(const PanelState& panel, const std::vector<int32_t>& index, const std::wstring& name);

// Why the other panel cannot take items; None when it can.
enum class PanelRefusal { None, TargetUnreadable, SameFolder, TargetProtected };
PanelRefusal checkPanels(const PanelState& source, const PanelState& target);

struct CopyPlanItem {
    std::wstring name;
    std::wstring sourcePath;
    std::wstring targetPath;
    bool isFolder = false;
    uint64_t bytes = 0;     // a file's size, or the byte total of a folder's scan
    uint64_t modified = 0;  // a file's last write time as listed
};

// Why a marked-items plan was refused; None when it stands. `refusedItem` names the item.
enum class PlanRefusal { None, TargetExists, ProtectedSource, IntoItself, ScanFailed, Empty };

// Plans the marks of `source` into the folder of `target`, in marking order. Names that left the
// listing are skipped; any name that exists in the target, as a long or a short name, refuses the
// whole plan, as does a
// protected folder, a folder the target lies in, or a folder that cannot be scanned completely.
// One name index of the listing and one read of the target folder serve all marks.
PlanRefusal planMarkedItems(const PanelState& source, const PanelState& target, std::vector<CopyPlanItem>& plan,
                            uint64_t& total);

// One folder rebuilt beside its target. The target name appears only by the final rename; on any
// failure the temporary folder is removed (a removal that fails is noted for the report).
struct TreeCopy {
    bool forMove = false;       // files through copyFileForMove into moveProgress, else copyFileChunked
    std::wstring source;        // the folder to copy
    std::wstring target;        // its new full path, which must not exist
    std::wstring name;          // shown while the folder starts and ends
    bool prefixRecords = false; // records shown as name\relative (marked items), else relative only
    bool totalFromScan = true;  // single folder: the totals are the scan's; else done/total below
    uint64_t done = 0;          // in: bytes done before; out: after
    uint64_t total = 0;
    std::vector<ScanRecord> records;  // out: the scan, for a move to delete the source by
    bool scanFailed = false;          // out: the folder could not be scanned completely
    std::wstring failedItem;          // out: what was being copied when it failed
};
// 0, the scan failure code, or the code of the failing step.
DWORD copyTreeThroughTemp(HWND window, TreeCopy& copy);
