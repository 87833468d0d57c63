// A stand-in for the compile tools and the game, for tests of the whole chain. What it does depends on
// the name it was started as:
//   every name   appends "<NAME>|<command line arguments>|<current folder>" to standin.log beside itself;
//   QBSP2.EXE    writes <map>.bsp and <map>.pts next to the .map file given as last argument;
//   VIS.EXE, QRAD.EXE append a line to <map>.bsp (so a test sees that the steps ran in order).
// It exits with 0.
#include <windows.h>

#include <string>

namespace {

std::string ModulePath() {
    char path[MAX_PATH * 4] = {};
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// The arguments as the program received them: the command line after the program's own name.
std::string Arguments() {
    const char* line = ::GetCommandLineA();
    bool quoted = false;
    while (*line && (quoted || (*line != ' ' && *line != '\t'))) {
        if (*line == '"')
            quoted = !quoted;
        ++line;
    }
    while (*line == ' ' || *line == '\t')
        ++line;
    return line;
}

// The last argument, without surrounding quotes.
std::string LastArgument(const std::string& args) {
    std::string s = args;
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    if (!s.empty() && s.back() == '"') {
        const auto open = s.find_last_of('"', s.size() - 2);
        return open == std::string::npos ? s : s.substr(open + 1, s.size() - open - 2);
    }
    const auto blank = s.find_last_of(' ');
    return blank == std::string::npos ? s : s.substr(blank + 1);
}

void Append(const std::string& path, const std::string& text) {
    HANDLE file = ::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
}

std::string WithoutExtension(const std::string& path) {
    const auto dot = path.find_last_of('.');
    const auto slash = path.find_last_of("\\/:");
    return (dot == std::string::npos || (slash != std::string::npos && slash > dot)) ? path : path.substr(0, dot);
}

} // namespace

int main() {
    const std::string self = ModulePath();
    const auto slash = self.find_last_of('\\');
    const std::string folder = self.substr(0, slash + 1);
    const std::string name = Upper(self.substr(slash + 1));
    const std::string args = Arguments();
    char cwd[MAX_PATH * 4] = {};
    ::GetCurrentDirectoryA(sizeof cwd, cwd);
    Append(folder + "standin.log", name + "|" + args + "|" + cwd + "\r\n");

    const std::string map = WithoutExtension(LastArgument(args));
    if (name == "QBSP2.EXE") {
        ::DeleteFileA((map + ".bsp").c_str());
        Append(map + ".bsp", "BSP " + args + "\r\n");
        ::DeleteFileA((map + ".pts").c_str());
        Append(map + ".pts", "PTS\r\n");
    } else if (name == "VIS.EXE" || name == "QRAD.EXE") {
        Append(map + ".bsp", name + " " + args + "\r\n");
    }
    return 0;
}
