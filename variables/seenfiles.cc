#include "variables/seenfiles.h"

#include "files/paths.h"
#include "foundation/factstore.h"

namespace qs {

std::optional<SeenFile> getlastseenfilewithextension(std::string_view ext) {
  for (const std::string& file : facts().seenfile) {
    ExtSplit split = splitext(splitpath(file).name);
    if (split.ext == ext) return SeenFile{file, split.base};
  }
  return std::nullopt;
}

}  // namespace qs
