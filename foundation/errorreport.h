#pragma once
// Reports of run-time errors that a caller caught while a page was built.

#include <optional>
#include <string>

#include "foundation/error.h"

namespace qs {

/// The resolved name of the top frame of the stream stack, if any.
std::optional<std::string> getcurrfn();

/// Reports a caught run-time error (straight to standard output, also in
/// quiet mode) naming the current source, then fails: always false. Nothing
/// is written when no frame exists.
bool error(const RuntimeError& e);

}  // namespace qs
