#pragma once
// The fragment scanner: text outside the delimiters is copied into the
// accumulator, text between them is read and run as instructions.

#include <string_view>

namespace qs {

/// Expands text into the accumulator; false when a start delimiter has no
/// end delimiter after it.
bool stream_toks(std::string_view text, std::string_view start, std::string_view end);
/// Reads and runs one wrapped instruction text ("[" + inner + "]").
void actontokens(std::string_view wrapped);
/// Appends piece to the accumulator.
void addtocurrstream(std::string_view piece);

}  // namespace qs
