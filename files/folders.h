#pragma once
// Folder creation with the pending-folder list (the tomake records).

#include <string_view>

namespace qs {

/// Makes sure folder (ending in "\") exists, creating missing parents first.
bool chkmkdir(std::string_view folder);
/// Creates every pending folder, front to back, ignoring errors.
void restofdirs();
/// chkmkdir on the folder part of file.
bool mkalldirs(std::string_view file);
/// chkmkdir(folder) when the create setting is present; always succeeds.
void createfolderifmissing(std::string_view folder);
/// Mirrors every sub-folder of source into the build tree. from/to: the
/// fragment and build roots; each sub-folder path has its front root
/// replaced.
void createbuildfolders(std::string_view source, std::string_view from, std::string_view to);

}  // namespace qs
