// The Windows module links the C++ runtime statically. The runtime's default terminate
// handler prints the demangled type of the exception, which links in its demangler (about
// 45 KB of the module file); the module throws nothing and has no console to print to, so
// its terminate handler only aborts.
#if defined(_WIN32)
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif
