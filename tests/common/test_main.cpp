// GoogleTest entry point for every test executable. A crash must fail its
// test: Wine's own crash handling can end a crashed process with code 0, so
// an unhandled exception terminates the process with a code of our own.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

LONG WINAPI terminateOnCrash(EXCEPTION_POINTERS* info) {
  std::fprintf(stderr, "unhandled exception 0x%08lx at %p\n", info->ExceptionRecord->ExceptionCode,
               info->ExceptionRecord->ExceptionAddress);
  std::fflush(stderr);
  ::TerminateProcess(::GetCurrentProcess(), 0xC0DE);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
  ::SetUnhandledExceptionFilter(terminateOnCrash);
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
