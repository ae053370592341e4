#include "common/gdi_count.h"

#include <windows.h>

namespace {

// One entry of the GDI handle table on 64-bit Windows and Wine.
struct GdiHandleEntry {
    uint64_t kernelObject;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;  // 0: unused
    uint8_t flags;
    uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "64-bit layout");

constexpr size_t kGdiHandleTableOffset = 0xF8;  // PEB::GdiSharedHandleTable on x64
constexpr int kGdiHandleCount = 0x10000;

int countHandleTable() {
#if !defined(_WIN64)
    return -1;  // only the 64-bit layout is known here
#else
    using GetPeb = void*(WINAPI*)();
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll) return -1;
    auto getPeb = reinterpret_cast<GetPeb>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetCurrentPeb")));
    if (!getPeb) return -1;
    auto* peb = static_cast<const char*>(getPeb());
    auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + kGdiHandleTableOffset);
    if (!table) return -1;
    int used = 0;
    for (int i = 0; i < kGdiHandleCount; ++i)
        if (table[i].type != 0) ++used;
    return used;
#endif
}

}  // namespace

int gdiObjectCount() {
    DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (count != 0) return static_cast<int>(count);
    return countHandleTable();
}
