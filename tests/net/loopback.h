#pragma once
// Test access to the loopback package server and analytics collector that
// the ctest fixture "vx_loopback" starts (tests/fixtures/net/loopback_server.py):
// its ports, CA files and the requests it recorded.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace vxtest {

struct LoopbackState {
  int httpPort = 0;
  int httpsPort = 0;            // test CA, certificate for "localhost"
  int untrustedPort = 0;        // a CA no client knows, certificate for "localhost"
  int wrongHostPort = 0;        // test CA, certificate for "wrong.invalid"
  std::string caFile;           // the test CA (PEM), as a Windows path
  std::string untrustedCaFile;  // the unknown CA (PEM), as a Windows path
  std::string bundleFile;       // host CA bundle plus the test CA, Windows path
  std::string recordsDir;       // one record per request, Windows path
};

// One request as the servers received it.
struct CollectorRecord {
  int seq = 0;
  std::string method;
  std::string path;
  std::string query;
  std::string portKind;  // "http", "https", "untrusted" or "wronghost"
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;  // exact bytes

  // Value of the first header named name (case-insensitive); empty if none.
  std::string header(const std::string& name) const;
};

// Reads the state file named by the environment variable VX_NET_STATE, else
// by the compile definition VX_NET_STATE_PATH. False when it is missing or
// incomplete.
bool loadLoopbackState(LoopbackState& out);
// "http://127.0.0.1:<http port>" + path.
std::string httpUrl(const LoopbackState& state, const std::string& path);
// "https://<host>:<port>" + path.
std::string httpsUrl(int port, const std::string& path, const std::string& host = "localhost");
// A path prefix ("/t/<pid>-<n>") no other request of this run uses, so a
// test can pick out its own records.
std::string uniquePrefix();
// All records whose path starts with prefix, in arrival order.
std::vector<CollectorRecord> readRecords(const LoopbackState& state, const std::string& prefix);
// Waits until at least count records under prefix exist or limitMs passes
// (a guard against hangs, not a timing check); returns what is there.
std::vector<CollectorRecord> waitForRecords(const LoopbackState& state,
                                            const std::string& prefix,
                                            std::size_t count,
                                            int limitMs = 20000);
// The content the servers send for /file/<count>: byte i = i*7 mod 251.
std::string patternBytes(std::size_t count);

}  // namespace vxtest
