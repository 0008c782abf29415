#include "bench/floor_kernel.h"

#include <atomic>
#include <cstdint>
#include <cstring>
#include <new>

#include "bench/sheen_kernel.h"

namespace bench {
namespace {

struct Node {
    Node* next;
    void* caller;
    std::int32_t kind;
    std::int32_t reserved;
    V position;
    V direction;
    HostItem item;
    const char* tag;
};

struct alignas(64) ListHead {
    std::int32_t busy;
    std::int32_t count;
    Node* first;
    Node* last;
};

ListHead listHead{};

void pause() {
#if defined(__i386__) || defined(__x86_64__)
    __builtin_ia32_pause();
#endif
}

class Guard {
public:
    explicit Guard(std::int32_t& busy) : busy_(busy) {
        for (;;) {
            while (busy_.load(std::memory_order_relaxed) != 0) pause();
            std::int32_t expected = 0;
            if (busy_.compare_exchange_weak(expected, 1, std::memory_order_acquire)) return;
        }
    }
    ~Guard() { busy_.fetch_sub(1, std::memory_order_release); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

private:
    std::atomic_ref<std::int32_t> busy_;
};

void push(Node* node) {
    Guard guard(listHead.busy);
    ++listHead.count;
    if (listHead.last == nullptr) {
        listHead.first = node;
    } else {
        listHead.last->next = node;
    }
    listHead.last = node;
}

void pop(Node* node) {
    Guard guard(listHead.busy);
    Node* previous = nullptr;
    for (Node* n = listHead.first; n; previous = n, n = n->next) {
        if (n != node) continue;
        (previous ? previous->next : listHead.first) = n->next;
        if (listHead.last == n) listHead.last = previous;
        --listHead.count;
        return;
    }
}

// The per-sample copy of the record, field for field as the module's context holds it.
struct Context {
    void* reserved = nullptr;
    void* respondingServer = nullptr;
    const ShadingRecord* record;
    int screenX, screenY;
    V objectPosition, worldPosition, geometricNormal;
    double spotSize;
    V raySource;
    double rayLength, cosine;
    double* objectTransform;
    double* worldTransform;
    HostItem objectId;
    int polygonIndex;
    V normal, color;
    double luminous, diffuse, specular, mirror, transparency, eta, roughness;
    int callDepth = 0;

    explicit Context(const ShadingRecord& r)
        : record(&r),
          screenX(r.sx),
          screenY(r.sy),
          objectPosition(load(r.oPos)),
          worldPosition(load(r.wPos)),
          geometricNormal(load(r.gNorm)),
          spotSize(r.spotSize),
          raySource(load(r.raySource)),
          rayLength(r.rayLength),
          cosine(r.cosine),
          objectTransform(new (std::nothrow) double[9]),
          worldTransform(new (std::nothrow) double[9]),
          objectId(r.objID),
          polygonIndex(r.polNum),
          normal(load(r.wNorm)),
          color(load(r.color)),
          luminous(r.luminous),
          diffuse(r.diffuse),
          specular(r.specular),
          mirror(r.mirror),
          transparency(r.transparency),
          eta(r.eta),
          roughness(r.roughness) {
        if (objectTransform) std::memcpy(objectTransform, r.oXfrm, sizeof r.oXfrm);
        if (worldTransform) std::memcpy(worldTransform, r.wXfrm, sizeof r.wXfrm);
    }
    ~Context() {
        delete[] objectTransform;
        delete[] worldTransform;
    }
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    void copyOut(ShadingRecord& r) const {
        r.wNorm[0] = normal.x;
        r.wNorm[1] = normal.y;
        r.wNorm[2] = normal.z;
        r.color[0] = color.x;
        r.color[1] = color.y;
        r.color[2] = color.z;
        r.luminous = luminous;
        r.diffuse = diffuse;
        r.specular = specular;
        r.mirror = mirror;
        r.transparency = transparency;
        r.eta = eta;
        r.roughness = roughness;
    }
};

}  // namespace

void floorSheen(const BareParameters& p, const ItemInfo& items, const double ambient[3],
                ShadingRecord& record) {
    Context context(record);
    const Surface surface{context.worldPosition, context.normal,   context.raySource,
                          context.color,         context.luminous, context.diffuse,
                          context.specular,      context.roughness};
    context.color = sheenKernel(
        p, items, ambient, surface,
        [&context](HostItem light, const double point[3], double direction[3], double arriving[3]) {
            Node node{nullptr, &context, 2, 0, load(point), load(direction), light, ""};
            push(&node);
            context.record->illuminate(light, point, direction, arriving);
            pop(&node);
        });
    context.luminous = 1.0;
    context.diffuse = 0.0;
    context.specular = 0.0;
    context.copyOut(record);
}

}  // namespace bench
