#include "FakeArchiveLibrary.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <cstring>

namespace fake {

namespace {

// Reads beyond this many past the script's end mean the run is looping on an error answer.
constexpr unsigned int kRunawayReads = 100;

struct OpenArchiveState {
    const Archive* archive = nullptr;
    bool valid = false;
    std::size_t nextHeader = 0;
    unsigned int readsPastEnd = 0;
};

std::vector<Archive> script;
std::vector<OpenArchiveState> opened;  // index + 1 is the handle value
std::vector<std::string> log;
Counters counters;
std::string lastDestination;
bool logHeaders = true;
void (*processHook)() = nullptr;

std::string Text(const char* text) {
    return text == nullptr ? "null" : std::string(text);
}

std::string HandleName(HANDLE handle) {
    return "#" + std::to_string(reinterpret_cast<std::uintptr_t>(handle));
}

// The archive that `handle` stands for, or null when no successful open gave it out.
OpenArchiveState* Lookup(HANDLE handle) {
    const std::uintptr_t value = reinterpret_cast<std::uintptr_t>(handle);
    if (value == 0 || value > opened.size() || !opened[value - 1].valid) {
        ++counters.foreignHandles;
        ADD_FAILURE() << "call with handle " << value << " that stands for no open archive";
        return nullptr;
    }
    return &opened[value - 1];
}

// A name of 260 characters or more fills the whole field with no terminator, as a careless
// library might.
void CopyName(char (&field)[260], const std::string& value) {
    std::memset(field, 0, sizeof field);
    std::memcpy(field, value.data(), std::min(value.size(), sizeof field));
}

HANDLE WINAPI FakeOpen(RAROpenArchiveData* data) {
    ++counters.opens;
    log.push_back("open mode=" + std::to_string(data->OpenMode) + " arc=" + Text(data->ArcName) +
                  " cmt=" + (data->CmtBuf == nullptr ? "null" : "set"));
    if (counters.opens > script.size()) {
        ADD_FAILURE() << "more opens than the script holds";
        data->OpenResult = ERAR_EOPEN;
        return nullptr;
    }
    const Archive& archive = script[counters.opens - 1];
    data->OpenResult = archive.openResult;
    OpenArchiveState state;
    state.archive = &archive;
    state.valid = archive.openResult == 0 && !archive.nullHandle;
    opened.push_back(state);
    // A failed open still hands out a distinct non-null handle, so any use of it shows.
    return archive.nullHandle ? nullptr : reinterpret_cast<HANDLE>(opened.size());
}

int WINAPI FakeReadHeader(HANDLE handle, RARHeaderData* header) {
    ++counters.reads;
    if (logHeaders) {
        log.push_back("read " + HandleName(handle) +
                      " cmt=" + (header->CmtBuf == nullptr ? "null" : "set"));
    }
    OpenArchiveState* state = Lookup(handle);
    if (state == nullptr) {
        return ERAR_END_ARCHIVE;
    }
    if (state->nextHeader < state->archive->headers.size()) {
        const Header& next = state->archive->headers[state->nextHeader++];
        CopyName(header->ArcName, next.arcName);
        CopyName(header->FileName, next.fileName);
        return ERAR_SUCCESS;
    }
    if (++state->readsPastEnd > kRunawayReads) {
        ADD_FAILURE() << "the run keeps reading after " << kRunawayReads << " answers of "
                      << state->archive->endAnswer;
        return ERAR_END_ARCHIVE;
    }
    return state->archive->endAnswer;
}

int WINAPI FakeProcessFile(HANDLE handle, int operation, char* destPath, char* destName) {
    ++counters.processes;
    lastDestination = destPath == nullptr ? std::string("<null>") : std::string(destPath);
    if (logHeaders) {
        log.push_back("process " + HandleName(handle) + " op=" + std::to_string(operation) +
                      " dest=" + lastDestination + " name=" + Text(destName));
    }
    if (processHook != nullptr) {
        processHook();
    }
    OpenArchiveState* state = Lookup(handle);
    if (state == nullptr || state->nextHeader == 0) {
        return ERAR_SUCCESS;
    }
    const std::vector<int>& answers = state->archive->processAnswers;
    return state->nextHeader <= answers.size() ? answers[state->nextHeader - 1] : ERAR_SUCCESS;
}

int WINAPI FakeCloseArchive(HANDLE handle) {
    ++counters.closes;
    log.push_back("close " + HandleName(handle));
    OpenArchiveState* state = Lookup(handle);
    if (state == nullptr) {
        return ERAR_ECLOSE;
    }
    state->valid = false;
    return state->archive->closeAnswer;
}

}  // namespace

Archive FilesArchive(unsigned int count) {
    Archive archive;
    archive.headers.reserve(count);
    for (unsigned int i = 0; i < count; ++i) {
        archive.headers.push_back({"vol.rar", "f" + std::to_string(i)});
    }
    return archive;
}

void Install(std::vector<Archive> newScript) {
    script = std::move(newScript);
    opened.clear();
    log.clear();
    counters = Counters();
    lastDestination.clear();
    logHeaders = true;
    processHook = nullptr;
    extract::ArchiveApi = EntryPoints();
}

extract::ArchiveEntryPoints EntryPoints() {
    extract::ArchiveEntryPoints entryPoints;
    entryPoints.RAROpenArchive = FakeOpen;
    entryPoints.RARReadHeader = FakeReadHeader;
    entryPoints.RARCloseArchive = FakeCloseArchive;
    entryPoints.RARProcessFile = FakeProcessFile;
    return entryPoints;
}

std::vector<std::string>& Log() {
    return log;
}

void SetLogHeaders(bool value) {
    logHeaders = value;
}

bool LogsHeaders() {
    return logHeaders;
}

const Counters& Count() {
    return counters;
}

const std::string& LastDestination() {
    return lastDestination;
}

void SetProcessHook(void (*hook)()) {
    processHook = hook;
}

}  // namespace fake
