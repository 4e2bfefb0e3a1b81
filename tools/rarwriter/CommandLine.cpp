#include "tools/rarwriter/CommandLine.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <stdexcept>

namespace rarwriter {

const char* const kUsage =
    "usage: rarwriter [options] ARCHIVE [INPUT...]\n"
    "Writes a RAR archive whose files are stored (not compressed). ARCHIVE names the first\n"
    "volume (x.rar, or x.part1.rar). An INPUT file is stored under its own file name; an INPUT\n"
    "folder adds everything under it, named relative to that folder.\n"
    "\n"
    "  --format rar4|rar5      archive format (default rar5)\n"
    "  --naming parts|old      later volumes x.part2.rar... or x.r00, x.r01... (old: rar4 only)\n"
    "  --volume-size SIZE      file data bytes per volume, suffix K, M or G allowed\n"
    "                          (default: everything in one volume)\n"
    "  --part-digits N         width of the number in x.partN.rar when it is added (default 1)\n"
    "  --store NAME=FILE       add FILE under the stored name NAME (any name, e.g. ..\\x)\n"
    "  --store-dir NAME        add a directory entry NAME\n"
    "  --verbatim-names        keep separators in names as given\n"
    "\n"
    "Faults, for testing readers:\n"
    "  --flip-data NAME        invert the first data byte of entry NAME (CRC error)\n"
    "  --flip-header NAME      change a name byte of entry NAME after its header CRC\n"
    "  --wrong-part-crc NAME   store a wrong CRC in the first part header of NAME\n"
    "  --omit-next-volume-flag end blocks do not announce the next volume\n"
    "  --delete-volume I       remove volume I (0 = first) after writing\n"
    "  --truncate-volume I     cut volume I to half its size after writing\n"
    "  --compressed            mark files as compressed\n"
    "  --encrypted             mark files as encrypted\n"
    "  -h, --help              show this text\n"
    "\n"
    "Prints the paths of the volumes written. Exit status: 0 done, 1 I/O error, 2 bad arguments.\n";

namespace {

uint64_t ParseNumber(const std::string& text, const std::string& option, bool allowSuffix) {
    if (text.empty() || text[0] == '-' || text[0] == '+') {
        throw std::invalid_argument(option + " needs a number, got '" + text + "'");
    }
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    std::string suffix(end);
    uint64_t scale = 1;
    if (allowSuffix && suffix.size() == 1) {
        switch (suffix[0]) {
            case 'k':
            case 'K':
                scale = 1ull << 10;
                suffix.clear();
                break;
            case 'm':
            case 'M':
                scale = 1ull << 20;
                suffix.clear();
                break;
            case 'g':
            case 'G':
                scale = 1ull << 30;
                suffix.clear();
                break;
            default:
                break;
        }
    }
    if (errno != 0 || end == text.c_str() || !suffix.empty() || value > UINT64_MAX / scale) {
        throw std::invalid_argument(option + " needs a number, got '" + text + "'");
    }
    return value * scale;
}

int ParseIndex(const std::string& text, const std::string& option) {
    const uint64_t value = ParseNumber(text, option, false);
    if (value > 100000) {
        throw std::invalid_argument(option + " is out of range: " + text);
    }
    return static_cast<int>(value);
}

// Walks the argument list; options that take a value consume the next argument.
class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string>& args) : args_(args) {}
    bool Done() const { return next_ >= args_.size(); }
    const std::string& Take() { return args_[next_++]; }
    const std::string& Value(const std::string& option) {
        if (Done()) {
            throw std::invalid_argument(option + " needs a value");
        }
        return Take();
    }

private:
    const std::vector<std::string>& args_;
    size_t next_ = 0;
};

bool ParseFaultOption(const std::string& arg, ArgumentReader& reader, rarwrite::Faults& faults) {
    if (arg == "--flip-data") {
        faults.flipDataByteOf = reader.Value(arg);
    } else if (arg == "--flip-header") {
        faults.flipHeaderByteOf = reader.Value(arg);
    } else if (arg == "--wrong-part-crc") {
        faults.wrongPartCrcOf = reader.Value(arg);
    } else if (arg == "--omit-next-volume-flag") {
        faults.omitNextVolumeFlag = true;
    } else if (arg == "--delete-volume") {
        faults.deleteVolume = ParseIndex(reader.Value(arg), arg);
    } else if (arg == "--truncate-volume") {
        faults.truncateVolume = ParseIndex(reader.Value(arg), arg);
    } else if (arg == "--compressed") {
        faults.compressedMethod = true;
    } else if (arg == "--encrypted") {
        faults.encrypted = true;
    } else {
        return false;
    }
    return true;
}

