// One decorative puff (smoke): drifts and fades on its own.
#pragma once
#include <memory>

#include "imports/object.h"
#include "imports/vector.h"
#include "platform/image.h"

class CloudItem;
using CloudItemPtr = std::shared_ptr<CloudItem>;

class CloudItem : public Object {
public:
    CloudItem() = default;

    static CloudItemPtr Create(const plat::ImagePtr& img, const Vector& position, const Vector& velocity, float alpha,
                               float fadeRate);
    void update();
    void render();

    plat::ImagePtr img;
    Vector position;
    Vector velocity;
    float alpha = 0.0f;
    float fadeRate = 0.0f;
};
