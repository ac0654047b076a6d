#include "imports/kz_animate_path.h"

KZ_animate_pathPtr KZ_animate_path::Create(const KZ_pathPtr& path, int overrun) {
    auto a = std::make_shared<KZ_animate_path>();
    if (path) a->_path = path;
    a->_overrun = overrun;
    a->_appendOverrun();
    if (auto p = a->_path->nextPoint())
        a->_animation->setPosition(*p);
    else if (a->_path->count() > 0)
        a->_animation->setPosition((*a->_path->getPoints())[0]);
    else
        a->_animation->setPosition(Vector(0.0, 0.0));
    return a;
}

void KZ_animate_path::_appendOverrun() {
    _overrunIndex = -1;
    if (!_overrun) return;
    const int before = _path->count();
    _path->addOverrunPoint();
    if (_path->count() > before) _overrunIndex = _path->count() - 1;
}

void KZ_animate_path::_run(const Vector& target) {
    _overrunLeg = _path->getIndex() == _overrunIndex;
    _animation->run(target, _speed, _turnRate);
}

void KZ_animate_path::start() {
    if (auto p = _path->nextPoint()) {
        _active = 1;
        _run(*p);
    }
}

void KZ_animate_path::continuePath(const KZ_pathPtr& path) {
    if (path) _path = path;
    _appendOverrun();
    _active = 1;
    if (!_overrunLeg) return;
    // The object has passed the old end and the path goes on (or ends in a runway's
    // approach): fly from here to the point at the cursor, or, when the new path ends
    // before it, to the new end; an owner that keeps passing the same end keeps the
    // object there.
    const int last = (_overrunIndex >= 0 ? _overrunIndex : _path->count()) - 1;
    if (last < 0) return;
    if (_path->getIndex() > last) _path->setIndex(last);
    _run((*_path->getPoints())[size_t(_path->getIndex())]);
}

void KZ_animate_path::update() {
    if (!_active) return;
    _animation->update();
    if (!_animation->isActive()) {
        if (auto p = _path->nextPoint())
            _run(*p);
        else
            _active = 0;
    }
}
