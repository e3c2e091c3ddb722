#pragma once
// Clones: extra pages built from a listed page's text with their own
// bindings, which are globals for the duration of one clone.

#include <cstdint>
#include <string>

#include "foundation/records.h"

namespace qs {

/// Builds the clones of every listed page, index counting from index.
void processclones(int32_t index, const Slist& pages);
void workonclone(int32_t index, const std::string& sourcepage);
void prependglob(const BindingList& bindings);
void removeassertedglob();

}  // namespace qs
