// A frame counter for an image cut into frames: advances by a fractional rate, stops at
// its end frame, and can repeat a set number of times or for ever, or hold on a frame.
#pragma once
#include <memory>

#include "imports/object.h"

class SpriteAnimator;
using SpriteAnimatorPtr = std::shared_ptr<SpriteAnimator>;

class SpriteAnimator : public Object {
public:
    SpriteAnimator() = default;

    // A count below 1 is taken as one frame, so the frame shown is always a real one.
    static SpriteAnimatorPtr Create(int frameCount, float frameRate);
    void Update();
    // Repetitions after the current run: 0 runs once, any negative count for ever.
    void setLoop(int n) { _loop = n; }
    void setRange(int start, int end);
    void Reset();
    void pause(int frame);
    void unpause() { _hold = 0; }
    int atEnd() const { return _end; }
    int getFrame() const;

private:
    float _frame = 0.0f;
    float _frameRate = 0.0f;
    int _frameCount = 0;
    int _end = 0;
    int _loop = 0;
    int _hold = 0;
    int _startFrame = 0;
    int _endFrame = 0;
};
