// The runtime's default handler for an uncaught exception prints the
// exception's type through the C++ demangler, which would add some 45 KB to an
// exe that has no console to print to. Every exception the installer raises is
// caught at start-up or in the message loop, so reaching this is a bug: end at
// once, as the default handler itself ends.

#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx
