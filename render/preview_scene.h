// The embedded preview scene: a unit sphere resting on a ground plane, seen by a camera,
// lit by a key point light and a distant rim light over a little ambient. The host's
// illumination casts shadows from these same objects.
#ifndef PELORIX3_RENDER_PREVIEW_SCENE_H
#define PELORIX3_RENDER_PREVIEW_SCENE_H

#include "host/scene.h"
#include "render/camera.h"
#include "render/ray_scene.h"
#include "render/scene_settings.h"

namespace standin {
class Host;
}

namespace standin {

class PreviewScene {
public:
    explicit PreviewScene(const SceneSettings& settings);

    const RayScene& objects() const { return objects_; }
    // The scene's camera onto an image of this size.
    Camera camera(int width, int height) const;

    // Changes the sphere's surface inputs for the renders that follow.
    void setSurface(const SurfaceInputs& surface) { settings_.surface = surface; }
    const SurfaceInputs& surface() const { return settings_.surface; }

    // The surface inputs at a hit: the sphere's from the settings, the ground's with a
    // grey checker colour.
    SurfaceInputs surfaceAt(const RayHit& hit) const;

    // Seen where a camera ray hits nothing: a dim gradient from the horizon up.
    Triple background(const Triple& direction) const;

    // Makes the host's scene this one: its lights, its ambient colour and, when shadows
    // are on, its objects as the occluders of the host's illumination. The scene must
    // outlive the host's use of it.
    void install(Host& host) const;

private:
    SceneSettings settings_;
    RayScene objects_;
    int sphere_ = 0;
};

}  // namespace standin

#endif
