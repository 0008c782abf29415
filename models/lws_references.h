// The links between a scene's items, checked once the whole file is read (a parent's
// number may be larger than its child's): each names an object, counted from 1, or, for a
// bone's parent, a bone of the same object. A link to no object, an object linked to
// itself, and links that go round in a loop are refused by the line of the link.
#ifndef PELORIX3_MODELS_LWS_REFERENCES_H
#define PELORIX3_MODELS_LWS_REFERENCES_H

#include <cstddef>
#include <string>
#include <vector>

#include "base/result.h"
#include "models/scene_file.h"

namespace models {

enum class LinkKind { Parent, Target, Goal, Morph };
enum class LinkSource { Object, Bone, Light, Camera };

struct LwsLink {
    LinkKind kind = LinkKind::Parent;
    LinkSource source = LinkSource::Object;
    std::size_t item = 0;  // the object (also a bone's) or light, counted from 0
    std::size_t bone = 0;  // the bone of the object, counted from 0
    long long number = 0;  // as written
    std::size_t line = 0;
};

// Sets the parents and targets of `scene`'s items from `links`, in order (a later link of
// an item's kind replaces an earlier one). `name` stands for the file in messages.
base::Status applyLinks(SceneFile& scene, const std::vector<LwsLink>& links,
                        const std::string& name);

}  // namespace models

#endif
