#include "ops/transfer.h"

#include <set>

#include "fs/file_ops.h"
#include "fs/handles.h"
#include "fs/paths.h"
#include "ui/pump.h"

namespace {

constexpr DWORD kTemporaryBits = FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
// A chunk moves in pieces of 64 KiB, each read and at once written while it is still in the CPU
// cache. Under Wine a 1 GiB copy through 1 MiB reads took a fifth longer than one in 64 KiB pieces,
// which is also what CopyFileExW uses.
constexpr DWORD kIoPiece = 65536;
static_assert(kTransferChunkSize % kIoPiece == 0, "a chunk is a whole number of pieces");

// What the open source told us before the copy.
struct SourceFacts {
    uint64_t size = 0;
    bool haveTimes = false;
    FILETIME created = {}, accessed = {}, written = {};
    DWORD attributes = INVALID_FILE_ATTRIBUTES;  // from the handle, for when the path cannot be read later
};

// The chunk buffer: committed pages come zero-filled and page-aligned; under Wine reads and writes
// through such a buffer run about twice as fast as through a heap block of the same size.
class ChunkBuffer {
public:
    ChunkBuffer() : data_(static_cast<char*>(VirtualAlloc(nullptr, kTransferChunkSize, MEM_COMMIT | MEM_RESERVE,
                                                          PAGE_READWRITE))) {}
    ~ChunkBuffer() {
        if (data_) VirtualFree(data_, 0, MEM_RELEASE);
    }
    ChunkBuffer(const ChunkBuffer&) = delete;
    ChunkBuffer& operator=(const ChunkBuffer&) = delete;
    char* data() const { return data_; }

private:
    char* data_;
};

// False only when the member treats a cancellation as the end.
bool keepGoing(const ChunkedTransfer& how) {
    return pumpMessagesPaced() || !how.pumpCancels;
}

void publishItem(HWND window, const ChunkedTransfer& how, uint64_t done, uint64_t size, int32_t percent,
                 uint64_t before, uint64_t all) {
    OperationProgress& progress = *how.progress;
    progress.itemDone = done;
    progress.itemSize = size;
    progress.itemPercent = percent;
    if (how.withTotal) {
        progress.totalDone = before + done;
        progress.totalSize = all;
        progress.totalPercent = percentOf(before + done, all);
    }
    publishProgress(window);
}

// Steps from the first publish to the flush: fills the temporary file from the source. `done`: the
// bytes written into it.
DWORD copyChunks(HWND window, HANDLE source, HANDLE temp, const std::wstring& display, const ChunkedTransfer& how,
                 const SourceFacts& facts, uint64_t before, uint64_t all, uint64_t& done) {
    how.progress->currentItem = display;
    int32_t shown = facts.size == 0 ? 100 : 0;
    publishItem(window, how, 0, facts.size, shown, before, all);
    if (!keepGoing(how)) return ERROR_CANCELLED;

    ChunkBuffer buffer;
    if (!buffer.data()) return LastFailureCode();
    done = 0;
    for (bool atEnd = false; !atEnd;) {
        // One chunk, filled piece by piece; each piece is written while it is still in the CPU cache.
        DWORD filled = 0;
        while (filled < kTransferChunkSize) {
            // After a short read the pieces no longer line up with the chunk: never ask for more than
            // the room left in the buffer.
            char* piece = buffer.data() + filled;
            DWORD room = kTransferChunkSize - filled;
            DWORD got = 0;
            if (!ReadBytes(source, piece, room < kIoPiece ? room : kIoPiece, got)) return LastFailureCode();
            if (got == 0) {
                atEnd = true;
                break;
            }
            for (DWORD offset = 0; offset < got;) {
                if (!keepGoing(how)) return ERROR_CANCELLED;
                DWORD wrote = 0;
                if (!WriteBytes(temp, piece + offset, got - offset, wrote)) return LastFailureCode();
                if (wrote == 0) return ERROR_WRITE_FAULT;
                offset += wrote;
            }
            filled += got;
            done += got;
        }
        if (filled == 0) break;
        int32_t percent = percentOf(done, facts.size);
        if (percent != shown) {
            shown = percent;
            publishItem(window, how, done, facts.size, percent, before, all);
        }
        if (!keepGoing(how)) return ERROR_CANCELLED;
    }
    if (!FlushFile(temp)) return LastFailureCode();
    if (facts.haveTimes) SetFileTime(temp, &facts.created, &facts.accessed, &facts.written);
    return 0;
}

// The attributes the finished target takes: the source's, read by path, else from its handle; if
// neither is known, whatever the target has without the temporary file's marks.
DWORD finishedAttributes(const std::wstring& source, const std::wstring& target, const SourceFacts& facts) {
    DWORD attributes = GetPathAttributes(source);
    if (attributes != INVALID_FILE_ATTRIBUTES) return attributes;
    if (facts.attributes != INVALID_FILE_ATTRIBUTES) return facts.attributes;
    attributes = GetPathAttributes(target);
    if (attributes == INVALID_FILE_ATTRIBUTES) return attributes;
    attributes &= ~kTemporaryBits;
    return attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL;
}

// Deletes the temporary file of a failed transfer and passes the failure on; a temporary file that
// stays is named in the next report.
DWORD dropTemporary(const std::wstring& tempPath, DWORD code) {
    if (!DeleteFilePath(tempPath)) noteLeftover(tempPath, LastFailureCode());
    return code;
}

uint64_t timeValue(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

bool isNotFound(DWORD code) {
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_NOT_FOUND;
}

bool scanLevel(const std::wstring& root, const std::wstring& prefix, int level, const ScanLimits& limits,
               std::vector<ScanRecord>& records, uint64_t& totalBytes) {
    // No record check on entry: a full list may still end in an empty folder.
    if (level > limits.depth) return false;
    std::wstring pattern = WithTrailingSeparator(root);
    if (!prefix.empty()) pattern += WithTrailingSeparator(prefix);
    pattern += L"*";
    pumpPaintAndTimers();
    WIN32_FIND_DATAW data;
    FindHandle find = FindFirstPath(pattern, data);
    if (!find.valid()) {
        // Nothing found at all, not even "." and "..": an empty folder on some redirectors. A folder
        // below the root was just listed by its parent; the root must be one.
        if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
        if (level > 0) return true;
        DWORD attributes = GetPathAttributes(root);
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        std::wstring relative = prefix.empty() ? name : WithTrailingSeparator(prefix) + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return false;
        if (records.size() >= limits.records) return false;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            records.push_back(ScanRecord{relative, true, 0, 0});
            if (!scanLevel(root, relative, level + 1, limits, records, totalBytes)) return false;
        } else {
            uint64_t size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
            totalBytes += size;
            records.push_back(ScanRecord{relative, false, size, timeValue(data.ftLastWriteTime)});
        }
    } while (FindNextPath(find.get(), data));
    return GetLastError() == ERROR_NO_MORE_FILES;
}

// Gathers the outcome of deleteTree: strict stops at the first failure, tolerant remembers it.
struct DeleteOutcome {
    bool tolerant;
    DWORD first = 0;
    // True when the walk must stop now.
    bool failed(DWORD code) {
        if (tolerant && isNotFound(code)) return false;
        if (first == 0) first = code;
        return !tolerant;
    }
};

// Deletes one file or removes one folder; a survivor gets its attributes back.
bool deleteItem(const std::wstring& path, bool folder, DeleteOutcome& outcome) {
    DWORD attributes = GetPathAttributes(path);
    if (folder) {
        if (attributes != INVALID_FILE_ATTRIBUTES) SetPathAttributes(path, WritableAttributes(attributes));
    } else {
        SetPathAttributes(path, FILE_ATTRIBUTE_NORMAL);
    }
    bool removed = folder ? RemoveFolderPath(path) : DeleteFilePath(path);
    if (removed) return true;
    DWORD code = LastFailureCode();
    if (attributes != INVALID_FILE_ATTRIBUTES) SetPathAttributes(path, attributes);
    return !outcome.failed(code);
}

// The item on disk is still the one its record describes: the same kind, not a link, and a file of
// the same size and last write time.
bool sameAsScanned(const DirEntry& now, const ScanRecord& record) {
    if ((now.attributes & FILE_ATTRIBUTE_REPARSE_POINT) || now.isFolder != record.isFolder) return false;
    return record.isFolder || (now.size == record.size && now.modified == record.modified);
}

bool isBelow(const std::wstring& path, const std::wstring& folder) {
    return path.size() > folder.size() && path[folder.size()] == L'\\' && path.compare(0, folder.size(), folder) == 0;
}

// The strict deleteTree: a moved source, item by item as its scan found it.
DWORD deleteScannedSource(const std::wstring& root, const std::vector<ScanRecord>& records, std::wstring& changed) {
    DeleteOutcome outcome{false};
    DirEntry now;
    if (!ReadItemEntry(root, now)) return LastFailureCode();
    if (!sameAsScanned(now, ScanRecord{std::wstring(), true, 0, 0})) {
        changed.clear();
        return kErrorSourceChanged;
    }
    const std::wstring base = WithTrailingSeparator(root);
    std::set<std::wstring> kept;  // what stays: changed items and every folder above one
    for (size_t i = 0; i < records.size(); ++i) {
        const ScanRecord& record = records[i];
        const std::wstring path = base + record.relativePath;
        if (!ReadItemEntry(path, now)) return LastFailureCode();
        if (sameAsScanned(now, record)) {
            if (!record.isFolder && !deleteItem(path, false, outcome)) return outcome.first;
            continue;
        }
        if (kept.empty()) changed = record.relativePath;
        for (std::wstring part = record.relativePath;;) {
            kept.insert(part);
            size_t cut = part.rfind(L'\\');
            if (cut == std::wstring::npos) break;
            part.resize(cut);
        }
        // Never entered: under a folder that became a link lies something else.
        while (i + 1 < records.size() && isBelow(records[i + 1].relativePath, record.relativePath)) ++i;
    }
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        if (!it->isFolder || kept.count(it->relativePath)) continue;
        if (!deleteItem(base + it->relativePath, true, outcome)) return outcome.first;
    }
    if (!kept.empty()) return kErrorSourceChanged;
    deleteItem(root, true, outcome);
    return outcome.first;
}

}  // namespace

