// The files a command line names, checked before any work is done: standard input and
// standard output ("-") each taken by one option at most, pictures named in a format the
// tool writes, and no output that is another output or one of the inputs, since writing
// it would destroy the other. Files are compared by device and inode where they exist,
// otherwise by their normalised paths; devices such as /dev/null may be named twice.
#ifndef PELORIX3_TOOLS_PREVIEW_FILE_NAMES_H
#define PELORIX3_TOOLS_PREVIEW_FILE_NAMES_H

#include "host/result.h"
#include "tools/preview/preview_options.h"

namespace preview {

// The first problem found, as a message for a bad command line.
standin::Status checkFileNames(const PreviewOptions& options);

}  // namespace preview

#endif
