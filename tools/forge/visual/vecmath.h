#pragma once
// Vectors and matrices for the forge, in the game's row-vector convention (v' = v * M,
// A * B applies A first), so bone chains built here place vertices exactly where the
// game's model store will.
#include <cmath>

#include "platform/gpu/transform.h"

namespace forge {

constexpr float Pi = 3.14159265358979f;

struct Vec3 {
    float x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline Vec3 operator*(Vec3 a, Vec3 b) {
    return {a.x * b.x, a.y * b.y, a.z * b.z};
}
inline float Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(Vec3 a) {
    return std::sqrt(Dot(a, a));
}
inline Vec3 Normalize(Vec3 a) {
    float l = Length(a);
    return l > 1e-12f ? a * (1.0f / l) : Vec3{0, 1, 0};
}
inline Vec3 Lerp(Vec3 a, Vec3 b, float t) {
    return a + (b - a) * t;
}

// The device's matrix, identity when default-made, with the device's own helpers doing the
// arithmetic: there is one definition of a rotation in the program.
struct Mat4 : gpu::Matrix {
    Mat4() : gpu::Matrix(gpu::MatrixIdentity()) {}
    Mat4(const gpu::Matrix& m) : gpu::Matrix(m) {}
};

inline Mat4 operator*(const Mat4& a, const Mat4& b) {
    return gpu::MatrixMultiply(a, b);
}
inline Mat4 RotationX(float a) {
    return gpu::MatrixRotationX(a);
}
inline Mat4 RotationY(float a) {
    return gpu::MatrixRotationY(a);
}
inline Mat4 RotationZ(float a) {
    return gpu::MatrixRotationZ(a);
}
// About x, then y, then z, as the game turns bones and models.
inline Mat4 Rotation(Vec3 a) {
    return RotationX(a.x) * RotationY(a.y) * RotationZ(a.z);
}
inline Mat4 Translation(Vec3 t) {
    return gpu::MatrixTranslation(t.x, t.y, t.z);
}
inline Mat4 Scaling(Vec3 s) {
    return gpu::MatrixScaling(s.x, s.y, s.z);
}

inline Vec3 TransformPoint(Vec3 v, const Mat4& m) {
    gpu::Vector3 r = gpu::TransformCoord({v.x, v.y, v.z}, m);
    return {r.x, r.y, r.z};
}
inline Vec3 TransformDirection(Vec3 v, const Mat4& m) {
    gpu::Vector3 r = gpu::TransformNormal({v.x, v.y, v.z}, m);
    return {r.x, r.y, r.z};
}

} // namespace forge
