// With GCC's C++ runtime linked statically, the default terminate handler
// prints the demangled type of an uncaught exception, and the demangler
// alone is about a sixth of the executable. Tessivar throws nothing of its
// own, and a GUI program has no console to print to, so a plain abort does.
#include <cstdlib>  // also says which C++ runtime this is

#if defined(__GLIBCXX__) && defined(__MINGW32__)

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx
#endif
