#pragma once
// The clean, empty and copy work on a project's build folder.

#include <string_view>

namespace qs {

/// Deletes files matching pattern in folder and below, innermost first,
/// with one "Cleaned" line per folder.
void cleanbak(std::string_view pattern, std::string_view folder);
/// Deletes the files matching pattern directly in folder.
void cleanbak2(std::string_view pattern, std::string_view folder);
/// Copies the missing extra files from the source tree into folder (a
/// build-tree folder) and below. buildroot/sourceroot: the two tree roots.
void copyfil(std::string_view pattern, std::string_view buildroot, std::string_view sourceroot,
             std::string_view folder);
/// Copies the missing extra files of one folder from its source-tree
/// counterpart (sourceroot + folder below buildroot); nothing for a folder
/// outside buildroot.
void copyfil2(std::string_view pattern, std::string_view buildroot, std::string_view sourceroot,
              std::string_view folder);
/// ".SD", ".CRL", ".HTML" or ".TXT" exactly.
bool projectfile(std::string_view upperext);

}  // namespace qs
