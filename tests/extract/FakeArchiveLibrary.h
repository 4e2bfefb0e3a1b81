// A scripted stand-in for the archive library's four entry points, for in-process tests of
// the extraction run. Each open takes the next archive of the script; every call is
// appended to the shared event log with its arguments, so a test compares one list.
#pragma once

#include "extract/ArchiveApi.h"

#include <string>
#include <vector>

namespace fake {

// Names of 260 characters or more fill their field without a terminator.
struct Header {
    std::string arcName;
    std::string fileName;  // the bytes the library hands out (OEM code page)
};

struct Archive {
    unsigned int openResult = 0;
    bool nullHandle = false;  // the open returns no handle
    std::vector<Header> headers;
    std::vector<int> processAnswers;   // per header; missing entries answer 0
    int endAnswer = ERAR_END_ARCHIVE;  // what every read after the last header answers
    int closeAnswer = 0;
};

// An archive of `count` files named f0 ... in volume "vol.rar".
Archive FilesArchive(unsigned int count);

// Installs the script and places the fake entry points in extract::ArchiveApi. Clears the
// log and the counters.
void Install(std::vector<Archive> script);

// The fake's entry points, without touching extract::ArchiveApi.
extract::ArchiveEntryPoints EntryPoints();

// Everything the fake and the recording host saw, in order.
std::vector<std::string>& Log();

// When false, per-header calls (read, process) are counted but not logged: for big archives.
void SetLogHeaders(bool logHeaders);
bool LogsHeaders();

struct Counters {
    unsigned int opens = 0;
    unsigned int reads = 0;
    unsigned int processes = 0;
    unsigned int closes = 0;
    unsigned int foreignHandles = 0;  // calls with a handle that no successful open gave out
};
const Counters& Count();

// The destination path bytes of the most recent RARProcessFile call.
const std::string& LastDestination();

// Called inside every RARProcessFile, so tests can look at windows mid-run.
void SetProcessHook(void (*hook)());

}  // namespace fake
