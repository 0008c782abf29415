// What --version prints: the tool's version and the module's, the one the title of the
// module's options panel carries ("pelorix 3.0"), read from the module file the tool
// would load, so that a module of another version says so.
#ifndef PELORIX3_TOOLS_PREVIEW_VERSION_REPORT_H
#define PELORIX3_TOOLS_PREVIEW_VERSION_REPORT_H

#include <string>

#include "base/result.h"

namespace preview {

// The version a panel title carries: its last word, when that starts with a digit.
std::string versionInTitle(const std::string& title);

// Prints both versions on standard output; a failure when the module cannot be loaded or
// its panel's title carries no version, after the tool's own line.
base::Status printVersions(const std::string& modulePath);

}  // namespace preview

#endif
