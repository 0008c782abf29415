#include "models/scene_pose_order.h"

namespace models {
namespace {

enum class Mark { Unvisited, Visiting, Placed };

// The objects `object` needs placed before it, in the order of PoseNeed's reasons.
std::vector<PoseNeed> needsOf(const std::vector<SceneObject>& objects, std::size_t object) {
    std::vector<PoseNeed> needs;
    const SceneObject& o = objects[object];
    if (o.parent) needs.push_back({*o.parent, false});
    if (o.target && objects[*o.target].parent) {
        needs.push_back({*objects[*o.target].parent, true});
    }
    return needs;
}

// A depth-first walk, without recursion, so that a chain as long as the scene is costs no
// stack.
class OrderWalk {
public:
    explicit OrderWalk(const std::vector<SceneObject>& objects)
        : objects_(objects), marks_(objects.size(), Mark::Unvisited) {}

    PoseOrder take() {
        for (std::size_t start = 0; start < objects_.size() && order_.loop.empty(); ++start) {
            if (marks_[start] == Mark::Unvisited) walkFrom(start);
        }
        return std::move(order_);
    }

private:
    struct Frame {
        std::size_t object;
        std::vector<PoseNeed> needs;
        std::size_t next = 0;
    };

    void walkFrom(std::size_t start) {
        std::vector<Frame> path{{start, needsOf(objects_, start)}};
        marks_[start] = Mark::Visiting;
        while (!path.empty()) {
            Frame& top = path.back();
            if (top.next == top.needs.size()) {
                marks_[top.object] = Mark::Placed;
                order_.objects.push_back(top.object);
                path.pop_back();
                continue;
            }
            const PoseNeed need = top.needs[top.next++];
            if (marks_[need.object] == Mark::Visiting) return recordLoop(path, need);
            if (marks_[need.object] == Mark::Unvisited) {
                marks_[need.object] = Mark::Visiting;
                path.push_back({need.object, needsOf(objects_, need.object)});
            }
        }
    }

    // The chain from `need.object` along the walk's path back to it.
    void recordLoop(const std::vector<Frame>& path, const PoseNeed& need) {
        std::size_t first = path.size() - 1;
        while (path[first].object != need.object) --first;
        for (std::size_t i = first; i < path.size(); ++i) {
            const PoseNeed& taken = path[i].needs[path[i].next - 1];
            order_.loop.push_back({path[i].object, taken.throughTarget});
        }
        order_.loop.push_back({need.object, false});
    }

    const std::vector<SceneObject>& objects_;
    std::vector<Mark> marks_;
    PoseOrder order_;
};

}  // namespace

PoseOrder poseOrder(const std::vector<SceneObject>& objects) { return OrderWalk(objects).take(); }

}  // namespace models
