#pragma once
// Matrix and vector helpers in the device's convention (row vectors, v' = v * M, A * B applies
// A first, left-handed, depth 0..1). Everything that builds a matrix for the device goes
// through these, so there is one definition of a rotation or a projection in the program.
#include <cmath>

#include "platform/gpu/types.h"

namespace gpu {

// Inline: a model's skeleton takes thousands of these a frame, and built and multiplied in
// one place the matrices stay in registers instead of stalling on memory.
inline Matrix MatrixIdentity() {
    Matrix r{};
    for (int i = 0; i < 4; ++i) r.m[i][i] = 1;
    return r;
}

// a then b
inline Matrix MatrixMultiply(const Matrix& a, const Matrix& b) {
    // Rows of b added up whole: the compiler makes each row one vector operation, and every
    // element is still summed from 0 in the order k = 0..3, so the results are unchanged.
    Matrix r;
#pragma GCC unroll 4
    for (int i = 0; i < 4; ++i) {
        float row[4] = {0, 0, 0, 0};
#pragma GCC unroll 4
        for (int k = 0; k < 4; ++k)
            for (int j = 0; j < 4; ++j) row[j] += a.m[i][k] * b.m[k][j];
        for (int j = 0; j < 4; ++j) r.m[i][j] = row[j];
    }
    return r;
}

inline Matrix MatrixTranslation(float x, float y, float z) {
    Matrix r = MatrixIdentity();
    r.m[3][0] = x;
    r.m[3][1] = y;
    r.m[3][2] = z;
    return r;
}

inline Matrix MatrixScaling(float sx, float sy, float sz) {
    Matrix r{};
    r.m[0][0] = sx;
    r.m[1][1] = sy;
    r.m[2][2] = sz;
    r.m[3][3] = 1;
    return r;
}

// Rotations by `angle` radians; looking down the axis towards the origin they turn clockwise
// (the left-handed convention).
inline Matrix MatrixRotationX(float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    Matrix r = MatrixIdentity();
    r.m[1][1] = c;
    r.m[1][2] = s;
    r.m[2][1] = -s;
    r.m[2][2] = c;
    return r;
}

inline Matrix MatrixRotationY(float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    Matrix r = MatrixIdentity();
    r.m[0][0] = c;
    r.m[0][2] = -s;
    r.m[2][0] = s;
    r.m[2][2] = c;
    return r;
}

inline Matrix MatrixRotationZ(float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    Matrix r = MatrixIdentity();
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    return r;
}

// View matrix of an eye at `eye` looking at `at`, `up` giving the upward direction.
Matrix MatrixLookAtLH(Vector3 eye, Vector3 at, Vector3 up);
// Perspective projection: vertical field of view in radians, width / height, near and far
// planes (depth 0 at near, 1 at far).
Matrix MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);
// Orthographic projection of the box left..right, bottom..top, zNear..zFar.
Matrix MatrixOrthoOffCenterLH(float left, float right, float bottom, float top, float zNear,
                              float zFar);
// The inverse; false (and `out` untouched) when the matrix is singular.
bool MatrixInverse(const Matrix& m, Matrix& out);
Matrix MatrixTranspose(const Matrix& m);

// The point v (w = 1) through m, divided by the resulting w.
Vector3 TransformCoord(Vector3 v, const Matrix& m);
// The direction v (w = 0) through m.
Vector3 TransformNormal(Vector3 v, const Matrix& m);
Vector3 Normalize(Vector3 v); // the zero vector stays zero
float Dot(Vector3 a, Vector3 b);
Vector3 Cross(Vector3 a, Vector3 b);

} // namespace gpu
