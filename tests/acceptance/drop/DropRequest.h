// How the acceptance tests describe a drop to the library they load into korva.exe (DropHere.cpp): a
// block of shared memory named after korva.exe's process, holding this header and then the DROPFILES
// data (support/DropFiles.h).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace korva::acceptance {

struct DropRequest {
    std::uint64_t window; // the window to drop on
    std::uint32_t bytes;  // of the DROPFILES data that follows
    std::uint32_t posted; // set by the library: 1 posted, 2 failed
};

inline std::wstring DropRequestName(DWORD processId) { return L"KorvaTestDrop." + std::to_wstring(processId); }

} // namespace korva::acceptance
