// The common base of everything that lives in the airspace: aircraft, the airport, storm
// clouds and the lightning flash.
#pragma once
#include <memory>

#include "imports/object.h"
#include "imports/vector.h"
#include "platform/stream.h"

class Renderer;
class StateManager;

class GameObject : public Object {
public:
    GameObject();
    ~GameObject() override = default;

    virtual void update() = 0;
    virtual void saveState(const std::shared_ptr<StateManager>& state) = 0;
    virtual void loadState(const plat::StreamPtr& stream) = 0;
    // Double dispatch: calls the renderer's render* operation that matches the object.
    virtual void renderTo(Renderer& renderer) = 0;
    // Called by the world after the object has left its lists.
    virtual void onRemove() = 0;

    static void set_scale(float scale);
    static float get_scale();

    // A drawing aid: a 10 x 10 rectangle at the position.
    void Debug(int n) const;
    int GetId() const { return _id; }
    void invalidate() { _invalid = 1; }
    int isInvalid() const { return _invalid; }
    int GetGroup() const { return _group; }
    int GetSubGroup() const { return _subGroup; }
    // Only the first call has an effect.
    int setGroupId(int group, int subGroup);
    // Stores a copy.
    void SetPosition(const Vector& v) { _position = v; }
    // The stored vector itself: changing it moves the object.
    Vector& GetPosition() { return _position; }
    const Vector& GetPosition() const { return _position; }
    void setHeight(float h) { _height = h; }
    float GetHeight() const { return _height; }
    Vector& GetVelocity() { return _velocity; }
    const Vector& GetVelocity() const { return _velocity; }
    float GetSpeed() const { return _speed; }
    void setVelocity(float speed, float angle);
    Vector& GetAcc() { return _acc; }
    float GetAngle() const { return _rotation; }
    void setAngle(float a) { _rotation = a; }

protected:
    int _id = 0;
    int _group = 0;
    int _subGroup = 0;
    int _readOnly = 0;
    Vector _position;
    Vector _velocity;
    float _height = 0.0f;
    float _vSpeed = 0.0f;
    float _speed = 0.0f;
    Vector _acc;
    float _rotation = 0.0f;
    int _invalid = 0;

    static int _idCounter;
    static float _scale;

private:
    // Both are forgotten with the singletons, as a fresh process starts them.
    static const bool _classWideForgotten;
};

using GameObjectPtr = std::shared_ptr<GameObject>;
