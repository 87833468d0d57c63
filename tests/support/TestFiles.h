// Files and folders for the Windows tests and the acceptance tests: temporary folders, reading and
// writing whole files, and the build folder. Nothing of the program is used here.
#pragma once

#include <string>

namespace korva::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // The folder, ending in a backslash.
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

// Removes the folder and everything in it; links to folders are removed, not followed.
void RemoveTree(const std::string& folder);
// Makes the folder and any missing parents.
void MakeDir(const std::string& folder);
// Writes the file anew; a file that cannot be written fails the running test.
void WriteFile(const std::string& path, const std::string& content);
// The whole content; empty when the file cannot be read.
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
// Copies a file; false on failure.
bool CopyFileTo(const std::string& from, const std::string& to);

// The build folder (holding korva.exe and standins\), ending in a backslash, found from the running
// test program, which lives in its tests\ folder.
std::string BuildDir();

// Names the system code page cannot hold, for the tests of names that come in from the system.
// Text of the code page in UTF-16.
std::wstring Wide(const std::string& text);
// The short (8.3) name of the last part of an existing path; empty when it has none.
std::string ShortName(const std::wstring& path);
// Makes a folder whose parent exists / writes a file anew, named in UTF-16.
void MakeDir(const std::wstring& folder);
void WriteFile(const std::wstring& path, const std::string& content);

} // namespace korva::test
