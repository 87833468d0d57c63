// The platform's own listing speed: a recursive FindFirstFileW/FindNextFileW walk (the calls the scanner's
// listings make) that does nothing but list and recurse (links and junctions are not entered, as in the
// scanner). Prints the entries and the time taken. Usage: korva_bare_walk <folder>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

long long entries = 0;
long long folders = 0;

void Walk(const std::wstring& folder) {
    ++folders;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"\\*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (data.cFileName[0] == '.' && (!data.cFileName[1] || (data.cFileName[1] == '.' && !data.cFileName[2])))
            continue;
        ++entries;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            Walk(folder + L"\\" + data.cFileName);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: korva_bare_walk <folder>\n");
        return 2;
    }
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    std::wstring folder(static_cast<size_t>(::MultiByteToWideChar(CP_ACP, 0, argv[1], -1, nullptr, 0)),
                        L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, argv[1], -1, folder.data(), static_cast<int>(folder.size()));
    folder.resize(folder.size() - 1); // the closing NUL
    Walk(folder);
    ::QueryPerformanceCounter(&end);
    std::printf("entries=%lld folders=%lld seconds=%.4f\n", entries, folders,
                double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
}
