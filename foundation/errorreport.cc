#include "foundation/errorreport.h"

#include "foundation/console.h"
#include "foundation/factstore.h"
#include "foundation/formatter.h"

namespace qs {

std::optional<std::string> getcurrfn() {
  const Frame* top = facts().currstreamfile.first();
  if (!top) return std::nullopt;
  return top->file;
}

bool error(const RuntimeError& e) {
  std::optional<std::string> current = getcurrfn();
  if (!current) return false;
  if (e.code() == err::kUnknownName) {
    writeout(formattext("Error found in SD instruction in file:\n%\n\n", {*current}));
    return false;
  }
  std::string message = errormessage(e.code());
  writeout(formattext("Error: %\nFile:%\nPos: %\nEncountered in %\n\n",
                      {message, e.unit(), static_cast<uint32_t>(e.pos()), *current}));
  return false;
}

}  // namespace qs
