// The files a command line names, checked before any work is done: standard input and
// standard output ("-") each taken by one option at most, pictures named in a format the
// tool writes, and no output that is another output or one of the inputs, since writing
// it would destroy the other. Files are compared by device and inode where they exist,
// otherwise by their normalised paths; devices such as /dev/null may be named twice.
#ifndef PELORIX3_TOOLS_PREVIEW_FILE_NAMES_H
#define PELORIX3_TOOLS_PREVIEW_FILE_NAMES_H

#include <string>
#include <vector>

#include "base/result.h"
#include "tools/preview/preview_options.h"

namespace preview {

struct NamedFile {
    std::string option;  // how the message names it: "--load", "-o"
    std::string path;
};

// Every file the command line asks to write, with the option that names it: the preview
// (or each view of a turntable and its strip), the panel, the sheets, the parameters, the
// look folder and the object file written.
std::vector<NamedFile> outputsOf(const PreviewOptions& options);

// The first problem found, as a message for a bad command line.
base::Status checkFileNames(const PreviewOptions& options);

}  // namespace preview

#endif
