#include "unrar/core/MemoryFileSystem.h"

#include <algorithm>
#include <cstring>

namespace rarcore {
namespace {

class MemoryInputFile : public InputFile {
public:
    MemoryInputFile(const std::string& data, uint64_t& bytesRead)
        : data_(data), bytesRead_(bytesRead) {}
    uint64_t Size() const override { return data_.size(); }
    bool Seek(uint64_t offset) override {
        position_ = offset;
        return true;
    }
    bool Read(void* buffer, size_t size, size_t& got) override {
        got = 0;
        if (position_ < data_.size()) {
            got = size_t(std::min<uint64_t>(size, data_.size() - position_));
            std::memcpy(buffer, data_.data() + position_, got);
        }
        position_ += got;
        bytesRead_ += got;
        return true;
    }

private:
    const std::string& data_;  // not owned: the file system's input
    uint64_t& bytesRead_;
    uint64_t position_ = 0;
};

class MemoryOutputFile : public OutputFile {
public:
    MemoryOutputFile(MemoryFileSystem::WrittenFile& file, uint64_t maxSize)
        : file_(file), maxSize_(maxSize) {}
    bool Write(const void* data, size_t size) override {
        if (size > maxSize_ - file_.data.size()) {
            return false;
        }
        file_.data.append(static_cast<const char*>(data), size);
        return true;
    }
    bool Finish(const FileTimestamp& time) override {
        file_.time = time;
        file_.finished = true;
        return true;
    }

private:
    MemoryFileSystem::WrittenFile& file_;  // not owned: an entry of the file system's map
    uint64_t maxSize_;
};

}  // namespace

bool MemoryFileSystem::ParentExists(const std::string& path) const {
    size_t slash = path.rfind('/');
    return slash == std::string::npos || folders.count(path.substr(0, slash)) != 0;
}

std::unique_ptr<InputFile> MemoryFileSystem::OpenForReading(const std::string& path) {
    auto it = inputs.find(path);
    if (it == inputs.end()) {
        return nullptr;
    }
    return std::make_unique<MemoryInputFile>(it->second, bytesRead);
}

std::unique_ptr<OutputFile> MemoryFileSystem::CreateOutput(const std::string& path) {
    if (folders.count(path) != 0 || !ParentExists(path)) {
        return nullptr;
    }
    WrittenFile& file = files[path];
    file = WrittenFile();
    deleted.erase(path);
    return std::make_unique<MemoryOutputFile>(file, maxFileSize);
}

bool MemoryFileSystem::MakeFolder(const std::string& path) {
    if (files.count(path) != 0 || !ParentExists(path)) {
        return false;
    }
    folders.insert(path);
    return true;
}

void MemoryFileSystem::SetAttributes(const std::string& path, uint32_t windowsAttributes) {
    auto it = files.find(path);
    if (it != files.end()) {
        it->second.attributes = windowsAttributes;
    }
}

bool MemoryFileSystem::RemoveFile(const std::string& path) {
    if (files.erase(path) == 0) {
        return false;
    }
    deleted.insert(path);
    return true;
}

}  // namespace rarcore
