#include "platform/audio.h"

#include <SDL.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/files.h"
#include "platform/sys_audio.h"

namespace plat {

namespace {

constexpr int MIX_RATE = 44100;

uint16_t le16(const unsigned char* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t le32(const unsigned char* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

// RIFF/WAVE with PCM 8- or 16-bit, mono or stereo. Every length is checked against the
// bytes actually present, so a damaged or cut file is refused rather than over-read.
SoundPtr decodeWav(const std::vector<unsigned char>& b) {
    const size_t n = b.size();
    if (n < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0)
        return nullptr;
    int channels = 0, bits = 0, blockAlign = 0;
    uint32_t rate = 0;
    bool haveFmt = false;
    size_t p = 12;
    while (p + 8 <= n) {
        const unsigned char* c = b.data() + p;
        const size_t size = le32(c + 4);
        const size_t body = p + 8;
        if (size > n - body) return nullptr;  // chunk runs past the end: truncated
        if (std::memcmp(c, "fmt ", 4) == 0) {
            if (size < 16) return nullptr;
            const unsigned char* f = b.data() + body;
            unsigned format = le16(f);
            if (format == 0xFFFE) {  // extensible: the sub-format's first two bytes tell PCM
                if (size < 40) return nullptr;
                format = le16(f + 24);
            }
            if (format != 1) return nullptr;
            channels = le16(f + 2);
            rate = le32(f + 4);
            blockAlign = le16(f + 12);
            bits = le16(f + 14);
            if (channels < 1 || channels > 2 || (bits != 8 && bits != 16) || rate == 0 ||
                rate > 384000 || blockAlign != channels * bits / 8)
                return nullptr;
            haveFmt = true;
        } else if (std::memcmp(c, "data", 4) == 0) {
            if (!haveFmt) return nullptr;
            const size_t frames = size / size_t(blockAlign);
            if (frames == 0) return nullptr;
            auto s = std::make_shared<Sound>();
            s->rate = int(rate);
            s->channels = channels;
            s->samples.resize(frames * size_t(channels));
            const unsigned char* d = b.data() + body;
            if (bits == 8) {
                for (size_t i = 0; i < s->samples.size(); ++i) s->samples[i] = int16_t((int(d[i]) - 128) << 8);
            } else {
                for (size_t i = 0; i < s->samples.size(); ++i) s->samples[i] = int16_t(le16(d + 2 * i));
            }
            return s;
        }
        p = body + size + (size & 1);  // chunks are padded to even length
    }
    return nullptr;
}

// Walks the Ogg pages: the file must be whole pages from start to end, the last one
// closing its stream. A cut file fails here even when the cut falls between pages.
bool oggPagesComplete(const std::vector<unsigned char>& b) {
    const size_t n = b.size();
    size_t p = 0;
    bool lastEnds = false;
    while (p < n) {
        if (n - p < 27 || std::memcmp(b.data() + p, "OggS", 4) != 0 || b[p + 4] != 0) return false;
        const size_t segs = b[p + 26];
        if (n - p < 27 + segs) return false;
        size_t body = 0;
        for (size_t i = 0; i < segs; ++i) body += b[p + 27 + i];
        const size_t len = 27 + segs + body;
        if (n - p < len) return false;
        lastEnds = (b[p + 5] & 0x04) != 0;
        p += len;
    }
    return lastEnds;
}

struct MemSource {
    const std::vector<unsigned char>* bytes;
    size_t pos = 0;
};

size_t memRead(void* dst, size_t size, size_t count, void* src) {
    auto* m = static_cast<MemSource*>(src);
    if (size == 0) return 0;
    const size_t left = m->bytes->size() - m->pos;
    const size_t items = std::min(count, left / size);
    std::memcpy(dst, m->bytes->data() + m->pos, items * size);
    m->pos += items * size;
    return items;
}

int memSeek(void* src, ogg_int64_t offset, int whence) {
    auto* m = static_cast<MemSource*>(src);
    ogg_int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? ogg_int64_t(m->pos)
                                                                    : ogg_int64_t(m->bytes->size());
    ogg_int64_t to = base + offset;
    if (to < 0 || to > ogg_int64_t(m->bytes->size())) return -1;
    m->pos = size_t(to);
    return 0;
}

long memTell(void* src) { return long(static_cast<MemSource*>(src)->pos); }

SoundPtr decodeOgg(const std::vector<unsigned char>& b) {
    if (!oggPagesComplete(b)) return nullptr;
    MemSource src{&b};
    ov_callbacks cb{memRead, memSeek, nullptr, memTell};
    OggVorbis_File vf;
    if (ov_open_callbacks(&src, &vf, nullptr, 0, cb) != 0) return nullptr;
    SoundPtr result;
    try {
        vorbis_info* vi = ov_info(&vf, -1);
        if (vi && vi->channels >= 1 && vi->channels <= 2 && vi->rate > 0 && vi->rate <= 384000) {
            auto s = std::make_shared<Sound>();
            s->channels = vi->channels;
            s->rate = int(vi->rate);
            ogg_int64_t total = ov_pcm_total(&vf, -1);
            // The declared length is only a hint, and a bounded one.
            if (total > 0 && total < (ogg_int64_t(1) << 26)) s->samples.reserve(size_t(total) * size_t(s->channels));
            char buf[16384];
            int link = 0;
            bool ok = true;
            for (;;) {
                long got = ov_read(&vf, buf, sizeof buf, 0, 2, 1, &link);
                if (got == 0) break;
                // Holes (bad checksums, lost pages) and errors mean a damaged file.
                if (got < 0) { ok = false; break; }
                vorbis_info* li = ov_info(&vf, link);
                if (!li || li->channels != s->channels || li->rate != vi->rate) { ok = false; break; }
                const size_t count = size_t(got) / 2;
                const size_t at = s->samples.size();
                s->samples.resize(at + count);
                std::memcpy(s->samples.data() + at, buf, count * 2);
            }
            if (ok && s->frames() > 0 && s->samples.size() % size_t(s->channels) == 0) result = s;
        }
    } catch (const std::bad_alloc&) {
        result = nullptr;
    }
    ov_clear(&vf);
    return result;
}

void SDLCALL deviceCallback(void*, Uint8* stream, int len) {
    mixAudio(reinterpret_cast<int16_t*>(stream), len / 4);
}

}  // namespace

namespace detail {
Mixer& mixer() {
    static Mixer* m = new Mixer;  // never destroyed: the audio thread may outlive statics
    return *m;
}
}  // namespace detail

struct Channel::State {
    SoundPtr snd;
    // Position in source frames, kept exact: idx whole frames plus rem / 44100 of one.
    // Each output frame advances it by rate / 44100.
    uint64_t idx = 0;
    uint32_t rem = 0;
    uint32_t rate = 0;
    bool loop = false;
    bool playing = false;
    float vol = 1;
    int32_t vol16 = 65536;
    std::shared_ptr<testing::PlayRecord> record;  // the silent sink's entry for the last play
};

SoundPtr loadSound(const std::string& path, bool loop) {
    std::vector<unsigned char> b;
    if (!loadBytes(path, b)) return nullptr;
    SoundPtr s;
    try {
        if (b.size() >= 12 && std::memcmp(b.data(), "RIFF", 4) == 0) s = decodeWav(b);
        else if (b.size() >= 4 && std::memcmp(b.data(), "OggS", 4) == 0) s = decodeOgg(b);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    if (!s) return nullptr;
    s->loop = loop;
    s->path = path;
    return s;
}

ChannelPtr Channel::allocate() {
    auto c = std::make_shared<Channel>();
    c->state_ = std::make_shared<State>();
    return c;
}

void Channel::play(const SoundPtr& sound) {
    auto& m = detail::mixer();
    std::lock_guard<std::mutex> g(m.lock);
    if (!state_) state_ = std::make_shared<State>();
    State& st = *state_;
    st.snd = sound;
    st.idx = 0;
    st.rem = 0;
    st.playing = sound && sound->frames() > 0 && sound->rate > 0;
    if (!st.playing) return;
    st.loop = sound->loop;
    st.rate = uint32_t(sound->rate);
    if (std::find(m.active.begin(), m.active.end(), state_) == m.active.end()) m.active.push_back(state_);
    if (m.silent) {
        st.record = std::make_shared<testing::PlayRecord>(testing::PlayRecord{sound->path, st.vol});
        m.log.push_back(st.record);
    }
}

void Channel::stop() {
    if (!state_) return;
    std::lock_guard<std::mutex> g(detail::mixer().lock);
    state_->playing = false;
}

void Channel::setVolume(float v) {
    if (!state_) return;
    if (!(v >= 0)) v = 0;  // NaN too
    if (v > 1) v = 1;
    std::lock_guard<std::mutex> g(detail::mixer().lock);
    state_->vol = v;
    state_->vol16 = int32_t(v * 65536.0f + 0.5f);
    if (state_->record) state_->record->volume = v;
}

float Channel::volume() const {
    if (!state_) return 1;
    std::lock_guard<std::mutex> g(detail::mixer().lock);
    return state_->vol;
}

bool Channel::playing() const {
    if (!state_) return false;
    std::lock_guard<std::mutex> g(detail::mixer().lock);
    return state_->playing;
}

SoundPtr Channel::sound() const {
    if (!state_) return nullptr;
    std::lock_guard<std::mutex> g(detail::mixer().lock);
    return state_->snd;
}

// A channel nobody holds can no longer be stopped, so it falls silent with its handle.
Channel::~Channel() {
    if (!state_) return;
    auto& m = detail::mixer();
    std::lock_guard<std::mutex> g(m.lock);
    state_->playing = false;
    m.active.erase(std::remove(m.active.begin(), m.active.end(), state_), m.active.end());
}

// Adds one channel into the 32-bit stereo sum, with linear interpolation between source
// frames; a looping sound wraps to its first frame, a one-shot ends after its last.
static void mixChannel(Channel::State& st, int32_t* acc, int frames) {
    const Sound& s = *st.snd;
    const uint64_t n = s.frames();
    const int16_t* d = s.samples.data();
    const bool stereo = s.channels == 2;
    const int64_t v = st.vol16;
    const uint32_t rate = st.rate;
    uint64_t idx = st.idx;
    uint32_t rem = st.rem;
    for (int i = 0; i < frames; ++i) {
        if (idx >= n) {
            if (!st.loop) {
                st.playing = false;
                break;
            }
            idx %= n;
        }
        const uint64_t nxt = idx + 1 < n ? idx + 1 : (st.loop ? 0 : idx);
        const int64_t frac = int64_t((uint64_t(rem) << 16) / MIX_RATE);  // 0..65535
        int64_t l, r;
        if (stereo) {
            const int64_t l0 = d[2 * idx], l1 = d[2 * nxt], r0 = d[2 * idx + 1], r1 = d[2 * nxt + 1];
            l = l0 + (((l1 - l0) * frac) >> 16);
            r = r0 + (((r1 - r0) * frac) >> 16);
        } else {
            const int64_t a = d[idx], b = d[nxt];
            l = r = a + (((b - a) * frac) >> 16);
        }
        acc[2 * i] += int32_t((l * v) >> 16);
        acc[2 * i + 1] += int32_t((r * v) >> 16);
        rem += rate;
        while (rem >= uint32_t(MIX_RATE)) {
            rem -= MIX_RATE;
            ++idx;
        }
    }
    st.idx = idx;
    st.rem = rem;
    if (st.playing && !st.loop && st.idx >= n) st.playing = false;
}

void mixAudio(int16_t* out, int frames) {
    auto& m = detail::mixer();
    std::lock_guard<std::mutex> g(m.lock);
    constexpr int CHUNK = 1024;
    int32_t acc[CHUNK * 2];
    for (int done = 0; done < frames; done += CHUNK) {
        const int count = std::min(CHUNK, frames - done);
        std::fill(acc, acc + count * 2, 0);
        for (auto& st : m.active)
            if (st->playing) mixChannel(*st, acc, count);
        int16_t* o = out + 2 * done;
        for (int i = 0; i < count * 2; ++i) o[i] = int16_t(std::clamp(acc[i], -32768, 32767));
    }
    m.active.erase(std::remove_if(m.active.begin(), m.active.end(), [](auto& st) { return !st->playing; }),
                   m.active.end());
}

bool openAudio() {
    auto& m = detail::mixer();
    if (m.silent) return false;
    if (m.device) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec want{}, have{};
    want.freq = MIX_RATE;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = deviceCallback;
    // No changes allowed: SDL converts to whatever the hardware wants.
    SDL_AudioDeviceID dev = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (dev == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    m.device = dev;
    SDL_PauseAudioDevice(dev, 0);
    return true;
}

void closeAudio() {
    auto& m = detail::mixer();
    if (!m.device) return;
    // Waits for a running callback, so the mixer lock must not be held here.
    SDL_CloseAudioDevice(m.device);
    m.device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace plat
