#pragma once
// Building pages: one page from its source into the build folder, and one
// inclusion of another source with the circularity rule.

#include <string>
#include <string_view>

#include "foundation/records.h"

namespace qs {

/// Builds every page of the list, in order.
void processfiles2(const Slist& pages);
/// Builds one page (or clone); never fails towards the caller.
void process_main_sd(const std::string& pagename);
/// Writes content to outname with the output extension (backup kept).
void saveas(std::string_view outname, std::string_view content);
/// One inclusion; false when it was refused or could not be read/expanded.
bool process_rest_sd(const std::string& name, const BindingList& bindings);
/// The circularity rule; false (after its message) when refused.
bool shouldnothaveseen(const std::string& resolved);
/// Records resolved as insertion-free when the inclusion that is ending ran
/// no file-including instruction.
void checkifinsertionswerepresent(const std::string& resolved);

}  // namespace qs
