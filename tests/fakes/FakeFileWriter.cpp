// In-memory files.
#include "fakes/FakeFileWriter.h"

namespace korva::fakes {
namespace {

class FakeOutputFile : public OutputFile {
public:
    FakeOutputFile(FakeFileWriter& owner, std::string path) : owner_(owner), path_(std::move(path)) {}
    ~FakeOutputFile() override { Close(); }

    int Write(std::string_view bytes) override {
        if (++writes_ == owner_.failWriteNumber)
            return owner_.failWriteCode;
        owner_.files[path_].append(bytes);
        return 0;
    }
    int Close() override {
        if (closed_)
            return 0;
        closed_ = true;
        ++owner_.closed;
        return owner_.failCloseCode;
    }

private:
    FakeFileWriter& owner_;
    std::string path_;
    int writes_ = 0;
    bool closed_ = false;
};

} // namespace

std::unique_ptr<OutputFile> FakeFileWriter::Create(const std::string& path) {
    if (uncreatable.count(path))
        return nullptr;
    files[path].clear();
    ++opened;
    return std::make_unique<FakeOutputFile>(*this, path);
}

} // namespace korva::fakes
