// pelorix3-pattern: writes one of the patterns made in code as a grey PNG, the picture a
// look's map can name (presets/burnout-velvet/make-pattern.sh makes that look's).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "render/patterns.h"
#include "tools/preview/png_file.h"

namespace {

int usage() {
    std::fprintf(stderr, "usage: pelorix3-pattern NAME SIZE FILE.png\nThe patterns:\n");
    for (const render::PatternInfo& pattern : render::kPatterns) {
        std::fprintf(stderr, "  %-10s %.*s\n", std::string(pattern.name).c_str(),
                     static_cast<int>(pattern.description.size()), pattern.description.data());
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return usage();
    char* end = nullptr;
    const long size = std::strtol(argv[2], &end, 10);
    if (*end != '\0' || size < 1 || size > 8192) return usage();
    const auto grey = render::makePattern(argv[1], static_cast<int>(size));
    if (!grey) return usage();
    const base::Status written =
        preview::writeGreyPng(static_cast<int>(size), static_cast<int>(size), *grey, argv[3]);
    if (!written) {
        std::fprintf(stderr, "pelorix3-pattern: %s\n", written.error().c_str());
        return 1;
    }
    return 0;
}
