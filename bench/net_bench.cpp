// Network figures on loopback, printed, not checked:
//   net_bench.exe all <http port> <records folder>
//     throughput of the download paths for a 256 MiB file next to a plain
//     Winsock copy of the same bytes, and the time from sendEvent until the
//     collector has the request;
//   net_bench.exe peak|peak-wininet <http port> <bytes>
//     the peak working set of a process that downloads <bytes> with libcurl
//     or with the platform HTTP client.
// bench/net_bench.sh starts the loopback server and runs both modes.
#include <windows.h>
#include <psapi.h>
#include <winsock2.h>

#include <curl/curl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "net/analytics_reporter.h"
#include "net/curl_downloader.h"
#include "net/curl_settings.h"
#include "net/http_downloader.h"

namespace {

constexpr long long kMiB = 1024 * 1024;
constexpr long long kLargeFile = 256 * kMiB;

std::string fileUrl(int port, long long bytes) {
  return "http://127.0.0.1:" + std::to_string(port) + "/file/" + std::to_string(bytes);
}

std::wstring tempFile(const wchar_t* name) {
  wchar_t folder[MAX_PATH + 1] = {};
  ::GetTempPathW(MAX_PATH + 1, folder);
  return std::wstring(folder) + name;
}

double secondsSince(LARGE_INTEGER start) {
  LARGE_INTEGER now, frequency;
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER now() {
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return t;
}

// MiB/s of one libcurl download of bytes into a temp file; 0 on failure.
double curlThroughput(int port, long long bytes, long long capBytesPerSecond) {
  CCurlSettings::setTransferLimits({capBytesPerSecond, 60});
  const std::wstring target = tempFile(L"vx_net_bench.bin");
  const LARGE_INTEGER start = now();
  const bool ok = CCurlDownloader::downloadFile(target, fileUrl(port, bytes), nullptr);
  const double seconds = secondsSince(start);
  ::DeleteFileW(target.c_str());
  return ok ? static_cast<double>(bytes) / kMiB / seconds : 0.0;
}

// MiB/s of one platform HTTP client (WinINet) download of bytes into a temp
// file; 0 on failure.
double wininetThroughput(int port, long long bytes) {
  const std::string url = fileUrl(port, bytes);
  const std::wstring target = tempFile(L"vx_net_bench_wininet.bin");
  utility::CHttpDownloader downloader;
  const LARGE_INTEGER start = now();
  const bool ok = downloader.download(std::wstring(url.begin(), url.end()), target, nullptr);
  const double seconds = secondsSince(start);
  ::DeleteFileW(target.c_str());
  return ok ? static_cast<double>(bytes) / kMiB / seconds : 0.0;
}

// MiB/s of a plain Winsock GET whose body is received and dropped: what the
// loopback server and socket allow at most.
double socketThroughput(int port, long long bytes) {
  SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = ::htons(static_cast<u_short>(port));
  addr.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
  const std::string request = "GET /file/" + std::to_string(bytes) + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
  const LARGE_INTEGER start = now();
  long long received = 0;
  if (::connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
      ::send(s, request.data(), static_cast<int>(request.size()), 0) == static_cast<int>(request.size())) {
    std::vector<char> buffer(kMiB);
    std::string head;
    for (int n; received < bytes && (n = ::recv(s, buffer.data(), static_cast<int>(buffer.size()), 0)) > 0;) {
      if (head.find("\r\n\r\n") == std::string::npos) {
        head.append(buffer.data(), n);
        const size_t end = head.find("\r\n\r\n");
        if (end != std::string::npos) received = static_cast<long long>(head.size() - end - 4);
      } else {
        received += n;
      }
    }
  }
  const double seconds = secondsSince(start);
  ::closesocket(s);
  return received == bytes ? static_cast<double>(bytes) / kMiB / seconds : 0.0;
}

// Highest record number in the collector's folder.
int lastRecord(const std::wstring& records) {
  WIN32_FIND_DATAW found;
  HANDLE find = ::FindFirstFileW((records + L"\\*.json").c_str(), &found);
  int last = 0;
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    last = std::max(last, _wtoi(found.cFileName));
  } while (::FindNextFileW(find, &found));
  ::FindClose(find);
  return last;
}

// Milliseconds from sendEvent until the collector's record of it exists;
// nothing else talks to the server meanwhile, so it is the next record.
double eventLatencyMs(AnalyticsReporter& reporter, const std::wstring& records) {
  wchar_t next[32];
  std::swprintf(next, 32, L"\\%08d.json", lastRecord(records) + 1);
  const std::wstring expected = records + next;
  const LARGE_INTEGER start = now();
  reporter.sendEvent(L"ad_run", L"100");
  while (::GetFileAttributesW(expected.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (secondsSince(start) > 20) return -1;
    ::Sleep(0);
  }
  return secondsSince(start) * 1000;
}

void printEventLatency(int port, const std::wstring& records) {
  AnalyticsReporter reporter;
  reporter.init(L"G-BENCH00001", L"benchbenchbenchbench00", L"http://127.0.0.1:" + std::to_wstring(port) + L"/bench");
  std::printf("sendEvent -> collector, first event (worker start, client id): %.2f ms\n",
              eventLatencyMs(reporter, records));
  std::vector<double> later;
  for (int i = 0; i < 21; ++i) later.push_back(eventLatencyMs(reporter, records));
  std::sort(later.begin(), later.end());
  std::printf("sendEvent -> collector, later events: median %.2f ms, min %.2f ms, max %.2f ms (21 events)\n",
              later[later.size() / 2], later.front(), later.back());
}

// One throughput row per download path. A path added later (the platform
// HTTP client) appends its row here.
struct ThroughputRow {
  const char* name;
  std::function<double(int port)> measure;
};

int runAll(int port, const std::wstring& records) {
  const ThroughputRow rows[] = {
      {"plain Winsock copy (the limit)", [](int p) { return socketThroughput(p, kLargeFile); }},
      {"libcurl, 20 MiB/s cap", [](int p) { return curlThroughput(p, kLargeFile, 20 * kMiB); }},
      {"libcurl, cap lifted (benchmark only)", [](int p) { return curlThroughput(p, kLargeFile, 0); }},
      {"platform HTTP client (WinINet)", [](int p) { return wininetThroughput(p, kLargeFile); }},
  };
  std::printf("256 MiB over loopback HTTP:\n");
  for (const auto& row : rows) std::printf("  %-40s %8.1f MiB/s\n", row.name, row.measure(port));
  printEventLatency(port, records);
  return 0;
}

int runPeak(int port, long long bytes, bool wininet) {
  const double rate = wininet ? wininetThroughput(port, bytes) : curlThroughput(port, bytes, 0);
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  std::printf("%s download of %lld MiB (%.1f MiB/s): peak working set %.1f MiB\n",
              wininet ? "WinINet" : "libcurl (cap lifted)", bytes / kMiB, rate,
              static_cast<double>(counters.PeakWorkingSetSize) / kMiB);
  return rate > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: net_bench all <port> <records folder> | peak|peak-wininet <port> <bytes>\n");
    return 2;
  }
  WSADATA wsa;
  ::WSAStartup(MAKEWORD(2, 2), &wsa);
  curl_global_init(CURL_GLOBAL_ALL);
  CCurlSettings::setPlainHttpAllowed(true);  // the loopback server speaks http
  const std::string mode = argv[1];
  const int port = std::atoi(argv[2]);
  if (mode == "peak" || mode == "peak-wininet") {
    return runPeak(port, std::atoll(argv[3]), mode == "peak-wininet");
  }
  const std::string records = argv[3];
  return runAll(port, std::wstring(records.begin(), records.end()));
}
