#include "tools/preview/made_picture.h"

#include <cstdio>

#include "tools/preview/atomic_write.h"
#include "tools/preview/png_file.h"

namespace preview {

base::Status writePicture(const base::Result<render::Image>& picture, const std::string& path,
                          const char* what) {
    if (!picture) {
        return base::Status::failure("cannot make the " + std::string(what) + ": " +
                                     picture.error());
    }
    base::Status written = writePng(picture.value(), path);
    if (written) {
        std::fprintf(stderr, "wrote %s (%s, %d x %d)\n", outputName(path).c_str(), what,
                     picture->width, picture->height);
    }
    return written;
}

}  // namespace preview