DWORD transferFileChunked(HWND window, const std::wstring& source, const std::wstring& target,
                          const std::wstring& display, const ChunkedTransfer& how, uint64_t before,
                          uint64_t all, uint64_t* copied, bool* attributesFailed) {
    if (copied) *copied = 0;
    if (attributesFailed) *attributesFailed = false;
    FileHandle input = OpenForReading(source);
    if (!input.valid()) return LastFailureCode();

    // No existence test first: under Wine each look-up of a name not there yet reads the whole
    // folder, and the rename without replace (or the creation in a temporary tree) refuses an
    // existing target at the last moment, where a test would leave a race.
    std::wstring tempPath = target;
    DWORD code = 0;
    FileHandle temp = how.inTemporaryTree ? CreateNewFile(target) : CreateTempFileNear(target, tempPath, code);
    if (!temp.valid()) return how.inTemporaryTree ? LastFailureCode() : code;

    SourceFacts facts;
    uint64_t written = 0;
    if (!ReadFileSize(input.get(), facts.size)) {
        code = LastFailureCode();
    } else {
        facts.haveTimes = GetFileTime(input.get(), &facts.created, &facts.accessed, &facts.written) != 0;
        BY_HANDLE_FILE_INFORMATION info;
        if (GetFileInformationByHandle(input.get(), &info)) facts.attributes = info.dwFileAttributes;
        code = copyChunks(window, input.get(), temp.get(), display, how, facts, before, all, written);
    }
    // A late write error can surface when the temporary file is closed.
    if (!temp.close() && code == 0) code = LastFailureCode();
    input.close();
    if (code != 0) return dropTemporary(tempPath, code);

    DWORD flags = MOVEFILE_WRITE_THROUGH | (how.overwrite ? MOVEFILE_REPLACE_EXISTING : 0);
    if (!how.inTemporaryTree && !MovePath(tempPath, target, flags)) return dropTemporary(tempPath, LastFailureCode());
    // From here the target is complete under its name. If it cannot take the source's attributes it
    // would keep the temporary file's marks unseen, so that is a failure, and a move keeps its source.
    // Inside a temporary tree the file goes with its tree; it is dropped here like a partial one.
    DWORD attributes = finishedAttributes(source, target, facts);
    if (attributes != INVALID_FILE_ATTRIBUTES && !SetPathAttributes(target, attributes)) {
        code = LastFailureCode();
        if (how.inTemporaryTree) return dropTemporary(target, code);
        if (attributesFailed) *attributesFailed = true;
        return code;
    }
    if (copied) *copied = written;
    publishItem(window, how, written, written, 100, before, all);
    if (!how.moveSource) return 0;
    return deleteMovedSource(source, target, written, facts.haveTimes ? timeValue(facts.written) : 0, attributes);
}

