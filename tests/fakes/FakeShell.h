// A shell for tests: records what it was asked to start and answers with a chosen result.
#pragma once

#include "platform/Shell.h"

#include <set>
#include <string>
#include <vector>

namespace korva::fakes {

struct Launch {
    std::string file, parameters, folder;
    int showCommand;
};

class FakeShell : public Shell {
public:
    int Execute(const std::string& file, const std::string& parameters, const std::string& folder,
                int showCommand) override {
        launches.push_back({file, parameters, folder, showCommand});
        return result;
    }
    bool OnSearchPath(const std::string& program) override { return onPath.count(program) != 0; }
    // The console reads what the system writes, but for the characters listed as having no form there.
    std::optional<std::string> ConsoleText(const std::string& text) override {
        if (text.find_first_of(notInConsole) != std::string::npos)
            return std::nullopt;
        return text;
    }

    int result = 42;                        // above 32: started
    std::set<std::string> onPath = {"cmd.exe"};
    std::string notInConsole;
    std::vector<Launch> launches;
};

} // namespace korva::fakes
