// What the renderer asks of a scene it draws: the objects its rays meet, the camera, what
// is seen where a ray meets nothing, and how the surface at each hit is drawn. The preview
// scene (one subject on a floor) and the placed scene (a scene file's objects) both are
// one, so that both go through the same tracing and shading.
#ifndef PELORIX3_RENDER_SHADED_SCENE_H
#define PELORIX3_RENDER_SHADED_SCENE_H

#include "base/triple.h"
#include "framework/host_interface.h"
#include "host/shader_driver.h"
#include "render/camera.h"
#include "render/neutral_material.h"
#include "render/ray_scene.h"
#include "render/scene_settings.h"
#include "render/world_transform.h"

namespace render {

// How the surface at a hit is drawn.
struct HitMaterial {
    enum class Kind {
        Neutral,  // the host's neutral grey
        Plain,    // the plain material of `plain`
        Shader,   // a sample evaluated by a shader instance
    };
    Kind kind = Kind::Neutral;
    PlainSurface plain;
    // Kind::Shader: the instance, null for the render's own, and the surface inputs at the
    // hit, each map sampled there.
    const standin::ShaderInstance* shader = nullptr;
    SurfaceInputs inputs;
    // The object hit, as its shading records name it; null for none. Whether it receives
    // shadows is the host scene's object's say (an id that is none takes shadows).
    HostItem object = nullptr;
    // Kind::Shader: the hit in the object's own coordinates, and the record's two
    // transforms: world to object and object to world.
    base::Triple objectPosition{0.0, 0.0, 0.0};
    Matrix3 toObject{};
    Matrix3 toWorld{};
};

class ShadedScene {
public:
    virtual ~ShadedScene() = default;

    virtual const RayScene& objects() const = 0;
    // The camera onto an image of this size.
    virtual Camera camera(int width, int height) const = 0;
    // Seen where a camera ray along the unit `direction` hits nothing.
    virtual base::Triple background(const base::Triple& direction) const = 0;
    // How the surface at `hit` is drawn.
    virtual HitMaterial materialAt(const RayHit& hit) const = 0;
};

}  // namespace render

#endif
