// Throughput and peak working set of a download through the platform HTTP
// client (WinINet) from a loopback server.
//
//   wininet_bench BASE_URL MIB [RUNS]
// downloads BASE_URL/file/<MIB MiB> RUNS times (default 3) into a temporary
// file and prints MiB/s per run and the process's peak working set, which
// must not depend on MIB. Start the server with
// tests/fixtures/net/loopback_server.py and run one size per process.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "net/http_downloader.h"

namespace {

double seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double peakWorkingSetMiB() {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof(counters);
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
  return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

std::wstring tempFile() {
  wchar_t folder[MAX_PATH + 1] = {};
  ::GetTempPathW(MAX_PATH + 1, folder);
  return std::wstring(folder) + L"vx_wininet_bench_" + std::to_wstring(::GetCurrentProcessId());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fwprintf(stderr, L"usage: wininet_bench BASE_URL MIB [RUNS]\n");
    return 2;
  }
  const long long mib = std::wcstoll(argv[2], nullptr, 10);
  const int runs = argc > 3 ? static_cast<int>(std::wcstol(argv[3], nullptr, 10)) : 3;
  const std::wstring url = std::wstring(argv[1]) + L"/file/" + std::to_wstring(mib << 20);
  const std::wstring target = tempFile();
  std::printf("peak working set before downloading: %.1f MiB\n", peakWorkingSetMiB());
  utility::CHttpDownloader downloader;
  int failures = 0;
  for (int run = 0; run < runs; ++run) {
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    const bool ok = downloader.download(url, target, nullptr);
    ::QueryPerformanceCounter(&end);
    failures += ok ? 0 : 1;
    std::printf("wininet %lld MiB run %d: %s, %.1f MiB/s\n", mib, run + 1, ok ? "ok" : "FAILED",
                static_cast<double>(mib) / seconds(start, end));
  }
  ::DeleteFileW(target.c_str());
  std::printf("wininet %lld MiB: peak working set %.1f MiB\n", mib, peakWorkingSetMiB());
  return failures == 0 ? 0 : 1;
}
