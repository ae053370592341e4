#pragma once
// Protection rules: the system's own top-level folders, links and unreadable folders are never
// operands or targets of copy, move, rename or delete. Pure predicates; they show nothing.
// A path is judged twice, by its name and by where it really leads (junctions, subst drives and
// short names resolved); it is protected when either form matches.
#include <string>

#include "fs/dir_entry.h"

// Upper-case names that count only directly in a drive root (11) ...
extern const wchar_t* const ProtectedRootNames[11];
// ... and those that also protect everything below them (8; the users folders are not among them).
extern const wchar_t* const ProtectedTreeNames[8];

// The name as Windows resolves it for matching: trailing dots and spaces dropped, upper case.
// "Users. " gives "USERS".
std::wstring NormalizedFolderName(const std::wstring& name);
// Where an existing path really leads: GetFinalPathNameByHandleW without its \\?\ prefix and with
// short names expanded. A path that does not exist is resolved through its nearest existing
// ancestor; empty when nothing can be opened.
std::wstring ResolvedLocation(const std::wstring& path);

// The path is a tree-protected folder directly in a drive root, or lies below one. Drive roots and
// network paths never are.
bool IsInsideProtectedTree(const std::wstring& path);
// The entry is a folder that must not be copied, moved, renamed or deleted: a link or junction, a
// folder that cannot be queried, a protected name in a drive root, or anything in a protected tree.
// Files are never protected here.
bool IsProtectedSourceItem(const std::wstring& panelFolder, const DirEntry& entry, const std::wstring& itemPath);
// The folder must not receive copied or moved items: missing, not a folder, a link, a protected
// name in a drive root or inside a protected tree. A drive root itself is allowed.
bool IsProtectedTarget(const std::wstring& folder);
