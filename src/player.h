// Player: the body that walks with the camera. It faces a fixed point and is
// never drawn.
#ifndef GRIDWALK_PLAYER_H
#define GRIDWALK_PLAYER_H

#include <cstdint>

#include "vector3.h"

class Player {
public:
    tVector3 position;  // the body's position, a point
    tVector3 view;      // the point the body faces; only set at start-up
    tVector3 upVector;  // kept for the body's shape; nothing sets or reads it
    int32_t health;

    // Stores the six values unchanged (world units); upVector and health stay.
    void setPlayerPosition(float pos_x, float pos_y, float pos_z, float view_x, float view_y, float view_z);

    // Moves the position by speed times the horizontal part of view - position;
    // positive speed walks towards the point faced. Because that point stays
    // fixed, forward steps shrink and backward steps grow.
    void movePlayer(float speed);

    // Moves the position by speed times that vector turned a quarter turn
    // clockwise seen from above; positive speed steps to the right.
    void strafePlayer(float speed);

    // Health in points, stored as given; start-up sets 100.
    void setHealth(int32_t new_health);
    int32_t getHealth() const;
};

#endif
