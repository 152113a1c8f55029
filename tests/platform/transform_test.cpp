// The matrix helpers follow the row-vector, left-handed convention everywhere.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "platform/gpu/transform.h"

using namespace gpu;

namespace {

void ExpectNear(Vector3 v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}

constexpr float kQuarter = std::numbers::pi_v<float> / 2;

} // namespace

TEST(Transform, RotationsTurnClockwiseLookingDownTheAxis) {
    ExpectNear(TransformCoord({1, 0, 0}, MatrixRotationY(kQuarter)), 0, 0, -1);
    ExpectNear(TransformCoord({0, 0, 1}, MatrixRotationY(kQuarter)), 1, 0, 0);
    ExpectNear(TransformCoord({0, 1, 0}, MatrixRotationX(kQuarter)), 0, 0, 1);
    ExpectNear(TransformCoord({1, 0, 0}, MatrixRotationZ(kQuarter)), 0, 1, 0);
    // A x B applies A first: turn, then move.
    const Matrix turnThenMove =
        MatrixMultiply(MatrixRotationY(kQuarter), MatrixTranslation(10, 0, 0));
    ExpectNear(TransformCoord({1, 0, 0}, turnThenMove), 10, 0, -1);
    const Matrix moveThenTurn =
        MatrixMultiply(MatrixTranslation(10, 0, 0), MatrixRotationY(kQuarter));
    ExpectNear(TransformCoord({1, 0, 0}, moveThenTurn), 0, 0, -11);
    // Directions ignore the translation; scaling scales.
    ExpectNear(TransformNormal({1, 0, 0}, turnThenMove), 0, 0, -1);
    ExpectNear(TransformCoord({1, 2, 3}, MatrixScaling(2, 2, 2)), 2, 4, 6);
}

TEST(Transform, ProjectionsMapTheirBoxesToDepthZeroToOne) {
    const Matrix p = MatrixPerspectiveFovLH(std::numbers::pi_v<float> / 4, 1, 5, 25);
    ExpectNear(TransformCoord({0, 0, 5}, p), 0, 0, 0);
    ExpectNear(TransformCoord({0, 0, 25}, p), 0, 0, 1);
    // The top edge of the field of view at distance 10 is at tan(pi/8) x 10.
    EXPECT_NEAR(TransformCoord({0, 4.1421356f, 10}, p).y, 1, 1e-5f);
    const Matrix o = MatrixOrthoOffCenterLH(0.5f, 640.5f, 480.5f, 0.5f, 0, 1);
    ExpectNear(TransformCoord({0.5f, 0.5f, 0}, o), -1, 1, 0);
    ExpectNear(TransformCoord({640.5f, 480.5f, 1}, o), 1, -1, 1);
    // The eye sits at the view's origin and looks along +z.
    const Matrix v = MatrixLookAtLH({1, 5, -3}, {1, 0, 2}, {0, 1, 0});
    ExpectNear(TransformCoord({1, 5, -3}, v), 0, 0, 0);
    EXPECT_NEAR(TransformCoord({1, 0, 2}, v).z, std::sqrt(50.0f), 1e-5f);
}

TEST(Transform, InverseUndoesAndRefusesSingularMatrices) {
    const Matrix m = MatrixMultiply(MatrixMultiply(MatrixRotationX(0.3f), MatrixScaling(2, 3, 4)),
                                    MatrixTranslation(1, -2, 5));
    Matrix inv;
    ASSERT_TRUE(MatrixInverse(m, inv));
    ExpectNear(TransformCoord(TransformCoord({0.5f, 1, -2}, m), inv), 0.5f, 1, -2);
    Matrix untouched = MatrixIdentity();
    EXPECT_FALSE(MatrixInverse(MatrixScaling(0, 1, 1), untouched));
    EXPECT_EQ(untouched.m[0][0], 1.0f);
    const Matrix t = MatrixTranspose(MatrixTranslation(1, 2, 3));
    EXPECT_EQ(t.m[0][3], 1.0f);
    EXPECT_EQ(t.m[2][3], 3.0f);
    ExpectNear(Normalize({0, 0, 0}), 0, 0, 0);
}
