// One output file written in order; every failure becomes std::runtime_error naming the path.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace rarwrite {

class VolumeFile {
public:
    explicit VolumeFile(std::string path);
    VolumeFile(const VolumeFile&) = delete;
    VolumeFile& operator=(const VolumeFile&) = delete;

    void Write(std::string_view bytes);
    // Flushes and closes; a destructor cannot report a failed close, so callers close here.
    void Close();

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::string path_;
    std::unique_ptr<std::FILE, Closer> file_;
};

}  // namespace rarwrite
