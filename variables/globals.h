#pragma once
// The global bindings: the g records in stored order (a clone's bindings
// first while it is built).

#include "foundation/factstore.h"

namespace qs {

/// The global bindings, in stored order, without copying them.
inline const Many<Global>& glob() {
  return facts().g;
}

}  // namespace qs
