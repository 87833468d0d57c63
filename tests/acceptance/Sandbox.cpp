// Folders, files, registry entries and processes for the acceptance tests.
#include "Sandbox.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <algorithm>

namespace korva::acceptance {
namespace {

constexpr const char* kSetupKey = "Software\\Sierra OnLine\\Setup";

std::vector<DWORD>& StartedIds() {
    static std::vector<DWORD> ids;
    return ids;
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// The started processes and all their descendants that are still running, found by parent links.
std::vector<PROCESSENTRY32> StartedTree() {
    std::vector<PROCESSENTRY32> all;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return all;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL ok = ::Process32First(snapshot, &entry); ok; ok = ::Process32Next(snapshot, &entry))
        all.push_back(entry);
    ::CloseHandle(snapshot);

    // A parent that has ended already still names its children, so the ids of started programs are kept
    // even after they end.
    std::vector<DWORD> tree = StartedIds();
    for (size_t i = 0; i < tree.size(); ++i)
        for (const auto& p : all)
            if (p.th32ParentProcessID == tree[i] &&
                std::find(tree.begin(), tree.end(), p.th32ProcessID) == tree.end())
                tree.push_back(p.th32ProcessID);
    std::vector<PROCESSENTRY32> running;
    for (const auto& p : all)
        if (p.th32ProcessID != ::GetCurrentProcessId() &&
            std::find(tree.begin(), tree.end(), p.th32ProcessID) != tree.end())
            running.push_back(p);
    return running;
}

} // namespace

bool CopyStandin(const std::string& name, const std::string& to) {
    return ::CopyFileA((BuildDir() + "standins\\" + name).c_str(), to.c_str(), FALSE) != FALSE;
}

std::vector<IniValue> ReadIni(const std::string& path) {
    std::vector<IniValue> values;
    const std::string text = ReadFile(path);
    std::string section;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        line = Trim(line);
        if (line.empty())
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const auto equals = line.find('=');
        values.push_back({section, Trim(line.substr(0, equals)),
                          equals == std::string::npos ? std::string() : Trim(line.substr(equals + 1))});
    }
    return values;
}

void PrintTo(const IniValue& value, std::ostream* out) {
    *out << "[" << value.section << "] " << value.key << "=" << value.value;
}

std::string IniLookup(const std::vector<IniValue>& ini, const std::string& section, const std::string& key) {
    for (const auto& v : ini)
        if (Lower(v.section) == Lower(section) && Lower(v.key) == Lower(key))
            return v.value;
    return "<missing>";
}

void WorkedExample::Install() {
    Remove();
    ASSERT_EQ(::GetDriveTypeA("D:\\"), static_cast<UINT>(DRIVE_FIXED))
        << "drive D: is missing: the Wine prefix must be set up with scripts/init-wine-prefix.sh --test";
    for (const std::string& folder :
         {std::string(kGameDir) + "Valve\\Maps", std::string(kToolsDir), std::string(kMapsDir)})
        MakeDir(folder);
    for (const char* tool : {"QCSG.EXE", "QBSP2.EXE", "VIS.EXE", "QRAD.EXE"})
        ASSERT_TRUE(CopyStandin(tool, std::string(kToolsDir) + tool)) << "the stand-ins are not built";
    ASSERT_TRUE(CopyStandin("HL.EXE", std::string(kGameDir) + "HL.EXE"));
    WriteFile(kMap, "// castle\r\n");
}

void WorkedExample::Remove() {
    for (const char* folder : {"D:\\Games", "D:\\Tools", "D:\\Editor"})
        RemoveTree(folder);
}

std::string WorkedExample::Settings(int mode, bool runGame, const std::string& map) {
    return "[General]\r\nVersion=150\r\nRunHL=" + std::string(runGame ? "1" : "0") +
           "\r\nComMode=" + std::to_string(mode) + "\r\n[Folders]\r\nGameDir=" + kGameDir +
           "\r\nToolsDir=" + kToolsDir + "\r\nMapsDir=" + kMapsDir + "\r\nMapname=" + map + "\r\n";
}

void SetInstallEntry(const std::string& product, const std::string& directory) {
    HKEY key = nullptr;
    const std::string path = std::string(kSetupKey) + "\\" + product;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                                KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExA(key, "Directory", 0, REG_SZ, reinterpret_cast<const BYTE*>(directory.c_str()),
                     static_cast<DWORD>(directory.size() + 1));
    ::RegCloseKey(key);
}

void RemoveInstallEntries() {
    for (const char* sub : {"\\HALFLIFE", "\\WC", ""})
        ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, (std::string(kSetupKey) + sub).c_str(), KEY_WOW64_32KEY, 0);
    ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "Software\\Sierra OnLine", KEY_WOW64_32KEY, 0);
}

Process::Process(const std::string& exe, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string command = "\"" + exe + "\"";
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &info))
        return;
    ::CloseHandle(info.hThread);
    handle_ = info.hProcess;
    id_ = info.dwProcessId;
    StartedIds().push_back(id_);
}

Process::~Process() {
    if (handle_)
        ::CloseHandle(handle_);
}

Process::Process(Process&& other) noexcept : handle_(other.handle_), id_(other.id_) {
    other.handle_ = nullptr;
    other.id_ = 0;
}

bool Process::WaitForExit(int milliseconds) {
    return handle_ && ::WaitForSingleObject(handle_, static_cast<DWORD>(milliseconds)) == WAIT_OBJECT_0;
}

bool Process::Running() const {
    return handle_ && ::WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

DWORD Process::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (handle_)
        ::GetExitCodeProcess(handle_, &code);
    return code;
}

void EndAll() {
    for (const auto& p : StartedTree()) {
        if (HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, p.th32ProcessID)) {
            ::TerminateProcess(process, 0);
            ::WaitForSingleObject(process, 5000);
            ::CloseHandle(process);
        }
    }
    StartedIds().clear();
}

bool StartedProgramRunning(const char* exeName) {
    for (const auto& p : StartedTree())
        if (::lstrcmpiA(p.szExeFile, exeName) == 0)
            return true;
    return false;
}

ProgramFolder::ProgramFolder() {
    EXPECT_TRUE(::CopyFileA((BuildDir() + "korva.exe").c_str(), (dir_ / "korva.exe").c_str(), FALSE))
        << "korva.exe is not built";
}

ProgramFolder::~ProgramFolder() { EndAll(); }

Process ProgramFolder::Start() const { return Process(dir_ / "korva.exe", Path()); }

} // namespace korva::acceptance
