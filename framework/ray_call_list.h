// The list of ray calls in flight, shared through the host's render memory by every module
// that follows this convention. Its layout is a format between separately built modules.
#ifndef PELORIX3_FRAMEWORK_RAY_CALL_LIST_H
#define PELORIX3_FRAMEWORK_RAY_CALL_LIST_H

#include <cstddef>
#include <cstdint>

#include "framework/host_interface.h"
#include "geometry/vec3.h"

namespace pelorix3 {

// Name of the render-memory block holding the address of the list in use.
inline constexpr const char* rayCallListBlockName = "TORVA_rayCallList";

// The kind of node this module publishes.
inline constexpr std::int32_t rayCallIlluminate = 2;

struct RayCallNode {
    RayCallNode* next;    // next node, null at the end
    void* caller;         // the SampleContext that made the call
    std::int32_t kind;    // 2 for an illumination call
    std::int32_t reserved;
    Vec3 position;        // the point passed to the call
    Vec3 direction;       // the caller's direction vector at the push
    HostItem item;        // the light of an illumination call
    const char* tag;      // the caller's tag text
};

struct RayCallList {
    // Both wait for the guard, change the list, and release the guard. Nothing calls out
    // while holding it, so nested calls never wait on themselves.
    void push(RayCallNode* node);
    void pop(RayCallNode* node);

    std::int32_t busy;   // guard: nonzero while an operation is under way
    std::int32_t count;  // number of linked nodes
    RayCallNode* first;
    RayCallNode* last;
};

// This module's own head, used when no other module has published one; it has its cache
// line to itself.
extern RayCallList& localRayCallList;

// Finds the list published in the render memory, publishing localRayCallList when the
// block is absent or empty. Keeps current when the service is missing; uses the local head
// without publishing it when the host cannot create the block.
RayCallList* bindSharedRayCallList(RayCallList* current);

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(RayCallList) == 16);
static_assert(sizeof(RayCallNode) == 72);
static_assert(offsetof(RayCallNode, next) == 0 && offsetof(RayCallNode, caller) == 4);
static_assert(offsetof(RayCallNode, kind) == 8 && offsetof(RayCallNode, reserved) == 12);
static_assert(offsetof(RayCallNode, position) == 16 && offsetof(RayCallNode, direction) == 40);
static_assert(offsetof(RayCallNode, item) == 64 && offsetof(RayCallNode, tag) == 68);
static_assert(sizeof(ShadingRecord) == 400);
#endif

}  // namespace pelorix3

#endif
