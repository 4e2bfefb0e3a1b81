#include "tests/unrar/CoreFixtures.h"

#include <fstream>
#include <sstream>

#include "unrar/core/Crc32.h"

namespace unrartest {

using rarcore::Status;

uint32_t Crc(const std::string& bytes) {
    return rarcore::Crc32Update(0, bytes.data(), bytes.size());
}

std::vector<std::string> WriteIntoMemory(const TestDir& dir, const std::string& firstName,
                                         const std::vector<rarwrite::Entry>& entries,
                                         const rarwrite::Options& options,
                                         rarcore::MemoryFileSystem& fs) {
    std::vector<std::string> paths = rarwrite::WriteArchive(dir.File(firstName), entries, options);
    for (const std::string& path : paths) {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            continue;  // a volume the faults removed
        }
        std::ostringstream bytes;
        bytes << in.rdbuf();
        fs.inputs[path] = bytes.str();
    }
    return paths;
}

RunResult RunArchive(rarcore::FileSystem& fs, const std::string& path, rarcore::OpenMode mode,
                     rarcore::Operation operation, const std::string& destPath) {
    RunResult run;
    rarcore::Archive::OpenResult opened = rarcore::Archive::Open(fs, path, mode);
    run.steps.push_back("open " + std::to_string(int(opened.status)));
    if (!opened.archive) {
        return run;
    }
    int endsInARow = 0;
    for (int i = 0; i < 200 && endsInARow < 2; ++i) {
        rarcore::FileEntry entry;
        Status read = opened.archive->ReadHeader(entry);
        run.steps.push_back("read " + std::to_string(int(read)));
        if (read != Status::Ok) {
            endsInARow = read == Status::EndOfArchive ? endsInARow + 1 : 0;
            continue;
        }
        endsInARow = 0;
        run.entries.push_back(entry);
        Status processed = opened.archive->Process(operation, destPath);
        run.steps.push_back("process " + std::to_string(int(processed)));
    }
    return run;
}

namespace {

std::string Le(uint64_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) {
        out += char((value >> (8 * i)) & 0xFF);
    }
    return out;
}

}  // namespace

std::string Rar4Marker() {
    return std::string("Rar!\x1A\x07\x00", 7);
}

std::string Rar4Block(uint8_t type, uint16_t flags, const std::string& fields,
                      const std::string& data) {
    std::string body =
        std::string(1, char(type)) + Le(flags, 2) + Le(7 + fields.size(), 2) + fields;
    return Le(Crc(body) & 0xFFFF, 2) + body + data;
}

std::string Rar4Main(uint16_t flags) {
    return Rar4Block(0x73, flags, std::string(6, '\0'));
}

std::string Rar4File(const std::string& name, const std::string& data, uint16_t flags,
                     uint32_t crcOverride, bool overrideCrc) {
    uint32_t crc = overrideCrc ? crcOverride : Crc(data);
    std::string fields = Le(data.size(), 4) + Le(data.size(), 4) + char(2) + Le(crc, 4) +
                         Le(0x28210000, 4) + char(20) + char(0x30) + Le(name.size(), 2) +
                         Le(0x20, 4) + name;
    return Rar4Block(0x74, flags, fields, data);
}

std::string Rar4End(uint16_t flags) {
    return Rar4Block(0x7B, flags, std::string());
}

std::string Rar5Marker() {
    return std::string("Rar!\x1A\x07\x01\x00", 8);
}

std::string Vint(uint64_t value) {
    std::string out;
    do {
        uint8_t byte = value & 0x7F;
        value >>= 7;
        out += char(value ? (byte | 0x80) : byte);
    } while (value);
    return out;
}

std::string Rar5Block(uint64_t type, uint64_t flags, const std::string& fields,
                      const std::string& extra, const std::string& data) {
    if (!extra.empty()) {
        flags |= 0x0001;
    }
    if (!data.empty()) {
        flags |= 0x0002;
    }
    std::string body = Vint(type) + Vint(flags);
    if (flags & 0x0001) {
        body += Vint(extra.size());
    }
    if (flags & 0x0002) {
        body += Vint(data.size());
    }
    body += fields + extra;
    std::string sized = Vint(body.size()) + body;
    return Le(Crc(sized), 4) + sized + data;
}

std::string Rar5Main(uint64_t archiveFlags) {
    return Rar5Block(1, 0, Vint(archiveFlags));
}

std::string Rar5File(const std::string& name, const std::string& data, uint64_t headerFlags,
                     const std::string& extra) {
    std::string fields = Vint(0x0004) + Vint(data.size()) + Vint(0x20) + Le(Crc(data), 4) +
                         Vint(0) + Vint(0) + Vint(name.size()) + name;
    return Rar5Block(2, headerFlags | 0x0002, fields, extra, data);
}

std::string Rar5End(uint64_t endFlags) {
    return Rar5Block(5, 0, Vint(endFlags));
}

}  // namespace unrartest
