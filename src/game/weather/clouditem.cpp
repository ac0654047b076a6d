#include "game/weather/clouditem.h"

#include "platform/canvas.h"

CloudItemPtr CloudItem::Create(const plat::ImagePtr& img, const Vector& position, const Vector& velocity, float alpha,
                               float fadeRate) {
    auto c = std::make_shared<CloudItem>();
    c->img = img;
    c->position = position;
    c->velocity = velocity;
    c->alpha = alpha;
    c->fadeRate = fadeRate;
    return c;
}

void CloudItem::update() {
    position.Add(velocity);
    alpha -= fadeRate;
    if (alpha < 0.0f) alpha = 0.0f;
}

void CloudItem::render() {
    plat::setAlpha(alpha);
    plat::drawImage(img, float(position.x), float(position.y), 0);
    plat::setAlpha(1.0f);
}
