#include "tests/net/loopback.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <map>

#include <rapidjson/document.h>

#include "tests/common/temp_dir.h"
#include "tests/common/wine_path.h"

namespace vxtest {
namespace {

std::string stateFilePath() {
  if (const char* env = std::getenv("VX_NET_STATE"); env != nullptr && *env != '\0') return env;
#ifdef VX_NET_STATE_PATH
  return VX_NET_STATE_PATH;
#else
  return {};
#endif
}

std::map<std::string, std::string> readPairs(const std::string& text) {
  std::map<std::string, std::string> pairs;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (size_t eq = line.find('='); eq != std::string::npos) pairs[line.substr(0, eq)] = line.substr(eq + 1);
    start = end + 1;
  }
  return pairs;
}

std::string member(const rapidjson::Value& v, const char* name) {
  auto it = v.FindMember(name);
  return it != v.MemberEnd() && it->value.IsString() ? it->value.GetString() : std::string();
}

bool parseRecord(const std::filesystem::path& jsonFile, CollectorRecord& out) {
  rapidjson::Document doc;
  std::string text = vxtest::readFile(jsonFile);
  if (doc.Parse(text.c_str()).HasParseError() || !doc.IsObject()) return false;
  out.seq = doc.HasMember("seq") ? doc["seq"].GetInt() : 0;
  out.method = member(doc, "method");
  out.path = member(doc, "path");
  out.query = member(doc, "query");
  out.portKind = member(doc, "port_kind");
  if (doc.HasMember("headers") && doc["headers"].IsArray()) {
    for (const auto& pair : doc["headers"].GetArray()) {
      out.headers.emplace_back(pair[0].GetString(), pair[1].GetString());
    }
  }
  std::filesystem::path bodyFile = jsonFile;
  out.body = vxtest::readFile(bodyFile.replace_extension(".body"));
  return true;
}

}  // namespace

std::string CollectorRecord::header(const std::string& name) const {
  for (const auto& [key, value] : headers) {
    if (key.size() == name.size() && ::_strnicmp(key.c_str(), name.c_str(), key.size()) == 0) return value;
  }
  return {};
}

bool loadLoopbackState(LoopbackState& out) {
  std::string file = stateFilePath();
  if (file.empty()) return false;
  auto pairs = readPairs(vxtest::readFile(vxtest::winePath(file)));
  for (const char* key : {"http_port", "https_port", "untrusted_port", "wronghost_port", "ca_file", "untrusted_ca_file",
                          "bundle_file", "records_dir"}) {
    if (pairs[key].empty()) return false;
  }
  out.httpPort = std::atoi(pairs["http_port"].c_str());
  out.httpsPort = std::atoi(pairs["https_port"].c_str());
  out.untrustedPort = std::atoi(pairs["untrusted_port"].c_str());
  out.wrongHostPort = std::atoi(pairs["wronghost_port"].c_str());
  out.caFile = vxtest::winePath(pairs["ca_file"]);
  out.untrustedCaFile = vxtest::winePath(pairs["untrusted_ca_file"]);
  out.bundleFile = vxtest::winePath(pairs["bundle_file"]);
  out.recordsDir = vxtest::winePath(pairs["records_dir"]);
  return true;
}

std::string httpUrl(const LoopbackState& state, const std::string& path) {
  return "http://127.0.0.1:" + std::to_string(state.httpPort) + path;
}

std::string httpsUrl(int port, const std::string& path, const std::string& host) {
  return "https://" + host + ":" + std::to_string(port) + path;
}

std::string uniquePrefix() {
  static std::atomic<int> counter{0};
  return "/t/" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

std::vector<CollectorRecord> readRecords(const LoopbackState& state, const std::string& prefix) {
  std::vector<CollectorRecord> records;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(state.recordsDir, ec)) {
    if (entry.path().extension() != ".json") continue;
    CollectorRecord record;
    if (parseRecord(entry.path(), record) && record.path.starts_with(prefix)) records.push_back(std::move(record));
  }
  std::sort(records.begin(), records.end(), [](const auto& a, const auto& b) { return a.seq < b.seq; });
  return records;
}

std::vector<CollectorRecord> waitForRecords(const LoopbackState& state,
                                            const std::string& prefix,
                                            std::size_t count,
                                            int limitMs) {
  const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(limitMs);
  auto records = readRecords(state, prefix);
  while (records.size() < count && ::GetTickCount64() < deadline) {
    ::Sleep(50);
    records = readRecords(state, prefix);
  }
  return records;
}

std::string patternBytes(std::size_t count) {
  std::string bytes(count, '\0');
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>((i * 7) % 251);
  return bytes;
}

}  // namespace vxtest
