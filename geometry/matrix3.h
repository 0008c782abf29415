// A matrix of doubles with owned row-major storage; 3x3 as the sample context uses it.
#ifndef PELORIX3_GEOMETRY_MATRIX3_H
#define PELORIX3_GEOMETRY_MATRIX3_H

#include <cstring>
#include <new>

namespace pelorix3 {

class Matrix3 {
public:
    // 3x3 with fresh, uninitialised storage for nine doubles. Inline, as every shaded
    // sample makes and destroys two.
    Matrix3() : rows(3), cols(3), data(new (std::nothrow) double[9]) {}
    // 3x3 with fresh storage holding the nine elements, in storage order.
    explicit Matrix3(const double elements[9]) : Matrix3() {
        if (data) std::memcpy(data, elements, 9 * sizeof(double));
    }
    ~Matrix3() { delete[] data; }
    Matrix3(const Matrix3&) = delete;
    Matrix3& operator=(const Matrix3&) = delete;

    // New storage only when the element count changes; the shape is always updated.
    void resize(int r, int k);

    double& at(int r, int k) { return data[r * cols + k]; }
    int elementCount() const { return rows * cols; }

    int rows;
    int cols;
    double* data;  // rows * cols doubles, null only if an allocation failed
};

}  // namespace pelorix3

#endif
