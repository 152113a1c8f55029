#pragma once
// Matrix and vector helpers in the device's convention (row vectors, v' = v * M, A * B applies
// A first, left-handed, depth 0..1). Everything that builds a matrix for the device goes
// through these, so there is one definition of a rotation or a projection in the program.
#include "platform/gpu/types.h"

namespace gpu {

Matrix MatrixIdentity();
Matrix MatrixMultiply(const Matrix& a, const Matrix& b); // a then b
Matrix MatrixTranslation(float x, float y, float z);
Matrix MatrixScaling(float sx, float sy, float sz);
// Rotations by `angle` radians; looking down the axis towards the origin they turn clockwise
// (the left-handed convention).
Matrix MatrixRotationX(float angle);
Matrix MatrixRotationY(float angle);
Matrix MatrixRotationZ(float angle);
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
