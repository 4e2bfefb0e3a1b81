#include "WorkingFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

std::string CurrentDirectory() {
    char buffer[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

// Creates a folder of its own under the temporary folder. Process ids repeat, and a folder
// left behind by an earlier crashed test must not stop this one.
std::string CreateTemporaryFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string base = temp;
    if (!base.empty() && base.back() == '\\') {
        base.pop_back();
    }
    base += "\\extract-" + std::to_string(GetCurrentProcessId()) + "-";
    static unsigned int counter = 0;
    for (;;) {
        const std::string path = base + std::to_string(++counter);
        if (CreateDirectoryA(path.c_str(), nullptr)) {
            return path;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            ADD_FAILURE() << "cannot create " << path;
            return path;
        }
    }
}

}  // namespace

WorkingFolder::WorkingFolder(std::size_t pathLength) : previous_(CurrentDirectory()) {
    path_ = CreateTemporaryFolder();
    createdFolders_.push_back(path_);
    // Grow the path one nested folder at a time, each name at most 100 characters, leaving
    // at least one character for the next level's name.
    while (path_.size() < pathLength) {
        const std::size_t room = pathLength - path_.size() - 1;
        if (room == 0) {
            ADD_FAILURE() << "cannot make a path of exactly " << pathLength << " characters";
            break;
        }
        const std::size_t level = room <= 100 ? room : std::min<std::size_t>(100, room - 2);
        path_ += "\\" + std::string(level, 'd');
        EXPECT_TRUE(CreateDirectoryA(path_.c_str(), nullptr)) << path_;
        createdFolders_.push_back(path_);
    }
    Enter();
}

WorkingFolder::WorkingFolder(const std::string& path, bool) : previous_(CurrentDirectory()) {
    path_ = path;
    Enter();
}

WorkingFolder WorkingFolder::Existing(const std::string& path) {
    return WorkingFolder(path, true);
}

WorkingFolder::WorkingFolder(WorkingFolder&& other) noexcept
    : previous_(std::move(other.previous_)),
      path_(std::move(other.path_)),
      createdFolders_(std::move(other.createdFolders_)),
      writtenFiles_(std::move(other.writtenFiles_)) {
    other.previous_.clear();
    other.createdFolders_.clear();
    other.writtenFiles_.clear();
}

void WorkingFolder::Enter() {
    ASSERT_TRUE(SetCurrentDirectoryA(path_.c_str())) << path_;
}

WorkingFolder::~WorkingFolder() {
    if (previous_.empty()) {
        return;  // moved from
    }
    SetCurrentDirectoryA(previous_.c_str());
    for (const std::string& file : writtenFiles_) {
        DeleteFileA(file.c_str());
    }
    for (auto folder = createdFolders_.rbegin(); folder != createdFolders_.rend(); ++folder) {
        RemoveDirectoryA(folder->c_str());
    }
}

std::string WorkingFolder::ArchivePath(const std::string& firstVolume) const {
    return path_ + "\\" + firstVolume;
}

void WorkingFolder::WriteIni(const std::vector<std::string>& configLines) {
    const std::string file = path_ + (path_.back() == '\\' ? "" : "\\") + "Install.ini";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << "[Config]\r\n";
        for (const std::string& line : configLines) {
            out << line << "\r\n";
        }
        ASSERT_TRUE(out.good()) << file;
    }
    if (std::find(writtenFiles_.begin(), writtenFiles_.end(), file) == writtenFiles_.end()) {
        writtenFiles_.push_back(file);
    }
}

void WorkingFolder::WriteSettings(const std::string& archiveFirstFile,
                                  const std::string& setupFile) {
    WriteIni({"ArchiveFirstFile=" + archiveFirstFile, "SetupFile=" + setupFile});
}

void WorkingFolder::CopyIn(const std::string& source, const std::string& name) {
    const std::string target = path_ + "\\" + name;
    ASSERT_TRUE(CopyFileA(source.c_str(), target.c_str(), FALSE)) << source << " -> " << target;
    writtenFiles_.push_back(target);
}

std::string ProgramFolder() {
    char buffer[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    std::string path = buffer;
    return path.substr(0, path.find_last_of('\\'));
}
