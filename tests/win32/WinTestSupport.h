// Helpers for tests against the real Windows API: temporary folders, files, message pumping, waiting,
// and the folders of the build (the program, the stand-ins).
#pragma once

#include <windows.h>

#include <functional>
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

void RemoveTree(const std::string& folder);
// Makes the folder and any missing parents.
void MakeDir(const std::string& folder);
void WriteFile(const std::string& path, const std::string& content);
// The whole content; empty when the file cannot be read.
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);

// The build folder (holding korva.exe and standins\), ending in a backslash.
std::string BuildDir();
// Copies a file; false on failure.
bool CopyFileTo(const std::string& from, const std::string& to);

// Dispatches this thread's pending messages as the program's loops do.
void PumpMessages();
// Pumps messages until condition holds or the time is up; returns the condition's last value.
bool WaitFor(const std::function<bool()>& condition, int milliseconds = 10000);

// Ends the programs this process started that are still running (consoles left open by "/k").
void EndChildProcesses();

} // namespace korva::test
