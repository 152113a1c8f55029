#include "render/matrix.h"

void Identity(tmatrix& M) {
    M = gpu::MatrixIdentity();
}
void RotateX(tmatrix& M, float a) {
    M = gpu::MatrixMultiply(M, gpu::MatrixRotationX(a));
}
void RotateY(tmatrix& M, float a) {
    M = gpu::MatrixMultiply(M, gpu::MatrixRotationY(a));
}
void RotateZ(tmatrix& M, float a) {
    M = gpu::MatrixMultiply(M, gpu::MatrixRotationZ(a));
}

void Rotate(tmatrix& M, float ax, float ay, float az) {
    RotateX(M, ax);
    RotateY(M, ay);
    RotateZ(M, az);
}

void Translate(tmatrix& M, float x, float y, float z) {
    M = gpu::MatrixMultiply(M, gpu::MatrixTranslation(x, y, z));
}

void Scale(tmatrix& M, float s) {
    M = gpu::MatrixMultiply(M, gpu::MatrixScaling(s, s, s));
}
void Multiply(tmatrix& A, const tmatrix& B) {
    A = gpu::MatrixMultiply(A, B);
}
