// An in-memory registry for tests: keys with text values, values that fail to read, and a count of the
// keys still open.
#pragma once

#include "platform/Registry.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace korva::fakes {

class FakeRegistry : public Registry {
public:
    // Keys are named as OpenKey receives them ("\Software\..."), matched exactly.
    void AddKey(const std::string& path) { keys_[path]; }
    // nullopt: a value naming a folder that the system code page cannot hold.
    void SetValue(const std::string& path, const std::string& name, const std::optional<std::string>& text) {
        keys_[path].values[name] = text;
    }
    // Reading this value throws Error with the message, as a value of the wrong type would.
    void SetFailure(const std::string& path, const std::string& name, const std::string& message) {
        keys_[path].failures[name] = message;
    }

    std::unique_ptr<RegistryKeyReader> OpenKey(const std::string& path) override;

    std::vector<std::string> openRequests; // the paths asked for, in order
    std::vector<std::string> reads;        // "path|value" for each value read, in order
    int openKeys = 0;                      // keys opened and not closed yet

private:
    struct Key {
        std::map<std::string, std::optional<std::string>> values;
        std::map<std::string, std::string> failures;
    };
    class Reader;
    std::map<std::string, Key> keys_;
};

} // namespace korva::fakes
