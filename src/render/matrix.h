#pragma once
// The matrix helpers the model store draws with. Matrices are the device's: 4 x 4 floats in
// the row-vector convention (v' = v x M), so A x B applies A first; rotations are
// left-handed. These are thin wrappers over the device's transform functions, so there is
// one definition of a rotation in the program; the camera's look-at and perspective are
// gpu::MatrixLookAtLH and gpu::MatrixPerspectiveFovLH.
#include "platform/gpu/transform.h"

using tmatrix = gpu::Matrix;
using tvector = gpu::Vector3;

void Identity(tmatrix& M);
// M = M x rotation about that axis by a radians.
void RotateX(tmatrix& M, float a);
void RotateY(tmatrix& M, float a);
void RotateZ(tmatrix& M, float a);
// RotateX, then RotateY, then RotateZ.
void Rotate(tmatrix& M, float ax, float ay, float az);
// M = M x translation.
void Translate(tmatrix& M, float x, float y, float z);
// M = M x uniform scaling by s.
void Scale(tmatrix& M, float s);
// A = A x B.
void Multiply(tmatrix& A, const tmatrix& B);
