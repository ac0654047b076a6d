#include "imports/spriteanimator.h"

#include <cmath>

SpriteAnimatorPtr SpriteAnimator::Create(int frameCount, float frameRate) {
    auto s = std::make_shared<SpriteAnimator>();
    s->_frameRate = frameRate;
    s->_frameCount = frameCount;
    s->_endFrame = frameCount > 1 ? frameCount - 1 : 0;
    return s;
}

void SpriteAnimator::Update() {
    if (_end == 0) {
        if (_hold != 1) _frame = _frame + _frameRate;
        if (!(_frame < float(_endFrame))) {
            _frame = float(_endFrame);
            _end = 1;
        }
    } else if (_loop != 0) {
        // A negative count repeats for ever and is never counted down (it would
        // otherwise run into overflow after enough repetitions).
        if (_loop > 0) _loop -= 1;
        Reset();
    }
}

void SpriteAnimator::setRange(int start, int end) {
    _startFrame = start;
    _endFrame = end;
}

void SpriteAnimator::Reset() {
    _frame = float(_startFrame);
    _end = 0;
}

void SpriteAnimator::pause(int frame) {
    _frame = float(frame);
    _hold = 1;
}

int SpriteAnimator::getFrame() const {
    if (std::isnan(_frame)) return 0;
    if (_frame >= 2147483647.0f) return 2147483647;
    if (_frame <= -2147483648.0f) return -2147483647 - 1;
    return int(_frame);
}
