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
    RayCallNode* next;  // next node, null at the end
    void* caller;       // the SampleContext that made the call
    std::int32_t kind;  // 2 for an illumination call
    std::int32_t reserved;
    Vec3 position;    // the point passed to the call
    Vec3 direction;   // the caller's direction vector at the push
    HostItem item;    // the light of an illumination call
    const char* tag;  // the caller's tag text
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
// without publishing it when the host cannot create the block. A block that already holds
// localRayCallList's address counts as published by this module.
RayCallList* bindSharedRayCallList(RayCallList* current);

// At the host's shutdown of the module: clears this module's head without waiting for its
// guard and, when the shared block still holds the head's address, stores 0 there, so
// that the next module to bind (this one loaded again, for instance) claims the block
// afresh instead of following an address that is about to be unmapped. The render memory
// is looked up afresh through the host's global function. Nothing else calls it: the
// library's own unload and exit make no host call, since the host may be gone by then.
void withdrawLocalRayCallList();

// How many times, since load, a push or pop found a list's guard taken (by a peer module or
// another render thread) and polled it again; it wraps around at 2^32.
std::uint32_t rayCallListGuardPolls();

}  // namespace pelorix3

#endif
