#include "app/resource_counts.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <string>

#include "fs/handles.h"

namespace {

constexpr unsigned kKeysPerLine = 100;

std::wstring countsFile;
unsigned keysSeen = 0;

// One entry of the GDI handle table of a 64-bit process, on Windows and Wine alike.
struct GdiHandleEntry {
    uint64_t kernelObject;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;  // 0: unused
    uint8_t flags;
    uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "64-bit layout");

int kernelHandles() {
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0) return static_cast<int>(count);
    // Handle values are multiples of 4, reused lowest first: a long run of unused ones is the end.
    int used = 0;
    for (ULONG_PTR value = 4, misses = 0; misses < 1024; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            ++used;
            misses = 0;
        } else {
            ++misses;
        }
    }
    return used;
}

void appendLine(const char* label) {
    char line[128];
    int n = wsprintfA(line, "%s %u gdi %d user %d handles %d\r\n", label, keysSeen, gdiObjectCount(),
                      static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)), kernelHandles());
    FileHandle file(CreateFileW(countsFile.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file.valid()) WriteFile(file.get(), line, static_cast<DWORD>(n), &written, nullptr);
}

}  // namespace

// Under Wine GetGuiResources and GetProcessHandleCount answer 0. There GDI objects are counted in
// the GDI handle table the PEB points to, and kernel handles by asking about each handle value in
// turn; USER objects have no such way and stay 0.
int gdiObjectCount() {
    DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (count != 0) return static_cast<int>(count);
#if defined(_WIN64)
    using GetPeb = void*(WINAPI*)();
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    auto getPeb = ntdll ? reinterpret_cast<GetPeb>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetCurrentPeb")))
                        : nullptr;
    if (!getPeb) return -1;
    constexpr size_t kTableOffset = 0xF8;  // PEB::GdiSharedHandleTable
    auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(static_cast<const char*>(getPeb()) + kTableOffset);
    if (!table) return -1;
    int used = 0;
    for (int i = 0; i < 0x10000; ++i)
        if (table[i].type != 0) ++used;
    return used;
#else
    return -1;
#endif
}

void startResourceCounts() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args) return;
    for (int i = 1; i + 1 < count; ++i)
        if (lstrcmpW(args[i], L"--resource-counts") == 0) countsFile = args[i + 1];
    LocalFree(args);
}

void countResourcesAfterKey() {
    if (!countsFile.empty() && ++keysSeen % kKeysPerLine == 0) appendLine("key");
}

void writeExitResourceCounts() {
    if (!countsFile.empty()) appendLine("exit");
}
