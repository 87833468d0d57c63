// The six compile modes: their captions, their three help lines and the tool command prefixes that
// make up the first four lines of the batch script.
#pragma once

#include <array>
#include <string>

namespace korva {

inline constexpr int kModeCount = 6;

// The choices of the main window's compile-mode group, in mode order ("&" marks the access key).
extern const std::array<const char*, kModeCount> kModeCaptions;

// Three help lines per mode, shown under the mode choices.
extern const std::array<std::array<const char*, 3>, kModeCount> kModeHelp;

// One command prefix per tool step and mode: the tool's file name, its options and one trailing blank,
// ready for the map path. A step a mode leaves out holds "@REM ", a remark whose echo is suppressed.
struct CompileTables {
    std::array<std::string, kModeCount> CsgCommands;
    std::array<std::string, kModeCount> BspCommands;
    std::array<std::string, kModeCount> VisCommands;
    std::array<std::string, kModeCount> RadCommands;
};

CompileTables BuildCompileTables();

inline bool IsCompileMode(int mode) { return mode >= 0 && mode < kModeCount; }

} // namespace korva
