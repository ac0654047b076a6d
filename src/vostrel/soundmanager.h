// The sound channels: one looping background channel and five slots, each playing at
// most one sound; one volume (0 when muted) for every live channel.
#pragma once
#include <array>
#include <memory>
#include <string>

#include "platform/audio.h"
#include "imports/object.h"
#include "vostrel/singleton.h"

class ResourceManager;

class SoundManager : public Object, public Singleton<SoundManager> {
public:
    static constexpr int SLOTS = 5;

    SoundManager();

    int stopBackground();
    int endChannel(int slot);
    int load_play(const std::string& path, int flags);
    int loadPlayChannel(int slot, const std::string& path, int flags);
    int playChannel(int slot, const std::string& key);
    int endAllChannels();
    std::string getNowPlaying(int slot) const;
    int mute();
    int unMute();
    int getMute() const { return _mute; }

    // Read access for tests.
    plat::ChannelPtr channel(int slot) const;
    plat::ChannelPtr background() const { return _bgdChan; }

protected:
    int _syncVolume();
    plat::ChannelPtr _newChannel() const;
    int _startOnSlot(int slot, const plat::SoundPtr& sound, const std::string& name);

    plat::ChannelPtr _bgdChan;
    std::array<plat::ChannelPtr, SLOTS> _channelArray;
    std::array<std::string, SLOTS> _channelSoundName;
    std::shared_ptr<ResourceManager> _resMan;
    int _mute = 0;
    float _volume = 1.0f;
};
