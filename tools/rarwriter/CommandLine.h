// Command line of the rarwriter program: what to store and how to write it.
#pragma once

#include <string>
#include <vector>

#include "tools/rarwrite/RarWriter.h"

namespace rarwriter {

// One thing to put into the archive, in command-line order.
struct Input {
    enum class Kind { Path, StoredFile, StoredDirectory };
    Kind kind = Kind::Path;
    std::string storedName;  // StoredFile, StoredDirectory
    std::string path;        // Path, StoredFile
};

struct CommandLine {
    bool help = false;
    std::string archive;
    std::vector<Input> inputs;
    rarwrite::Options options;
};

extern const char* const kUsage;

// Throws std::invalid_argument with a message for the user when the arguments are wrong.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// Reads the inputs into entries; throws std::runtime_error when a file cannot be read.
std::vector<rarwrite::Entry> CollectEntries(const std::vector<Input>& inputs);

}  // namespace rarwriter
