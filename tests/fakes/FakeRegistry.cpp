// The in-memory registry.
#include "fakes/FakeRegistry.h"

#include "platform/Error.h"

namespace korva::fakes {

class FakeRegistry::Reader : public RegistryKeyReader {
public:
    Reader(FakeRegistry& owner, std::string path, const Key& key)
        : owner_(owner), path_(std::move(path)), key_(key) {
        ++owner_.openKeys;
    }
    ~Reader() override { --owner_.openKeys; }

    std::optional<std::string> ReadString(const std::string& name) override {
        owner_.reads.push_back(path_ + "|" + name);
        if (const auto failure = key_.failures.find(name); failure != key_.failures.end())
            throw Error(failure->second);
        const auto value = key_.values.find(name);
        return value == key_.values.end() ? std::string() : value->second;
    }

private:
    FakeRegistry& owner_;
    std::string path_;
    const Key& key_;
};

std::unique_ptr<RegistryKeyReader> FakeRegistry::OpenKey(const std::string& path) {
    openRequests.push_back(path);
    const auto key = keys_.find(path);
    if (key == keys_.end())
        return nullptr;
    return std::make_unique<Reader>(*this, path, key->second);
}

} // namespace korva::fakes
