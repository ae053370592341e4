#pragma once
// One entry of a folder as the find calls report it: what a panel lists and what the protection
// rules judge.
#include <cstdint>
#include <string>

struct DirEntry {
    std::wstring name;        // as the find call reports it, without a path
    bool isFolder = false;
    uint32_t attributes = 0;
    uint64_t size = 0;
    uint64_t modified = 0;    // last write time, 100 ns units since 1601 (UTC)
};
