// The platform's own listing speed: a recursive FindFirstFileA/FindNextFileA walk that does nothing but
// list and recurse (links and junctions are not entered, as in the scanner). Prints the entries and the
// time taken. Usage: korva_bare_walk <folder>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

long long entries = 0;
long long folders = 0;

void Walk(const std::string& folder) {
    ++folders;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((folder + "\\*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (data.cFileName[0] == '.' && (!data.cFileName[1] || (data.cFileName[1] == '.' && !data.cFileName[2])))
            continue;
        ++entries;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            Walk(folder + "\\" + data.cFileName);
    } while (::FindNextFileA(find, &data));
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
    Walk(argv[1]);
    ::QueryPerformanceCounter(&end);
    std::printf("entries=%lld folders=%lld seconds=%.4f\n", entries, folders,
                double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
}
