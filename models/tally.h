// How often a model reader met something, and where it met it first: a byte offset into
// an OBJ file, a polygon's number in an object file, whatever the reader counts by.
#ifndef PELORIX3_MODELS_TALLY_H
#define PELORIX3_MODELS_TALLY_H

#include <cstddef>

namespace models {

struct Tally {
    std::size_t count = 0;
    std::size_t first = 0;

    void add(std::size_t where) {
        if (count++ == 0) first = where;
    }
};

}  // namespace models

#endif
