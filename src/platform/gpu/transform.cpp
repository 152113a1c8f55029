#include "platform/gpu/transform.h"

#include <cmath>

namespace gpu {

Matrix MatrixLookAtLH(Vector3 eye, Vector3 at, Vector3 up) {
    const Vector3 z = Normalize({at.x - eye.x, at.y - eye.y, at.z - eye.z});
    const Vector3 x = Normalize(Cross(up, z));
    const Vector3 y = Cross(z, x);
    Matrix r{};
    r.m[0][0] = x.x, r.m[0][1] = y.x, r.m[0][2] = z.x;
    r.m[1][0] = x.y, r.m[1][1] = y.y, r.m[1][2] = z.y;
    r.m[2][0] = x.z, r.m[2][1] = y.z, r.m[2][2] = z.z;
    r.m[3][0] = -Dot(x, eye);
    r.m[3][1] = -Dot(y, eye);
    r.m[3][2] = -Dot(z, eye);
    r.m[3][3] = 1;
    return r;
}

Matrix MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar) {
    const float ys = 1.0f / std::tan(fovY / 2);
    const float xs = ys / aspect;
    Matrix r{};
    r.m[0][0] = xs;
    r.m[1][1] = ys;
    r.m[2][2] = zFar / (zFar - zNear);
    r.m[2][3] = 1;
    r.m[3][2] = -zNear * zFar / (zFar - zNear);
    return r;
}

Matrix MatrixOrthoOffCenterLH(float left, float right, float bottom, float top, float zNear,
                              float zFar) {
    Matrix r{};
    r.m[0][0] = 2 / (right - left);
    r.m[1][1] = 2 / (top - bottom);
    r.m[2][2] = 1 / (zFar - zNear);
    r.m[3][0] = (left + right) / (left - right);
    r.m[3][1] = (top + bottom) / (bottom - top);
    r.m[3][2] = zNear / (zNear - zFar);
    r.m[3][3] = 1;
    return r;
}

bool MatrixInverse(const Matrix& m, Matrix& out) {
    // Gauss-Jordan with partial pivoting, in double so near-singular bone matrices stay sane.
    double a[4][8];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            a[i][j] = m.m[i][j];
            a[i][j + 4] = i == j ? 1 : 0;
        }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
        if (std::fabs(a[pivot][col]) < 1e-12) return false;
        if (pivot != col)
            for (int j = 0; j < 8; ++j) std::swap(a[pivot][j], a[col][j]);
        const double inv = 1.0 / a[col][col];
        for (int j = 0; j < 8; ++j) a[col][j] *= inv;
        for (int r = 0; r < 4; ++r) {
            if (r == col) continue;
            const double f = a[r][col];
            if (f == 0) continue;
            for (int j = 0; j < 8; ++j) a[r][j] -= f * a[col][j];
        }
    }
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) out.m[i][j] = float(a[i][j + 4]);
    return true;
}

Matrix MatrixTranspose(const Matrix& m) {
    Matrix r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) r.m[i][j] = m.m[j][i];
    return r;
}

Vector3 TransformCoord(Vector3 v, const Matrix& m) {
    const float x = v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + m.m[3][0];
    const float y = v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + m.m[3][1];
    const float z = v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + m.m[3][2];
    const float w = v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + m.m[3][3];
    if (w == 0) return {x, y, z};
    return {x / w, y / w, z / w};
}

Vector3 TransformNormal(Vector3 v, const Matrix& m) {
    return {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0],
            v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1],
            v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2]};
}

Vector3 Normalize(Vector3 v) {
    const float len = std::sqrt(Dot(v, v));
    if (len == 0) return v;
    return {v.x / len, v.y / len, v.z / len};
}

float Dot(Vector3 a, Vector3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vector3 Cross(Vector3 a, Vector3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

} // namespace gpu
