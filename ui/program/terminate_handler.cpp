// The program's handler for an exception that escapes: it ends the process
// at once. It replaces the runtime's verbose handler, whose message goes to a
// console this program does not have and whose symbol demangler would add
// tens of kilobytes to the download.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
