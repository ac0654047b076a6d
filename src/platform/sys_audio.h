// The mixer's shared state, reached by the audio seams of the test API.
#pragma once
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio.h"
#include "platform/testing.h"

namespace plat::detail {

struct Mixer {
    // Guards everything below; the device callback holds it while it mixes.
    std::mutex lock;
    std::vector<std::shared_ptr<Channel::State>> active;  // channels that may be playing
    bool silent = false;                                   // the test sink replaces the device
    std::vector<std::shared_ptr<testing::PlayRecord>> log;
    unsigned device = 0;
};

Mixer& mixer();

}  // namespace plat::detail
