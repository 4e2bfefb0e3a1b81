// rarwriter: builds stored RAR 4.x / RAR 5.0 archives (optionally damaged) from files and
// folders, for tests, the demo and benchmarks.
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/rarwriter/CommandLine.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    rarwriter::CommandLine line;
    try {
        line = rarwriter::ParseCommandLine(args);
    } catch (const std::invalid_argument& error) {
        std::fprintf(stderr, "rarwriter: %s\n\n%s", error.what(), rarwriter::kUsage);
        return 2;
    }
    if (line.help) {
        std::fputs(rarwriter::kUsage, stdout);
        return 0;
    }
    try {
        const std::vector<rarwrite::Entry> entries = rarwriter::CollectEntries(line.inputs);
        for (const std::string& path :
             rarwrite::WriteArchive(line.archive, entries, line.options)) {
            std::printf("%s\n", path.c_str());
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "rarwriter: %s\n", error.what());
        return 1;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