DWORD checkDistinctItems(const std::wstring& source, const std::wstring& target) {
    FileIdentity a, b;
    if (!ReadFileIdentity(source, a) || !ReadFileIdentity(target, b)) return LastFailureCode();
    return SameIdentity(a, b) ? kErrorSameItem : 0;
}

DWORD deleteMovedSource(const std::wstring& source, const std::wstring& target, uint64_t size, uint64_t modified,
                        DWORD attributes) {
    DWORD code = checkDistinctItems(source, target);
    if (code != 0) return code;
    DirEntry now;
    if (!ReadItemEntry(source, now)) return LastFailureCode();
    if (!sameAsScanned(now, ScanRecord{std::wstring(), false, size, modified})) return kErrorSourceChanged;
    DWORD read = GetPathAttributes(source);
    if (read != INVALID_FILE_ATTRIBUTES) attributes = read;
    DWORD writable = WritableAttributes(attributes);
    bool change = attributes != INVALID_FILE_ATTRIBUTES && writable != attributes;
    if (change && !SetPathAttributes(source, writable)) return LastFailureCode();
    if (DeleteFilePath(source)) return 0;
    code = LastFailureCode();
    if (change) SetPathAttributes(source, attributes);
    return code;
}

DWORD copyFileChunked(HWND window, const std::wstring& source, const std::wstring& target,
                      const std::wstring& display, bool overwrite, bool withTotal, uint64_t before, uint64_t all,
                      uint64_t* copied, bool* attributesFailed) {
    const ChunkedTransfer how = {&copyProgress, overwrite, withTotal, true, false};
    return transferFileChunked(window, source, target, display, how, before, all, copied, attributesFailed);
}

