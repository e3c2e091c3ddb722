#pragma once
// Converter handlers, remote sources through the HTTP client and the cache,
// placeholder files, and the closing report of a build.

#include <optional>
#include <string>
#include <string_view>

namespace qs {

/// The first project handler for ext (byte for byte), else the first
/// settings handler.
std::optional<std::string> gethandler(std::string_view ext);
/// The command line from a handler template; a template beginning with "%"
/// gets the executable's folder first.
std::optional<std::string> formathandler(std::string_view tmpl, std::string_view exefolder,
                                         std::string_view source, std::string_view output);
/// ".SD", ".TXT" or ".HTML" exactly.
bool isnonhandlerextension(std::string_view upperext);

struct FileOrUrl {
  std::string base;
  std::string ext;
  bool remote;
};
/// Base and extension of a local path, or of the "file=" field of a remote
/// name.
FileOrUrl filenameext_file_or_url(std::string_view path);
/// The text after the first key, up to the first separator after it.
std::optional<std::string> parsefieldfromurl(std::string_view text, std::string_view key,
                                             std::string_view separator);
/// The text before the first separator, or all of it.
std::string getsearchstring(std::string_view text, std::string_view separator);
/// The cache file name of a remote source, relative to the executable's
/// folder: "cache\" + joinext(base, ext) with every "\" made "_".
std::string cachefilename(std::string_view base, std::string_view ext);
/// Text of a plain-kind source: through the cache (remote), a placeholder
/// under -r, or read from disk.
std::optional<std::string> url_file_str(bool remote, std::string_view base, std::string_view ext,
                                        std::string_view path);
/// Text of url: from target when it exists, else fetched into it by the
/// HTTP client. A failed fetch (non-zero exit code or empty text) leaves no
/// file behind, in the cache either, so a later request fetches again; an
/// address holding blanks or double quotes is not fetched.
std::optional<std::string> getcurlstr(std::string_view url, std::string_view target);
/// Deletes file unless its path holds "\cache\".
void chkdeletefile(std::string_view file);
/// True when a placeholder file was created in this run.
bool oneplaceholderfile();
/// The placeholder report and the notes, straight to standard output.
void writeplaceholderinfo();

}  // namespace qs
