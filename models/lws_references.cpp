#include "models/lws_references.h"

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

#include "base/message_text.h"
#include "models/lws_lines.h"
#include "models/scene_pose_order.h"

namespace models {
namespace {

const char* keywordOfLink(LinkKind kind) {
    switch (kind) {
        case LinkKind::Parent:
            return "ParentObject";
        case LinkKind::Target:
            return "TargetObject";
        case LinkKind::Goal:
            return "GoalObject";
        case LinkKind::Morph:
            return "MorphTarget";
    }
    return "";
}

// What a link of each kind makes of the object it names, for loops: "has parent".
const char* relationOf(LinkKind kind) {
    switch (kind) {
        case LinkKind::Parent:
            return "hangs from";
        case LinkKind::Target:
            return "aims at";
        case LinkKind::Goal:
            return "has the goal";
        case LinkKind::Morph:
            return "morphs toward";
    }
    return "";
}

// A loop in a relation where each element names at most one other: the elements of the
// loop in order, the first repeated at the end; empty when there is none.
std::vector<std::size_t> loopAmong(const std::vector<std::optional<std::size_t>>& next) {
    constexpr std::size_t kUnvisited = 0;
    std::vector<std::size_t> walkOf(next.size(), kUnvisited);
    for (std::size_t start = 0; start < next.size(); ++start) {
        std::vector<std::size_t> path;
        std::optional<std::size_t> at = start;
        while (at && walkOf[*at] == kUnvisited) {
            walkOf[*at] = start + 1;
            path.push_back(*at);
            at = next[*at];
        }
        if (at && walkOf[*at] == start + 1) {
            std::vector<std::size_t> loop(std::find(path.begin(), path.end(), *at), path.end());
            loop.push_back(*at);
            return loop;
        }
    }
    return {};
}

// A loop's links after its first element, for a message: "A hangs from B, which hangs
// from A". A long loop is cut short after its first few links.
std::string chainOf(const std::string& first, const std::vector<std::string>& links) {
    constexpr std::size_t kLinksShown = 4;
    std::string chain = first;
    for (std::size_t i = 0; i < links.size() && i < kLinksShown; ++i) {
        chain += (i == 0 ? " " : ", which ") + links[i];
    }
    if (links.size() > kLinksShown) {
        chain += ", and so on: " + base::counted(links.size(), "link", "links") + " in all";
    }
    return chain;
}

class LinkCheck {
public:
    LinkCheck(SceneFile& scene, const std::string& name) : scene_(scene), name_(name) {}

    base::Status apply(const std::vector<LwsLink>& links);

private:
    base::Status fail(std::size_t line, const std::string& what) const {
        return base::Status::failure(sceneFault(name_, line, what));
    }
    std::string object(std::size_t index) const {
        return "object " + std::to_string(index + 1) + " (" +
               base::quotedExcerpt(scene_.objects[index].name()) + ")";
    }

    base::Status inRange(const LwsLink& link) const;
    void set(const LwsLink& link);
    base::Status noLoopOf(LinkKind kind) const;
    base::Status noBoneLoops() const;
    base::Status noPoseLoop() const;

