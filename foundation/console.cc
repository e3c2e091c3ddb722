#include "foundation/console.h"

#include "foundation/factstore.h"
#include "platform/platform.h"

namespace qs {

void qwrite(std::string_view text) {
  if (!facts().quiet.exists()) platform::writeout(text);
}

void writeout(std::string_view text) { platform::writeout(text); }

}  // namespace qs
