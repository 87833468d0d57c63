// Captions, help texts and tool command prefixes of the compile modes.
#include "app/CompileModes.h"

namespace korva {

const std::array<const char*, kModeCount> kModeCaptions = {
    "&Fast Compile",
    "F&ull Compile",
    "F&inal (release) Compile",
    "C&heck map for leaks only",
    "U&pdate entities only",
    "E&ntities only; no lights",
};

const std::array<std::array<const char*, 3>, kModeCount> kModeHelp = {{
    {"Fast Compile: A quick compilation useful for testing only.",
     "Optimization is very low, so you should NEVER release a",
     "fast-compiled map to general public!"},
    {"Full Compile: A more thourogh compilation, for pre-release",
     "testing. Optimization is complete, but detail stays behind.",
     "A full Compile takes way longer than a fast compile"},
    {"Final Compile: A very thourogh compilation, should be done",
     "just prior to releasing. Detail, especially lighting, is",
     "greatly improved. A final compile takes *a lot* of time"},
    {"Leaks Only: this quickly compiles the map to check for",
     "leaks in your outer walls. It saves a lot of time when de-",
     "bugging the map. Leaks can be a real pain in the backside."},
    {"Entities only: this updates the entities in the map and",
     "re-calculates the lighting. Saves time when tweaking the",
     "lighting or entity-functions of your map."},
    {"Entities only; no light: Use this setting if the only thing",
     "you've changed since the previous compile were non-light",
     "entities. All other data is carried over from the last compile."},
}};

CompileTables BuildCompileTables() {
    static const char* const kSkip = "@REM ";
    static const char* const kLights = "QRAD.EXE -smooth 80 -bounce 20 ";
    CompileTables t;
    t.CsgCommands = {"QCSG.EXE ", "QCSG.EXE ", "QCSG.EXE ", "QCSG.EXE ", "QCSG.EXE -onlyents ", "QCSG.EXE -onlyents "};
    t.BspCommands = {"QBSP2.EXE ", "QBSP2.EXE ", "QBSP2.EXE ", "QBSP2.EXE -leakonly ", kSkip, kSkip};
    t.VisCommands = {"VIS.EXE -fast ", "VIS.EXE ", "VIS.EXE ", kSkip, kSkip, kSkip};
    // Updating entities relights with the full compile's settings.
    t.RadCommands = {"QRAD.EXE -smooth 80 -bounce 1 ", kLights, "QRAD.EXE -extra -smooth 80 -bounce 40 ",
                     kSkip, kLights, kSkip};
    return t;
}

} // namespace korva
