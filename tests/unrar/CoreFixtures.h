// Helpers for the reader's tests: writer-made sets loaded into memory, hand-built blocks for
// faults the writer cannot make, and a transcript of a whole listing or extraction run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/writer/TestDir.h"
#include "tools/rarwrite/RarWriter.h"
#include "unrar/core/Archive.h"
#include "unrar/core/MemoryFileSystem.h"

namespace unrartest {

using writertest::TestDir;

// Writes the set with the writer into `dir` and loads every volume into `fs` under its path.
// Returns the volumes' paths in order.
std::vector<std::string> WriteIntoMemory(const TestDir& dir, const std::string& firstName,
                                         const std::vector<rarwrite::Entry>& entries,
                                         const rarwrite::Options& options,
                                         rarcore::MemoryFileSystem& fs);

// A whole run: each step as text ("open 0", "read 0", "process 12", "read 10") and the
// entries the successful reads returned.
struct RunResult {
    std::vector<std::string> steps;
    std::vector<rarcore::FileEntry> entries;
};

// Opens `path`, then alternates ReadHeader and Process(operation, destPath) until a read
// answers 10 twice in a row (showing the end is stable) or 200 steps pass.
RunResult RunArchive(rarcore::FileSystem& fs, const std::string& path, rarcore::OpenMode mode,
                     rarcore::Operation operation, const std::string& destPath = "out");

// Hand-built RAR 4 pieces: the marker, a main header, any block with a correct CRC16.
std::string Rar4Marker();
std::string Rar4Block(uint8_t type, uint16_t flags, const std::string& fields,
                      const std::string& data = std::string());
std::string Rar4Main(uint16_t flags = 0);
std::string Rar4File(const std::string& name, const std::string& data, uint16_t flags = 0x8000,
                     uint32_t crcOverride = 0, bool overrideCrc = false);
std::string Rar4End(uint16_t flags = 0x4000);

// Hand-built RAR 5 pieces.
std::string Rar5Marker();
std::string Vint(uint64_t value);
std::string Rar5Block(uint64_t type, uint64_t flags, const std::string& fields,
                      const std::string& extra = std::string(),
                      const std::string& data = std::string());
std::string Rar5Main(uint64_t archiveFlags = 0);
std::string Rar5File(const std::string& name, const std::string& data, uint64_t headerFlags = 0,
                     const std::string& extra = std::string());
std::string Rar5End(uint64_t endFlags = 0);

uint32_t Crc(const std::string& bytes);

}  // namespace unrartest
