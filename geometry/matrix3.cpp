#include "geometry/matrix3.h"

#include <new>

namespace pelorix3 {

namespace {
double* allocateElements(int count) {
    return count > 0 ? new (std::nothrow) double[static_cast<unsigned>(count)] : nullptr;
}
}  // namespace

Matrix3::Matrix3() : rows(3), cols(3), data(allocateElements(9)) {}

Matrix3::~Matrix3() { delete[] data; }

void Matrix3::resize(int r, int k) {
    if (r * k != rows * cols || data == nullptr) {
        delete[] data;
        data = allocateElements(r * k);
    }
    rows = r;
    cols = k;
}

}  // namespace pelorix3
