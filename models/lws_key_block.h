// The keys of a motion or an envelope, which follow the line that begins it
// (`ObjectMotion (unnamed)`, `LgtIntensity (envelope)`):
//
//     9                          channels (9 for a motion, 1 for an envelope)
//     2                          keys, at least 1
//     0.0 0.25 0.0 30.0 ...      the key's value for each channel
//     0 0 0.0 0.0 0.0            its frame, linear flag, tension, continuity, bias
//     ...
//     EndBehavior 1              0 reset, 1 stop, 2 repeat
//
// The numbers are read by their count, not by lines, as some writers wrap a key's numbers
// differently. What does not fit is refused by its line: a word among the numbers, a count
// that is not the block's, more keys than the rest of the file could hold, frames that do
// not rise, a flag other than 0 or 1, a tension, continuity or bias outside -1 to 1, the
// file ending inside the block, a missing EndBehavior.
#ifndef PELORIX3_MODELS_LWS_KEY_BLOCK_H
#define PELORIX3_MODELS_LWS_KEY_BLOCK_H

#include <cstddef>
#include <string>

#include "base/result.h"
#include "models/lws_lines.h"
#include "models/scene_motion.h"

namespace models {

// The most keys one motion may have.
inline constexpr std::size_t kMostKeys = 100000;

// Reads the block after the line `lines` stands on, leaving `lines` on its EndBehavior.
// `name` stands for the file in messages.
base::Result<Motion> readKeyBlock(LwsLines& lines, std::size_t channels, const std::string& name);

}  // namespace models

#endif
