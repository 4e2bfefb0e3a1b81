// Reading the release's settings file, Install.ini, from the working directory.
// Nothing is cached: every caller reads the keys it needs at the moment it needs them.
#pragma once

#include <cstddef>
#include <string>

namespace settings {

// Buffer sizes of the original file format: a value keeps at most 63 characters, a path 259.
constexpr std::size_t kValueBufferSize = 64;
constexpr std::size_t kPathBufferSize = 260;

constexpr const char kSection[] = "Config";
constexpr const char kFileName[] = "\\Install.ini";

// The process's current directory as the C run time reports it (at most 259 characters,
// a trailing backslash only at a drive root); empty when it cannot be reported.
std::string WorkingDirectory();

// The settings file's path: the directory followed directly by "\Install.ini", so a drive
// root gives two backslashes in a row, which the profile reader accepts.
std::string IniPath(const std::string& workingDirectory);

// One key of section Config, cut to 63 characters; `defaultValue` (or "" when null) when the
// file, the section or the key is missing.
std::string ReadValue(const std::string& workingDirectory, const char* key,
                      const char* defaultValue);

}  // namespace settings
