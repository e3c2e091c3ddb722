#pragma once
// Windows path texts: "\" separates folders, ":" ends a drive prefix, "/" is
// an ordinary character. Folder paths end with "\".

#include <string>
#include <string_view>

namespace qs {

struct PathSplit {
  std::string folder;  // up to and including the last "\" or ":"
  std::string name;    // the rest
};
/// Splits at the last "\" or ":". Raises 1135 over 255 characters.
PathSplit splitpath(std::string_view path);

/// An absolute, normalised path for name relative to folder. Raises 1135
/// when either part is over 255 characters.
std::string joinpath(std::string_view folder, std::string_view name);

struct ExtSplit {
  std::string base;
  std::string ext;  // from the last "." per the extension rule, or ""
};
/// Raises 1135 over 256 characters.
ExtSplit splitext(std::string_view path);
/// base without its extension, then ext appended unchanged.
std::string joinext(std::string_view base, std::string_view ext);

/// The executable's folder, ending in "\".
std::string exefolder();
/// The executable's file name.
std::string exename();
/// The working folder ("C:\x", "C:\" at a root).
std::string workfolder();

}  // namespace qs
