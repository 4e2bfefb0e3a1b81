// Writes RAR 4.x and RAR 5.0 archives whose files are stored (not compressed), as one file or as
// a multi-volume set, for tests, the demo and benchmarks. It can also write deliberately damaged
// sets, so that readers can be tested against the faults real downloads have.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rarwrite {

enum class Format { Rar4, Rar5 };

// How later volumes are named: "x.rar, x.r00, x.r01, ..." (RAR 4 only) or "x.part1.rar, ...".
enum class Naming { OldStyle, Parts };

struct Entry {
    std::string name;  // stored name; '\\' or '/' as separator, written in the format's own form
    std::string data;  // file contents (ignored for directories)
    bool directory = false;
    uint32_t dosTime = 0x28210000;  // 2000-01-01 00:00:00, DOS format
    uint32_t attributes = 0x20;     // Windows attributes (0x10 is added for directories)
};

// Faults the writer can build in, each aimed at one check of a reader.
struct Faults {
    std::string flipDataByteOf;  // entry name whose first data byte is inverted (CRC error)
    std::string
        flipHeaderByteOf;  // entry name whose header has one name byte changed after the CRC
    bool omitNextVolumeFlag = false;  // end blocks do not announce the next volume
    int deleteVolume = -1;            // index of a volume to remove after writing (missing volume)
    int truncateVolume = -1;          // index of a volume to cut in half after writing
    bool compressedMethod = false;    // method field says "compressed" (reader must refuse)
    bool encrypted = false;           // file headers marked encrypted
    std::string wrongPartCrcOf;       // entry name whose first part header stores a CRC off by one,
                                 // with a valid header CRC (a split file: only the part CRC is bad)
};

struct Options {
    Format format = Format::Rar5;
    Naming naming = Naming::Parts;
    uint64_t volumeSize = 0;     // data bytes per volume before a split; 0 = one volume
    int partDigits = 1;          // width of N in ".partN.rar" (1 -> part1, 2 -> part01)
    bool verbatimNames = false;  // store names byte for byte, without turning separators into
                                 // the format's own (e.g. a literal '\\' inside a RAR 5 name)
    Faults faults;
};

// Writes the set beside `firstVolumePath` (which names the first volume, e.g. "dir/x.part1.rar"
// or "dir/x.rar"), and returns the paths of the volumes written, in order (a volume removed by
// Faults::deleteVolume is still listed). A set that fits one volume is written under the given
// name. With Parts naming and several volumes, a name without ".partN" gets ".part1" inserted
// (padded to partDigits). Each volume holds `volumeSize` bytes of file data; header bytes are not
// counted. RAR 5 stores the DOS time read as UTC. Throws std::runtime_error when a file cannot be
// written or the options do not fit together (RAR 5 with OldStyle naming, a fault naming an
// entry that is missing or has no data, a volume index out of range).
std::vector<std::string> WriteArchive(const std::string& firstVolumePath,
                                      const std::vector<Entry>& entries, const Options& options);

// Builds the entries for everything under `folder` (recursively, files and directories), with
// stored names relative to it.
std::vector<Entry> EntriesFromFolder(const std::string& folder);

// One file read from disk, named by its file name, with its modification time. Throws
// std::runtime_error when it cannot be read.
Entry EntryFromFile(const std::string& path);

}  // namespace rarwrite
