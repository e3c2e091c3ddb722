#pragma once
// Folder creation with the pending-folder list (the tomake records).

#include <string_view>

namespace qs {

/// Makes sure folder (ending in "\") exists, creating missing parents first.
/// Folders that fail to be made are queued on the pending list while the walk
/// climbs; a walk that fails still succeeds when the folder exists.
bool chkmkdir(std::string_view folder);
/// Creates every pending folder, front to back, ignoring errors.
void restofdirs();
/// chkmkdir on the folder part of file.
bool mkalldirs(std::string_view file);
/// chkmkdir(folder) when the create setting is present; always succeeds.
void createfolderifmissing(std::string_view folder);
/// Mirrors every sub-folder of source into the build tree. from/to: the
/// absolute source-tree and build-tree roots; each sub-folder path has the
/// root at its front replaced (one that does not begin with from is
/// skipped). A listing error is not caught.
void createbuildfolders(std::string_view source, std::string_view from, std::string_view to);

}  // namespace qs
