#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "tools/rarwrite/DosTime.h"
#include "tools/rarwrite/RarWriter.h"

namespace rarwrite {
namespace {

namespace fs = std::filesystem;

// std::filesystem's clock has no portable conversion to Unix time in C++17; stat has.
uint32_t ModificationTime(const fs::path& path, uint32_t fallback) {
    struct stat info {};
    if (stat(path.string().c_str(), &info) != 0) {
        return fallback;
    }
    return UnixToDosTime(static_cast<int64_t>(info.st_mtime));
}

std::string ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot open " + path.string());
    }
    std::string data;
    data.resize(static_cast<size_t>(fs::file_size(path)));
    if (!data.empty() && !in.read(&data[0], static_cast<std::streamsize>(data.size()))) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return data;
}

}  // namespace

Entry EntryFromFile(const std::string& path) {
    Entry entry;
    entry.name = fs::path(path).filename().generic_string();
    entry.dosTime = ModificationTime(path, entry.dosTime);
    try {
        entry.data = ReadWholeFile(path);
    } catch (const fs::filesystem_error& error) {
        throw std::runtime_error(error.what());
    }
    return entry;
}

std::vector<Entry> EntriesFromFolder(const std::string& folder) {
    std::vector<fs::path> paths;
    try {
        for (const fs::directory_entry& item : fs::recursive_directory_iterator(folder)) {
            if (item.is_directory() || item.is_regular_file()) {
                paths.push_back(item.path());
            }
        }
    } catch (const fs::filesystem_error& error) {
        throw std::runtime_error(error.what());
    }
    std::sort(paths.begin(), paths.end());  // directory order differs between file systems

    std::vector<Entry> entries;
    entries.reserve(paths.size());
    for (const fs::path& path : paths) {
        Entry entry;
        if (fs::is_directory(path)) {
            entry.directory = true;
            entry.attributes = 0x10;
            entry.dosTime = ModificationTime(path, entry.dosTime);
        } else {
            entry = EntryFromFile(path.string());
        }
        entry.name = path.lexically_relative(folder).generic_string();
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace rarwrite
