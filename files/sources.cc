// Source resolution: a page or fragment name becomes a path (fragment side,
// mode 1) or a build-side path (mode 2), and a resolved source is read by its
// kind, falling back step by step to the project folder, the name without
// "!" and finally a converter handler.
#include "files/sources.h"

#include "files/disk.h"
#include "files/handlers.h"
#include "files/paths.h"
#include "files/runcommand.h"
#include "foundation/console.h"
#include "foundation/error.h"
#include "foundation/errorreport.h"
#include "foundation/factstore.h"
#include "foundation/formatter.h"
#include "foundation/text.h"

namespace qs {

namespace {

constexpr std::string_view kRemotePrefix = "https://";

bool isremote(std::string_view name) {
  return name.starts_with(kRemotePrefix);
}

/// Existence where a failing test must count as "absent" rather than end
/// the run.
bool existsquietly(std::string_view path) {
  try {
    return fileexists(path);
  } catch (const RuntimeError&) {
    return false;
  }
}

bool isplain(std::string_view ext) {
  return isnonhandlerextension(uppercase(ext));
}

/// Reads a file; a failed read is reported for the current source and
/// counts as a failure of the alternative.
std::optional<std::string> loadreported(std::string_view path) {
  try {
    return loadtext(path);
  } catch (const RuntimeError& e) {
    error(e);
    return std::nullopt;
  }
}

/// Alternative 1: a plain kind read directly, through the cache when remote.
std::optional<std::string> readdirect(std::string_view path) {
  FileOrUrl parts = filenameext_file_or_url(path);
  if (!isplain(parts.ext) || path.starts_with('!')) return std::nullopt;
  return url_file_str(parts.remote, parts.base, parts.ext, path);
}

/// Alternative 2: the bare file name looked up in the project folder.
std::optional<std::string> readfromprojectfolder(std::string_view path) {
  if (!isplain(splitext(path).ext)) return std::nullopt;
  std::string name = splitpath(str_replace(path, "!", "")).name;
  std::optional<std::string> full = getfromprojectfolder(name);
  if (!full) return std::nullopt;
  return loadreported(*full);
}

/// Alternative 3: the path with every "!" removed.
std::optional<std::string> readwithoutbang(std::string_view path) {
  if (!isplain(splitext(path).ext)) return std::nullopt;
  std::string bare = str_replace(path, "!", "");
  if (!fileexists(bare)) return std::nullopt;
  return loadreported(bare);
}

/// Alternative 4: convert with the handler of the extension (exact case)
/// into a ".sd" file beside the source, then read that file. The output
/// replaces only the source's own extension, so that "notes.v2.md" never
/// overwrites a page source "notes.sd" sitting beside it.
std::optional<std::string> readconverted(std::string_view path) {
  std::string ext = splitext(path).ext;
  std::string output = joinext(path, ".sd");
  std::optional<std::string> tmpl = gethandler(ext);
  if (!tmpl) return std::nullopt;
  std::optional<std::string> commandline = formathandler(*tmpl, exefolder(), path, output);
  if (!commandline) return std::nullopt;
  qwrite(formattext("%\n", {*commandline}));
  try {
    runcommand(*commandline, 0);
    return loadtext(output);
  } catch (const RuntimeError& e) {
    error(e);
    return std::nullopt;
  }
}

}  // namespace

std::string getfoldernm(int mode) {
  const FactStore& f = facts();
  if (mode == 1 && f.fragmentfolder.exists()) return f.fragmentfolder.first()->folder;
  return f.buildfolder.exists() ? f.buildfolder.first()->folder : std::string();
}

std::string verifyfile(int mode, std::string_view path) {
  if (mode == 2) {
    if (path.find(':') != std::string_view::npos || path.starts_with('\\'))
      return std::string(path);
    return exefolder() + std::string(path);
  }
  if (mode == 1 && (isremote(path) || existsquietly(path))) return std::string(path);
  return exefolder() + std::string(path);
}

std::string getproperfn(int mode, std::string_view name) {
  if (mode == 1) {
    if (isremote(name)) return std::string(name);
    try {
      if (fileexists(name)) return std::string(name);
    } catch (const RuntimeError& e) {
      // The name as written could not be tested; the fragment folder is
      // still worth trying, so the error is only reported.
      error(e);
    }
  }
  return verifyfile(mode, getfoldernm(mode) + std::string(name));
}

std::string getproperfnorurl(std::string_view name) {
  if (isremote(name)) {
    if (std::optional<std::string> field = parsefieldfromurl(name, "file=", "&"))
      return getproperfn(2, *field);
  }
  return getproperfn(2, name);
}

std::optional<std::string> getfromprojectfolder(std::string_view name) {
  const FactStore& f = facts();
  if (!f.fragmentfolder.exists() || !f.root.exists()) return std::nullopt;
  std::string sourcefolder = f.fragmentfolder.first()->folder + f.root.first()->folder;
  std::optional<std::string> trimmed = beforesuffix("\\", sourcefolder);
  if (!trimmed) return std::nullopt;
  std::string parent = splitpath(verifyfile(2, *trimmed)).folder;
  std::string full = joinpath(parent, name);
  if (!fileexists(full)) return std::nullopt;
  return full;
}

std::optional<std::string> getfile_str(std::string_view name, std::string_view full) {
  const ClonedFrom& cloned = facts().isclonedfrom.get();
  // A clone has no source of its own: its text is that of the page it copies,
  // and that choice stands even when the page cannot be read.
  if (cloned.clone == name) return getfile_str(getproperfn(1, cloned.page));
  return getfile_str(full);
}

std::optional<std::string> getfile_str(std::string_view path) {
  if (std::optional<std::string> text = readdirect(path)) return text;
  if (std::optional<std::string> text = readfromprojectfolder(path)) return text;
  if (std::optional<std::string> text = readwithoutbang(path)) return text;
  if (std::optional<std::string> text = readconverted(path)) return text;
  qwrite(formattext("Either the file does not exist or I could not find the handler for:\n%\n\n",
                    {path}));
  return std::nullopt;
}

}  // namespace qs
