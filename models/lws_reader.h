// Reads a scene file of version 1, the version the renderer's 4.0 to 5.6 releases write:
// the frame range, the objects (each its object file's path or a null's name, its motion,
// pivot, parent, target and shadow options; its bones read and passed over), the ambient
// light and the lights (distant, point, spot: colour, intensity, falloff, cone, soft edge,
// shadows), the camera (motion, zoom, frame size, pixel aspect, ray-traced effects) and the
// backdrop colour. Values that may be keyed (`(envelope)`) keep their keys. Keywords it
// does not know, and lines of bare numbers outside a motion, are passed over.
//
// Other versions are refused by name, saying which releases wrote them; a damaged file is
// refused by its line and what is wrong there. Memory stays proportional to the file's
// size: no count in it is trusted before it is checked against the bytes left.
#ifndef PELORIX3_MODELS_LWS_READER_H
#define PELORIX3_MODELS_LWS_READER_H

#include <cstddef>
#include <string>
#include <string_view>

#include "base/result.h"
#include "models/scene_file.h"

namespace models {

// The most objects, the most lights, and the most bones in one object, a scene may have.
inline constexpr std::size_t kMostSceneItems = 65536;

// Reads `text`; `name` stands for the file in messages.
base::Result<SceneFile> readScene(std::string_view text, const std::string& name);

}  // namespace models

#endif
