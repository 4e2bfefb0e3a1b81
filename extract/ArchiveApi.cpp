#include "extract/ArchiveApi.h"

namespace extract {

ArchiveEntryPoints ArchiveApi;
RAROpenArchiveData ArchiveOpenRecord = {};
RARHeaderData ArchiveHeaderRecord = {};
char SetupFileName[settings::kValueBufferSize] = {};

}  // namespace extract
