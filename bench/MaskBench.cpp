// Mask matching speed: ns per name for typical masks over a few thousand names like a drive's, side by
// side with glibc's fnmatch (FNM_CASEFOLD) on the same names and the masks it can express.
#include "search/Masks.h"

#include <benchmark/benchmark.h>
#include <fnmatch.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Names as a Windows drive holds them: programs, libraries, documents, game data, numbered files,
// mixed case, a few long ones, the compile tools among them.
const std::vector<std::string>& Names() {
    static const std::vector<std::string> names = [] {
        const char* stems[] = {"setup", "readme", "QCSG", "qbsp2", "VIS", "qrad", "hl", "kernel32", "user32",
                               "notepad", "explorer", "Program Files", "system32", "config", "autoexec",
                               "command", "msvcrt", "d3d9", "opengl32", "valve", "maps", "castle", "de_dust",
                               "crossfire", "textures", "halflife", "wadfile", "sound", "models", "sprites",
                               "Documents and Settings", "desktop", "thumbs", "uninstall", "install_log"};
        const char* extensions[] = {".exe", ".EXE", ".dll", ".DLL", ".txt", ".TXT", ".ini", ".bmp", ".wad",
                                    ".map", ".bsp", ".pts", ".mdl", ".spr", ".wav", ".bat", ".com", ".sys",
                                    ".log", ".cfg", "", ".html", ".jpg", ".tmp"};
        std::mt19937 random(2024);
        std::vector<std::string> list;
        for (int i = 0; i < 4000; ++i) {
            std::string name = stems[random() % std::size(stems)];
            switch (random() % 4) {
            case 0: name += std::to_string(random() % 1000); break;
            case 1: name += "_" + std::string(stems[random() % std::size(stems)]); break;
            default: break;
            }
            name += extensions[random() % std::size(extensions)];
            list.push_back(name);
        }
        return list;
    }();
    return names;
}

void Report(benchmark::State& state, std::int64_t matches) {
    const double perIteration = static_cast<double>(Names().size());
    state.counters["ns_per_name"] =
        benchmark::Counter(perIteration, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["matches"] = static_cast<double>(matches);
}

void KorvaMask(benchmark::State& state, const char* text) {
    korva::TMaskList list;
    korva::ParseMaskList(list, text);
    std::int64_t matches = 0;
    for (auto _ : state) {
        matches = 0;
        for (const std::string& name : Names())
            matches += korva::MatchesAnyMask(list, name);
        benchmark::DoNotOptimize(matches);
    }
    Report(state, matches);
}

void Fnmatch(benchmark::State& state, std::vector<const char*> patterns) {
    std::int64_t matches = 0;
    for (auto _ : state) {
        matches = 0;
        for (const std::string& name : Names())
            for (const char* pattern : patterns)
                if (fnmatch(pattern, name.c_str(), FNM_CASEFOLD) == 0) {
                    ++matches;
                    break;
                }
        benchmark::DoNotOptimize(matches);
    }
    Report(state, matches);
}

const char* const kList = "*.exe, *.com, *.bat, QCSG.EXE, VIS.EXE";

BENCHMARK_CAPTURE(KorvaMask, literal, "QCSG.EXE");
BENCHMARK_CAPTURE(Fnmatch, literal, {"QCSG.EXE"});
BENCHMARK_CAPTURE(KorvaMask, extension, "*.EXE");
BENCHMARK_CAPTURE(Fnmatch, extension, {"*.EXE"});
BENCHMARK_CAPTURE(KorvaMask, last_not_a, "*[!a]");
BENCHMARK_CAPTURE(Fnmatch, last_not_a, {"*[!a]"});
BENCHMARK_CAPTURE(KorvaMask, a_b_c_d, "a*b*c*d");
BENCHMARK_CAPTURE(Fnmatch, a_b_c_d, {"a*b*c*d"});
BENCHMARK_CAPTURE(KorvaMask, list_of_five, kList);
BENCHMARK_CAPTURE(Fnmatch, list_of_five, {"*.exe", "*.com", "*.bat", "QCSG.EXE", "VIS.EXE"});

// Compiling happens once per scan; shown for scale.
void CompileList(benchmark::State& state) {
    for (auto _ : state) {
        korva::TMaskList list;
        korva::ParseMaskList(list, kList);
        benchmark::DoNotOptimize(list.data());
    }
}
BENCHMARK(CompileList);

} // namespace

BENCHMARK_MAIN();
