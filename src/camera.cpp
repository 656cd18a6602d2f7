// Camera: placing, walking and turning the viewpoint, and mouse look.
#include "camera.h"

#include <cmath>

#include "SDL.h"

namespace {

// Pixels of pointer offset per radian of turn; the same divisor gives the
// vertical angle.
constexpr float kMousePixelsPerRadian = 1000.0f;
// How far the target may sit above or below the eye, in world units. With the
// eye 5 units from the target horizontally this allows about 58 degrees.
constexpr float kTiltLimit = 8.0f;

}  // namespace

void Camera::setCameraPosition(float pos_x, float pos_y, float pos_z, float view_x, float view_y, float view_z,
                               float up_x, float up_y, float up_z)
{
    position = tVector3(pos_x, pos_y, pos_z);
    view = tVector3(view_x, view_y, view_z);
    upVector = tVector3(up_x, up_y, up_z);
}

void Camera::moveCamera(float speed)
{
    // Not normalised: a step covers speed times the eye-to-target distance.
    const tVector3 d = view - position;
    position.x = stepComponent(position.x, d.x, speed);
    position.z = stepComponent(position.z, d.z, speed);
    view.x = stepComponent(view.x, d.x, speed);
    view.z = stepComponent(view.z, d.z, speed);
}

void Camera::strafeCamera(float speed)
{
    // (-d.z, d.x) is the line of sight turned a quarter turn clockwise seen
    // from above: the viewer's right.
    const tVector3 d = view - position;
    position.x = stepComponent(position.x, -d.z, speed);
    position.z = stepComponent(position.z, d.x, speed);
    view.x = stepComponent(view.x, -d.z, speed);
    view.z = stepComponent(view.z, d.x, speed);
}

void Camera::rotateCamera(float angle)
{
    // Double-precision sin and cos: in single precision a turn of 0.001 rad
    // already lands the target visibly off (view.z 2.38e-6 instead of 2.5e-6).
    const tVector3 d = view - position;
    const double sin_a = std::sin(static_cast<double>(angle));
    const double cos_a = std::cos(static_cast<double>(angle));
    view.z = static_cast<float>((static_cast<double>(position.z) + sin_a * static_cast<double>(d.x)) +
                                cos_a * static_cast<double>(d.z));
    view.x = static_cast<float>((static_cast<double>(position.x) + cos_a * static_cast<double>(d.x)) -
                                sin_a * static_cast<double>(d.z));
}

void Camera::moveMouse()
{
    const int mid_x = kScreenWidth >> 1;
    const int mid_y = kScreenHeight >> 1;
    int mouse_x = 0;
    int mouse_y = 0;
    SDL_GetMouseState(&mouse_x, &mouse_y);

    // A pointer at rest leaves everything alone, the tilt limit included, and
    // is not warped: a warp would queue a motion event every frame.
    if (mouse_x == mid_x && mouse_y == mid_y) {
        return;
    }
    // Warping back makes the next offset the motion since this frame.
    SDL_WarpMouse(static_cast<Uint16>(mid_x), static_cast<Uint16>(mid_y));

    // Radians to the left, and the vertical angle upwards (screen y grows
    // downwards), both in single precision.
    const float angle_left = static_cast<float>(mid_x - mouse_x) / kMousePixelsPerRadian;
    const float angle_up = static_cast<float>(mid_y - mouse_y) / kMousePixelsPerRadian;

    view.y += angle_up + angle_up;
    if (view.y - position.y > kTiltLimit) {
        view.y = position.y + kTiltLimit;
    }
    if (view.y - position.y < -kTiltLimit) {
        view.y = position.y - kTiltLimit;
    }

    // Turned even when the pointer moved only vertically (a zero angle).
    rotateCamera(-angle_left);
}
