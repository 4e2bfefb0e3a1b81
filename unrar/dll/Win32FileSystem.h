// The reader core's FileSystem on Win32: wide-character file APIs, UTF-8 paths converted at
// the boundary, Windows times and attributes.
#pragma once

#include "unrar/core/FileSystem.h"

namespace unrardll {

class Win32FileSystem : public rarcore::FileSystem {
public:
    std::unique_ptr<rarcore::InputFile> OpenForReading(const std::string& path) override;
    std::unique_ptr<rarcore::OutputFile> CreateOutput(const std::string& path) override;
    bool MakeFolder(const std::string& path) override;
    void SetAttributes(const std::string& path, uint32_t windowsAttributes) override;
    bool RemoveFile(const std::string& path) override;
    char Separator() const override { return '\\'; }
    // RAR 4 names without Unicode are read in the ANSI code page.
    std::string LegacyNameToUtf8(const std::string& raw) const override;
    uint32_t UtcToDosLocal(int64_t utcFileTime) const override;
};

}  // namespace unrardll
