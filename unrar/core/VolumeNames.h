// The name of the volume that follows a given one.
#pragma once

#include <string>

namespace rarcore {

// New naming: the rightmost digit group of the file name before its extension goes up by one,
// a '1' is put in front when the carry runs out ("x.part9.rar" -> "x.part10.rar"); a name
// without digits falls back to the old naming. Old naming: "x.rar" -> "x.r00" ... "x.r99" ->
// "x.s00". An ".exe" or ".sfx" first volume counts as ".rar". Only the file name changes.
std::string NextVolumeName(const std::string& path, bool newNaming);

}  // namespace rarcore
