// What the preview scene is made of, as the command line can change it: the subject, the
// surface inputs the renderer would hand the shader, the two lights, the ambient colour
// and the camera's turn from its framing. The defaults are the embedded scene.
#ifndef PELORIX3_RENDER_SCENE_SETTINGS_H
#define PELORIX3_RENDER_SCENE_SETTINGS_H

#include <memory>
#include <string>

#include "base/triple.h"
#include "render/camera_orbit.h"
#include "render/surface_maps.h"

namespace render {

// The subject: the procedural draped cloth, today's sphere, or a model from a file (OBJ
// text or an object file).
enum class SubjectKind { Cloth, Sphere, Mesh };

// The surface inputs of every shaded sample of the subject (the floor and everything
// else have the host's neutral material): a constant for each, and a map for those that
// vary across the subject, which takes the constant's place.
struct SurfaceInputs {
    base::Triple color{0.62, 0.08, 0.16};
    double diffuse = 0.9;
    double specular = 0.7;
    double luminous = 0.0;
    double roughness = 1.0 / 64.0;  // the classic lobe, exponent 1
    SurfaceMaps maps;
};

struct SceneSettings {
    SubjectKind subject = SubjectKind::Cloth;
    // For SubjectKind::Mesh: the model file's name, for messages, and its bytes, read once
    // and shared by every copy of the settings.
    std::string meshName;
    std::shared_ptr<const std::string> meshText;
    double creaseAngle = 60.0;  // degrees; for a model without normals of its own
    // Whether an object file's surfaces give their own crease angles (their smoothing
    // angles) in place of creaseAngle.
    bool creaseFromSurfaces = false;
    SurfaceInputs surface;
    // Said after the reason when a model without texture coordinates meets a map: where
    // the map comes from and what to do instead, in the caller's words; empty for nothing.
    std::string untexturedMapAdvice;
    base::Triple keyPosition{-3.5, 4.5, -3.0};  // point light, upper left in front of the sphere
    base::Triple keyColor{1.0, 0.97, 0.92};
    double keyIntensity = 1.0;
    base::Triple rimDirection{-0.45, -0.35, -1.0};  // distant light from behind, towards the camera
    base::Triple rimColor{0.8, 0.88, 1.0};
    double rimIntensity = 0.8;
    base::Triple ambient{0.06, 0.06, 0.07};
    bool shadows = true;
    CameraOrbit orbit;  // the camera turned from the framing's view
};

}  // namespace render

#endif
