// A release folder as users get it: Install.exe, UNRAR.dll, Install.ini and the archive, in a
// scratch folder that the program is started in.
#pragma once

#include <string>

#include "tests/support/TempFolder.h"

namespace e2e {

class ReleaseFolder {
public:
    // Copies Install.exe (and UNRAR.dll unless `withLibrary` is false) from the build.
    explicit ReleaseFolder(bool withLibrary = true);

    const std::string& path() const { return m_folder.path(); }
    std::string operator/(const std::string& name) const { return m_folder / name; }
    std::string exe() const { return m_folder / "Install.exe"; }

    void WriteIni(const std::string& configLines) const;

private:
    test_support::TempFolder m_folder{"release"};
};

}  // namespace e2e
