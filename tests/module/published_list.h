// The ray call list that the render memory's shared block leads to, as a peer module
// would find it.
#ifndef PELORIX3_TESTS_MODULE_PUBLISHED_LIST_H
#define PELORIX3_TESTS_MODULE_PUBLISHED_LIST_H

#include <cstring>

#include "framework/ray_call_list.h"
#include "host/host_globals.h"

inline constexpr const char* rayCallListBlock = "TORVA_rayCallList";

// The address the block holds; null when there is no block or it holds 0.
inline pelorix3::RayCallList* publishedList() {
    MemoryChunk block = standin::Host::instance().renderMemory().find(rayCallListBlock);
    if (block == nullptr) return nullptr;
    pelorix3::RayCallList* list = nullptr;
    std::memcpy(&list, block, sizeof list);
    return list;
}

#endif
