#include "imports/kz_animate_path.h"

KZ_animate_pathPtr KZ_animate_path::Create(const KZ_pathPtr& path, int overrun) {
    auto a = std::make_shared<KZ_animate_path>();
    if (path) a->_path = path;
    a->_overrun = overrun;
    if (overrun) a->_path->addOverrunPoint();
    if (auto p = a->_path->nextPoint())
        a->_animation->setPosition(*p);
    else if (a->_path->count() > 0)
        a->_animation->setPosition((*a->_path->getPoints())[0]);
    else
        a->_animation->setPosition(Vector(0.0, 0.0));
    return a;
}

void KZ_animate_path::start() {
    if (auto p = _path->nextPoint()) {
        _active = 1;
        _animation->run(*p, _speed, _turnRate);
    }
}

void KZ_animate_path::continuePath(const KZ_pathPtr& path) {
    if (path) _path = path;
    if (_overrun) _path->addOverrunPoint();
    _active = 1;
}

void KZ_animate_path::update() {
    if (!_active) return;
    _animation->update();
    if (!_animation->isActive()) {
        if (auto p = _path->nextPoint())
            _animation->run(*p, _speed, _turnRate);
        else
            _active = 0;
    }
}
