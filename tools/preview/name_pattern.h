// A pattern of file names for a series of pictures, such as "turn-%03d.png": text around
// exactly one integer conversion, %d with an optional width (%4d, padded with spaces) or a
// width of zeros (%03d); %% is a percent sign. The pattern is never handed to printf: it
// is taken apart once and the names are put together from its parts.
#ifndef PELORIX3_TOOLS_PREVIEW_NAME_PATTERN_H
#define PELORIX3_TOOLS_PREVIEW_NAME_PATTERN_H

#include <string>

#include "base/result.h"

namespace preview {

class NamePattern {
public:
    // The pattern, or why it is not one: no conversion, two of them, or one of another kind.
    static base::Result<NamePattern> parse(const std::string& pattern);

    // The name of picture `number`.
    std::string name(int number) const;
    // The name with `word` in place of the number: "turn-strip.png" for "strip".
    std::string nameWith(const std::string& word) const;

private:
    std::string before_;
    std::string after_;
    int width_ = 0;
    bool zeros_ = false;
};

}  // namespace preview

#endif
