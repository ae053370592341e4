#pragma once
// Safe file transfer, tree scan and tree deletion. A file is copied in 1 MiB chunks (each moved in
// 64 KiB pieces) into a new temporary file beside the target, flushed, given the source's times,
// renamed onto the target and only then given the source's attributes; a failure or cancellation
// deletes the temporary file and leaves an existing target untouched. A temporary file that cannot
// be deleted is noted for the next report (noteLeftover). Results are 0 or a Windows error code; the
// engine itself produces 80 (target exists), 29 (a write wrote nothing) and 1223 (cancelled).
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ops/progress.h"

constexpr DWORD kTransferChunkSize = 1048576;
// An application-defined code (bit 29 set, which no system code has): source and target turned out
// to be one file or folder reached through two paths.
constexpr DWORD kErrorSameItem = 0x20000001;
// Another application-defined code: a source item changed between its copy and its deletion (a
// file rewritten, a folder replaced by a link), so it stays where it is.
constexpr DWORD kErrorSourceChanged = 0x20000002;
constexpr int kMaxScanDepth = 128;          // levels below the scanned root (the root is level 0)
constexpr size_t kMaxScanRecords = 200000;  // records a scan may hold; one more fails it

// How far a scan may go; the program always scans within the two limits above.
struct ScanLimits {
    size_t records = kMaxScanRecords;
    int depth = kMaxScanDepth;
};

// One entry of a scanned tree, in pre-order; the path is relative to the root, joined with "\".
struct ScanRecord {
    std::wstring relativePath;
    bool isFolder = false;
    uint64_t size = 0;      // 0 for folders
    uint64_t modified = 0;  // last write time as the scan found it, 100 ns units since 1601
};

// The columns that tell the members of the chunked-transfer family apart.
struct ChunkedTransfer {
    OperationProgress* progress;  // the record that is published into
    bool overwrite;               // the final rename may replace an existing target
    bool withTotal;               // totalDone and totalPercent are published too
    bool pumpCancels;             // a false pump result at a cancellation point stops with 1223
    bool moveSource;              // cross-volume move: after the last publish the source is made
                                  // writable and deleted (its attributes come back if it stays)
    bool inTemporaryTree = false; // the target lies in a temporary folder tree that only its own
                                  // rename makes visible: the file is made under its name there
};

// The shared loop. The file is written into a temporary file beside the target and renamed onto it,
// replacing nothing unless `overwrite`, so an existing target refuses there (183); inside a temporary
// tree it is created under its name (80 when that exists). Cancellation points (when pumpCancels):
// once before the first read, before every write call, after every chunk; each reads the cancel flag
// and pumps messages if the last pump is 10 ms old. Progress is published rationed (publishProgress):
// the caller paints the first and last state of its operation. `copied` (optional) receives the bytes
// written on success. When the finished target cannot take the source's attributes, that code is
// returned: the target is complete under its name (`attributesFailed`, optional, is then true, and
// false after anything else), and a move keeps its source; inside a temporary tree it is removed.
DWORD transferFileChunked(HWND window, const std::wstring& source, const std::wstring& target,
                          const std::wstring& display, const ChunkedTransfer& how, uint64_t before,
                          uint64_t all, uint64_t* copied, bool* attributesFailed = nullptr);
// Into copyProgress; overwrite and totals by the flags; cancellable.
DWORD copyFileChunked(HWND window, const std::wstring& source, const std::wstring& target,
                      const std::wstring& display, bool overwrite, bool withTotal, uint64_t before, uint64_t all,
                      uint64_t* copied = nullptr, bool* attributesFailed = nullptr);
// Into moveProgress with totals; never overwrites; not cancellable (ESC only changes the status).
DWORD copyFileForMove(HWND window, const std::wstring& source, const std::wstring& target,
                      const std::wstring& display, uint64_t before, uint64_t all, uint64_t* copied = nullptr);

// Before a source is deleted after its copy: 0 when both exist and are two different items,
// kErrorSameItem when they are one item under two paths (a share, a second drive letter), else the
// code of the identity that could not be read (the source then stays).
DWORD checkDistinctItems(const std::wstring& source, const std::wstring& target);
// The end of a move to another volume, once the target is complete: deletes the source file unless
// checkDistinctItems objects or it is no longer the file that was copied, `size` bytes last written
// at `modified` (kErrorSourceChanged: it stays). A read-only source is made writable first (its
// attributes read now, else `attributes`) and gets them back if it stays.
DWORD deleteMovedSource(const std::wstring& source, const std::wstring& target, uint64_t size, uint64_t modified,
                        DWORD attributes = INVALID_FILE_ATTRIBUTES);

// Reads the whole tree below `root` into `records` (pre-order) and the bytes of all files into
// `totalBytes`. Fails on any reparse point inside, below level `limits.depth`, or beyond
// `limits.records` records. A tree of exactly that many records passes, even when the last one is
// a folder (which is then scanned and must be empty). A folder whose search finds nothing at all
// (2: some redirectors give no "." and "..") is empty. While it reads, the window's paint and timer
// messages are answered; keys and everything else stay queued.
bool scanFolderTree(const std::wstring& root, std::vector<ScanRecord>& records, uint64_t& totalBytes,
                    const ScanLimits& limits = ScanLimits());
// Deletes the files of the list, then its folders deepest first, then the root. Strict (a moved
// source): the first failure stops it, and a file or folder that survives keeps its attributes; each
// item is first compared with its record, and one that changed since the scan (another size or last
// write time, another kind, or a reparse point now) stays with the folders above it and is never
// entered: the result is then kErrorSourceChanged with the first such item's relative path in
// `changed` (empty: the root itself). Tolerant (cleaning up a half-built temporary tree): "not
// found" codes (2, 3, 1168) are ignored, every item and the root are tried, and the first other
// code is returned.
DWORD deleteTree(const std::wstring& root, const std::vector<ScanRecord>& records, bool tolerant,
                 std::wstring* changed = nullptr);
