#include "game/traffic/gameobject.h"

#include "platform/canvas.h"
#include "vostrel/singleton.h"

int GameObject::_idCounter = 0;
float GameObject::_scale = 1.0f;

const bool GameObject::_classWideForgotten = (SingletonRegistry::onReset([] {
    _scale = 1.0f;
    _idCounter = 0;
}), true);

GameObject::GameObject() {
    _idCounter += 1;
    _id = _idCounter;
}

void GameObject::set_scale(float scale) { _scale = scale; }
float GameObject::get_scale() { return _scale; }

void GameObject::Debug(int n) const {
    (void)n;
    plat::drawRect(float(_position.x), float(_position.y), 10.0f, 10.0f);
}

int GameObject::setGroupId(int group, int subGroup) {
    if (_readOnly != 0) return 0;
    _group = group;
    _subGroup = subGroup;
    _readOnly = 1;
    return 1;
}

void GameObject::setVelocity(float speed, float angle) {
    _speed = speed;
    _velocity = Vector::fromAngle(angle);
    _velocity.MultiplyScalar(speed);
}
