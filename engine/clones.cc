#include "engine/clones.h"

#include "engine/pagebuild.h"
#include "foundation/factstore.h"

namespace qs {

void processclones(int32_t index, const Slist& pages) {
  for (const std::string& page : pages) workonclone(index++, page);
}

void workonclone(int32_t index, const std::string& sourcepage) {
  // Nothing changes the clone records while clones are built, so the walk
  // can run over the store itself.
  for (const Clone& c : facts().clone) {
    if (c.index != index) continue;
    facts().isclonedfrom.set(ClonedFrom{c.page, sourcepage});
    prependglob(c.bindings);
    process_main_sd(c.page);
    removeassertedglob();
  }
  facts().isclonedfrom.set(ClonedFrom{});
}

void prependglob(const BindingList& bindings) {
  for (const Binding& b : bindings) {
    facts().g.pushfront(Global{b.name, b.value});
    facts().tmpg.pushfront(Global{b.name, b.value});
  }
}

void removeassertedglob() {
  // The clone's bindings stand at the front of the globals in the order of
  // the tmpg records, so the first equal global is always the one inserted
  // for the clone: a project global with the same name and value survives.
  Many<Global>& g = facts().g;
  Many<Global>& tmpg = facts().tmpg;
  while (const Global* t = tmpg.first()) {
    g.removefirst([t](const Global& r) { return r == *t; });
    tmpg.removefirst();
  }
}

}  // namespace qs
