#pragma once
// Everything the model takes from outside that a test must be able to point
// elsewhere. The defaults are the shipping values.

#include <windows.h>

#include <string>

#include "app/endpoints.h"
#include "utility/thread_starter.h"

struct ModelSettings {
  // The program path whose file name carries the parameters; empty means
  // the running program's own path.
  std::wstring programPath;
  // Root under which the variant's registry key lives.
  HKEY registryRoot = HKEY_CURRENT_USER;
  // Scheme and host of the package CDN; the variant's path is appended.
  std::wstring packageCdnBase = endpoints::kPackageCdnBase;
  // Scheme and host of the analytics collector.
  std::wstring collectorBase = endpoints::kCollectorBase;
  // The URL wait: ticks of this interval, the last of which proceeds.
  unsigned urlWaitTickMs = 1000;
  unsigned urlWaitTicks = 8;
  // How long the package installer may run before the flow goes on.
  DWORD installerWaitMs = 180000;
  // How long each stop command may take.
  DWORD killWaitMs = 2000;
  // Starts the download worker and the install job.
  utility::ThreadStarter threadStarter = &::_beginthreadex;
};
