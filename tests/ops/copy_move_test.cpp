// F5 and F6 on real folders: what each refusal says and leaves, what a copy or move builds, and the
// promise under injected failures: no temporary item, no partial target under a final name, and
// the source whole (or, once the target is complete, both).
#include <gtest/gtest.h>

#include <memory>

#include "common/app_state.h"
#include "common/links.h"
#include "common/temp_folder.h"
#include "fs/file_ops.h"
#include "fs/paths.h"
#include "ops/copy.h"
#include "ops/move.h"
#include "ops/progress.h"
#include "ops/requests.h"
#include "ops/transfer.h"
#include "panels/panels.h"
#include "ui/state.h"

namespace {

// A scratch folder on another Linux file system, reached through Wine's Z: drive: renames into it
// fail with ERROR_NOT_SAME_DEVICE as they would between two Windows volumes.
struct OtherVolume {
    std::wstring path = L"Z:\\dev\\shm\\tv-ops-" + std::to_wstring(GetCurrentProcessId());
    OtherVolume() { CreateFolderPath(path); }
    ~OtherVolume() { removeTree(path); }
};

// A short fingerprint of a file's bytes.
std::string digest(const std::string& bytes) {
    uint32_t hash = 2166136261u;
    for (char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return std::to_string(bytes.size()) + ":" + std::to_string(hash);
}

// Every file and folder below `root` with its attributes and content, one line each.
std::string treeText(const std::wstring& root) {
    std::vector<ScanRecord> records;
    uint64_t total = 0;
    if (!scanFolderTree(root, records, total)) return "<unreadable>";
    std::string text;
    for (const ScanRecord& r : records) {
        std::wstring path = root + L"\\" + r.relativePath;
        text += std::string(r.relativePath.begin(), r.relativePath.end()) + " " +
                std::to_string(GetPathAttributes(path) & ~FILE_ATTRIBUTE_ARCHIVE) + " " +
                (r.isFolder ? "" : digest(readFileBytes(path))) + "\n";
    }
    return text;
}

bool hasTemporaryItem(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    return FindHandle(FindFirstFileW(LongPath(folder + L"\\.torvanecommander_tmp_*").c_str(), &data)).valid();
}

// The same folder under a second name: through Wine's Z: drive, which shows every Linux path, or on
// Windows through the administrative share of its drive (\\localhost\C$\...).
std::wstring throughAlias(const std::wstring& path) {
    using ToUnix = char* (*)(const wchar_t*);
    auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    char* name = toUnix ? toUnix(path.c_str()) : nullptr;
    if (!name) return L"\\\\localhost\\" + path.substr(0, 1) + L"$" + path.substr(2);
    std::wstring result = L"Z:";
    for (const char* c = name; *c; ++c) result += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// src holds a.txt and tree (deep\b.bin, an empty folder, a read-only and a hidden file); dst is empty.
struct Scene {
    Scene() {
        source = temp.folder(L"src");
        target = temp.folder(L"dst");
        temp.file(L"src\\a.txt", "alpha");
        temp.file(L"src\\tree\\deep\\b.bin", std::string(70000, 'b'));
        temp.folder(L"src\\tree\\empty");
        SetPathAttributes(temp.file(L"src\\tree\\ro.txt", "read-only"), FILE_ATTRIBUTE_READONLY);
        SetPathAttributes(temp.file(L"src\\tree\\hidden.txt", "hidden"), FILE_ATTRIBUTE_HIDDEN);
        show(source, target);
    }
    // The left (active) panel on `left`, the right one on `right`, the cursor on `name`.
    void show(const std::wstring& left, const std::wstring& right, const std::wstring& name = L"a.txt") {
        leftPanel.path = left;
        rightPanel.path = right;
        leftPanelActive = true;
        loadListing(leftPanel);
        loadListing(rightPanel);
        selectEntryByName(leftPanel, name);
    }
    TempFolder temp;
    std::wstring source, target;
    std::unique_ptr<FolderLink> link;
};

enum class Op { Copy, Move };

void run(Op op) {
    op == Op::Copy ? beginCopy(nullptr) : beginMove(nullptr);
}

struct Refusal {
    const char* what;
    Op op;
    void (*arrange)(Scene&);
    const wchar_t* title;  // the status line, which also carries a message box's title
    const wchar_t* text;   // the message box text, or empty
};

const Refusal kRefusals[] = {
    {"empty panel", Op::Copy, [](Scene&) { leftPanel.entries.clear(); }, L"No selection.", L""},
    {"parent entry", Op::Move, [](Scene&) { leftPanel.cursor = 0; }, L"The parent folder [DIR] .. cannot be moved.",
     L""},
    {"unreadable target panel", Op::Copy, [](Scene&) { rightPanel.errorText = L"Folder cannot be read."; },
     L"TARGET UNAVAILABLE", L"The target panel cannot be read or is not a folder."},
    {"same folder written otherwise", Op::Move, [](Scene& s) { s.show(s.source, s.source + L"\\tree\\..\\."); },
     L"MOVE BLOCKED",
     L"Source and target panels show the same folder."},
    {"target is a link", Op::Copy,
     [](Scene& s) {
         s.link = std::make_unique<FolderLink>(s.temp / L"link", s.target);
         s.show(s.source, s.temp / L"link");
     },
     L"TARGET PROTECTED", L"This system folder or link cannot be used as copy target."},
    {"source is a link", Op::Move,
     [](Scene& s) {
         s.link = std::make_unique<FolderLink>(s.source + L"\\linked", s.target);
         s.show(s.source, s.temp.folder(L"other"), L"linked");
     },
     L"SOURCE PROTECTED", L"This system folder or link cannot be copied."},
    {"into its own subfolder", Op::Move, [](Scene& s) { s.show(s.source, s.source + L"\\tree\\deep", L"tree"); },
     L"COPY BLOCKED", L"A folder cannot be copied into itself or one of its subfolders."},
    {"folder name exists as a file", Op::Copy,
     [](Scene& s) {
         s.temp.file(L"dst\\tree", "a file named like the folder");
         s.show(s.source, s.target, L"tree");
     },
     L"TARGET BLOCKED", L"An item with this name already exists in the target panel."},
    {"file name exists as a folder", Op::Move, [](Scene& s) { s.temp.folder(L"dst\\a.txt"); }, L"TARGET BLOCKED",
     L"An item with this name already exists in the target panel."},
    {"a marked name exists", Op::Copy,
     [](Scene& s) {
         s.temp.folder(L"dst\\TREE");
         leftPanel.marked = {L"a.txt", L"tree"};
     },
     L"TARGET BLOCKED",
     L"One or more marked files already exist in the target panel. Multi-copy does not overwrite yet."},
    {"marks that vanished", Op::Copy, [](Scene&) { leftPanel.marked = {L"gone.txt", L".."}; }, L"FILES ONLY",
     L"No valid marked items found in the active panel."},
    {"nothing left to move", Op::Move, [](Scene&) { leftPanel.marked = {L"gone"}; }, L"FILES ONLY",
     L"Only single files can be moved in this phase."},
    // Both paths give one volume serial number and file index.
    {"same file by identity", Op::Move,
     [](Scene& s) {
         s.temp.file(L"dst\\a.txt", "alpha");
         s.show(s.source, throughAlias(s.source));
     },
     L"MOVE BLOCKED", L"Source and target are the same file."},
};

class CopyMove : public AppTest {
protected:
    void TearDown() override {
        ClearInjectedFailures();
        AppTest::TearDown();
    }
};

TEST_F(CopyMove, RefusalsSayWhyAndChangeNothing) {
    for (const Refusal& r : kRefusals) {
        resetAppState();
        Scene scene;
        r.arrange(scene);
        const std::string before = treeText(scene.temp.path());
        run(r.op);
        EXPECT_EQ(statusLine, r.title) << r.what;
        EXPECT_EQ(messageText, r.text) << r.what;
        EXPECT_EQ(treeText(scene.temp.path()), before) << r.what;
        EXPECT_EQ(copyRequest.sourceName + moveRequest.sourceName, L"") << r.what << ": request left behind";
    }
}

// A file as its content and attributes, a folder as its tree; "<missing>" when absent.
std::string itemText(const std::wstring& path) {
    DWORD attributes = GetPathAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return "<missing>";
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return treeText(path);
    return std::to_string(attributes & ~FILE_ATTRIBUTE_ARCHIVE) + " " + digest(readFileBytes(path));
}

struct Operation {
    const char* what;
    Op op;
    const wchar_t* cursor;
    std::vector<std::wstring> marks;
    bool otherVolume;          // the target folder on another file system
    const wchar_t* status;     // after success
    std::vector<std::wstring> items;  // what arrives in the target
};

const Operation kOperations[] = {
    {"copy a file", Op::Copy, L"a.txt", {}, false, L"File copied: a.txt", {L"a.txt"}},
    {"copy a folder tree", Op::Copy, L"tree", {}, false, L"Folder copied: tree", {L"tree"}},
    {"copy marked items", Op::Copy, L"a.txt", {L"tree", L"A.TXT"}, false, L"Files copied: 2 marked item(s)",
     {L"tree", L"a.txt"}},
    {"move a file within the volume", Op::Move, L"a.txt", {}, false, L"File moved: a.txt", {L"a.txt"}},
    {"move a folder across volumes", Op::Move, L"tree", {}, true, L"Folder moved: tree", {L"tree"}},
    {"move a file across volumes", Op::Move, L"a.txt", {}, true, L"File moved: a.txt", {L"a.txt"}},
    {"move marked items across volumes", Op::Move, L"..", {L"a.txt", L"tree"}, true,
     L"File moved: 2 marked item(s)", {L"a.txt", L"tree"}},
};

// Runs one operation in a fresh scene and checks the promise whatever happened. With `fail`, call
// `nth` of that kind fails with 1117; returns the calls of each kind the run made.
std::vector<uint32_t> runChecked(const Operation& o, bool inject, FileCall fail, uint32_t nth,
                                 const std::string& label) {
    resetAppState();
    Scene scene;
    OtherVolume other;
    scene.show(scene.source, o.otherVolume ? other.path : scene.target, o.cursor);
    leftPanel.marked = o.marks;
    const std::wstring target = rightPanel.path;
    std::vector<std::string> before;
    for (const std::wstring& item : o.items) before.push_back(itemText(scene.source + L"\\" + item));
    const std::string sourceBefore = treeText(scene.source);

    ClearInjectedFailures();
    if (inject) InjectFailure(fail, nth, ERROR_IO_DEVICE);
    run(o.op);
    std::vector<uint32_t> counts;
    for (int k = 0; k < static_cast<int>(FileCall::Count); ++k) counts.push_back(FileCallCount(FileCall(k)));
    ClearInjectedFailures();

    bool succeeded = screenMode == ScreenMode::MainView;
    // A failure shows one report with a Windows error line; a scan that fails while planning refuses.
    EXPECT_TRUE(succeeded ? statusLine == o.status
                          : screenMode == ScreenMode::MessageBox &&
                                (messageText.find(L"\nWindows error: ") != std::wstring::npos ||
                                 messageText == L"The folder cannot be scanned completely or contains a protected link."))
        << label << ": " << std::string(statusLine.begin(), statusLine.end());
    EXPECT_FALSE(hasTemporaryItem(target) || hasTemporaryItem(scene.source)) << label << ": temporary item left";
    // Each item is whole in the target, or whole in the source, or both; never partial anywhere.
    bool allArrived = true;
    for (size_t i = 0; i < o.items.size(); ++i) {
        std::string there = itemText(target + L"\\" + o.items[i]), here = itemText(scene.source + L"\\" + o.items[i]);
        EXPECT_TRUE(there == "<missing>" || there == before[i]) << label << ": partial target " << there;
        EXPECT_TRUE(there == before[i] || here == before[i]) << label << ": neither whole " << here;
        EXPECT_FALSE(succeeded && o.op == Op::Move && here != "<missing>") << label << ": source kept";
        allArrived = allArrived && there == before[i];
    }
    EXPECT_TRUE(!succeeded || allArrived) << label << ": reported done, but the target is not complete";
    EXPECT_TRUE(o.op == Op::Move || treeText(scene.source) == sourceBefore) << label << ": source changed";
    return counts;
}

TEST_F(CopyMove, EachOperationBuildsItsTargetsAndReportsThem) {
    for (const Operation& o : kOperations) {
        runChecked(o, false, FileCall::Count, 0, o.what);
        EXPECT_EQ(rightPanel.entries.at(rightPanel.cursor).name, o.items.back()) << o.what;
        EXPECT_TRUE(leftPanel.marked.empty()) << o.what;
    }
}

// Every call the operation makes, failed in turn.
TEST_F(CopyMove, AFailureAtAnyStepKeepsThePromise) {
    for (const Operation& o : kOperations) {
        std::vector<uint32_t> counts = runChecked(o, false, FileCall::Count, 0, o.what);
        for (int k = 0; k < static_cast<int>(FileCall::Count); ++k)
            for (uint32_t n = 1; n <= counts[k]; ++n)
                runChecked(o, true, FileCall(k), n,
                           std::string(o.what) + ", " + FileCallName(FileCall(k)) + " #" + std::to_string(n));
    }
}

}  // namespace
