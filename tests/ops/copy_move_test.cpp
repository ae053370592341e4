// F5 and F6 on real folders: what each refusal says and leaves, what a copy or move builds, and the
// promise under injected failures: no temporary item, no partial target under a final name, and
// the source whole (or, once the target is complete, both).
#include <gtest/gtest.h>

#include <memory>

#include "common/app_state.h"
#include "common/keys.h"
#include "common/links.h"
#include "common/temp_folder.h"
#include "fs/file_ops.h"
#include "fs/paths.h"
#include "ops/copy.h"
#include "ops/move.h"
#include "ops/requests.h"
#include "ops/transfer.h"
#include "panels/panels.h"
#include "ui/state.h"

namespace {

// A file as its attributes and a fingerprint of its bytes; a folder as its attributes and those of
// every item below it, one line each; "<missing>" when absent.
std::string itemText(const std::wstring& path, bool below = true) {
    DWORD attributes = GetPathAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return "<missing>";
    const bool folder = attributes & FILE_ATTRIBUTE_DIRECTORY;
    std::string text = std::to_string(attributes & ~FILE_ATTRIBUTE_ARCHIVE) + " " +
                       (folder ? "" : std::to_string(std::hash<std::string>{}(readFileBytes(path))));
    std::vector<ScanRecord> records;
    uint64_t total = 0;
    if (folder && below && !scanFolderTree(path, records, total)) return "<unreadable>";
    for (const ScanRecord& r : records)
        text += "\n" + std::string(r.relativePath.begin(), r.relativePath.end()) + " " +
                itemText(path + L"\\" + r.relativePath, false);
    return text;
}

// src holds a.txt and tree (deep\b.bin, an empty folder, a read-only and a hidden file); dst is empty.
// `other` is a scratch folder on another Linux file system, reached through Wine's Z: drive: renames
// into it fail with ERROR_NOT_SAME_DEVICE as they would between two Windows volumes.
struct Scene {
    TempFolder temp;
    std::wstring source = temp.folder(L"src"), target = temp.folder(L"dst");
    std::wstring other = L"Z:\\dev\\shm\\tv-ops-" + std::to_wstring(GetCurrentProcessId());
    std::unique_ptr<FolderLink> link;
    Scene() {
        resetAppState();
        // A test run in another Wine prefix may have this process id too: the first free name is ours.
        for (int n = 1; n < 100 && !CreateDirectoryW(LongPath(other).c_str(), nullptr); ++n)
            other = L"Z:\\dev\\shm\\tv-ops-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(n);
        temp.file(L"src\\a.txt", "alpha");
        temp.file(L"src\\tree\\deep\\b.bin", std::string(70000, 'b'));
        temp.folder(L"src\\tree\\empty");
        SetPathAttributes(temp.file(L"src\\tree\\ro.txt", "read-only"), FILE_ATTRIBUTE_READONLY);
        SetPathAttributes(temp.file(L"src\\tree\\hidden.txt", "hidden"), FILE_ATTRIBUTE_HIDDEN);
        show(source, target);
    }
    ~Scene() { removeTree(other); }
    // The left (active) panel on `left`, the right one on `right`, the cursor on `name`.
    void show(const std::wstring& left, const std::wstring& right, const std::wstring& name = L"a.txt") {
        showPanels(left, right, name);
    }
};

enum class Op { Copy, Move };

void run(Op op) { op == Op::Copy ? beginCopy(nullptr) : beginMove(nullptr); }

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
     L"MOVE BLOCKED", L"Source and target panels show the same folder."},
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
    // Two names of one file: one volume serial number and file index.
    {"same file by identity", Op::Move,
     [](Scene& s) {
         CreateHardLinkW(LongPath(s.target + L"\\a.txt").c_str(), LongPath(s.source + L"\\a.txt").c_str(), nullptr);
         s.show(s.source, s.target);
     },
     L"MOVE BLOCKED", L"Source and target are the same file."},
};

