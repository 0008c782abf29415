// How each surface of a model with surfaces is shaded: by a shader instance of its own with
// its own surface inputs, or, without one, by a plain material of its colour. A scene
// without such a table shades its whole subject with the render's one instance and the
// scene's surface inputs.
#ifndef PELORIX3_RENDER_SURFACE_SHADING_H
#define PELORIX3_RENDER_SURFACE_SHADING_H

#include "host/shader_driver.h"
#include "render/neutral_material.h"
#include "render/scene_settings.h"

namespace render {

struct SurfaceShading {
    // Null: the plain material of `inputs` (colour, diffuse, roughness). The instance is
    // the caller's and must outlive the renders.
    const standin::ShaderInstance* shader = nullptr;
    SurfaceInputs inputs;

    PlainSurface plain() const { return {inputs.color, inputs.diffuse, inputs.roughness}; }
};

}  // namespace render

#endif