    SceneFile& scene_;
    const std::string& name_;
    // Each object's link of each kind, to the object it names (counted from 0), and the line.
    std::map<std::pair<LinkKind, std::size_t>, std::pair<std::size_t, std::size_t>> objectLinks_;
    // Each bone's parent: (object, bone) to (bone, line).
    std::map<std::pair<std::size_t, std::size_t>, std::pair<std::size_t, std::size_t>> boneParents_;
};

base::Status LinkCheck::inRange(const LwsLink& link) const {
    const bool ofBones = link.source == LinkSource::Bone && link.kind == LinkKind::Parent;
    const std::size_t count = ofBones ? scene_.objects[link.item].bones : scene_.objects.size();
    const std::string said =
        std::string(keywordOfLink(link.kind)) + " " + std::to_string(link.number);
    if (link.number < 1) {
        return fail(link.line,
                    said + ": " + (ofBones ? "bones" : "objects") + " are numbered from 1");
    }
    if (static_cast<unsigned long long>(link.number) > count) {
        return fail(link.line,
                    said + ", but " +
                        (ofBones ? "the bone's object has " + base::counted(count, "bone", "bones")
                                 : "the scene has " + base::counted(count, "object", "objects")));
    }
    const auto named = static_cast<std::size_t>(link.number - 1);
    if (ofBones && named == link.bone) {
        return fail(link.line, said + ": bone " + std::to_string(link.bone + 1) + " of " +
                                   object(link.item) + " would be its own parent");
    }
    if (link.source == LinkSource::Object && named == link.item) {
        return fail(link.line, said + ": " + object(link.item) + " names itself");
    }
    return base::succeeded();
}

void LinkCheck::set(const LwsLink& link) {
    const auto named = static_cast<std::size_t>(link.number - 1);
    switch (link.source) {
        case LinkSource::Bone:
            if (link.kind == LinkKind::Parent) {
                boneParents_[{link.item, link.bone}] = {named, link.line};
            }
            return;
        case LinkSource::Object:
            objectLinks_[{link.kind, link.item}] = {named, link.line};
            if (link.kind == LinkKind::Parent) scene_.objects[link.item].parent = named;
            if (link.kind == LinkKind::Target) scene_.objects[link.item].target = named;
            return;
        case LinkSource::Light:
        case LinkSource::Camera: {
            SceneItem& item = link.source == LinkSource::Light
                                  ? static_cast<SceneItem&>(scene_.lights[link.item])
                                  : scene_.camera;
            if (link.kind == LinkKind::Parent) item.parent = named;
            if (link.kind == LinkKind::Target) item.target = named;
            return;
        }
    }
}

base::Status LinkCheck::noLoopOf(LinkKind kind) const {
    std::vector<std::optional<std::size_t>> next(scene_.objects.size());
    for (const auto& [from, to] : objectLinks_) {
        if (from.first == kind) next[from.second] = to.first;
    }
    const std::vector<std::size_t> loop = loopAmong(next);
    if (loop.empty()) return base::succeeded();
    std::vector<std::string> links;
    for (std::size_t i = 1; i < loop.size(); ++i) {
        links.push_back(relationOf(kind) + (" " + object(loop[i])));
    }
    return fail(objectLinks_.at({kind, loop[0]}).second,
                std::string(keywordOfLink(kind)) +
                    " links go round in a loop: " + chainOf(object(loop[0]), links));
}

base::Status LinkCheck::noBoneLoops() const {
    for (std::size_t o = 0; o < scene_.objects.size(); ++o) {
        std::vector<std::optional<std::size_t>> next(scene_.objects[o].bones);
        for (auto link = boneParents_.lower_bound({o, 0});
             link != boneParents_.end() && link->first.first == o; ++link) {
            next[link->first.second] = link->second.first;
        }
        const std::vector<std::size_t> loop = loopAmong(next);
        if (loop.empty()) continue;
        std::vector<std::string> links;
        for (std::size_t i = 1; i < loop.size(); ++i) {
            links.push_back("hangs from bone " + std::to_string(loop[i] + 1));
        }
        return fail(boneParents_.at({o, loop[0]}).second,
                    "the bones of " + object(o) + " hang from each other in a loop: " +
                        chainOf("bone " + std::to_string(loop[0] + 1), links));
    }
    return base::succeeded();
}

// Objects placed through their targets' parents: an object that aims at a target hanging
// from the object itself, or from one of its children, can never be placed.
base::Status LinkCheck::noPoseLoop() const {
    const PoseOrder order = poseOrder(scene_.objects);
    if (order.loop.empty()) return base::succeeded();
    std::string chain = object(order.loop[0].object);
    for (std::size_t i = 0; i + 1 < order.loop.size(); ++i) {
        const PoseNeed& need = order.loop[i];
        const std::string next = object(order.loop[i + 1].object);
        chain += i == 0 ? " " : ", which ";
        chain += need.throughTarget ? "aims at " + object(*scene_.objects[need.object].target) +
                                          ", which hangs from " + next
                                    : "hangs from " + next;
    }
    const PoseNeed& first = order.loop[0];
    const LinkKind kind = first.throughTarget ? LinkKind::Target : LinkKind::Parent;
    return fail(objectLinks_.at({kind, first.object}).second,
                "parents and targets go round in a loop, so that no object of it can be "
                "placed: " +
                    chain);
}

base::Status LinkCheck::apply(const std::vector<LwsLink>& links) {
    for (const LwsLink& link : links) {
        if (base::Status status = inRange(link); !status) return status;
        set(link);
    }
    for (const LinkKind kind : {LinkKind::Parent, LinkKind::Goal, LinkKind::Morph}) {
        if (base::Status status = noLoopOf(kind); !status) return status;
    }
    if (base::Status status = noBoneLoops(); !status) return status;
    return noPoseLoop();
}

}  // namespace

base::Status applyLinks(SceneFile& scene, const std::vector<LwsLink>& links,
                        const std::string& name) {
    return LinkCheck(scene, name).apply(links);
}

}  // namespace models
