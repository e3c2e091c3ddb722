#pragma once
// The fragment scanner: text outside the delimiters is copied into the
// accumulator, text between them is read and run as instructions.

#include <string_view>

#include "foundation/records.h"

namespace qs {

/// Expands text into the accumulator; false when a start delimiter has no
/// end delimiter after it.
bool stream_toks(std::string_view text, std::string_view start, std::string_view end);
/// Reads and runs one wrapped instruction text ("[" + inner + "]"). An
/// unreadable text, or one with a failing instruction, is added as plain text
/// with the unknown-instruction warning.
void actontokens(std::string_view wrapped);
/// Runs the instructions in order; false at the first that fails (the rest
/// are skipped).
bool actontokens2(const InstructionList& list);
/// Appends piece to the accumulator.
void addtocurrstream(std::string_view piece);

}  // namespace qs
