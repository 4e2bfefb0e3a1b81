#include "settings/Settings.h"

#include <windows.h>

#include <direct.h>

namespace settings {

std::string WorkingDirectory() {
    char buffer[kPathBufferSize] = {};
    if (_getcwd(buffer, static_cast<int>(sizeof buffer)) == nullptr) {
        return std::string();
    }
    return std::string(buffer);
}

std::string IniPath(const std::string& workingDirectory) {
    return workingDirectory + kFileName;
}

std::string ReadValue(const std::string& workingDirectory, const char* key,
                      const char* defaultValue) {
    char buffer[kValueBufferSize] = {};
    GetPrivateProfileStringA(kSection, key, defaultValue, buffer, sizeof buffer,
                             IniPath(workingDirectory).c_str());
    buffer[kValueBufferSize - 1] = '\0';
    return std::string(buffer);
}

}  // namespace settings
