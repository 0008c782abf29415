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

// A pointer to a member function as two words: the function (or, for a virtual one, where
// its slot is) and the adjustment of `this`.
struct Words {
    std::uintptr_t pointer;
    std::ptrdiff_t adjustment;
};

template <class MemberFunction>
Words wordsOf(MemberFunction function) {
    static_assert(sizeof(MemberFunction) == sizeof(Words));
    Words words{};
    std::memcpy(&words, &function, sizeof words);
    return words;
}

// A class whose table is known: second() is in slot 1.
struct Probe {
    virtual void first() {}
    virtual void second() {}
};

// How the target marks a virtual function. The Itanium C++ ABI (GCC, and clang on Linux
// and Windows) stores 1 + the slot's byte offset, odd where a function's address is even;
// its ARM variant (ARM and WebAssembly, where a function's address or table index may be
// odd) stores the offset itself and sets the lowest bit of the adjustment word. Read from
// the probe, so that an ordinary function's odd index is never taken for the other
// layout's mark.
bool marksTheAdjustment() { return (wordsOf(&Probe::second).adjustment & 1) != 0; }

// The virtual table slot a pointer to a virtual member function names, or -1 for a function
// that is not virtual.
template <class MemberFunction>
int tableSlot(MemberFunction function) {
    const Words words = wordsOf(function);
    const auto slot = [](std::uintptr_t offset) {
        return static_cast<int>(offset / sizeof(void*));
    };
    if (marksTheAdjustment()) return (words.adjustment & 1) != 0 ? slot(words.pointer) : -1;
    return (words.pointer & 1) != 0 ? slot(words.pointer - 1) : -1;
}

TEST(InterfaceShape, DrawRedrawOpenLayoutInOrderAndNoVirtualDestructor) {
    ASSERT_EQ(tableSlot(&Probe::second), 1)
        << "the member function pointer's layout is not read right";
    EXPECT_FALSE(std::has_virtual_destructor_v<Interface>);
    EXPECT_EQ(tableSlot(&Interface::draw), 0);
    EXPECT_EQ(tableSlot(&Interface::redraw), 1);
    EXPECT_EQ(tableSlot(&Interface::open), 2);
    EXPECT_EQ(tableSlot(&Interface::layout), 3);
    EXPECT_EQ(tableSlot(&Interface::endGroup), -1);
}

}  // namespace
}  // namespace pelorix3
