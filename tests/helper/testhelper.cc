// Child-program double for the end-to-end suite. Installed beside the
// executable as curl\curl.exe or pandoc\pandoc.exe (or under any handler's
// name), it stands in for the HTTP client or the converter:
//
//   curl:   --silent URL -o OUT    writes "fetched URL\n" to OUT
//           -K FILE -o OUT         writes "config " + FILE's text to OUT
//   pandoc: -f F -t T IN -o OUT    writes "<div>" + IN's text + "</div>\n"
//
// Every call appends its arguments (after the program name, joined by single
// blanks) as one line to "<program>.log". Files beside the program steer it:
//   "<program>.reply"    text written to OUT instead of the default;
//   "<program>.nowrite"  when present, OUT is not written at all;
//   "<program>.exit"     exit codes, one per call in order separated by
//                        blanks (the last one repeats); default 0.
// Only the standard library is used, so the same source builds for every
// host.
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::optional<std::string> readfile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool writefile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out);
}

/// Appends this call to the log and gives its number (0 for the first).
int logcall(const std::string& self, const std::vector<std::string>& args) {
  std::string log = self + ".log";
  std::string old = readfile(log).value_or("");
  int calls = 0;
  for (char c : old) calls += c == '\n';
  std::string line;
  for (size_t i = 0; i < args.size(); ++i) line += (i ? " " : "") + args[i];
  std::ofstream out(log, std::ios::binary | std::ios::app);
  out << line << '\n';
  return calls;
}

int exitcode(const std::string& self, int call) {
  std::istringstream codes(readfile(self + ".exit").value_or("0"));
  int code = 0;
  for (int i = 0, c; i <= call && codes >> c; ++i) code = c;
  return code;
}

struct Call {
  std::string in;   // URL, config file or input file
  std::string out;  // the -o argument
  bool config = false;
  bool converter = false;
};

Call parse(const std::vector<std::string>& args) {
  Call c;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool hasvalue = i + 1 < args.size();
    if (a == "-o" && hasvalue) {
      c.out = args[++i];
    } else if (a == "-K" && hasvalue) {
      c.in = args[++i];
      c.config = true;
    } else if ((a == "-f" || a == "-t") && hasvalue) {
      c.converter = true;
      ++i;
    } else if (!a.empty() && a[0] != '-') {
      c.in = a;
    }
  }
  return c;
}

std::string defaultreply(const Call& c) {
  if (c.converter) return "<div>" + readfile(c.in).value_or("") + "</div>\n";
  if (c.config) return "config " + readfile(c.in).value_or("");
  return "fetched " + c.in + "\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::string self = argc > 0 ? argv[0] : "testhelper";
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  int call = logcall(self, args);
  Call c = parse(args);
  if (!c.out.empty() && !readfile(self + ".nowrite")) {
    std::string reply = readfile(self + ".reply").value_or(defaultreply(c));
    if (!writefile(c.out, reply)) return 23;
  }
  return exitcode(self, call);
}
