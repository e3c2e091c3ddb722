#include "variables/resolve.h"

#include "files/paths.h"
#include "foundation/factstore.h"
#include "foundation/text.h"
#include "platform/platform.h"
#include "variables/filelists.h"
#include "variables/globals.h"
#include "variables/tags.h"

namespace qs {

namespace {

/// "[" + the collected entries + "]".
std::string collected() {
  return "[" + facts().ct.get() + "]";
}

/// "@ALL" (every clone) or "@" + an integer (one item); nothing for any
/// other name, and nothing is stored then.
std::optional<std::string> tagcollection(std::string_view name) {
  if (name == "@ALL") {
    facts().ct.set("");
    facts().ctag.set(0);
    collectanytag(kAllClones);
    return collected();
  }
  if (!name.starts_with('@')) return std::nullopt;
  std::optional<int32_t> n = parseinteger(name.substr(1));
  if (!n) return std::nullopt;
  facts().ct.set("");
  // Numbers above the all-clones selector name no item.
  if (*n <= kAllClones) collectanytag(*n);
  return collected();
}

/// The bindings of the stream stack, top frame first.
std::optional<std::string> streambinding(std::string_view name) {
  for (const Frame& frame : facts().currstreamfile)
    if (std::optional<std::string> v = fetchcorrectval(frame.bindings, name)) return v;
  return std::nullopt;
}

/// The first global binding of that name.
std::optional<std::string> globalbinding(std::string_view name) {
  for (const Global& g : glob())
    if (g.name == name) return g.value;
  return std::nullopt;
}

/// "_c", "_p", "_pd", "_pf": the working folder and the project file's path.
std::optional<std::string> folderorproject(std::string_view name) {
  if (name == "_c") return workfolder();
  const std::string& project = facts().currproj.get();
  if (name == "_p") return project;
  if (name == "_pd") return splitpath(project).folder;
  if (name == "_pf") return splitpath(project).name;
  return std::nullopt;
}

/// A set environment variable with a non-empty value.
std::optional<std::string> environment(std::string_view name) {
  // Longer names are beyond what the environment lookup takes.
  if (name.empty() || name.size() > 255) return std::nullopt;
  std::optional<std::string> v = platform::getenv(name);
  if (!v || v->empty()) return std::nullopt;
  return v;
}

}  // namespace

std::optional<std::string> fetchcorrectval(const BindingList& list, std::string_view name) {
  for (const Binding& b : list)
    if (b.name == name) return b.value;
  return std::nullopt;
}

std::optional<std::string> fetchfromallvars(std::string_view name) {
  if (std::optional<std::string> v = tagcollection(name)) return v;
  if (std::optional<std::string> v = streambinding(name)) return v;
  if (std::optional<std::string> v = globalbinding(name)) return v;
  return getuniversalvar(name);
}

std::optional<std::string> getuniversalvar(std::string_view name) {
  if (std::optional<std::string> v = getfilelist(name)) return v;
  if (std::optional<std::string> v = folderorproject(name)) return v;
  if (std::optional<int32_t> n = getuniversaldvar(name)) return inttotext(*n);
  return environment(name);
}

std::optional<int32_t> getuniversaldvar(std::string_view name) {
  static constexpr std::string_view names[] = {"_y", "_m", "_d", "_dw", "_hr", "_mi", "_sc", "_hd"};
  size_t which = 0;
  while (which < std::size(names) && names[which] != name) ++which;
  if (which == std::size(names)) return std::nullopt;
  // Read afresh for every name: two names of one page may see two instants.
  platform::LocalTime t = platform::now();
  const int32_t values[] = {t.year, t.month,  t.day,    t.weekday,
                            t.hour, t.minute, t.second, t.millisecond / 10};
  return values[which];
}

}  // namespace qs