Input StoredFile(const std::string& nameAndFile, const std::string& option) {
    const size_t equals = nameAndFile.find('=');
    if (equals == std::string::npos || equals == 0 || equals + 1 == nameAndFile.size()) {
        throw std::invalid_argument(option + " needs NAME=FILE, got '" + nameAndFile + "'");
    }
    Input input;
    input.kind = Input::Kind::StoredFile;
    input.storedName = nameAndFile.substr(0, equals);
    input.path = nameAndFile.substr(equals + 1);
    return input;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    rarwrite::Options& options = line.options;
    ArgumentReader reader(args);
    std::vector<std::string> positional;
    while (!reader.Done()) {
        const std::string& arg = reader.Take();
        if (arg == "-h" || arg == "--help") {
            line.help = true;
            return line;
        } else if (arg == "--format") {
            const std::string& value = reader.Value(arg);
            if (value != "rar4" && value != "rar5") {
                throw std::invalid_argument("--format must be rar4 or rar5, got '" + value + "'");
            }
            options.format = value == "rar4" ? rarwrite::Format::Rar4 : rarwrite::Format::Rar5;
        } else if (arg == "--naming") {
            const std::string& value = reader.Value(arg);
            if (value != "parts" && value != "old") {
                throw std::invalid_argument("--naming must be parts or old, got '" + value + "'");
            }
            options.naming = value == "old" ? rarwrite::Naming::OldStyle : rarwrite::Naming::Parts;
        } else if (arg == "--volume-size") {
            options.volumeSize = ParseNumber(reader.Value(arg), arg, true);
        } else if (arg == "--part-digits") {
            const uint64_t digits = ParseNumber(reader.Value(arg), arg, false);
            if (digits < 1 || digits > 9) {
                throw std::invalid_argument("--part-digits must be 1 to 9");
            }
            options.partDigits = static_cast<int>(digits);
        } else if (arg == "--store") {
            line.inputs.push_back(StoredFile(reader.Value(arg), arg));
        } else if (arg == "--store-dir") {
            Input input;
            input.kind = Input::Kind::StoredDirectory;
            input.storedName = reader.Value(arg);
            line.inputs.push_back(input);
        } else if (arg == "--verbatim-names") {
            options.verbatimNames = true;
        } else if (ParseFaultOption(arg, reader, options.faults)) {
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw std::invalid_argument("unknown option " + arg);
        } else if (line.archive.empty()) {
            line.archive = arg;
        } else {
            Input input;
            input.path = arg;
            line.inputs.push_back(input);
        }
    }
    if (line.archive.empty()) {
        throw std::invalid_argument("no archive name given");
    }
    if (options.format == rarwrite::Format::Rar5 && options.naming == rarwrite::Naming::OldStyle) {
        throw std::invalid_argument("--naming old needs --format rar4");
    }
    return line;
}

std::vector<rarwrite::Entry> CollectEntries(const std::vector<Input>& inputs) {
    namespace fs = std::filesystem;
    std::vector<rarwrite::Entry> entries;
    for (const Input& input : inputs) {
        if (input.kind == Input::Kind::StoredDirectory) {
            rarwrite::Entry entry;
            entry.name = input.storedName;
            entry.directory = true;
            entry.attributes = 0x10;
            entries.push_back(std::move(entry));
            continue;
        }
        std::error_code error;
        const bool isFolder = fs::is_directory(input.path, error);
        if (isFolder && input.kind == Input::Kind::Path) {
            std::vector<rarwrite::Entry> more = rarwrite::EntriesFromFolder(input.path);
            std::move(more.begin(), more.end(), std::back_inserter(entries));
            continue;
        }
        if (!fs::is_regular_file(input.path, error)) {
            throw std::runtime_error("not a readable file: " + input.path);
        }
        rarwrite::Entry entry = rarwrite::EntryFromFile(input.path);
        if (input.kind == Input::Kind::StoredFile) {
            entry.name = input.storedName;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace rarwriter