DWORD copyFileForMove(HWND window, const std::wstring& source, const std::wstring& target,
                      const std::wstring& display, uint64_t before, uint64_t all, uint64_t* copied) {
    const ChunkedTransfer how = {&moveProgress, false, true, false, false};
    return transferFileChunked(window, source, target, display, how, before, all, copied);
}

bool scanFolderTree(const std::wstring& root, std::vector<ScanRecord>& records, uint64_t& totalBytes,
                    const ScanLimits& limits) {
    records.clear();
    totalBytes = 0;
    return scanLevel(TrimTrailingSeparators(FullPath(root)), std::wstring(), 0, limits, records, totalBytes);
}

DWORD deleteTree(const std::wstring& root, const std::vector<ScanRecord>& records, bool tolerant,
                 std::wstring* changed) {
    std::wstring ignored;
    if (!tolerant) return deleteScannedSource(root, records, changed ? *changed : ignored);
    DeleteOutcome outcome{true};
    std::wstring base = WithTrailingSeparator(root);
    for (const ScanRecord& record : records) {
        if (record.isFolder) continue;
        if (!deleteItem(base + record.relativePath, false, outcome)) return outcome.first;
    }
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        if (!it->isFolder) continue;
        if (!deleteItem(base + it->relativePath, true, outcome)) return outcome.first;
    }
    deleteItem(root, true, outcome);
    return outcome.first;
}
