// Player: placing and walking the body that goes along with the camera.
#include "player.h"

void Player::setPlayerPosition(float pos_x, float pos_y, float pos_z, float view_x, float view_y, float view_z)
{
    position = tVector3(pos_x, pos_y, pos_z);
    view = tVector3(view_x, view_y, view_z);
}

void Player::movePlayer(float speed)
{
    const tVector3 d = view - position;
    position.x = stepComponent(position.x, d.x, speed);
    position.z = stepComponent(position.z, d.z, speed);
}

void Player::strafePlayer(float speed)
{
    const tVector3 d = view - position;
    position.z = stepComponent(position.z, d.x, speed);
    position.x = stepComponent(position.x, -d.z, speed);
}

void Player::setHealth(int32_t new_health) { health = new_health; }

int32_t Player::getHealth() const { return health; }
