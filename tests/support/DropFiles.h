// The data Explorer hands a window when files are dropped on it, for the tests that drop files: a
// DROPFILES header and the names in UTF-16, each ended by a NUL and the list by one more. In a block of
// GlobalAlloc's, of the receiving process, it is the HDROP of WM_DROPFILES.
#pragma once

#include <windows.h>

#include <shlobj.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace korva::test {

// How the acceptance tests hand a drop to the library they load into korva.exe to make it there
// (acceptance/drop/DropHere.cpp): shared memory named after korva.exe's process, holding this header
// and then the data.
struct DropRequest {
    std::uint64_t window; // the window to drop on
    std::uint32_t bytes;  // of the data that follows
    std::uint32_t posted; // set to 1 by the library once it posted the drop
};
inline std::wstring DropRequestName(DWORD processId) {
    return L"KorvaTestDrop." + std::to_wstring(processId);
}

inline std::vector<char> DropFilesData(const std::vector<std::wstring>& files) {
    std::wstring names;
    for (const std::wstring& file : files)
        names += file + L'\0';
    names += L'\0';
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.fWide = TRUE;
    std::vector<char> data(sizeof header + names.size() * sizeof(wchar_t));
    std::memcpy(data.data(), &header, sizeof header);
    std::memcpy(data.data() + sizeof header, names.data(), names.size() * sizeof(wchar_t));
    return data;
}

} // namespace korva::test
