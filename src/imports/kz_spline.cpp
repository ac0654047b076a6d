#include "imports/kz_spline.h"

#include <algorithm>

#include "platform/canvas.h"

void KZ_spline::setDspColor(int r_, int g_, int b_) {
    r = r_;
    g = g_;
    b = b_;
}

void KZ_spline::addPoint(const VectorPtr& v) {
    if (!v) return;
    if (_pointsArray.size() >= 4) _pointsArray.back() = makeVector(*v);
    _pointsArray.push_back(v);
    if (_pointsArray.size() < 4) _pointsArray.push_back(v);
    _pointsAux.resize(_pointsArray.size(), 0.0f);
    _updateCurve();
}

void KZ_spline::setRes(int res) { _res = std::max(1, res); }

void KZ_spline::_updateCurve() {
    const int c = int(_pointsArray.size());
    if (c < 4) return;
    auto samples = std::make_shared<VectorList>();
    samples->reserve(size_t(c - 3) * size_t(_res) + 1);
    const float res = float(_res);
    for (int i = 0; i <= c - 4; ++i) {
        const Vector& p0 = *_pointsArray[size_t(i)];
        const Vector& p1 = *_pointsArray[size_t(i) + 1];
        const Vector& p2 = *_pointsArray[size_t(i) + 2];
        const Vector& p3 = *_pointsArray[size_t(i) + 3];
        // Later windows skip t = 0: it repeats the previous window's last sample.
        // Counted in int and converted, so a very large resolution cannot stall the
        // loop where float steps of 1.0 stop adding up.
        for (int k = (i == 0) ? 0 : 1; k <= _res; ++k) {
            const double t = double(float(k) / res);
            const double t2 = t * t, t3 = t2 * t;
            const double qx = 0.5 * (2.0 * p1.x + (p2.x - p0.x) * t + (2.0 * p0.x - 5.0 * p1.x + 4.0 * p2.x - p3.x) * t2 +
                                     (-p0.x + 3.0 * p1.x - 3.0 * p2.x + p3.x) * t3);
            const double qy = 0.5 * (2.0 * p1.y + (p2.y - p0.y) * t + (2.0 * p0.y - 5.0 * p1.y + 4.0 * p2.y - p3.y) * t2 +
                                     (-p0.y + 3.0 * p1.y - 3.0 * p2.y + p3.y) * t3);
            samples->emplace_back(qx, qy);
        }
    }
    _curvePoints = std::move(samples);
}

int KZ_spline::getHandleIndex(const Vector& v) const {
    for (size_t i = 0; i < _pointsArray.size(); ++i) {
        const Vector& e = *_pointsArray[i];
        if (v.xyIsWithinArea(float(e.x - 4.0), float(e.y - 4.0), float(e.x + 4.0), float(e.y + 4.0))) return int(i);
    }
    return -1;
}

void KZ_spline::setPointAuxData(int index, float value) {
    if (index < 0 || size_t(index) >= _pointsAux.size()) return;
    _pointsAux[size_t(index)] = value;
}

float KZ_spline::getPointAuxData(int index) const {
    if (index < 0 || size_t(index) >= _pointsAux.size()) return 0.0f;
    return _pointsAux[size_t(index)];
}

void KZ_spline::trimTo(int index, const VectorPtr& v) {
    const int c = int(_pointsArray.size());
    if (index >= 0 && index < c - 1) {
        std::vector<VectorPtr> kept;
        if (index <= 1) {
            // Entries 0 and 1 are both the start point: keep it doubled, so that the
            // next added point is doubled as well and the curve reaches it.
            const VectorPtr start = _pointsArray[0];
            if (index == 0) {
                const VectorPtr& end = v ? v : start;
                kept = {end, end};
            } else if (v) {
                kept = {start, start, v, v};
            } else {
                kept = {start, start};
            }
        } else {
            kept.assign(_pointsArray.begin(), _pointsArray.begin() + index + 2);
            const VectorPtr end = v ? v : kept[size_t(index)];
            kept[size_t(index)] = end;
            kept[size_t(index) + 1] = end;
        }
        _pointsArray = std::move(kept);
        // Slow-down marks of the removed points must not pass to the points that
        // take their places.
        _pointsAux.resize(std::min(_pointsAux.size(), size_t(index)));
        _pointsAux.resize(_pointsArray.size(), 0.0f);
        if (_pointsArray.size() < 4) _curvePoints = std::make_shared<const VectorList>();
    }
    _updateCurve();
}

void KZ_spline::movePoint(int index, int x, int y) {
    const int c = int(_pointsArray.size());
    if (c < 4 || index < 0) return;
    if (c - index <= 2) {
        _pointsArray[size_t(c) - 2] = makeVector(x, y);
        _pointsArray[size_t(c) - 1] = makeVector(x, y);
    } else {
        _pointsArray[size_t(index)] = makeVector(x, y);
    }
    _updateCurve();
}

void KZ_spline::render(int showHandles) const {
    plat::setAlpha(0.25f);
    plat::setColor(r, g, b);
    plat::setLineWidth(_lineWidth);
    const VectorList& pts = *_curvePoints;
    for (size_t i = size_t(std::max(0, _minIndex)); i + 1 < pts.size(); ++i)
        plat::drawLine(float(pts[i].x), float(pts[i].y), float(pts[i + 1].x), float(pts[i + 1].y));
    plat::setLineWidth(1.0f);
    if (showHandles) {
        const int count = int(_pointsArray.size());
        const int first = std::max(0, _minIndex) / _res + 1;
        // The first visited entry is the point being flown from and gets no handle;
        // the trailing entry doubles the end and is never reached.
        for (int i = first + 1; i < count - 1; ++i) {
            const Vector& e = *_pointsArray[size_t(i)];
            const bool flagged = getPointAuxData(i) != 0.0f;
            if (flagged) {
                plat::setAlpha(0.75f);
                plat::setColor(255, 255, 0);
            }
            plat::drawOval(float(e.x - 4.0), float(e.y - 4.0), 8.0f, 8.0f);
            if (flagged) {
                plat::setAlpha(0.25f);
                plat::setColor(r, g, b);
            }
        }
    }
    plat::setColor(255, 255, 255);
    plat::setAlpha(1.0f);
}
