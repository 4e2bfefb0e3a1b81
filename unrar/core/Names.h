// Stored names: the form the interface reports, and the cleaned relative path extraction uses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "unrar/core/Archive.h"

namespace rarcore {

// The stored UTF-8 name with Windows separators: RAR 4 '\' and '/' become '\'; RAR 5 '/'
// becomes '\' and a literal '\' becomes '_'. A ':' becomes '_' (it would name an NTFS stream)
// except in a leading drive letter, which the cleaning below removes. The name ends at a NUL.
std::string InterfaceName(const std::string& utf8, Format format);

// The parts of `name` (interface form) that are safe to create under a destination folder:
// a drive letter, empty, "." and ".." parts (any part made only of dots and spaces, which
// Windows would resolve the same way) are removed, and device names such as "CON" or
// "lpt1.txt" get a '_' in front. The result never climbs out of the destination.
std::vector<std::string> SafePathParts(const std::string& name);

// `destPath` with a separator added when it is not empty and lacks one, then `parts` joined
// with `separator`.
std::string JoinOutputPath(const std::string& destPath, const std::vector<std::string>& parts,
                           char separator);

}  // namespace rarcore
