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
    uint64_t size = 0;  // 0 for folders
};

// The columns that tell the members of the chunked-transfer family apart.
struct ChunkedTransfer {
    OperationProgress* progress;  // the record that is published into
    bool overwrite;               // the final rename may replace an existing target
    bool withTotal;               // totalDone and totalPercent are published too
    bool pumpCancels;             // a false pump result at a cancellation point stops with 1223
    bool moveSource;              // cross-volume move: after the last publish the source is made
                                  // writable and deleted (its attributes come back if it stays)
};

// The shared loop. Cancellation points (when pumpCancels): once before the first read, before every
// write call, after every chunk; each reads the cancel flag and pumps messages if the last pump is
// 10 ms old. Progress is published rationed (publishProgress): the caller paints the first and last
// state of its operation. `copied` (optional) receives the bytes written on success. When the
// finished target cannot take the source's attributes, that code is returned: the target is complete
// under its name, and a move keeps its source.
DWORD transferFileChunked(HWND window, const std::wstring& source, const std::wstring& target,
                          const std::wstring& display, const ChunkedTransfer& how, uint64_t before,
                          uint64_t all, uint64_t* copied);
// Into copyProgress; overwrite and totals by the flags; cancellable.
DWORD copyFileChunked(HWND window, const std::wstring& source, const std::wstring& target,
                      const std::wstring& display, bool overwrite, bool withTotal, uint64_t before, uint64_t all,
                      uint64_t* copied = nullptr);
// Into moveProgress with totals; never overwrites; not cancellable (ESC only changes the status).
DWORD copyFileForMove(HWND window, const std::wstring& source, const std::wstring& target,
                      const std::wstring& display, uint64_t before, uint64_t all, uint64_t* copied = nullptr);

// Reads the whole tree below `root` into `records` (pre-order) and the bytes of all files into
// `totalBytes`. Fails on any reparse point inside, below level `limits.depth`, or beyond
// `limits.records` records. A tree of exactly that many records passes, even when the last one is
// a folder (which is then scanned and must be empty).
bool scanFolderTree(const std::wstring& root, std::vector<ScanRecord>& records, uint64_t& totalBytes,
                    const ScanLimits& limits = ScanLimits());
// Deletes the files of the list, then its folders deepest first, then the root. Strict: the first
// failure stops it, and a file or folder that survives keeps its attributes. Tolerant (cleaning up a
// half-built temporary tree): "not found" codes (2, 3, 1168) are ignored, every item and the root
// are tried, and the first other code is returned.
DWORD deleteTree(const std::wstring& root, const std::vector<ScanRecord>& records, bool tolerant);
