#include "framework/module_globals.h"

namespace pelorix3 {

constinit GlobalFunc hostGlobal = nullptr;
constinit ShadingServer* editedInstance = nullptr;

}  // namespace pelorix3
