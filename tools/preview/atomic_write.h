// Files appear whole or not at all: everything is written into a temporary file beside
// the destination, which is renamed over it only once writing has succeeded. A symbolic
// link is followed, so that the file it points at is replaced and the link stays; a
// device, pipe or socket is written directly, since it cannot be replaced by a file.
#ifndef PELORIX3_TOOLS_PREVIEW_ATOMIC_WRITE_H
#define PELORIX3_TOOLS_PREVIEW_ATOMIC_WRITE_H

#include <functional>
#include <string>

#include "host/result.h"

namespace preview {

using standin::Status;

// Calls `write` with the path to write to; on success renames the temporary file onto
// the destination, on any failure removes it and leaves the destination as it was.
Status writeAtomically(const std::string& path,
                       const std::function<Status(const std::string& target)>& write);

}  // namespace preview

#endif
