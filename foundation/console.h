#pragma once
// Console output shared by every layer.

#include <string_view>

namespace qs {

/// Writes text to standard output unless a quiet record is stored.
void qwrite(std::string_view text);
/// Writes text to standard output whatever the quiet mode (reports that must
/// always appear).
void writeout(std::string_view text);

}  // namespace qs
