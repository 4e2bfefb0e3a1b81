#include "ReleaseFolder.h"

#include <windows.h>

#include <stdexcept>

namespace e2e {

namespace {

void CopyFromBuild(const std::string& name, const std::string& folder) {
    const std::string from = test_support::ProgramFolder() + "\\" + name;
    if (!CopyFileA(from.c_str(), (folder + "\\" + name).c_str(), FALSE)) {
        throw std::runtime_error("cannot copy " + from);
    }
}

}  // namespace

ReleaseFolder::ReleaseFolder(bool withLibrary) {
    CopyFromBuild("Install.exe", path());
    if (withLibrary) {
        CopyFromBuild("UNRAR.dll", path());
    }
}

void ReleaseFolder::WriteIni(const std::string& configLines) const {
    test_support::WriteFile(m_folder / "Install.ini", "[Config]\r\n" + configLines);
}

}  // namespace e2e