using CopyMove = AppTest;

TEST_F(CopyMove, RefusalsSayWhyAndChangeNothing) {
    for (const Refusal& r : kRefusals) {
        Scene scene;
        r.arrange(scene);
        const std::string before = itemText(scene.temp.path());
        const std::wstring panels = panelsText();
        run(r.op);
        EXPECT_EQ(statusLine, r.title) << r.what;
        EXPECT_EQ(messageText, r.text) << r.what;
        EXPECT_EQ(itemText(scene.temp.path()), before) << r.what;
        EXPECT_EQ(panelsText(), panels) << r.what;
        EXPECT_EQ(copyRequest.sourceName + moveRequest.sourceName, L"") << r.what << ": request left behind";
    }
}

struct Operation {
    const char* what;
    Op op;
    const wchar_t* cursor;
    std::vector<std::wstring> marks;
    bool otherVolume;          // the target folder on another file system
    const wchar_t* status;     // after success; the marked items, or else the cursor's, arrive in the target
};

// The rows of kOperations, in their order.
enum Kind { FileCopy, TreeCopy, MarkedCopy, FileMoveWithin, TreeMoveAcross, FileMoveAcross, MarkedMoveAcross };
const Operation kOperations[] = {
    {"copy a file", Op::Copy, L"a.txt", {}, false, L"File copied: a.txt"},
    {"copy a folder tree", Op::Copy, L"tree", {}, false, L"Folder copied: tree"},
    {"copy marked items", Op::Copy, L"a.txt", {L"tree", L"A.TXT"}, false, L"Files copied: 2 marked item(s)"},
    {"move a file within the volume", Op::Move, L"a.txt", {}, false, L"File moved: a.txt"},
    {"move a folder across volumes", Op::Move, L"tree", {}, true, L"Folder moved: tree"},
    {"move a file across volumes", Op::Move, L"a.txt", {}, true, L"File moved: a.txt"},
    {"move marked items across volumes", Op::Move, L"..", {L"a.txt", L"tree"}, true, L"File moved: 2 marked item(s)"},
};

// What another program, or the user, does in the middle of an operation, run by the file layer's hook.
std::wstring hookItem, targetItem, outsideFolder;
std::unique_ptr<FolderLink> swappedLink;
void appendToSource() { writeFileBytes(hookItem, readFileBytes(hookItem) + "+"); }
void swapSourceForLink() {
    removeTree(hookItem);
    swappedLink = std::make_unique<FolderLink>(hookItem, outsideFolder);
}
void linkTargetToSource() {
    DeleteFilePath(targetItem);
    CreateHardLinkW(LongPath(targetItem).c_str(), LongPath(hookItem).c_str(), nullptr);
}
void pressEscape() { press({VK_ESCAPE}); }

// One run of an operation with a fault: call `nth` of `call` fails with `code`, or with code 0 the
// hook runs just before it; nothing when nth is 0. With leftovers, the first deletion of a
// temporary item fails too (5).
struct Report {
    Kind operation;
    FileCall call;
    uint32_t nth;
    DWORD code;
    const wchar_t* status = nullptr;  // a report's title, or the done text; null: any failure report
    std::wstring text = L"";          // the report up to its leftover notes; empty: not checked
    void (*hook)() = nullptr;
    const wchar_t* stays = nullptr;   // relative to the test folder: what exists afterwards, the hook's item
    int leftovers = 0;                // temporary items left, each named once in a note
};

const std::wstring kNote = L"\nTemporary item left behind: ";
const std::wstring kScanFailed = L"The folder cannot be scanned completely or contains a protected link.";

const std::wstring kCheckFolders = L"\nPlease check source and target folders. Both may now contain data.";
const std::wstring kPartial = L"\nOperation stopped. Partial target may exist.";

