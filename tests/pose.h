// Exact comparison of poses: the bodies promise particular single-precision
// values, so nothing here allows a tolerance.
#ifndef GRIDWALK_TESTS_POSE_H
#define GRIDWALK_TESTS_POSE_H

#include <gtest/gtest.h>

#include <iomanip>

#include "vector3.h"

struct Xyz {
    float x, y, z;
};

inline void expectVector(const char* what, const tVector3& got, Xyz want)
{
    SCOPED_TRACE(what);
    // Nine digits tell any two floats apart.
    EXPECT_EQ(got.x, want.x) << std::setprecision(9) << "x: got " << got.x << ", want " << want.x;
    EXPECT_EQ(got.y, want.y) << std::setprecision(9) << "y: got " << got.y << ", want " << want.y;
    EXPECT_EQ(got.z, want.z) << std::setprecision(9) << "z: got " << got.z << ", want " << want.z;
}

#endif
