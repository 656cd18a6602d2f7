// tVector3: a point or a direction in world space, shared by the bodies and
// the frame drawing. World units; y is up and the ground is the plane y = 0.
#ifndef GRIDWALK_VECTOR3_H
#define GRIDWALK_VECTOR3_H

class tVector3 {
public:
    // Leaves the components unset on purpose: the global bodies live in
    // zeroed static storage and must stay all zero until start-up places them.
    tVector3() {}
    tVector3(float new_x, float new_y, float new_z) : x(new_x), y(new_y), z(new_z) {}

    // a - b, component by component, each difference rounded to single
    // precision. Neither operand changes.
    tVector3 operator-(tVector3 v) const { return tVector3(x - v.x, y - v.y, z - v.z); }

    float x, y, z;
};

// from + delta * factor, worked in double and rounded to single precision
// once, when stored: every move and strafe of the bodies writes its
// components this way. World units; factor is the step's fraction.
inline float stepComponent(float from, float delta, float factor)
{
    return static_cast<float>(static_cast<double>(from) + static_cast<double>(delta) * static_cast<double>(factor));
}

#endif
