#pragma once
// End-to-end helper: an HTTPS server on 127.0.0.1 (tests/e2e/https_server.py)
// with a certificate made on the fly, trusted by curl through CURL_CA_BUNDLE
// while the server lives. Each server has its own temporary folder of
// served files and request log; it stops by itself after a time limit and
// is killed when the object goes.

#include <string>
#include <string_view>
#include <vector>

namespace qs::e2e {

class HttpsServer {
 public:
  HttpsServer();
  ~HttpsServer();
  HttpsServer(const HttpsServer&) = delete;
  HttpsServer& operator=(const HttpsServer&) = delete;

  /// Why the server cannot run here (no python3, openssl or curl, or a
  /// start that failed); empty when it runs.
  const std::string& unavailable() const { return unavailable_; }
  /// "https://127.0.0.1:PORT/"
  std::string url() const;
  /// Serves content at "/" + name.
  void put(std::string_view name, std::string_view content) const;
  /// Status codes of successive requests for name (blank-separated, the
  /// last repeats); a code other than 200 gets an empty body.
  void statuses(std::string_view name, std::string_view codes) const;
  /// Request lines so far ("GET /path?query"), in arrival order.
  std::vector<std::string> requests() const;
  /// Stops the server now; its port then refuses connections.
  void stop();

 private:
  std::string dir_;
  std::string unavailable_;
  int pid_ = 0;
  int port_ = 0;
};

/// True when the real host program (for example "/usr/bin/pandoc") can be
/// placed beside the executable: it exists and the run is not emulated.
bool hostprogram(std::string_view path);

}  // namespace qs::e2e
