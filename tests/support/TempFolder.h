// A folder that exists for one test and is removed with everything in it afterwards.
#pragma once

#include <string>

namespace test_support {

class TempFolder {
public:
    // Creates a new empty folder under the system's temporary folder.
    explicit TempFolder(const std::string& prefix = "tovra");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// Makes a folder the process's current directory until the object goes.
class ScopedCurrentDirectory {
public:
    explicit ScopedCurrentDirectory(const std::string& path);
    ~ScopedCurrentDirectory();
    ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
    ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;

private:
    std::string m_previous;
};

void WriteFile(const std::string& path, const std::string& contents);
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
void RemoveTree(const std::string& path);

// The folder of the running test program (where every built program and DLL lies).
std::string ProgramFolder();

}  // namespace test_support
