// The HTTPS server of the end-to-end suite runs as a separate python3
// process; this side makes its certificate, starts it, reads its port and
// log, and ends it.
#include "tests/e2e/httpsserver.h"

#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace qs::e2e {

namespace {

bool onpath(const char* program) {
  return std::system(("command -v " + std::string(program) + " >/dev/null 2>&1").c_str()) == 0;
}

std::string readall(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::string freshdir() {
  std::random_device rd;
  for (;;) {
    fs::path p = fs::temp_directory_path() / ("qs-https-" + std::to_string(rd()));
    if (fs::create_directory(p)) return p.string();
  }
}

}  // namespace

bool hostprogram(std::string_view path) {
  const char* launcher = std::getenv("QS_LAUNCHER");
  return fs::exists(path) && !(launcher && *launcher);
}

HttpsServer::HttpsServer() {
  const char* launcher = std::getenv("QS_LAUNCHER");
  if (launcher && *launcher) {
    unavailable_ = "the host's curl cannot run under the launcher";
    return;
  }
  // The system's interpreter starts faster than a version manager's shim.
  std::string python = fs::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
  for (const char* p : {python.c_str(), "openssl", "curl"})
    if (!onpath(p)) {
      unavailable_ = std::string(p) + " is not installed";
      return;
    }
  dir_ = freshdir();
  fs::create_directory(dir_ + "/files");
  std::string cert = dir_ + "/cert.pem";
  std::string mk = "cd '" + dir_ +
                   "' && openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 "
                   "-nodes -keyout key.pem -out cert.pem -days 2 -subj /CN=127.0.0.1 "
                   "-addext subjectAltName=IP:127.0.0.1 >/dev/null 2>&1";
  if (std::system(mk.c_str()) != 0) {
    unavailable_ = "openssl could not make a certificate";
    return;
  }
  std::string start = "cd '" + dir_ + "' && (" + python +
                      " '" QS_SOURCE_DIR
                      "/tests/e2e/https_server.py' --root files --cert cert.pem --key key.pem "
                      "--portfile port --log requests.log --seconds 100 >server.out 2>&1 & "
                      "echo $! >pid)";
  std::system(start.c_str());
  pid_ = std::atoi(readall(dir_ + "/pid").c_str());
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (!fs::exists(dir_ + "/port") && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  port_ = std::atoi(readall(dir_ + "/port").c_str());
  if (port_ == 0) {
    unavailable_ = "the server did not start: " + readall(dir_ + "/server.out");
    return;
  }
  ::setenv("CURL_CA_BUNDLE", cert.c_str(), 1);
  ::setenv("NO_PROXY", "127.0.0.1", 1);
  ::setenv("no_proxy", "127.0.0.1", 1);
}

HttpsServer::~HttpsServer() {
  stop();
  ::unsetenv("CURL_CA_BUNDLE");
  std::error_code ec;
  if (!dir_.empty()) fs::remove_all(dir_, ec);
}

namespace {

/// True while the process runs; a killed process waiting to be reaped (its
/// sockets already closed) counts as gone.
bool running(int pid) {
  std::string stat = readall("/proc/" + std::to_string(pid) + "/stat");
  size_t paren = stat.rfind(')');
  return paren != std::string::npos && paren + 2 < stat.size() && stat[paren + 2] != 'Z';
}

}  // namespace

void HttpsServer::stop() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  // The port must refuse connections once stop returns.
  for (int i = 0; i < 250 && running(pid_); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  pid_ = 0;
}

std::string HttpsServer::url() const {
  return "https://127.0.0.1:" + std::to_string(port_) + "/";
}

void HttpsServer::put(std::string_view name, std::string_view content) const {
  std::ofstream(dir_ + "/files/" + std::string(name), std::ios::binary) << content;
}

void HttpsServer::statuses(std::string_view name, std::string_view codes) const {
  std::ofstream(dir_ + "/files/" + std::string(name) + ".status") << codes;
}

std::vector<std::string> HttpsServer::requests() const {
  std::vector<std::string> lines;
  std::istringstream in(readall(dir_ + "/requests.log"));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace qs::e2e
