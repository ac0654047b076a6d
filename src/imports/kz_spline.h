// The flight path the player draws: control points turned into a uniform Catmull-Rom
// curve of sample points, drawn as a translucent line with optional handles.
//
// Entry layout for points p0..pn: p0, p0, p1, copies of p2..pn, pn. The first and last
// points stand twice so that the curve runs through both ends; sample k * res is pk.
#pragma once
#include <memory>
#include <vector>

#include "imports/vector.h"
#include "imports/object.h"

class KZ_spline : public Object {
public:
    KZ_spline() = default;

    void setDspColor(int r, int g, int b);
    // Keeps the caller's object: an in-place change to it moves the entry at the next
    // recomputation.
    void addPoint(const VectorPtr& v);
    void addPoint(const Vector& v) { addPoint(makeVector(v)); }
    int getRes() const { return _res; }
    // A resolution below 1 is taken as 1.
    void setRes(int res);
    void setLine_width(float width) { _lineWidth = width; }
    std::vector<VectorPtr>& getPointsArray() { return _pointsArray; }
    const std::vector<VectorPtr>& getPointsArray() const { return _pointsArray; }
    // A new array after every change; arrays handed out earlier stay as they were.
    const VectorListPtr& getCurvePoints() const { return _curvePoints; }
    void setMinIndex(int index) { _minIndex = index; }
    int getMinIndex() const { return _minIndex; }
    void _updateCurve();
    int getHandleIndex(const Vector& v) const;
    // Out-of-range indexes are ignored on write and read as 0.
    void setPointAuxData(int index, float value);
    float getPointAuxData(int index) const;
    // Cuts the path after entry `index`; v (or, when null, the entry at index) becomes
    // the new doubled end point.
    void trimTo(int index, const VectorPtr& v);
    void trimTo(int index, const Vector& v) { trimTo(index, makeVector(v)); }
    void movePoint(int index, int x, int y);
    void render(int showHandles) const;

    int getDspR() const { return r; }
    int getDspG() const { return g; }
    int getDspB() const { return b; }
    float getLine_width() const { return _lineWidth; }

private:
    std::vector<VectorPtr> _pointsArray;
    std::vector<float> _pointsAux;
    VectorListPtr _curvePoints = std::make_shared<const VectorList>();
    int _minIndex = 0;
    int _res = 10;
    float _lineWidth = 0.0f;
    int r = 0, g = 0, b = 0;
};

using KZ_splinePtr = std::shared_ptr<KZ_spline>;
