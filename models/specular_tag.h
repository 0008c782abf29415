// The tag of a surface's specular sub-chunk (the specular level as a fraction), spelt out as
// its four characters so that every reader and writer names it through one constant.
#ifndef PELORIX3_MODELS_SPECULAR_TAG_H
#define PELORIX3_MODELS_SPECULAR_TAG_H

#include <string_view>

namespace models {

inline constexpr char kSpecularChars[] = {'S', 'P', 'E', 'C'};
inline constexpr std::string_view kSpecularTag{kSpecularChars, sizeof kSpecularChars};

}  // namespace models

#endif
