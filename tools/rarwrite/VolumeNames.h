// Names of the volumes of a multi-volume set, in both schemes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tools/rarwrite/RarWriter.h"

namespace rarwrite {

// The name that follows `current` (a path; only its file name changes). Parts: the rightmost
// digit group before the extension goes up by one, growing a digit when the carry runs out
// ("x.part9.rar" -> "x.part10.rar", "x.part09.rar" -> "x.part10.rar"). OldStyle: "x.rar" ->
// "x.r00" ... "x.r99" -> "x.s00". Throws std::runtime_error when the name has no place for a
// number.
std::string NextVolumeName(const std::string& current, Naming naming);

// The paths of a set of `count` volumes whose first volume the caller named. A single volume
// keeps the given name. With Parts naming a name without ".partN" gets ".part1" (padded to
// `partDigits`) inserted before ".rar"; a name that has it keeps its own width.
std::vector<std::string> VolumePaths(const std::string& firstVolumePath, size_t count,
                                     Naming naming, int partDigits);

}  // namespace rarwrite
