// A picture of linear scene values, as the renderer computes them before a picture file's
// display transform and quantisation: three single-precision values (red, green, blue)
// per pixel, row-major, the top row first. A surface lit beyond white keeps its values
// above 1.
#ifndef PELORIX3_RENDER_LINEAR_IMAGE_H
#define PELORIX3_RENDER_LINEAR_IMAGE_H

#include <vector>

namespace render {

struct LinearImage {
    int width = 0;
    int height = 0;
    std::vector<float> rgb;
};

}  // namespace render

#endif
