#include "foundation/error.h"

namespace qs {

RuntimeError::RuntimeError(int code, const char* unit, int pos)
    : code_(code), unit_(unit), pos_(pos), what_("error " + std::to_string(code)) {}

void raise(int code, const char* unit, int pos) { throw RuntimeError(code, unit, pos); }

}  // namespace qs