// Without a report to expect, a failure shows its operation's: the title, the item, the code the
// call failed with and the hint. A scan reports 82; one while planning marked items refuses. A
// read-only source whose attribute could not be cleared then refuses its deletion (5).
bool isFailureReport(const Operation& o, const Report& r) {
    const bool scan = r.call == FileCall::FindFirst || r.call == FileCall::FindNext;
    const std::wstring report = messageText.substr(0, messageText.find(kNote));
    if (screenMode != ScreenMode::MessageBox) return false;
    if (scan && !o.marks.empty()) return messageTitle == L"FOLDER SCAN FAILED" && report == kScanFailed;
    const std::wstring title = o.op == Op::Move ? L"MOVE FAILED" : scan ? L"FOLDER SCAN FAILED" : L"COPY FAILED";
    const std::wstring hint = o.op == Op::Move ? kCheckFolders : scan || r.operation == FileCopy ? L"" : kPartial;
    auto ends = [&](DWORD code) { return report.ends_with(L"\nWindows error: " + std::to_wstring(code) + hint); };
    return messageTitle == title && report.find(L"\nItem: ") < report.find(L"\nWindows error: ") &&
           (ends(scan ? 82 : r.code) || (o.op == Op::Move && r.call == FileCall::SetAttributes && ends(5)));
}

// Runs the row in a fresh scene and checks the promise whatever happened: nothing partial anywhere,
// each item whole in the target or the source, no temporary item but the leftovers, and a failure
// leaves both panels as they were (marks, cursors, listings: the target is not read again). Then
// the report. Returns the calls of each kind the run made.
std::vector<uint32_t> runChecked(const Report& r) {
    const Operation& o = kOperations[r.operation];
    const std::vector<std::wstring> items = o.marks.empty() ? std::vector<std::wstring>{o.cursor} : o.marks;
    std::string label = o.what;
    if (r.nth) label += std::string(", ") + FileCallName(r.call) + " #" + std::to_string(r.nth) + (r.code ? "" : "+");
    Scene scene;
    if (r.hook == linkTargetToSource) scene.temp.file(L"dst\\a.txt", "older");
    scene.show(scene.source, o.otherVolume ? scene.other : scene.target, o.cursor);
    leftPanel.marked = o.marks;
    const std::wstring target = rightPanel.path, panels = panelsText();
    hookItem = r.stays ? scene.temp / r.stays : L"";
    targetItem = target + L"\\" + o.cursor;
    outsideFolder = ParentFolder(scene.temp.file(L"outside\\b.bin", "not moved"));
    std::vector<std::string> before;
    for (const std::wstring& item : items) before.push_back(itemText(scene.source + L"\\" + item));
    const std::string sourceBefore = itemText(scene.source);

    ClearInjectedFailures();
    if (r.nth != 0) r.code ? InjectFailure(r.call, r.nth, r.code) : InjectBeforeCall(r.call, r.nth, r.hook);
    if (r.leftovers) InjectFailure(FileCall::DeleteFile, 1, ERROR_ACCESS_DENIED);
    run(o.op);
    if (screenMode == ScreenMode::CopyOverwriteConfirm || screenMode == ScreenMode::MoveOverwriteConfirm)
        press({VK_LEFT, VK_RETURN});  // YES
    std::vector<uint32_t> counts;
    for (int k = 0; k < static_cast<int>(FileCall::Count); ++k) counts.push_back(FileCallCount(FileCall(k)));
    ClearInjectedFailures();

    const bool succeeded = statusLine == o.status;
    const std::string shown(messageText.begin(), messageText.end());
    EXPECT_TRUE(r.status ? statusLine == r.status : succeeded || isFailureReport(o, r))
        << label << ": " << std::string(statusLine.begin(), statusLine.end()) << ": " << shown;
    EXPECT_TRUE(r.text.empty() || messageText.substr(0, messageText.find(kNote)) == r.text) << label << ": " << shown;
    EXPECT_TRUE(screenMode != ScreenMode::MessageBox || panelsText() == panels) << label << ": panels changed";
    const std::wstring& atCursor = rightPanel.entries.at(rightPanel.cursor).name;
    EXPECT_TRUE(!succeeded || (_wcsicmp(atCursor.c_str(), items.back().c_str()) == 0 && leftPanel.marked.empty()))
        << label << ": target panel cursor or marks";
    // Each leftover is named once, as it stands, with the code its removal failed with (a folder that
    // keeps a file is not empty: 145).
    size_t notes = 0;
    for (size_t at = messageText.find(kNote); at != std::wstring::npos; at = messageText.find(kNote, at + 1), ++notes) {
        size_t from = at + kNote.size(), end = std::min(messageText.find(L'\n', from), messageText.size());
        EXPECT_TRUE(pathExists(messageText.substr(from, end - from))) << label << ": " << shown;
        std::wstring code = messageText.substr(end, messageText.find(L'\n', end + 1) - end);
        EXPECT_TRUE(code == L"\nWindows error: 5" || code == L"\nWindows error: 145") << label << ": " << shown;
    }
    EXPECT_EQ(notes, size_t(r.leftovers)) << label << ": " << shown;
    EXPECT_EQ(hasTemporaryItem(target) || hasTemporaryItem(scene.source), r.leftovers > 0) << label;
    EXPECT_TRUE(!r.stays || pathExists(scene.temp / r.stays)) << label;
    EXPECT_EQ(readFileBytes(scene.temp / L"outside\\b.bin"), "not moved") << label << ": deleted through a link";
    bool allArrived = true;
    for (size_t i = 0; i < items.size(); ++i) {
        std::string there = itemText(target + L"\\" + items[i]), here = itemText(scene.source + L"\\" + items[i]);
        EXPECT_TRUE(there == "<missing>" || there == before[i]) << label << ": partial target " << there;
        EXPECT_TRUE(there == before[i] || here == before[i]) << label << ": neither whole " << here;
        EXPECT_FALSE(succeeded && o.op == Op::Move && here != "<missing>") << label << ": source kept";
        allArrived = allArrived && there == before[i];
    }
    EXPECT_TRUE(!succeeded || allArrived) << label << ": reported done, but the target is not complete";
    EXPECT_TRUE(o.op == Op::Move || itemText(scene.source) == sourceBefore) << label << ": source changed";
    swappedLink.reset();
    return counts;
}

