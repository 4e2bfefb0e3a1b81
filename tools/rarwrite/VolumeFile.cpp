#include "tools/rarwrite/VolumeFile.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace rarwrite {
namespace {

std::runtime_error IoError(const char* what, const std::string& path) {
    return std::runtime_error(std::string(what) + " " + path + ": " + std::strerror(errno));
}

}  // namespace

VolumeFile::VolumeFile(std::string path) : path_(std::move(path)) {
    file_.reset(std::fopen(path_.c_str(), "wb"));
    if (!file_) {
        throw IoError("cannot create", path_);
    }
}

void VolumeFile::Write(std::string_view bytes) {
    if (!file_) {
        throw std::logic_error("write after close: " + path_);
    }
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) {
        throw IoError("cannot write", path_);
    }
}

void VolumeFile::Close() {
    if (file_ && std::fclose(file_.release()) != 0) {
        throw IoError("cannot close", path_);
    }
}

}  // namespace rarwrite
