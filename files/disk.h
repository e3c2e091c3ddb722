#pragma once
// File-system primitives over the host layer: existence by pattern, folder
// listings with masks, create, delete, copy, whole-file text read and write.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace qs {

/// Added to the attribute word of every entry that is not a folder.
inline constexpr uint32_t kNotFolder = 64;
inline constexpr uint32_t kMaskFolders = 16;
inline constexpr uint32_t kMaskFiles = 64;

/// Case-insensitive wildcard match of an entry name against a pattern step
/// ("*" any run, "?" one character; a name without "." gets one appended,
/// and so does a pattern without ".").
bool patternmatches(std::string_view name, std::string_view pattern);

/// True when an entry matching the last step of path exists (folders count).
/// An empty last step (a path ending in "\") matches nothing. File and path
/// not found and missing network paths count as absent; other errors raise.
bool fileexists(std::string_view path);

/// Entries of the folder part of pattern whose name matches its last step and
/// whose attribute word (with 64 for non-folders) shares a bit with mask; the
/// entries carry that word. A last step without wildcards and without a
/// final "." is looked up directly. A missing folder raises 7003.
std::vector<platform::Entry> listfolder(std::string_view pattern, uint32_t mask);

/// Creates one folder (a final "\" accepted); raises on any failure.
void makefolder(std::string_view folder);
/// Deletes one file; a missing file (or folder on its way) is no error.
void removefile(std::string_view path);
/// Copies source over target.
void filecopy(std::string_view source, std::string_view target);
/// The whole file with every carriage return removed.
std::string loadtext(std::string_view path);
/// Writes text with CR LF line ends, keeping an existing file as ".BAK";
/// a read-only file raises 7005.
void savetext(std::string_view path, std::string_view text);

}  // namespace qs
