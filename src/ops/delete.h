#pragma once
// F8: sends the cursor entry, or the marked entries, of the active panel to the recycle bin, item
// by item through the shell, after a confirmation with NO selected. Protected folders, links to
// folders, the parent entry and names the shell would change are never handed to it, and nothing
// is destroyed for good without the system asking first.
#include <windows.h>

#include <cstdint>
#include <string>

#include "panels/panels.h"

void beginDelete(HWND window);
// ESC or NO in DeleteConfirm: nothing on disk has changed.
void cancelDelete(HWND window);
// YES in DeleteConfirm: the recorded item or marks go, then the panel is re-read.
void runDelete(HWND window);
// Kind 1 (file) or 2 (folder) at `path`, checked again on disk first: 0 or a Windows code.
DWORD deleteSingleItem(HWND window, int32_t kind, const std::wstring& path, const std::wstring& name);
// Every marked entry of `panel` checked on disk first, then deleted in marking order, each checked
// again right before it goes, stopping at the first failure: 0 or its code (2 when no mark is left
// in the listing).
DWORD deleteMarkedItems(HWND window, const PanelState& panel);
// The item to the recycle bin: 0 or a Windows code. Refused (123, or 206 for a path of 260 or more
// characters) when the shell would reach another item than `path`; 1627 when the shell answered 0
// but the item is still there.
DWORD deletePath(const std::wstring& path, HWND owner = nullptr);
// One shell call that moves the item to the recycle bin: 0, the shell's code, or 1223 when the
// system's question before a permanent delete was answered NO.
DWORD recyclePath(const std::wstring& path, HWND owner = nullptr);
// Current item, its percentage and the items done of total; the total percentage follows.
void setDeleteProgress(HWND window, const std::wstring& name, int32_t itemPercent, int64_t done, int64_t total);
// The keys of DeleteConfirm.
void deleteConfirmKey(HWND window, UINT key);
// The DeleteProgress box over the main view.
void drawDeleteProgress(HDC dc, int w, int h);
