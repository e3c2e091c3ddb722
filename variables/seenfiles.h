#pragma once
// The sources used so far for the page being built, looked up by kind.

#include <optional>
#include <string>
#include <string_view>

namespace qs {

struct SeenFile {
  std::string file;  // the seenfile record's path
  std::string base;  // its file name without folder and extension
};
/// The newest seenfile record whose extension equals ext exactly.
std::optional<SeenFile> getlastseenfilewithextension(std::string_view ext);

}  // namespace qs
