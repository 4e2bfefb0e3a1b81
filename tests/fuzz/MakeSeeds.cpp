// Writes the fuzz target's seed corpus into the folder given: the worked examples of both
// formats and writer-made sets (single and multi-volume, both namings, a few faults).
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/fuzz/FuzzVolumes.h"
#include "tools/rarwrite/RarWriter.h"

namespace {

namespace fs = std::filesystem;

void Save(const fs::path& folder, const std::string& name, const std::string& input) {
    std::ofstream(folder / name, std::ios::binary) << input;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string Hex(const char* text) {
    std::string out;
    unsigned value = 0;
    int digits = 0;
    for (const char* p = text; *p; ++p) {
        if (std::isxdigit(static_cast<unsigned char>(*p))) {
            value = value * 16 + unsigned(std::isdigit(static_cast<unsigned char>(*p))
                                              ? *p - '0'
                                              : (std::tolower(*p) - 'a' + 10));
            if (++digits == 2) {
                out += char(value);
                value = 0;
                digits = 0;
            }
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <seed folder>\n", argv[0]);
        return 2;
    }
    fs::path folder = argv[1];
    fs::create_directories(folder);
    fs::path scratch = folder / "scratch";
    Save(folder, "rar4-example",
         fuzzvolumes::Join(
             false,
             {Hex("526172211A0700 CF90730000 0D00000000000000 12FD7400802500 03000000 03000000 02"
                  "C2412435 00002128 1430 0500 20000000 612E747874 616263 C43D7B00400700")}));
    Save(folder, "rar5-example",
         fuzzvolumes::Join(
             true, {Hex("526172211A070100 C51A333203010000 8DBBB79D16020203 06032080436D38C2412435"
                        "00000561 2E747874 616263 19B23A3503050000")}));

    std::vector<rarwrite::Entry> entries(4);
    entries[0].name = "d";
    entries[0].directory = true;
    entries[1].name = "d\\one.txt";
    entries[1].data = std::string(300, 'x');
    entries[2].name = "empty";
    entries[3].name = "two.txt";
    entries[3].data = "two";
    struct Variant {
        const char* name;
        rarwrite::Format format;
        rarwrite::Naming naming;
        uint64_t volumeSize;
        void (*fault)(rarwrite::Faults&);
    } variants[] = {
        {"rar4-single", rarwrite::Format::Rar4, rarwrite::Naming::OldStyle, 0, nullptr},
        {"rar5-single", rarwrite::Format::Rar5, rarwrite::Naming::Parts, 0, nullptr},
        {"rar4-old-volumes", rarwrite::Format::Rar4, rarwrite::Naming::OldStyle, 128, nullptr},
        {"rar4-part-volumes", rarwrite::Format::Rar4, rarwrite::Naming::Parts, 128, nullptr},
        {"rar5-volumes", rarwrite::Format::Rar5, rarwrite::Naming::Parts, 128, nullptr},
        {"rar5-bad-data", rarwrite::Format::Rar5, rarwrite::Naming::Parts, 0,
         [](rarwrite::Faults& f) { f.flipDataByteOf = "two.txt"; }},
        {"rar4-bad-header", rarwrite::Format::Rar4, rarwrite::Naming::OldStyle, 0,
         [](rarwrite::Faults& f) { f.flipHeaderByteOf = "two.txt"; }},
        {"rar5-encrypted", rarwrite::Format::Rar5, rarwrite::Naming::Parts, 0,
         [](rarwrite::Faults& f) { f.encrypted = true; }},
    };
    for (const Variant& v : variants) {
        fs::remove_all(scratch);
        fs::create_directories(scratch);
        rarwrite::Options options;
        options.format = v.format;
        options.naming = v.naming;
        options.volumeSize = v.volumeSize;
        if (v.fault) {
            v.fault(options.faults);
        }
        bool parts = v.naming == rarwrite::Naming::Parts && v.volumeSize != 0;
        std::string first = (scratch / (parts ? "f.part1.rar" : "f.rar")).string();
        std::vector<std::string> volumes;
        for (const std::string& path : rarwrite::WriteArchive(first, entries, options)) {
            volumes.push_back(ReadAll(path));
        }
        Save(folder, v.name, fuzzvolumes::Join(parts, volumes));
    }
    fs::remove_all(scratch);
    return 0;
}
