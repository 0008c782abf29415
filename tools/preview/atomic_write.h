// Files appear whole or not at all: everything is written into a temporary file beside
// the destination, which is renamed over it only once writing has succeeded.
#ifndef PELORIX3_TOOLS_PREVIEW_ATOMIC_WRITE_H
#define PELORIX3_TOOLS_PREVIEW_ATOMIC_WRITE_H

#include <functional>
#include <string>

#include "host/result.h"

namespace preview {

using standin::Status;

// Calls `write` with the temporary file's path; on success renames it to `path`, on any
// failure removes it and leaves `path` as it was.
Status writeAtomically(const std::string& path,
                       const std::function<Status(const std::string& temporary)>& write);

}  // namespace preview

#endif
