// A scene's items at a frame, one line each, for a user to check a scene by and for tests
// to check the reader by:
//
//     object "Cup.lwo" position X Y Z right X Y Z up X Y Z forward X Y Z
//     light "Key" spot position ... forward X Y Z colour R G B intensity I
//     camera "Camera" position ... forward X Y Z zoom Z
//
// Objects first in the scene's order (a loaded object named by its file's name without
// folders, a null by its own), then the lights, then the camera. The position is the
// item's world position, right, up and forward the columns of its world matrix (scale
// included); a light's colour is its scene colour from 0 to 1, its intensity and the
// camera's zoom those at the frame. Numbers are the shortest text that reads back; names
// are quoted, with quotes, backslashes and bytes that are not printable ASCII escaped.
#ifndef PELORIX3_MODELS_SCENE_ITEM_LIST_H
#define PELORIX3_MODELS_SCENE_ITEM_LIST_H

#include <string>

#include "models/scene_file.h"

namespace models {

// The lines, each ended by a line feed.
std::string itemList(const SceneFile& scene, double frame);

}  // namespace models

#endif
