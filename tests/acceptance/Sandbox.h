// The world the acceptance tests set up around the real program: a fresh folder holding a copy of
// korva.exe and its own KORVA.INI (or none), the game, tools and maps folders on drive D:, registry
// entries of the installers, and the processes started, which are all ended when a test is over.
#pragma once

#include "support/TestFiles.h"

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

namespace korva::acceptance {

// ---- Files

using test::BuildDir;
using test::FileExists;
using test::MakeDir;
using test::ReadFile;
using test::RemoveTree;
using test::WriteFile;
bool CopyStandin(const std::string& name, const std::string& to); // a stand-in program from the build

// One value of an INI file, in the order of the file.
struct IniValue {
    std::string section, key, value;
    bool operator==(const IniValue&) const = default;
};
void PrintTo(const IniValue& value, std::ostream* out); // [section] key=value, for failure messages
// The sections and values of an INI file as they stand in it; blank lines are skipped.
std::vector<IniValue> ReadIni(const std::string& path);
// The value of section/key (names compared without regard to case), or "<missing>".
std::string IniLookup(const std::vector<IniValue>& ini, const std::string& section, const std::string& key);

// ---- The installation of the worked example on drive D:

// D:\Games\HL\ with HL.EXE and Valve\Maps\, D:\Tools\Compile\ with the four tools, D:\Editor\maps\ with
// castle.map; removed again by Remove(). Fails the test when drive D: is missing from the prefix.
struct WorkedExample {
    static constexpr const char* kGameDir = "D:\\Games\\HL\\";
    static constexpr const char* kToolsDir = "D:\\Tools\\Compile\\";
    static constexpr const char* kMapsDir = "D:\\Editor\\maps\\";
    static constexpr const char* kMap = "D:\\Editor\\maps\\castle.map";
    static void Install();
    static void Remove();
    // KORVA.INI as the program writes it, for these folders and map.
    static std::string Settings(int mode, bool runGame, const std::string& map = kMap);
};

// ---- Registry entries of the game's and the level editor's installers (32-bit view, as they write)

void SetInstallEntry(const std::string& product, const std::string& directory); // "HALFLIFE", "WC"
void RemoveInstallEntries();

// ---- The program

// A started copy of the program (or any program). Whatever it starts is ended with it by EndAll().
class Process {
public:
    Process() = default;
    Process(const std::string& exe, const std::string& folder);
    ~Process();
    Process(Process&& other) noexcept;
    Process& operator=(Process&&) = delete;
    Process(const Process&) = delete;

    explicit operator bool() const { return handle_ != nullptr; }
    DWORD Id() const { return id_; }
    bool WaitForExit(int milliseconds);
    bool Running() const;
    DWORD ExitCode() const;

private:
    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
};

// Ends every process started by the tests and everything those started (consoles, tools, the game).
void EndAll();
// Whether a process of this file name (e.g. "cmd.exe") is running among what the tests started.
bool StartedProgramRunning(const char* exeName);

// A fresh folder holding a copy of korva.exe and, when given, its own KORVA.INI. Ends all started
// processes and removes the folder when it goes.
class ProgramFolder {
public:
    ProgramFolder();
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::string& Path() const { return dir_.Path(); } // ends in a backslash
    std::string Settings() const { return dir_ / "KORVA.INI"; }
    void WriteSettings(const std::string& content) const { WriteFile(Settings(), content); }
    // Starts korva.exe from this folder, in this folder.
    Process Start() const;

private:
    test::TempDir dir_; // removed after the destructor has ended the started processes
};

} // namespace korva::acceptance
