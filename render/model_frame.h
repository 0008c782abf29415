// Where a mesh's positions lie in its model's own units. A model file's coordinates are
// moved to the model's centre and scaled by a power of two in double precision before they
// are narrowed to the single precision the renderer traces in, so that a model far from
// its origin, or of any size, keeps its detail.
#ifndef PELORIX3_RENDER_MODEL_FRAME_H
#define PELORIX3_RENDER_MODEL_FRAME_H

#include "host/triple.h"

namespace standin {

// model = position × unit + origin
struct ModelFrame {
    Triple origin{0.0, 0.0, 0.0};
    double unit = 1.0;
};

}  // namespace standin

#endif
