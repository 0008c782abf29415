// The bits of one trivially copyable value read as another type of the same size:
// std::bit_cast where the C++ library has it, the compiler's __builtin_bit_cast, which
// std::bit_cast is made of, where it has not (libc++ 13, the WebAssembly build).
#ifndef PELORIX3_FRAMEWORK_BIT_CAST_H
#define PELORIX3_FRAMEWORK_BIT_CAST_H

#include <bit>
#include <type_traits>

namespace pelorix3 {

template <typename To, typename From>
constexpr To bitCast(const From& from) noexcept {
    static_assert(sizeof(To) == sizeof(From));
    static_assert(std::is_trivially_copyable_v<To> && std::is_trivially_copyable_v<From>);
#ifdef __EMSCRIPTEN__
    return __builtin_bit_cast(To, from);
#else
    return std::bit_cast<To>(from);
#endif
}

}  // namespace pelorix3

#endif
