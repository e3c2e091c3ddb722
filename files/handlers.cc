// Converter handlers, remote sources through the HTTP client and the cache,
// placeholder files, and the closing report of a build.
#include "files/handlers.h"

#include "files/disk.h"
#include "files/folders.h"
#include "files/paths.h"
#include "files/runcommand.h"
#include "files/sources.h"
#include "foundation/console.h"
#include "foundation/error.h"
#include "foundation/errorreport.h"
#include "foundation/factstore.h"
#include "foundation/formatter.h"
#include "foundation/text.h"

namespace qs {

namespace {

constexpr std::string_view kRemotePrefix = "https://";
constexpr std::string_view kPlaceholderText =
    "This is just some placeholder text. Please replace this!";
constexpr std::string_view kPlaceholderBanner =
    "\n*********\nIMPORTANT\n*********\nThe following files were created with placeholder "
    "content.\nPlease modify them as per your requirements and build again!\n\n";

bool isremote(std::string_view path) {
  return path.starts_with(kRemotePrefix);
}

/// Under -r, a missing local source becomes a placeholder file. Gives the
/// text when the file was written; a failed write is reported and the
/// caller falls back to reading.
std::optional<std::string> placeholder(std::string_view path) {
  if (fileexists(path) || !facts().create.exists()) return std::nullopt;
  if (!chkmkdir(splitpath(path).folder)) return std::nullopt;
  facts().placeholderfile.append(std::string(path));
  try {
    savetext(path, kPlaceholderText);
    return std::string(kPlaceholderText);
  } catch (const RuntimeError& e) {
    error(e);
    return std::nullopt;
  }
}

std::optional<std::string> readreported(std::string_view path) {
  try {
    return loadtext(path);
  } catch (const RuntimeError& e) {
    error(e);
    return std::nullopt;
  }
}

/// The address goes into the client's command line unquoted: a blank, a
/// control character or a double quote would split it into further
/// arguments (another "-o" target, say), so such an address is not fetched.
/// A valid address holds none of them (they are percent-encoded).
bool singleargument(std::string_view url) {
  for (unsigned char c : url)
    if (c <= ' ' || c == '"' || c == 127) return false;
  return true;
}

/// Removes a file whatever its folder, ignoring errors: a failed download
/// must not stay in the cache, where a later request would take it as good.
void discard(std::string_view file) {
  try {
    removefile(file);
  } catch (const RuntimeError&) {
  }
}

}  // namespace

std::optional<std::string> gethandler(std::string_view ext) {
  const FactStore& f = facts();
  if (const Handler* h = f.handler.find([&](const Handler& r) { return r.extension == ext; }))
    return h->command;
  if (const GHandler* g = f.ghandler.find([&](const GHandler& r) { return r.extension == ext; }))
    return g->command;
  return std::nullopt;
}

std::optional<std::string> formathandler(std::string_view tmpl, std::string_view exefolder,
                                         std::string_view source, std::string_view output) {
  // A template beginning with "%" takes the executable's folder first; its
  // formatter errors are left to the page builder.
  if (tmpl.starts_with('%')) return formattext(tmpl, {exefolder, source, output});
  try {
    return formattext(tmpl, {source, output});
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
}

std::string cachefilename(std::string_view base, std::string_view ext) {
  // A field naming sub-folders still lands directly in the cache folder.
  std::string name = str_replace(joinext(base, ext), "\\", "_");
  return formattext("cache\\%", {name});
}

bool isnonhandlerextension(std::string_view upperext) {
  return upperext == ".SD" || upperext == ".TXT" || upperext == ".HTML";
}

FileOrUrl filenameext_file_or_url(std::string_view path) {
  if (isremote(path))
    if (auto field = parsefieldfromurl(path, "file=", "&")) {
      ExtSplit s = splitext(*field);
      return {std::move(s.base), std::move(s.ext), true};
    }
  ExtSplit s = splitext(path);
  return {std::move(s.base), std::move(s.ext), false};
}

std::optional<std::string> parsefieldfromurl(std::string_view text, std::string_view key,
                                             std::string_view separator) {
  auto pos = substrpos(text, key);
  if (!pos) return std::nullopt;
  return getsearchstring(text.substr(*pos - 1 + key.size()), separator);
}

std::string getsearchstring(std::string_view text, std::string_view separator) {
  auto pos = substrpos(text, separator);
  return std::string(pos ? text.substr(0, *pos - 1) : text);
}

std::optional<std::string> url_file_str(bool remote, std::string_view base, std::string_view ext,
                                        std::string_view path) {
  if (remote) return getcurlstr(path, verifyfile(2, cachefilename(base, ext)));
  if (auto text = placeholder(path)) return text;
  return readreported(path);
}

std::optional<std::string> getcurlstr(std::string_view url, std::string_view target) {
  if (fileexists(target)) return loadtext(target);
  if (!isremote(url) || !singleargument(url)) return std::nullopt;
  std::string client = exefolder() + "curl\\curl.exe";
  if (!fileexists(client)) return std::nullopt;
  int code = runcommand(formattext("%s --silent %s -o %s", {client, url, target}), 0);
  std::string text;
  try {
    text = loadtext(target);
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
  chkdeletefile(target);
  if (code == 0 && !text.empty()) return text;
  discard(target);
  return std::nullopt;
}

void chkdeletefile(std::string_view file) {
  if (substrpos(file, "\\cache\\")) return;
  discard(file);
}

bool oneplaceholderfile() {
  return facts().placeholderfile.exists();
}

void writeplaceholderinfo() {
  FactStore& f = facts();
  if (oneplaceholderfile()) writeout(kPlaceholderBanner);
  while (const std::string* p = f.placeholderfile.first()) {
    std::string path = *p;
    f.placeholderfile.removefirst();
    writeformatted("%\n", {path});
  }
  if (const Notes* n = f.notes.first()) writeformatted("\n%", {n->text});
}

}  // namespace qs
