#include "imports/kz_path.h"

#include <algorithm>

#include "platform/canvas.h"

// Appending builds a new array, so an imported array (the curve's samples) is never
// changed behind its owner's back.
void KZ_path::_append(const Vector& v) {
    auto grown = std::make_shared<VectorList>();
    if (_points) {
        grown->reserve(_points->size() + 1);
        grown->assign(_points->begin(), _points->end());
    }
    grown->push_back(v);
    _points = std::move(grown);
}

void KZ_path::addPoint(int x, int y) { _append(Vector(x, y)); }

void KZ_path::addPointVector(const Vector& v) { _append(v); }

void KZ_path::addOverrunPoint() {
    const int n = count();
    if (n < 2) return;
    const Vector& last = (*_points)[size_t(n) - 1];
    const Vector& previous = (*_points)[size_t(n) - 2];
    Vector far = last.SubtractCopy(previous);
    far.MultiplyScalar(5000.0);
    far.Add(last);
    _append(far);
}

void KZ_path::importArray(const VectorListPtr& points) {
    _points = points ? points : std::make_shared<const VectorList>();
}

void KZ_path::setIndex(int index) { _index = std::max(0, std::min(index, count() - 1)); }

std::optional<Vector> KZ_path::nextPoint() {
    if (_index < count() - 1) {
        ++_index;
        return (*_points)[size_t(_index)];
    }
    return std::nullopt;
}

void KZ_path::debugRender() const {
    const int n = count();
    for (int i = 0; i < n; ++i) {
        const Vector& a = (*_points)[size_t(i == 0 ? 0 : i - 1)];
        const Vector& b = (*_points)[size_t(i)];
        plat::drawLine(float(a.x), float(a.y), float(b.x), float(b.y));
    }
}
