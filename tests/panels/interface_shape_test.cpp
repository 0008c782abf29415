// The panel toolkit's root as its virtual table lays it out: draw, redraw, open and layout
// in the first four slots, and no virtual destructor, so that an Interface is destroyed as
// an Interface and nothing precedes its operations in the table.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "panels/interface.h"

namespace pelorix3 {
namespace {

// The virtual table slot a pointer to a virtual member function names, or -1 for a function
// that is not virtual. The Itanium C++ ABI (GCC, and clang on Linux and Windows) stores
// 1 + the slot's byte offset; its ARM variant (WebAssembly) stores the offset and sets the
// lowest bit of the adjustment word instead.
template <class MemberFunction>
int tableSlot(MemberFunction function) {
    struct Words {
        std::uintptr_t pointer;
        std::ptrdiff_t adjustment;
    };
    static_assert(sizeof(MemberFunction) == sizeof(Words));
    Words words{};
    std::memcpy(&words, &function, sizeof words);
    if ((words.adjustment & 1) != 0) return static_cast<int>(words.pointer / sizeof(void*));
    if ((words.pointer & 1) != 0) return static_cast<int>((words.pointer - 1) / sizeof(void*));
    return -1;
}

TEST(InterfaceShape, DrawRedrawOpenLayoutInOrderAndNoVirtualDestructor) {
    EXPECT_FALSE(std::has_virtual_destructor_v<Interface>);
    EXPECT_EQ(tableSlot(&Interface::draw), 0);
    EXPECT_EQ(tableSlot(&Interface::redraw), 1);
    EXPECT_EQ(tableSlot(&Interface::open), 2);
    EXPECT_EQ(tableSlot(&Interface::layout), 3);
    EXPECT_EQ(tableSlot(&Interface::endGroup), -1);
}

}  // namespace
}  // namespace pelorix3
