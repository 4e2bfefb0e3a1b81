// The current directory for one test: a fresh folder under the temporary folder (or an
// existing one such as a drive root), holding the test's Install.ini. The previous current
// directory comes back and what the test made there is removed when the object goes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class WorkingFolder {
public:
    // A new folder; with `pathLength`, nested folders are added so that the current
    // directory is exactly that many characters long.
    explicit WorkingFolder(std::size_t pathLength = 0);

    // An existing folder, left in place; only the files written through this object go.
    static WorkingFolder Existing(const std::string& path);

    ~WorkingFolder();
    WorkingFolder(WorkingFolder&& other) noexcept;
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;
    WorkingFolder& operator=(WorkingFolder&&) = delete;

    const std::string& Path() const { return path_; }

    // The archive path the run is expected to build for `firstVolume`.
    std::string ArchivePath(const std::string& firstVolume) const;

    // Writes Install.ini with section Config holding the given lines (key=value).
    void WriteIni(const std::vector<std::string>& configLines);
    void WriteSettings(const std::string& archiveFirstFile, const std::string& setupFile);

    // Writes a copy of `source` into the folder as `name`.
    void CopyIn(const std::string& source, const std::string& name);

private:
    WorkingFolder(const std::string& path, bool existing);
    void Enter();

    std::string previous_;
    std::string path_;
    std::vector<std::string> createdFolders_;
    std::vector<std::string> writtenFiles_;
};

// The folder that holds the test program and its test libraries.
std::string ProgramFolder();
