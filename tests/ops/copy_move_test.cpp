// F5 and F6 on real folders: what each refusal says and leaves, what a copy or move builds, and the
// promise under injected failures: no temporary item, no partial target under a final name, and
// the source whole (or, once the target is complete, both).
#include <gtest/gtest.h>

#include <memory>

#include "app/input.h"
#include "common/app_state.h"
#include "common/keys.h"
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

// Both panels as the user sees them: folder, cursor, marks and listed names.
std::wstring panelsText() {
    std::wstring text;
    for (const PanelState* panel : {&leftPanel, &rightPanel}) {
        text += panel->path + L" @" + std::to_wstring(panel->cursor) + L" marks:";
        for (const std::wstring& mark : panel->marked) text += L" " + mark;
        for (const DirEntry& entry : panel->entries) text += L" /" + entry.name;
    }
    return text;
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
    // Wine and Windows both give "report final.txt" an 8.3 name; a new item under it would open that file.
    {"a marked name is a short name in the target", Op::Copy,
     [](Scene& s) {
         WIN32_FIND_DATAW data;
         FindHandle find(FindFirstFileW(LongPath(s.temp.file(L"dst\\report final.txt", "old")).c_str(), &data));
         s.temp.file(L"src\\" + std::wstring(data.cAlternateFileName), "new");
         s.show(s.source, s.target);
         leftPanel.marked = {L"a.txt", data.cAlternateFileName};
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
        const std::wstring panels = panelsText();
        run(r.op);
        EXPECT_EQ(statusLine, r.title) << r.what;
        EXPECT_EQ(messageText, r.text) << r.what;
        EXPECT_EQ(treeText(scene.temp.path()), before) << r.what;
        EXPECT_EQ(panelsText(), panels) << r.what;
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

// What another program, or the user, does in the middle of an operation, run by the file layer's hook.
std::wstring sourceItem, targetItem, outsideFolder;
std::unique_ptr<FolderLink> swappedLink;
void appendToSource() {
    FileHandle file(CreateFileW(LongPath(sourceItem).c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    DWORD wrote = 0;
    WriteFile(file.get(), "+", 1, &wrote, nullptr);
}
void swapSourceForLink() {
    removeTree(sourceItem);
    swappedLink = std::make_unique<FolderLink>(sourceItem, outsideFolder);
}
void linkTargetToSource() {
    DeleteFilePath(targetItem);
    CreateHardLinkW(LongPath(targetItem).c_str(), LongPath(sourceItem).c_str(), nullptr);
}
void pressEscape() {
    dispatchKey(nullptr, VK_ESCAPE);
}

struct Injected {
    FileCall call;
    uint32_t nth;
    DWORD code;  // 0: the row's hook runs just before that call instead
};

struct Report {
    const char* what;
    Op op;
    const wchar_t* cursor;
    std::vector<std::wstring> marks;
    bool otherVolume;
    std::vector<Injected> injected;
    void (*hook)();
    const wchar_t* changed;  // what the hook changes in the source, relative to it; null: the cursor entry
    const wchar_t* status;   // a report's title, or the done text
    std::wstring text;       // the report up to its leftover notes; empty: not checked
    int leftovers;           // "Temporary item left behind" notes
    const wchar_t* stays;    // relative to the test folder: what exists afterwards; null: not checked
};

const std::wstring kCheckFolders = L"\nPlease check source and target folders. Both may now contain data.";
const std::wstring kNotMoved = L"The selected item could not be moved.\nItem: a.txt\nWindows error: ";
const std::wstring kChanged = L"This item changed during the move and stays in the source.\nItem: ";
const std::wstring kNotCopied = L"The file could not be copied.\nItem: ";
const std::wstring kPartial = L"\nOperation stopped. Partial target may exist.";

// What each failure says: title, text, item, code and hint. Codes: 1117 an I/O error, 80 and 183 a
// target that appeared, 5 access denied, 1223 cancelled. ESC stops copies and a single file's move
// to another volume; the moves of folders and marked items run to their end. A marked copy's
// second item is a.txt after the four writes of tree.
const Report kReports[] = {
    {"copy a file, a write fails", Op::Copy, L"a.txt", {}, false, {{FileCall::Write, 1, 1117}}, nullptr, nullptr,
     L"COPY FAILED", kNotCopied + L"a.txt\nWindows error: 1117", 0, L"src\\a.txt"},
    {"copy a folder, its final rename fails", Op::Copy, L"tree", {}, false, {{FileCall::Move, 4, 1117}}, nullptr,
     nullptr, L"COPY FAILED", kNotCopied + L"tree\nWindows error: 1117" + kPartial, 0, L"src\\tree"},
    {"copy a folder, a file and its temporary copy stay", Op::Copy, L"tree", {}, false,
     {{FileCall::Write, 1, 1117}, {FileCall::DeleteFile, 1, 5}}, nullptr, nullptr, L"COPY FAILED", L"", 2, nullptr},
    {"move a file within the volume, the rename fails", Op::Move, L"a.txt", {}, false, {{FileCall::Move, 1, 1117}},
     nullptr, nullptr, L"MOVE FAILED", kNotMoved + L"1117" + kCheckFolders, 0, L"src\\a.txt"},
    {"copy a file, a target appears and the temporary file stays", Op::Copy, L"a.txt", {}, false,
     {{FileCall::Move, 1, 80}, {FileCall::DeleteFile, 1, 5}}, nullptr, nullptr, L"OVERWRITE FILE",
     L"File already exists. Overwrite?", 1, L"src\\a.txt"},
    {"move a file across volumes, a target appears", Op::Move, L"a.txt", {}, true, {{FileCall::Move, 2, 183}},
     nullptr, nullptr, L"OVERWRITE FILE", L"File already exists. Overwrite?", 0, L"src\\a.txt"},
    {"copy a folder that cannot be scanned", Op::Copy, L"tree", {}, false, {{FileCall::FindFirst, 1, 5}}, nullptr,
     nullptr, L"FOLDER SCAN FAILED",
     L"The folder cannot be scanned completely or contains a protected link.\nItem: tree\nWindows error: 82", 0,
     nullptr},
    {"copy a file whose attributes cannot be set", Op::Copy, L"a.txt", {}, false, {{FileCall::SetAttributes, 1, 5}},
     nullptr, nullptr, L"COPY FAILED",
     L"The target now holds the new file, but its attributes could not be set.\nItem: a.txt\nWindows error: 5", 0,
     L"dst\\a.txt"},
    {"move a file across volumes whose attributes cannot be set", Op::Move, L"a.txt", {}, true,
     {{FileCall::SetAttributes, 1, 5}}, nullptr, nullptr, L"MOVE FAILED",
     L"The target now holds the new file, but its attributes could not be set. The source was kept.\nItem: "
     L"a.txt\nWindows error: 5" + kCheckFolders, 0, L"src\\a.txt"},
    {"move a file across volumes whose source cannot be deleted", Op::Move, L"a.txt", {}, true,
     {{FileCall::DeleteFile, 1, 5}}, nullptr, nullptr, L"MOVE FAILED", kNotMoved + L"5" + kCheckFolders, 0,
     L"src\\a.txt"},
    {"a file changed during a folder move", Op::Move, L"tree", {}, true, {{FileCall::ItemFacts, 1, 0}},
     appendToSource, L"tree\\deep\\b.bin", L"MOVE FAILED", kChanged + L"tree\\deep\\b.bin" + kCheckFolders, 0,
     L"src\\tree\\deep\\b.bin"},
    {"a folder became a link during a folder move", Op::Move, L"tree", {}, true, {{FileCall::ItemFacts, 1, 0}},
     swapSourceForLink, L"tree\\deep", L"MOVE FAILED", kChanged + L"tree\\deep" + kCheckFolders, 0,
     L"src\\tree\\deep"},
    {"a marked file changed during the move", Op::Move, L"..", {L"a.txt", L"tree"}, true,
     {{FileCall::ItemFacts, 1, 0}}, appendToSource, L"a.txt", L"MOVE FAILED", kChanged + L"a.txt" + kCheckFolders,
     0, L"src\\a.txt"},
    {"a file changed during a single-file move", Op::Move, L"a.txt", {}, true, {{FileCall::ItemFacts, 1, 0}},
     appendToSource, L"a.txt", L"MOVE FAILED", kChanged + L"a.txt" + kCheckFolders, 0, L"src\\a.txt"},
    {"YES after the target became the source: copy", Op::Copy, L"a.txt", {}, false, {{FileCall::Identity, 3, 0}},
     linkTargetToSource, nullptr, L"COPY BLOCKED", L"Source and target are the same file.", 0, L"src\\a.txt"},
    {"YES after the target became the source: move", Op::Move, L"a.txt", {}, false, {{FileCall::Identity, 3, 0}},
     linkTargetToSource, nullptr, L"MOVE BLOCKED", L"Source and target are the same file.", 0, L"src\\a.txt"},
    {"ESC in a single-file copy", Op::Copy, L"a.txt", {}, false, {{FileCall::Write, 1, 0}}, pressEscape, nullptr,
     L"COPY FAILED", kNotCopied + L"a.txt\nWindows error: 1223", 0, L"src\\a.txt"},
    {"ESC in a marked copy", Op::Copy, L"..", {L"tree", L"a.txt"}, false, {{FileCall::Write, 5, 0}}, pressEscape,
     nullptr, L"COPY FAILED", kNotCopied + L"a.txt\nWindows error: 1223" + kPartial, 0, L"dst\\tree"},
    {"ESC in a single-file move across volumes", Op::Move, L"a.txt", {}, true, {{FileCall::Write, 1, 0}},
     pressEscape, nullptr, L"MOVE FAILED", kNotMoved + L"1223" + kCheckFolders, 0, L"src\\a.txt"},
    {"ESC in a folder move across volumes", Op::Move, L"tree", {}, true, {{FileCall::Write, 1, 0}}, pressEscape,
     nullptr, L"Folder moved: tree", L"", 0, nullptr},
    {"ESC in a marked move across volumes", Op::Move, L"..", {L"a.txt", L"tree"}, true, {{FileCall::Write, 2, 0}},
     pressEscape, nullptr, L"File moved: 2 marked item(s)", L"", 0, nullptr},
};

size_t countOf(const std::wstring& text, const std::wstring& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// Beside what each report says: a stopped operation leaves both panels as they were (marks, cursors,
// listings: the target is not read again), a changed item stays in the source while the target
// holds it as it was copied, and nothing is deleted through a link.
TEST_F(CopyMove, EachFailureSaysWhatHappenedAndLeavesThePanels) {
    for (const Report& r : kReports) {
        resetAppState();
        Scene scene;
        OtherVolume other;
        const std::wstring target = r.otherVolume ? other.path : scene.target;
        if (r.hook == linkTargetToSource) scene.temp.file(L"dst\\a.txt", "older");
        scene.show(scene.source, target, r.cursor);
        leftPanel.marked = r.marks;
        sourceItem = scene.source + L"\\" + (r.changed ? r.changed : r.cursor);
        targetItem = target + L"\\" + r.cursor;
        outsideFolder = scene.temp.folder(L"outside");
        scene.temp.file(L"outside\\b.bin", "not moved");
        const std::string copied = r.changed ? itemText(sourceItem) : "";
        const std::wstring panels = panelsText();
        for (const Injected& i : r.injected)
            i.code ? InjectFailure(i.call, i.nth, i.code) : InjectBeforeCall(i.call, i.nth, r.hook);
        run(r.op);
        if (screenMode == ScreenMode::CopyOverwriteConfirm || screenMode == ScreenMode::MoveOverwriteConfirm)
            press({VK_LEFT, VK_RETURN});
        ClearInjectedFailures();
        const std::wstring note = L"\nTemporary item left behind: ";
        EXPECT_EQ(statusLine, r.status) << r.what;
        EXPECT_TRUE(r.text.empty() || messageText.substr(0, messageText.find(note)) == r.text)
            << r.what << ": " << std::string(messageText.begin(), messageText.end());
        EXPECT_EQ(countOf(messageText, note), size_t(r.leftovers)) << r.what;
        EXPECT_EQ(hasTemporaryItem(target), r.leftovers > 0) << r.what;
        EXPECT_TRUE(screenMode != ScreenMode::MessageBox || panelsText() == panels) << r.what << ": panels changed";
        EXPECT_TRUE(!r.stays || pathExists(scene.temp / r.stays)) << r.what;
        EXPECT_TRUE(!r.changed || itemText(target + L"\\" + r.changed) == copied) << r.what;
        EXPECT_EQ(readFileBytes(scene.temp / L"outside\\b.bin"), "not moved") << r.what;
        swappedLink.reset();
    }
}

}  // namespace