// Each operation once cleanly, then with every call it made failed in turn (1117).
TEST_F(CopyMove, AFailureAtAnyStepKeepsThePromise) {
    for (const Operation& o : kOperations) {
        const Kind kind = Kind(&o - kOperations);
        std::vector<uint32_t> counts = runChecked({kind, FileCall::Count, 0, 0, o.status});
        for (int k = 0; k < static_cast<int>(FileCall::Count); ++k)
            for (uint32_t n = 1; n <= counts[k]; ++n) runChecked({kind, FileCall(k), n, ERROR_IO_DEVICE});
    }
}

const std::wstring kNotMoved = L"The selected item could not be moved.\nItem: a.txt\nWindows error: ";
const std::wstring kChanged = L"This item changed during the move and stays in the source.\nItem: ";
const std::wstring kNotCopied = L"The file could not be copied.\nItem: ";
const std::wstring kAttributes = L"The target now holds the new file, but its attributes could not be set.";

// What each failure says: title, text, item, code and hint. Codes: 1117 an I/O error, 80 and 183 a
// target that appeared, 5 access denied, 1223 cancelled. A changed item stays in the source while
// the target holds it as it was copied, and nothing is deleted through a link. The YES rows replace
// the target with the source between the question and the answer. ESC stops copies and a single
// file's move to another volume; the moves of folders and marked items run to their end. A marked
// copy's second item is a.txt after the four writes of tree. A target folder deleted before the rename
// takes the temporary file with it: nothing is left to name. A folder copy that fails at its second
// file leaves no folder under its name and no temporary item.
const Report kReports[] = {
    {TreeCopy, FileCall::Write, 1, 1117, L"COPY FAILED", kNotCopied + L"deep\\b.bin\nWindows error: 1117" + kPartial,
     nullptr, nullptr, 2},
    {FileCopy, FileCall::Move, 1, 80, L"OVERWRITE FILE", L"File already exists. Overwrite?", nullptr, nullptr, 1},
    {FileMoveAcross, FileCall::Move, 2, 183, L"OVERWRITE FILE", L"File already exists. Overwrite?"},
    {TreeCopy, FileCall::CreateNew, 2, 1117, L"COPY FAILED"},
    {TreeCopy, FileCall::FindFirst, 1, 5, L"FOLDER SCAN FAILED", kScanFailed + L"\nItem: tree\nWindows error: 82"},
    {FileCopy, FileCall::SetAttributes, 1, 5, L"COPY FAILED", kAttributes + L"\nItem: a.txt\nWindows error: 5",
     nullptr, L"dst\\a.txt"},
    {FileMoveAcross, FileCall::SetAttributes, 1, 5, L"MOVE FAILED",
     kAttributes + L" The source was kept.\nItem: a.txt\nWindows error: 5" + kCheckFolders, nullptr, L"src\\a.txt"},
    {FileMoveAcross, FileCall::DeleteFile, 1, 5, L"MOVE FAILED", kNotMoved + L"5" + kCheckFolders},
    {TreeMoveAcross, FileCall::ItemFacts, 1, 0, L"MOVE FAILED", kChanged + L"tree\\deep\\b.bin" + kCheckFolders,
     appendToSource, L"src\\tree\\deep\\b.bin"},
    {TreeMoveAcross, FileCall::ItemFacts, 1, 0, L"MOVE FAILED", kChanged + L"tree\\deep" + kCheckFolders,
     swapSourceForLink, L"src\\tree\\deep"},
    {MarkedMoveAcross, FileCall::ItemFacts, 1, 0, L"MOVE FAILED", kChanged + L"a.txt" + kCheckFolders,
     appendToSource, L"src\\a.txt"},
    {FileMoveAcross, FileCall::ItemFacts, 1, 0, L"MOVE FAILED", kChanged + L"a.txt" + kCheckFolders, appendToSource,
     L"src\\a.txt"},
    {FileCopy, FileCall::Identity, 3, 0, L"COPY BLOCKED", L"Source and target are the same file.",
     linkTargetToSource, L"src\\a.txt"},
    {FileMoveWithin, FileCall::Identity, 3, 0, L"MOVE BLOCKED", L"Source and target are the same file.",
     linkTargetToSource, L"src\\a.txt"},
    {FileCopy, FileCall::Write, 1, 0, L"COPY FAILED", kNotCopied + L"a.txt\nWindows error: 1223", pressEscape},
    {FileCopy, FileCall::Move, 1, 0, L"COPY FAILED", L"", [] { removeTree(ParentFolder(targetItem)); }},
    {MarkedCopy, FileCall::Write, 5, 0, L"COPY FAILED", kNotCopied + L"a.txt\nWindows error: 1223" + kPartial,
     pressEscape, L"dst\\tree"},
    {FileMoveAcross, FileCall::Write, 1, 0, L"MOVE FAILED", kNotMoved + L"1223" + kCheckFolders, pressEscape},
    {TreeMoveAcross, FileCall::Write, 1, 0, L"Folder moved: tree", L"", pressEscape},
    {MarkedMoveAcross, FileCall::Write, 2, 0, L"File moved: 2 marked item(s)", L"", pressEscape},
};

TEST_F(CopyMove, EachFailureSaysWhatHappenedAndLeavesThePanels) {
    for (const Report& r : kReports) runChecked(r);
}

}  // namespace
