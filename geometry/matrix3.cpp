#include "geometry/matrix3.h"

#include <new>

namespace pelorix3 {

namespace {
double* allocateElements(int count) {
    return count > 0 ? new (std::nothrow) double[static_cast<unsigned>(count)] : nullptr;
}
}  // namespace

void Matrix3::resize(int r, int k) {
    if (r * k != rows * cols || data == nullptr) {
        delete[] data;
        data = allocateElements(r * k);
    }
    rows = r;
    cols = k;
}

}  // namespace pelorix3
