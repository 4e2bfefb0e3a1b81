// The archive library's public interface as the installer calls it: the two records, the
// open modes, operations and result codes, and the four entry points. The same declaration
// serves the stand-in library and the program, so both agree on the layout for both targets.
#pragma once

#include <windows.h>

#include <cstddef>

#pragma pack(push, 1)
struct RAROpenArchiveData {
    char* ArcName;
    unsigned int OpenMode;
    unsigned int OpenResult;
    char* CmtBuf;
    unsigned int CmtBufSize;
    unsigned int CmtSize;
    unsigned int CmtState;
};

struct RARHeaderData {
    char ArcName[260];
    char FileName[260];
    unsigned int Flags;
    unsigned int PackSize;
    unsigned int UnpSize;
    unsigned int HostOS;
    unsigned int FileCRC;
    unsigned int FileTime;
    unsigned int UnpVer;
    unsigned int Method;
    unsigned int FileAttr;
    char* CmtBuf;
    unsigned int CmtBufSize;
    unsigned int CmtSize;
    unsigned int CmtState;
};
#pragma pack(pop)

// The genuine 32-bit library is built with these exact sizes; a mismatch would let it write
// past the caller's record.
#if defined(_WIN64)
static_assert(sizeof(RAROpenArchiveData) == 36, "open record layout");
static_assert(sizeof(RARHeaderData) == 576, "header record layout");
static_assert(offsetof(RARHeaderData, CmtBuf) == 556, "header record layout");
#else
static_assert(sizeof(RAROpenArchiveData) == 28, "open record layout");
static_assert(sizeof(RARHeaderData) == 572, "header record layout");
static_assert(offsetof(RARHeaderData, CmtBuf) == 556, "header record layout");
#endif
static_assert(offsetof(RAROpenArchiveData, OpenResult) == sizeof(char*) + 4, "open record layout");

enum : unsigned int {
    RAR_OM_LIST = 0,
    RAR_OM_EXTRACT = 1,
    RAR_OM_LIST_INCSPLIT = 2,
};

enum : int {
    RAR_SKIP = 0,
    RAR_TEST = 1,
    RAR_EXTRACT = 2,
};

enum : int {
    ERAR_SUCCESS = 0,
    ERAR_END_ARCHIVE = 10,
    ERAR_NO_MEMORY = 11,
    ERAR_BAD_DATA = 12,
    ERAR_BAD_ARCHIVE = 13,
    ERAR_UNKNOWN_FORMAT = 14,
    ERAR_EOPEN = 15,
    ERAR_ECREATE = 16,
    ERAR_ECLOSE = 17,
    ERAR_EREAD = 18,
    ERAR_EWRITE = 19,
    ERAR_SMALL_BUF = 20,
    ERAR_UNKNOWN = 21,
    ERAR_MISSING_PASSWORD = 22,
};

// Header flags reported in RARHeaderData::Flags.
enum : unsigned int {
    RHDF_SPLITBEFORE = 0x01,
    RHDF_SPLITAFTER = 0x02,
    RHDF_ENCRYPTED = 0x04,
    RHDF_SOLID = 0x10,
    RHDF_DIRECTORY = 0x20,
};

// Entry points; __stdcall on x86 (the callee pops its arguments), the plain convention on x64.
typedef HANDLE(WINAPI* RAROpenArchiveFn)(RAROpenArchiveData* data);
typedef int(WINAPI* RARReadHeaderFn)(HANDLE archive, RARHeaderData* header);
typedef int(WINAPI* RARProcessFileFn)(HANDLE archive, int operation, char* destPath,
                                      char* destName);
typedef int(WINAPI* RARCloseArchiveFn)(HANDLE archive);
