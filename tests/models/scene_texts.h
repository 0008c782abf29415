// Scene files for the tests, written as the renderer's version 1 writer lays them out: a
// motion block from its keys, an item still at one place, a whole scene from its objects',
// lights' and camera's lines.
#ifndef PELORIX3_TESTS_MODELS_SCENE_TEXTS_H
#define PELORIX3_TESTS_MODELS_SCENE_TEXTS_H

#include <string>
#include <vector>

namespace scene_texts {

// One key: the nine channels' values, then "frame linear tension continuity bias".
struct Key {
    std::string values;
    std::string shape;
};

inline std::string motion(const std::string& keyword, const std::vector<Key>& keys,
                          int endBehavior = 1) {
    std::string text = keyword + " (unnamed)\n  9\n  " + std::to_string(keys.size()) + "\n";
    for (const Key& key : keys) text += "  " + key.values + "\n  " + key.shape + "\n";
    return text + "EndBehavior " + std::to_string(endBehavior) + "\n";
}

// A motion of one key at frame 0: "x y z heading pitch bank" at scale 1.
inline std::string still(const std::string& keyword, const std::string& place) {
    return motion(keyword, {{place + " 1 1 1", "0 0 0 0 0"}});
}

inline std::string object(const std::string& path, const std::string& place,
                          const std::string& more = "") {
    return "LoadObject " + path + "\nShowObject 4 7\n" + still("ObjectMotion", place) + more;
}

inline std::string null(const std::string& name, const std::string& place,
                        const std::string& more = "") {
    return "AddNullObject " + name + "\n" + still("ObjectMotion", place) + more;
}

inline std::string light(const std::string& name, const std::string& place,
                         const std::string& more = "") {
    return "AddLight\nLightName " + name + "\nShowLight 1 5\n" + still("LightMotion", place) +
           "LightColor 255 255 255\nLgtIntensity 1.0\nLightType 0\n" + more;
}

inline std::string camera(const std::string& place, const std::string& more = "") {
    return "ShowCamera 1 7\n" + still("CameraMotion", place) + "ZoomFactor 3.2\n" + more;
}

inline const std::string kHeader =
    "LWSC\n1\n\nFirstFrame 1\nLastFrame 48\nFrameStep 1\nFramesPerSecond 24.000000\n\n";

// A scene of the items' lines, ambient light before the lights and the camera after them.
inline std::string scene(const std::string& objects, const std::string& lights = "",
                         const std::string& cameraLines = camera("0 0 -5 0 0 0")) {
    return kHeader + objects + "\nAmbientColor 255 255 255\nAmbIntensity 0.25\n\n" + lights + "\n" +
           cameraLines + "\nSolidBackdrop 1\nBackdropColor 0 0 0\n";
}

}  // namespace scene_texts

#endif
