#pragma once
// The instruction interpreter: the effect of each meta-instruction (includes,
// binding changes, variable insertions, range marks) and the insertion of
// direct files with their extension placeholders.

#include <string>
#include <string_view>

#include "foundation/records.h"

namespace qs {

/// Carries out one instruction; false when it failed (the scanner then shows
/// the instruction text as unknown).
bool actontokens3(const Instruction& instruction);
/// Adds bindings to the top frame: direction "<" puts them in front (in
/// reverse order), ">" behind the old ones (which are reversed). False when
/// the stream stack is empty.
bool addtocurrnv(std::string_view direction, const BindingList& added);
/// Inserts the value of a variable; a one-character unknown name inserts
/// itself, any other unknown name only prints the warning.
void addvaluefromtopnv(const std::string& name);
/// Inserts text unchanged when resolved is a direct file (then fills its
/// extension placeholders), else expands it; false when the expansion fails.
bool insert_direct_or_stream_toks(const std::string& resolved, std::string_view text,
                                  std::string_view start, std::string_view end);
/// True when ext is an element of list (exact comparison).
bool isdirectfile(const Slist& list, std::string_view ext);
/// True when the project lists ext among its direct files.
bool isdirectextension(std::string_view ext);
/// Replaces every "!" + ext + "!" in the accumulator by the base name of the
/// newest seen file with that extension.
void changespecialvar(std::string_view ext);

}  // namespace qs
