// The base of every acceptance test: a fresh program folder, the worked example's installation on
// drive D:, and at the end no process, console, file or registry entry left behind.
#pragma once

#include "KorvaWindows.h"
#include "Sandbox.h"

#include <gtest/gtest.h>

namespace korva::acceptance {

class Scenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::FindWindowA(kMainClass, kMainCaption), nullptr) << "a copy of KORVA is running already";
        WorkedExample::Install();
    }
    void TearDown() override {
        EndAll();
        WorkedExample::Remove();
        for (const std::string& extra : removeAtEnd)
            RemoveTree(extra);
        RemoveInstallEntries();
    }

    // The stand-ins' record of what ran: "NAME|arguments|folder" lines.
    static std::string ToolsLog() { return ReadFile(std::string(WorkedExample::kToolsDir) + "standin.log"); }
    static std::string GameLog() { return ReadFile(std::string(WorkedExample::kGameDir) + "standin.log"); }
    static std::string Script() { return ReadFile(std::string(WorkedExample::kToolsDir) + "KORVA.BAT"); }

    // No message box of any kind shows within a short while.
    static bool NoMessageBox(DWORD processId, int milliseconds = 400) {
        return !WaitUntil([&] { return FindTopWindow(processId, "#32770", nullptr) != nullptr; },
                          milliseconds);
    }

    ProgramFolder folder;
    std::vector<std::string> removeAtEnd; // folders a test made besides the worked example's
};

} // namespace korva::acceptance
