// The CRC-32 that zip archives and PNG chunks carry (the polynomial 0xEDB88320, reflected,
// started and finished with all bits set).
#ifndef PELORIX3_WEB_CRC32_H
#define PELORIX3_WEB_CRC32_H

#include <cstdint>
#include <string_view>

namespace studio {

std::uint32_t crc32(std::string_view bytes);

}  // namespace studio

#endif
