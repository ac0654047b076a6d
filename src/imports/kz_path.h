// A list of points with a cursor, usually a flight-path curve's samples.
#pragma once
#include <memory>
#include <optional>

#include "imports/vector.h"
#include "imports/object.h"

class KZ_path : public Object {
public:
    KZ_path() = default;

    void addPoint(int x, int y);
    void addPointVector(const Vector& v);
    // Appends a point far beyond the end, along the last step; needs two points.
    void addOverrunPoint();
    // Uses that very array (shared, never written to); the cursor stays where it is.
    void importArray(const VectorListPtr& points);
    void endPath() { _index = 0; }
    int fromEndPoint() const { return count() - _index; }
    int getIndex() const { return _index; }
    // Moves the cursor back onto a point already reached (clamped to the points).
    void setIndex(int index);
    void resetPath() { _index = 0; }
    // The point after the cursor, moving the cursor onto it; nothing at the end.
    std::optional<Vector> nextPoint();
    void debugRender() const;

    int count() const { return _points ? int(_points->size()) : 0; }
    const VectorListPtr& getPoints() const { return _points; }

private:
    void _append(const Vector& v);

    VectorListPtr _points = std::make_shared<const VectorList>();
    int _index = 0;
};

using KZ_pathPtr = std::shared_ptr<KZ_path>;
