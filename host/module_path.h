// Where tests, benchmarks and tools find the module file.
#ifndef PELORIX3_HOST_MODULE_PATH_H
#define PELORIX3_HOST_MODULE_PATH_H

#include <string>

namespace standin {

// Beside the running executable: pelorix3.so natively, pelorix3.p on Windows.
std::string defaultModulePath();

}  // namespace standin

#endif
