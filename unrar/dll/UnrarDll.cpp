// The four entry points of UNRAR.dll over the portable reader core. Text crosses the interface
// in the code pages callers of the genuine library expect: the archive name in ANSI, stored
// names out and destination paths in as OEM.
#include <cstring>
#include <new>

#include "unrar/core/Archive.h"
#include "unrar/dll/TextCodes.h"
#include "unrar/dll/Win32FileSystem.h"
#include "unrar/include/UnrarApi.h"

namespace {

// What a handle points to. The file system is the archive's, so it is declared first and
// destroyed last.
struct OpenArchive {
    unrardll::Win32FileSystem fs;
    std::unique_ptr<rarcore::Archive> archive;
};

rarcore::OpenMode ToOpenMode(unsigned int mode) {
    switch (mode) {
        case RAR_OM_EXTRACT:
            return rarcore::OpenMode::Extract;
        case RAR_OM_LIST_INCSPLIT:
            return rarcore::OpenMode::ListSplitParts;
        default:
            return rarcore::OpenMode::List;  // an unknown mode writes nothing
    }
}

rarcore::Operation ToOperation(int operation) {
    switch (operation) {
        case RAR_SKIP:
            return rarcore::Operation::Skip;
        case RAR_EXTRACT:
            return rarcore::Operation::Extract;
        default:
            return rarcore::Operation::Test;
    }
}

// Copies `text` into a 260-byte record field, cut to 259 bytes and terminated.
void CopyField(char (&field)[260], const std::string& text) {
    size_t length = text.size() < sizeof field - 1 ? text.size() : sizeof field - 1;
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

void ClearOutputs(RARHeaderData* header) {
    std::memset(header->ArcName, 0, sizeof header->ArcName);
    std::memset(header->FileName, 0, sizeof header->FileName);
    header->Flags = header->PackSize = header->UnpSize = header->HostOS = 0;
    header->FileCRC = header->FileTime = header->UnpVer = header->Method = header->FileAttr = 0;
    header->CmtSize = header->CmtState = 0;
}

void FillOutputs(RARHeaderData* header, const rarcore::FileEntry& entry) {
    CopyField(header->ArcName, unrardll::FromUtf8(entry.volumeName, CP_ACP));
    CopyField(header->FileName, unrardll::FromUtf8(entry.name, CP_OEMCP));
    unsigned int flags = 0;
    flags |= entry.splitBefore ? unsigned(RHDF_SPLITBEFORE) : 0u;
    flags |= entry.splitAfter ? unsigned(RHDF_SPLITAFTER) : 0u;
    flags |= entry.encrypted ? unsigned(RHDF_ENCRYPTED) : 0u;
    flags |= entry.solid ? unsigned(RHDF_SOLID) : 0u;
    flags |= entry.directory ? unsigned(RHDF_DIRECTORY) : 0u;
    header->Flags = flags;
    // The record holds 32-bit sizes; larger files show their low 32 bits, as in the original.
    header->PackSize = static_cast<unsigned int>(entry.packedSize);
    header->UnpSize = static_cast<unsigned int>(entry.unpackedSize);
    header->HostOS = entry.hostOs;
    header->FileCRC = entry.crc;
    header->FileTime = entry.dosTime;
    header->UnpVer = entry.unpackVersion;
    header->Method = entry.method;
    header->FileAttr = entry.attributes;
    header->CmtSize = header->CmtState = 0;
}

}  // namespace

// No C++ exception may leave these functions: each one answers "no memory" instead.
extern "C" {

HANDLE WINAPI RAROpenArchive(RAROpenArchiveData* data) {
    if (!data) {
        return nullptr;
    }
    data->CmtSize = 0;
    data->CmtState = 0;  // comments are not read
    if (!data->ArcName) {
        data->OpenResult = ERAR_EOPEN;
        return nullptr;
    }
    try {
        auto open = std::make_unique<OpenArchive>();
        std::string path = unrardll::ToUtf8(data->ArcName, CP_ACP);
        rarcore::Archive::OpenResult result =
            rarcore::Archive::Open(open->fs, path, ToOpenMode(data->OpenMode));
        data->OpenResult = static_cast<unsigned int>(result.status);
        if (!result.archive) {
            return nullptr;
        }
        open->archive = std::move(result.archive);
        return open.release();  // freed in RARCloseArchive
    } catch (const std::bad_alloc&) {
        data->OpenResult = ERAR_NO_MEMORY;
    } catch (...) {
        data->OpenResult = ERAR_UNKNOWN;
    }
    return nullptr;
}

int WINAPI RARReadHeader(HANDLE handle, RARHeaderData* header) {
    if (!handle || !header) {
        return ERAR_UNKNOWN;
    }
    try {
        rarcore::FileEntry entry;
        int status =
            static_cast<int>(static_cast<OpenArchive*>(handle)->archive->ReadHeader(entry));
        if (status == ERAR_SUCCESS) {
            FillOutputs(header, entry);
        } else {
            ClearOutputs(header);
        }
        return status;
    } catch (const std::bad_alloc&) {
        ClearOutputs(header);
        return ERAR_NO_MEMORY;
    } catch (...) {
        ClearOutputs(header);
        return ERAR_UNKNOWN;
    }
}

int WINAPI RARProcessFile(HANDLE handle, int operation, char* destPath, char* destName) {
    if (!handle) {
        return ERAR_UNKNOWN;
    }
    try {
        std::string path = unrardll::ToUtf8(destPath, CP_OEMCP);
        std::string name = unrardll::ToUtf8(destName, CP_OEMCP);
        return static_cast<int>(static_cast<OpenArchive*>(handle)->archive->Process(
            ToOperation(operation), path, name));
    } catch (const std::bad_alloc&) {
        return ERAR_NO_MEMORY;
    } catch (...) {
        return ERAR_UNKNOWN;
    }
}

int WINAPI RARCloseArchive(HANDLE handle) {
    if (!handle) {
        return ERAR_ECLOSE;
    }
    delete static_cast<OpenArchive*>(handle);  // made in RAROpenArchive
    return ERAR_SUCCESS;
}

}  // extern "C"
