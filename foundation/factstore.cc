#include "foundation/factstore.h"

#include "foundation/error.h"
#include "foundation/overload.h"

namespace qs {

void raisesecondrecord() {
  raise(err::kSecondRecord, "factstore", 1);
}

void IndexedTexts::append(const std::string& s) {
  items_.push_back(s);
  ++counts_[s];
}

void IndexedTexts::pushfront(const std::string& s) {
  items_.push_front(s);
  ++counts_[s];
}

bool IndexedTexts::contains(std::string_view s) const {
  return counts_.find(s) != counts_.end();
}

void IndexedTexts::clear() {
  items_.clear();
  counts_.clear();
}

void FactStore::clearsettings() {
  quiet.clear();
  create.clear();
  fragmentfolder.clear();
  buildfolder.clear();
  delimiters.clear();
  mark.clear();
  ghandler.clear();
  output.clear();
}

void FactStore::append(const SettingsRecord& r) {
  std::visit(
      Overload{[&](const Quiet& v) { quiet.append(v); }, [&](const Create& v) { create.append(v); },
               [&](const FragmentFolder& v) { fragmentfolder.append(v); },
               [&](const BuildFolder& v) { buildfolder.append(v); },
               [&](const Delimiters& v) { delimiters.append(v); },
               [&](const Mark& v) { mark.append(v); },
               [&](const GHandler& v) { ghandler.append(v); },
               [&](const Output& v) { output.append(v); }},
      r);
}

void FactStore::append(const ProjectRecord& r) {
  std::visit(
      Overload{[&](const Root& v) { root.append(v); }, [&](const Global& v) { g.append(v); },
               [&](const DirectFiles& v) { directfiles.append(v); },
               [&](const File& v) { file.append(v); }, [&](const Clone& v) { clone.append(v); },
               [&](const Tags& v) { tags.append(v); }, [&](const Handler& v) { handler.append(v); },
               [&](const Notes& v) { notes.append(v); }},
      r);
}

namespace {
FactStore*& storeptr() {
  static FactStore* store = new FactStore();
  return store;
}
}  // namespace

FactStore& facts() {
  return *storeptr();
}

void resetfacts() {
  delete storeptr();
  storeptr() = new FactStore();
}

}  // namespace qs
