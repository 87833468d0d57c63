// Files and folders for the tests.
#include "support/TestFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace korva::test {

TempDir::TempDir() {
    char base[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    path_ = std::string(base) + "korva-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
            std::to_string(++counter) + "\\";
    RemoveTree(path_);
    ::CreateDirectoryA(path_.c_str(), nullptr);
}

TempDir::~TempDir() { RemoveTree(path_); }

namespace {

// In UTF-16, so that names the code page cannot hold go too.
void RemoveWideTree(const std::wstring& folder) {
    std::wstring base = folder;
    if (!base.empty() && base.back() != L'\\')
        base += L'\\';
    WIN32_FIND_DATAW entry;
    HANDLE find = ::FindFirstFileW((base + L"*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = base + name;
            ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveWideTree(path);
            else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                ::RemoveDirectoryW(path.c_str());
            else
                ::DeleteFileW(path.c_str());
        } while (::FindNextFileW(find, &entry));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(base.c_str());
}

} // namespace

void RemoveTree(const std::string& folder) {
    RemoveWideTree(Wide(folder));
}

void MakeDir(const std::string& folder) {
    // Parents first, so that a\b\c can be made in one call.
    for (auto end = folder.find('\\', 3); end != std::string::npos; end = folder.find('\\', end + 1))
        ::CreateDirectoryA(folder.substr(0, end).c_str(), nullptr);
    ::CreateDirectoryA(folder.c_str(), nullptr);
}

void WriteFile(const std::string& path, const std::string& content) {
    WriteFile(Wide(path), content);
}

void WriteFile(const std::wstring& path, const std::string& content) {
    HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot write a file named in UTF-16";
        return;
    }
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    ::CloseHandle(file);
}

std::string ReadFile(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        content.append(buffer, got);
    ::CloseHandle(file);
    return content;
}

bool FileExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string BuildDir() {
    char self[MAX_PATH * 4] = {};
    ::GetModuleFileNameA(nullptr, self, sizeof self);
    std::string path = self;
    path.erase(path.find_last_of('\\')); // ...\tests
    path.erase(path.find_last_of('\\') + 1);
    return path;
}

bool CopyFileTo(const std::string& from, const std::string& to) { return ::CopyFileA(from.c_str(), to.c_str(), FALSE); }

std::wstring Wide(const std::string& text) {
    const int length =
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string ShortName(const std::wstring& path) {
    wchar_t shortPath[MAX_PATH * 4] = {};
    if (!::GetShortPathNameW(path.c_str(), shortPath, MAX_PATH * 4))
        return {};
    std::wstring name = shortPath;
    name.erase(0, name.find_last_of(L'\\') + 1);
    return std::string(name.begin(), name.end()); // short names are plain ASCII
}

void MakeDir(const std::wstring& folder) {
    ::CreateDirectoryW(folder.c_str(), nullptr);
}

} // namespace korva::test
