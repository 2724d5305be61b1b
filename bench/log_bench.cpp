// Cost of writeLog on the caller's thread and the records per second that
// reach the log file, with 1 and 4 producer threads. Also counts the heap
// allocations made on the producers' threads while they log.
#include <windows.h>
#include <intrin.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "utility/common_log.h"
#include "utility/log.h"

namespace {

// Threads whose allocations count: the producers while they measure.
constexpr int kMaxProducers = 8;
std::atomic<DWORD> g_producerIds[kMaxProducers];
std::atomic<long> g_newCalls{0};
std::atomic<long> g_mallocCalls{0};

bool onProducer() {
  DWORD self = ::GetCurrentThreadId();
  for (auto& id : g_producerIds) {
    if (id.load(std::memory_order_relaxed) == self) return true;
  }
  return false;
}

using MallocFn = void* (*)(size_t);
using CallocFn = void* (*)(size_t, size_t);
using ReallocFn = void* (*)(void*, size_t);
MallocFn g_realMalloc;
CallocFn g_realCalloc;
ReallocFn g_realRealloc;

void* countingMalloc(size_t size) {
  if (onProducer()) g_mallocCalls.fetch_add(1, std::memory_order_relaxed);
  return g_realMalloc(size);
}
void* countingCalloc(size_t count, size_t size) {
  if (onProducer()) g_mallocCalls.fetch_add(1, std::memory_order_relaxed);
  return g_realCalloc(count, size);
}
void* countingRealloc(void* block, size_t size) {
  if (onProducer()) g_mallocCalls.fetch_add(1, std::memory_order_relaxed);
  return g_realRealloc(block, size);
}

}  // namespace

// Every C allocation of this program (its own code, the C++ runtime and the
// static C helpers) goes through these import slots.
extern "C" MallocFn __imp_malloc;
extern "C" CallocFn __imp_calloc;
extern "C" ReallocFn __imp_realloc;

void* operator new(size_t size) {
  if (onProducer()) g_newCalls.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](size_t size) { return operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  if (onProducer()) g_newCalls.fetch_add(1, std::memory_order_relaxed);
  return std::malloc(size ? size : 1);
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }

namespace {

template <typename Fn>
void patch(Fn& slot, Fn replacement, Fn& original) {
  DWORD old = 0;
  ::VirtualProtect(&slot, sizeof slot, PAGE_READWRITE, &old);
  original = slot;
  slot = replacement;
  ::VirtualProtect(&slot, sizeof slot, old, &old);
}

void countAllocations() {
  patch(__imp_malloc, countingMalloc, g_realMalloc);
  patch(__imp_calloc, countingCalloc, g_realCalloc);
  patch(__imp_realloc, countingRealloc, g_realRealloc);
}

void* volatile g_sink;

// Shows that the counters see allocations at all: one of each kind.
void checkCounters() {
  g_producerIds[0].store(::GetCurrentThreadId());
  g_sink = ::operator new(64);
  ::operator delete(g_sink);
  g_sink = std::malloc(64);
  std::free(g_sink);
  g_producerIds[0].store(0);
  std::printf(
      "allocation counters, one new and one malloc: operator new %ld, malloc/calloc/realloc %ld"
      " (operator new counts in both)\n",
      g_newCalls.load(), g_mallocCalls.load());
}

double g_nsPerTick = 0;

// The time-stamp counter against the performance counter over 200 ms.
void calibrate() {
  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  unsigned long long ticks = __rdtsc();
  ::Sleep(200);
  ::QueryPerformanceCounter(&end);
  ticks = __rdtsc() - ticks;
  double ns = 1e9 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
  g_nsPerTick = ns / static_cast<double>(ticks);
}

long long fileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Records (lines) in the first bytes of the file.
long long linesIn(const std::wstring& path, long long from, long long to) {
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (file == nullptr) return 0;
  _fseeki64(file, from, SEEK_SET);
  long long lines = 0;
  std::vector<char> chunk(1 << 16);
  for (long long left = to - from; left > 0;) {
    size_t got = std::fread(chunk.data(), 1, static_cast<size_t>(std::min<long long>(left, chunk.size())), file);
    if (got == 0) break;
    lines += std::count(chunk.begin(), chunk.begin() + static_cast<long>(got), '\n');
    left -= static_cast<long long>(got);
  }
  std::fclose(file);
  return lines;
}

void producer(int index, int calls, std::vector<unsigned long long>& ticks) {
  ticks.resize(static_cast<size_t>(calls));
  // A typical line of the download: a format with a number and a URL.
  const wchar_t* url = L"https://127.0.0.1:8443/package/Vandorix.exe?channel=2033&lang=kr";
  for (int i = 0; i < 1000; ++i) {  // warm-up, not counted
    writeLog("LogBench::producer", __LINE__, L"warm up %d %s", i, url);
  }
  g_producerIds[index].store(::GetCurrentThreadId());
  for (int i = 0; i < calls; ++i) {
    unsigned long long start = __rdtsc();
    writeLog("LogBench::producer", __LINE__, L"download progress %d%% of %s", i % 100, url);
    ticks[static_cast<size_t>(i)] = __rdtsc() - start;
  }
  g_producerIds[index].store(0);
}

void run(const std::wstring& path, int threads, int callsPerThread) {
  common::flushLog();
  long long before = fileSize(path);
  g_newCalls = 0;
  g_mallocCalls = 0;
  std::vector<std::vector<unsigned long long>> ticks(static_cast<size_t>(threads));
  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  std::vector<std::thread> pool;
  for (int t = 0; t < threads; ++t) {
    pool.emplace_back(producer, t, callsPerThread, std::ref(ticks[static_cast<size_t>(t)]));
  }
  for (std::thread& p : pool) p.join();
  ::QueryPerformanceCounter(&end);
  // What the writer put into the file while the producers ran.
  long long after = fileSize(path);
  double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;

  std::vector<unsigned long long> all;
  for (auto& t : ticks) all.insert(all.end(), t.begin(), t.end());
  std::sort(all.begin(), all.end());
  auto ns = [&all](double q) { return all[static_cast<size_t>(q * (all.size() - 1))] * g_nsPerTick; };
  long long written = linesIn(path, before, after);
  long long calls = static_cast<long long>(threads) * callsPerThread;
  std::printf("%d producer(s): %lld calls in %.2f s\n", threads, calls, seconds);
  std::printf("  writeLog per call: median %.0f ns, p99 %.0f ns, max %.0f ns\n", ns(0.5), ns(0.99), ns(1.0));
  std::printf("  records reaching the file: %lld (%.0f per second), %.1f%% of calls\n", written, written / seconds,
              100.0 * written / calls);
  std::printf("  heap allocations on producer threads: operator new %ld, malloc/calloc/realloc %ld\n",
              g_newCalls.load(), g_mallocCalls.load());
}

}  // namespace

int main() {
  countAllocations();
  checkCounters();
  calibrate();
  wchar_t temp[MAX_PATH + 1] = {};
  ::GetTempPathW(MAX_PATH + 1, temp);
  std::filesystem::path folder = std::filesystem::path(temp) / L"vx_log_bench";
  std::filesystem::create_directories(folder);
  const std::wstring path = (folder / L"log.txt").wstring();
  ::DeleteFileW(path.c_str());  // one run's file at most

  setLogSink(common::log);
  common::startLogWriter(path);
  std::printf("log file: %ls\n", path.c_str());
  run(path, 1, 200000);
  run(path, 4, 50000);
  return 0;
}
