// Every sound of the game, synthesised: oscillators, noise, envelopes, filters and a small
// reverb. Loops are made seamless either by wrapping the tails of their events around the
// loop point or by cross-fading a continuous texture into its own beginning.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <stdexcept>

#include "gen.h"
#include "platform/audio_encode.h"

namespace ag {

namespace {

constexpr int RATE = 44100;
constexpr double TAU = 6.283185307179586;

struct Stereo {
    std::vector<float> l, r;
    explicit Stereo(size_t n = 0) : l(n, 0.0f), r(n, 0.0f) {}
    size_t size() const { return l.size(); }
    void resize(size_t n) { l.resize(n, 0.0f); r.resize(n, 0.0f); }
    // Adds a mono signal at a pan position (-1 left .. 1 right).
    void add(const std::vector<float>& m, size_t at, float gain, float pan = 0.0f) {
        if (at + m.size() > size()) resize(at + m.size());
        float gl = gain * std::sqrt(0.5f * (1 - pan)), gr = gain * std::sqrt(0.5f * (1 + pan));
        for (size_t i = 0; i < m.size(); ++i) {
            l[at + i] += m[i] * gl;
            r[at + i] += m[i] * gr;
        }
    }
};

size_t secs(double s) { return size_t(s * RATE); }

struct Noise {
    uint32_t s;
    explicit Noise(uint32_t seed) : s(seed * 747796405u + 2891336453u) {}
    float operator()() {
        s ^= s << 13; s ^= s >> 17; s ^= s << 5;
        return (s & 0xFFFFFF) / float(0x800000) - 1.0f;
    }
};

// RBJ biquad.
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0, z1 = 0, z2 = 0;
    enum Kind { LP, HP, BP };
    void set(Kind k, double f, double q) {
        f = std::clamp(f, 10.0, RATE * 0.45);
        double w = TAU * f / RATE, cs = std::cos(w), al = std::sin(w) / (2 * q);
        double a0 = 1 + al;
        switch (k) {
            case LP: b0 = (1 - cs) / 2; b1 = 1 - cs; b2 = (1 - cs) / 2; break;
            case HP: b0 = (1 + cs) / 2; b1 = -(1 + cs); b2 = (1 + cs) / 2; break;
            case BP: b0 = al; b1 = 0; b2 = -al; break;
        }
        a1 = -2 * cs; a2 = 1 - al;
        b0 /= a0; b1 /= a0; b2 /= a0; a1 /= a0; a2 /= a0;
    }
    float operator()(float x) {
        double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return float(y);
    }
};

float env(double t, double a, double d, double sus, double hold, double rel) {
    if (t < 0) return 0;
    if (t < a) return float(t / a);
    t -= a;
    if (t < d) return float(1 - (1 - sus) * (t / d));
    t -= d;
    if (t < hold) return float(sus);
    t -= hold;
    if (t < rel) return float(sus * (1 - t / rel));
    return 0;
}

// Band-limited saw by polyBLEP.
struct Saw {
    double ph = 0;
    float step(double f) {
        double dt = f / RATE;
        ph += dt;
        if (ph >= 1) ph -= 1;
        double v = 2 * ph - 1;
        if (ph < dt) { double t = ph / dt; v -= t + t - t * t - 1; }
        else if (ph > 1 - dt) { double t = (ph - 1) / dt; v -= t * t + t + t + 1; }
        return float(v);
    }
};

// Schroeder-style reverb, different tunings left and right.
void reverb(Stereo& s, float wet, float room = 0.84f, float damp = 0.3f) {
    const int combL[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    const int apL[] = {556, 441, 341, 225};
    for (int ch = 0; ch < 2; ++ch) {
        auto& x = ch ? s.r : s.l;
        std::vector<float> out(x.size(), 0.0f);
        int spread = ch ? 23 : 0;
        for (int c : combL) {
            std::vector<float> buf(size_t(c + spread), 0.0f);
            size_t idx = 0;
            float store = 0;
            for (size_t i = 0; i < x.size(); ++i) {
                float y = buf[idx];
                store = y * (1 - damp) + store * damp;
                buf[idx] = x[i] * 0.015f + store * room;
                out[i] += y;
                if (++idx >= buf.size()) idx = 0;
            }
        }
        for (int a : apL) {
            std::vector<float> buf(size_t(a + spread), 0.0f);
            size_t idx = 0;
            for (size_t i = 0; i < out.size(); ++i) {
                float bo = buf[idx];
                float y = -out[i] + bo;
                buf[idx] = out[i] + bo * 0.5f;
                out[i] = y;
                if (++idx >= buf.size()) idx = 0;
            }
        }
        for (size_t i = 0; i < x.size(); ++i) x[i] = x[i] * (1 - wet * 0.4f) + out[i] * wet * 3.0f;
    }
}

// Folds everything past n back onto the start: events near the loop's end ring on into its
// beginning, as they would when the loop repeats.
void wrapLoop(Stereo& s, size_t n) {
    for (size_t i = n; i < s.size(); ++i) {
        s.l[(i - n) % n] += s.l[i];
        s.r[(i - n) % n] += s.r[i];
    }
    s.resize(n);
    s.l.resize(n);
    s.r.resize(n);
}

// A continuous texture of length n + k made into an n-sample loop by an equal-power
// cross-fade of its last k samples into its first.
void crossfadeLoop(Stereo& s, size_t n, size_t k) {
    if (s.size() < n + k) s.resize(n + k);
    for (size_t i = 0; i < k; ++i) {
        float t = float(i) / float(k);
        float a = std::sin(t * float(TAU) / 4), b = std::cos(t * float(TAU) / 4);
        s.l[i] = s.l[i] * a + s.l[n + i] * b;
        s.r[i] = s.r[i] * a + s.r[n + i] * b;
    }
    s.l.resize(n);
    s.r.resize(n);
}

void normalize(Stereo& s, float peak) {
    float m = 1e-6f;
    for (size_t i = 0; i < s.size(); ++i) m = std::max({m, std::abs(s.l[i]), std::abs(s.r[i])});
    float g = peak / m;
    for (size_t i = 0; i < s.size(); ++i) { s.l[i] *= g; s.r[i] *= g; }
}

void fadeEdges(Stereo& s, double in, double out) {
    size_t a = secs(in), b = secs(out), n = s.size();
    for (size_t i = 0; i < a && i < n; ++i) { float g = float(i) / a; s.l[i] *= g; s.r[i] *= g; }
    for (size_t i = 0; i < b && i < n; ++i) { float g = float(i) / b; s.l[n - 1 - i] *= g; s.r[n - 1 - i] *= g; }
}

std::vector<int16_t> pcm(const Stereo& s) {
    std::vector<int16_t> out(s.size() * 2);
    for (size_t i = 0; i < s.size(); ++i) {
        out[2 * i] = int16_t(std::lround(std::clamp(s.l[i], -1.0f, 1.0f) * 32767.0f));
        out[2 * i + 1] = int16_t(std::lround(std::clamp(s.r[i], -1.0f, 1.0f) * 32767.0f));
    }
    return out;
}

void write(const std::string& rel, const Stereo& s) {
    std::string path = assetRoot() + "/audio/" + rel;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    bool ogg = rel.size() > 4 && rel.substr(rel.size() - 4) == ".ogg";
    bool ok = ogg ? plat::saveOggVorbis(pcm(s), RATE, 2, path, 0.45f) : plat::saveWAV(pcm(s), RATE, 2, path);
    if (!ok) throw std::runtime_error("could not write " + path);
}

double midiHz(double m) { return 440.0 * std::pow(2.0, (m - 69) / 12.0); }

// ---- instruments ---------------------------------------------------------------------------

std::vector<float> sineTone(double f, double dur, double a, double rel, float vibrato = 0) {
    std::vector<float> v(secs(dur + rel));
    double ph = 0;
    for (size_t i = 0; i < v.size(); ++i) {
        double t = double(i) / RATE;
        ph += TAU * f * (1 + vibrato * std::sin(TAU * 5.5 * t)) / RATE;
        v[i] = float(std::sin(ph)) * env(t, a, 0, 1, dur - a, rel);
    }
    return v;
}

// A bell from two inharmonic FM partials.
std::vector<float> bell(double f, double dur) {
    std::vector<float> v(secs(dur));
    for (size_t i = 0; i < v.size(); ++i) {
        double t = double(i) / RATE;
        double e = std::exp(-t * 4.0), e2 = std::exp(-t * 9.0);
        double mod = std::sin(TAU * f * 3.5 * t) * 1.2 * e2;
        v[i] = float((std::sin(TAU * f * t + mod) * 0.8 + std::sin(TAU * f * 2.76 * t) * 0.2 * e2) * e *
                     std::min(1.0, t * 400));
    }
    return v;
}

// Brass: saw through a low-pass whose cutoff opens with the attack.
std::vector<float> brass(double f, double dur, float bright = 1.0f) {
    std::vector<float> v(secs(dur + 0.25));
    Saw s1, s2;
    Biquad lp;
    for (size_t i = 0; i < v.size(); ++i) {
        double t = double(i) / RATE;
        float e = env(t, 0.035, 0.12, 0.75, std::max(0.0, dur - 0.155), 0.22);
        double vib = 1 + 0.004 * std::sin(TAU * 5.2 * t) * std::min(1.0, t * 3);
        float x = 0.6f * s1.step(f * vib) + 0.4f * s2.step(f * 1.003 * vib);
        if ((i & 31) == 0) lp.set(Biquad::LP, f * (1.5 + 5.0 * bright * e), 0.9);
        v[i] = lp(x) * e;
    }
    return v;
}

// Soft string/organ pad.
std::vector<float> pad(double f, double dur) {
    std::vector<float> v(secs(dur + 0.4));
    Saw a, b, c;
    Biquad lp;
    lp.set(Biquad::LP, f * 3.0, 0.7);
    for (size_t i = 0; i < v.size(); ++i) {
        double t = double(i) / RATE;
        float e = env(t, 0.18, 0.2, 0.85, std::max(0.0, dur - 0.38), 0.4);
        float x = a.step(f * 0.997) + b.step(f * 1.004) + 0.5f * c.step(f * 2.001);
        v[i] = lp(x) * e * 0.35f;
    }
    return v;
}

std::vector<float> timpani(double f, double dur, uint32_t seed) {
    std::vector<float> v(secs(dur));
    Noise n(seed);
    Biquad lp;
    lp.set(Biquad::LP, 700, 0.7);
    double ph = 0;
    for (size_t i = 0; i < v.size(); ++i) {
        double t = double(i) / RATE;
        ph += TAU * f * (1 + 0.25 * std::exp(-t * 30)) / RATE;
        float body = float(std::sin(ph) + 0.35 * std::sin(ph * 1.5)) * float(std::exp(-t * 3.2));
        float hit = lp(n()) * float(std::exp(-t * 40));
        v[i] = body * 0.9f + hit * 0.8f;
    }
    return v;
}

std::vector<float> cymbal(double dur, uint32_t seed, bool swell) {
    std::vector<float> v(secs(dur));
    Noise n(seed);
    Biquad hp;
    hp.set(Biquad::HP, 5000, 0.7);
    for (size_t i = 0; i < v.size(); ++i) {
        double t = double(i) / RATE;
        double e = swell ? std::pow(t / dur, 2.0) : std::exp(-t * 2.5);
        v[i] = hp(n()) * float(e);
    }
    return v;
}

// A honk: a buzzy nasal tone with a falling pitch through two formants.
std::vector<float> honk(double f, double dur, uint32_t seed) {
    std::vector<float> v(secs(dur));
    Saw s;
    Noise n(seed);
    Biquad f1, f2;
    f1.set(Biquad::BP, 900, 3.0);
    f2.set(Biquad::BP, 2300, 4.0);
    for (size_t i = 0; i < v.size(); ++i) {
        double t = double(i) / RATE, u = t / dur;
        double fr = f * (1.12 - 0.22 * u + 0.04 * std::sin(TAU * 28 * t));
        float x = s.step(fr) + 0.08f * n();
        float e = float(std::sin(std::min(1.0, u) * TAU / 2)) * (u < 0.15 ? float(u / 0.15) : 1.0f);
        v[i] = (f1(x) * 1.2f + f2(x) * 0.6f) * e;
    }
    return v;
}

// ---- the sounds ------------------------------------------------------------------------------

Stereo soundButton() {
    Stereo s(secs(0.3));
    auto a = sineTone(880, 0.05, 0.004, 0.08);
    auto b = sineTone(1318.5, 0.07, 0.004, 0.12);
    s.add(a, 0, 0.5f);
    s.add(b, secs(0.055), 0.45f);
    s.resize(secs(0.3));
    reverb(s, 0.12f, 0.6f);
    fadeEdges(s, 0.001, 0.03);
    normalize(s, 0.7f);
    return s;
}

Stereo soundSiren() {
    // 1 s: the pitch sweeps 620..880 Hz; 750 whole cycles a second keeps the phase continuous.
    size_t n = secs(1.0);
    Stereo s(n);
    double ph = 0;
    for (size_t i = 0; i < n; ++i) {
        double t = double(i) / RATE;
        double f = 750 + 130 * std::sin(TAU * t);
        ph += TAU * f / RATE;
        float v = float(std::sin(ph) + 0.3 * std::sin(3 * ph) + 0.12 * std::sin(5 * ph));
        s.l[i] = s.r[i] = v * 0.5f;
    }
    // It loops under the game for as long as two aircraft are too close: loud enough to
    // alarm, not so loud that it drowns everything else.
    normalize(s, 0.33f);
    return s;
}

Stereo soundWarning() {
    Stereo s(secs(0.8));
    for (int k = 0; k < 3; ++k) {
        std::vector<float> b(secs(0.13));
        for (size_t i = 0; i < b.size(); ++i) {
            double t = double(i) / RATE;
            double ph = TAU * 988 * t;
            b[i] = float(std::sin(ph) + 0.25 * std::sin(3 * ph)) * env(t, 0.005, 0, 1, 0.11, 0.015);
        }
        s.add(b, secs(0.2 * k), 0.5f);
    }
    s.resize(secs(0.8));
    reverb(s, 0.1f, 0.5f);
    fadeEdges(s, 0.001, 0.05);
    normalize(s, 0.6f);
    return s;
}

Stereo soundReward() {
    Stereo s(secs(1.6));
    const double notes[] = {72, 76, 79, 84};
    for (int k = 0; k < 4; ++k) s.add(bell(midiHz(notes[k]), 1.2), secs(0.09 * k), 0.35f, -0.3f + 0.2f * k);
    s.add(bell(midiHz(91), 0.9), secs(0.36), 0.12f, 0.4f);
    s.resize(secs(1.6));
    reverb(s, 0.3f);
    fadeEdges(s, 0.001, 0.2);
    normalize(s, 0.7f);
    return s;
}

Stereo touchdown(bool heavy) {
    double dur = heavy ? 1.6 : 0.8;
    Stereo s(secs(dur));
    Noise n(heavy ? 11 : 12);
    // tyre chirps: a rubbery tone that slides down as the wheel spins up, with scuff noise
    int chirps = heavy ? 3 : 2;
    for (int c = 0; c < chirps; ++c) {
        double len = heavy ? 0.28 : 0.16;
        std::vector<float> v(secs(len));
        Biquad bp;
        double f0 = (heavy ? 1350 : 2100) * (1 + 0.06 * c);
        bp.set(Biquad::BP, f0 * 1.4, 3);
        double ph = 0;
        float jitter = 0;
        for (size_t i = 0; i < v.size(); ++i) {
            double t = double(i) / RATE, u = t / len;
            jitter = jitter * 0.995f + n() * 0.005f;
            ph += TAU * f0 * (1.0 - 0.18 * u) * (1 + 0.6 * jitter) / RATE;
            double e = std::min(1.0, t * 500) * std::pow(1 - u, 1.6);
            float tone = float(std::sin(ph) + 0.35 * std::sin(2 * ph + 0.5) + 0.15 * std::sin(3 * ph));
            v[i] = (tone * 0.7f + bp(n()) * 0.9f) * float(e);
        }
        s.add(v, secs(0.09 * c), heavy ? 0.5f : 0.45f, c == 1 ? -0.3f : 0.2f);
    }
    // rumble of the wheels and reversers
    std::vector<float> r(secs(dur));
    Biquad lp, lp2;
    lp.set(Biquad::LP, heavy ? 220 : 380, 0.8);
    lp2.set(Biquad::LP, heavy ? 400 : 600, 0.7);
    for (size_t i = 0; i < r.size(); ++i) {
        double t = double(i) / RATE;
        double e = std::min(1.0, t * 20) * std::exp(-t * (heavy ? 1.9 : 4.5));
        r[i] = lp2(lp(n())) * float(e) * 3.0f;
    }
    s.add(r, 0, heavy ? 0.9f : 0.5f);
    s.resize(secs(dur));
    reverb(s, 0.08f, 0.5f);
    fadeEdges(s, 0.001, 0.15);
    normalize(s, heavy ? 0.75f : 0.6f);
    return s;
}

// The patient monitor's tone: one sine at C6 under an envelope (attack, decay, sustain
// level, hold, release), centred.
Stereo monitorTone(double seconds, double a, double d, double sus, double hold, double rel, float level) {
    Stereo s(secs(seconds));
    std::vector<float> b(secs(seconds));
    for (size_t i = 0; i < b.size(); ++i) {
        double t = double(i) / RATE;
        b[i] = float(std::sin(TAU * 1046.5 * t)) * env(t, a, d, sus, hold, rel);
    }
    s.add(b, 0, 0.5f);
    s.resize(secs(seconds));
    normalize(s, level);
    return s;
}

Stereo soundHeartbeat() { return monitorTone(0.25, 0.004, 0.02, 0.7, 0.09, 0.06, 0.55f); }

Stereo soundFlatline() { return monitorTone(2.2, 0.01, 0, 1, 1.9, 0.28, 0.5f); }

Stereo soundGeese() {
    const size_t n = secs(4.0);
    Stereo s(n);
    Noise rnd(5);
    // honks scattered over the loop, several voices
    uint32_t seed = 100;
    for (int k = 0; k < 16; ++k) {
        double at = 0.25 * k + 0.12 * (rnd() + 1) * 0.5;
        double f = 320 + 90 * (rnd() + 1) * 0.5;
        double d = 0.14 + 0.1 * (rnd() + 1) * 0.5;
        auto h = honk(f, d, seed++);
        s.add(h, secs(at), 0.22f + 0.1f * (rnd() + 1) * 0.5f, rnd() * 0.7f);
        if (k % 3 == 0) s.add(honk(f * 1.07, d * 0.8, seed++), secs(at + d + 0.05), 0.15f, rnd() * 0.7f);
    }
    // wing beats: soft low noise thumps, 4 a second
    for (int k = 0; k < 16; ++k) {
        std::vector<float> w(secs(0.12));
        Biquad lp;
        lp.set(Biquad::LP, 500, 0.7);
        for (size_t i = 0; i < w.size(); ++i) {
            double t = double(i) / RATE;
            w[i] = lp(rnd()) * float(std::sin(std::min(1.0, t / 0.12) * TAU / 2));
        }
        s.add(w, secs(0.25 * k + 0.05), 0.5f, rnd() * 0.4f);
    }
    reverb(s, 0.15f, 0.7f);
    wrapLoop(s, n);
    normalize(s, 0.6f);
    return s;
}

Stereo soundExplosion() {
    Stereo s(secs(2.8));
    Noise n(21);
    Biquad lp, lp2;
    std::vector<float> body(secs(2.8)), boom(secs(2.8));
    for (size_t i = 0; i < body.size(); ++i) {
        double t = double(i) / RATE;
        if ((i & 63) == 0) lp.set(Biquad::LP, 200 + 5000 * std::exp(-t * 4), 0.8);
        double e = std::min(1.0, t * 200) * std::exp(-t * 1.9);
        body[i] = lp(n()) * float(e);
        boom[i] = float(std::sin(TAU * (48 + 40 * std::exp(-t * 6)) * t) * std::exp(-t * 2.6) * std::min(1.0, t * 300));
    }
    s.add(body, 0, 1.0f, -0.1f);
    s.add(body, secs(0.011), 0.8f, 0.3f);
    s.add(boom, 0, 0.9f);
    // crackle
    for (int k = 0; k < 40; ++k) {
        double at = 0.05 + 1.2 * std::pow((n() + 1) * 0.5, 1.6);
        std::vector<float> c(secs(0.02));
        for (size_t i = 0; i < c.size(); ++i) c[i] = n() * float(std::exp(-double(i) / RATE * 250));
        s.add(c, secs(at), 0.25f * float(std::exp(-at * 1.5)), n() * 0.8f);
    }
    s.resize(secs(2.8));
    reverb(s, 0.25f, 0.8f);
    fadeEdges(s, 0.0005, 0.4);
    normalize(s, 0.85f);
    return s;
}

Stereo soundThunder() {
    Stereo s(secs(5.0));
    Noise n(33);
    // crack
    std::vector<float> crack(secs(0.5));
    Biquad hp;
    hp.set(Biquad::HP, 900, 0.7);
    for (size_t i = 0; i < crack.size(); ++i) {
        double t = double(i) / RATE;
        crack[i] = hp(n()) * float(std::exp(-t * 9) * std::min(1.0, t * 800));
    }
    s.add(crack, 0, 0.6f, 0.2f);
    // rumble: brown noise with irregular swells
    for (int ch = 0; ch < 2; ++ch) {
        std::vector<float> r(secs(5.0));
        Biquad lp, lp2;
        lp.set(Biquad::LP, 160, 0.7);
        lp2.set(Biquad::LP, 350, 0.6);
        float b = 0;
        for (size_t i = 0; i < r.size(); ++i) {
            double t = double(i) / RATE;
            b = b * 0.995f + n() * 0.1f;
            double sw = 0.6 + 0.4 * std::sin(TAU * 0.9 * t + ch) + 0.3 * std::sin(TAU * 2.3 * t);
            double e = std::min(1.0, t * 6) * std::exp(-t * 0.7) * sw;
            r[i] = lp2(lp(b)) * float(e) * 6.0f;
        }
        s.add(r, secs(0.05), 1.0f, ch ? 0.6f : -0.6f);
    }
    s.resize(secs(5.0));
    reverb(s, 0.3f, 0.85f);
    fadeEdges(s, 0.0005, 0.8);
    normalize(s, 0.85f);
    return s;
}

// Continuous wind: band-passed noise whose centre and level drift in gusts.
Stereo windTexture(double dur, uint32_t seed, double fLo, double fHi, double gustRate, float level) {
    size_t n = secs(dur);
    Stereo s(n);
    for (int ch = 0; ch < 2; ++ch) {
        Noise nz(seed + ch);
        Biquad bp, lp;
        lp.set(Biquad::LP, fHi * 1.5, 0.6);
        auto& out = ch ? s.r : s.l;
        for (size_t i = 0; i < n; ++i) {
            double t = double(i) / RATE;
            double g = 0.5 + 0.5 * (0.6 * std::sin(TAU * gustRate * t + ch * 1.3) +
                                    0.4 * std::sin(TAU * gustRate * 2.7 * t + 0.7 + ch));
            if ((i & 63) == 0) bp.set(Biquad::BP, fLo + (fHi - fLo) * g, 2.2);
            out[i] = lp(bp(nz())) * float(0.35 + 0.65 * g) * level;
        }
    }
    return s;
}

Stereo soundWind() {
    const double L = 8.0;
    Stereo s = windTexture(L + 1.0, 41, 250, 900, 0.25, 1.0f);
    Stereo low = windTexture(L + 1.0, 51, 60, 180, 0.125, 1.6f);
    for (size_t i = 0; i < s.size(); ++i) { s.l[i] += low.l[i]; s.r[i] += low.r[i]; }
    crossfadeLoop(s, secs(L), secs(1.0));
    normalize(s, 0.6f);
    return s;
}

// ---- fanfares ---------------------------------------------------------------------------------

struct Fanfare {
    int root;           // midi note of the key
    bool minor;
    double bpm;
    uint32_t seed;
};

Stereo fanfare(const Fanfare& p) {
    const int major[] = {0, 2, 4, 5, 7, 9, 11}, minor[] = {0, 2, 3, 5, 7, 8, 10};
    const int* sc = p.minor ? minor : major;
    auto note = [&](int deg) {  // scale degree (0 = root) to midi, any octave
        int oct = (deg >= 0) ? deg / 7 : -((-deg + 6) / 7);
        int d = deg - oct * 7;
        return p.root + 12 * oct + sc[d];
    };
    const double beat = 60.0 / p.bpm;
    const int bars = 4;
    const size_t n = secs(beat * 4 * bars);
    Stereo s(n);
    Rng r(p.seed);
    // harmony: I - IV/VI - V - I, picked per nation
    int prog[4] = {0, r.i(0, 1) ? 3 : 5, 4, 0};
    if (r.i(0, 2) == 0) prog[1] = 5, prog[2] = 3;
    for (int b = 0; b < bars; ++b) {
        int ch = prog[b];
        for (int v : {0, 2, 4}) s.add(pad(midiHz(note(ch + v) - 12), beat * 4), secs(beat * 4 * b), 0.16f, -0.4f + 0.4f * v / 2);
        s.add(timpani(midiHz(note(ch) - 24), 1.2, p.seed + b), secs(beat * 4 * b), 0.5f);
        if (b == 3) s.add(timpani(midiHz(note(4) - 24), 0.8, p.seed + 9), secs(beat * (4 * b + 3)), 0.35f);
    }
    // melody: a rising call, an answer, a sequence and a held cadence
    struct N { double start, dur; int deg; };
    std::vector<N> mel;
    const int motifs[4][5] = {{0, 2, 4, 7, 4}, {0, 4, 2, 4, 7}, {4, 4, 7, 4, 2}, {0, 0, 4, 4, 7}};
    const double rhythms[3][5] = {{1, 0.5, 0.5, 1.5, 0.5}, {0.75, 0.25, 1, 1, 1}, {0.5, 0.5, 1, 1, 1}};
    int m = r.i(0, 3), rh = r.i(0, 2);
    double t = 0;
    for (int i = 0; i < 5; ++i) { mel.push_back({t, rhythms[rh][i], motifs[m][i] + prog[0]}); t += rhythms[rh][i]; }
    t = 4;
    int up = r.i(1, 2);
    for (int i = 0; i < 5; ++i) { mel.push_back({t, rhythms[(rh + 1) % 3][i], motifs[m][4 - i] / 2 + prog[1] + up}); t += rhythms[(rh + 1) % 3][i]; }
    t = 8;
    for (int i = 0; i < 5; ++i) { mel.push_back({t, rhythms[rh][i], motifs[(m + 1) % 4][i] + prog[2] - 2}); t += rhythms[rh][i]; }
    mel.push_back({12, 1, 4 + 0});
    mel.push_back({13, 3, 7});
    for (auto& q : mel) {
        double f = midiHz(note(q.deg) + 12);
        s.add(brass(f, q.dur * beat * 0.92, 1.0f), secs(q.start * beat), 0.3f, 0.1f);
        // a second horn a third below for body
        s.add(brass(midiHz(note(q.deg - 2) + 12), q.dur * beat * 0.92, 0.6f), secs(q.start * beat), 0.14f, -0.25f);
    }
    s.add(cymbal(beat * 2, p.seed, true), secs(beat * 14), 0.05f, 0.3f);
    s.add(cymbal(1.5, p.seed + 1, false), secs(0), 0.06f, 0.3f);
    reverb(s, 0.3f, 0.86f);
    wrapLoop(s, n);
    normalize(s, 0.6f);
    return s;
}

Fanfare fanfareFor(const std::string& id, size_t index) {
    uint32_t h = 2166136261u;
    for (char c : id) h = (h ^ uint8_t(c)) * 16777619u;
    Fanfare f;
    f.root = 55 + int(h % 9);                 // G3 .. D#4
    f.minor = (id == "russia" || id == "germany" || (h >> 8) % 5 == 0);
    f.bpm = 84 + double((h >> 12) % 5) * 6;
    f.seed = h ^ uint32_t(index * 977);
    return f;
}

// ---- airport ambiences -------------------------------------------------------------------------

std::vector<float> chirp(double f0, double f1, double dur) {
    std::vector<float> v(secs(dur));
    double ph = 0;
    for (size_t i = 0; i < v.size(); ++i) {
        double t = double(i) / RATE, u = t / dur;
        ph += TAU * (f0 + (f1 - f0) * u) / RATE;
        v[i] = float(std::sin(ph) * std::sin(u * TAU / 2));
    }
    return v;
}

std::vector<float> gull(double dur, uint32_t seed) {
    std::vector<float> v(secs(dur));
    Saw s;
    Noise n(seed);
    Biquad bp;
    bp.set(Biquad::BP, 1800, 2.0);
    for (size_t i = 0; i < v.size(); ++i) {
        double t = double(i) / RATE, u = t / dur;
        double f = 700 + 500 * std::sin(u * TAU / 2) * (1 - 0.5 * u);
        v[i] = bp(s.step(f) + 0.05f * n()) * float(std::sin(u * TAU / 2));
    }
    return v;
}

// A distant jet passing: filtered noise swelling and fading across the stereo field.
void distantJet(Stereo& s, double at, double dur, uint32_t seed, float level) {
    Noise n(seed);
    Biquad lp, lp2;
    lp.set(Biquad::LP, 500, 0.7);
    lp2.set(Biquad::LP, 900, 0.7);
    size_t a = secs(at), len = secs(dur);
    for (size_t i = 0; i < len; ++i) {
        double u = double(i) / len;
        float e = float(std::pow(std::sin(u * TAU / 2), 2.0)) * level;
        float x = lp2(lp(n())) * e;
        size_t k = a + i;
        if (k >= s.size()) s.resize(k + 1);
        s.l[k] += x * float(1 - u);
        s.r[k] += x * float(u);
    }
}

Stereo ambience(const std::string& kind) {
    const double L = 12.0;
    const size_t n = secs(L);
    uint32_t seed = 0;
    for (char c : kind) seed = seed * 31 + uint8_t(c);
    Stereo s(n + secs(1.5));
    Noise rnd(seed);
    auto rf = [&] { return (rnd() + 1) * 0.5f; };
    if (kind == "farmville") {
        Stereo w = windTexture(L + 1.5, seed, 200, 600, 0.1, 0.25f);
        for (size_t i = 0; i < s.size(); ++i) { s.l[i] += w.l[i]; s.r[i] += w.r[i]; }
        // songbirds: short phrases of chirps
        for (int k = 0; k < 9; ++k) {
            double at = k * 1.3 + rf() * 0.5;
            float pan = rnd() * 0.8f;
            int notes = 3 + int(rf() * 4);
            double f = 2800 + rf() * 1800;
            for (int j = 0; j < notes; ++j)
                s.add(chirp(f * (1 + 0.1 * j), f * (1.25 + 0.05 * j), 0.05 + rf() * 0.04), secs(at + j * 0.09), 0.08f, pan);
        }
        distantJet(s, 2.0, 8.0, seed + 7, 0.5f);
    } else if (kind == "seaside") {
        // surf: noise swelling with each wave
        for (int ch = 0; ch < 2; ++ch) {
            Noise nz(seed + ch);
            Biquad lp;
            lp.set(Biquad::LP, 1400, 0.6);
            auto& out = ch ? s.r : s.l;
            for (size_t i = 0; i < out.size(); ++i) {
                double t = double(i) / RATE;
                double wave = std::pow(0.5 + 0.5 * std::sin(TAU * t / 4.0 + ch * 0.6), 3.0);
                out[i] += lp(nz()) * float(0.08 + 0.5 * wave);
            }
        }
        for (int k = 0; k < 5; ++k) s.add(gull(0.35 + rf() * 0.2, seed + k), secs(1.0 + k * 2.3 + rf()), 0.12f, rnd() * 0.8f);
        distantJet(s, 4.0, 7.0, seed + 9, 0.35f);
    } else if (kind == "arctic") {
        Stereo w = windTexture(L + 1.5, seed, 400, 1600, 0.08, 0.6f);
        Stereo lo = windTexture(L + 1.5, seed + 4, 80, 200, 0.05, 0.8f);
        for (size_t i = 0; i < s.size(); ++i) { s.l[i] += w.l[i] + lo.l[i]; s.r[i] += w.r[i] + lo.r[i]; }
        // whistling over the huts: a faint sine that wavers
        std::vector<float> wh(s.size());
        double ph = 0;
        for (size_t i = 0; i < wh.size(); ++i) {
            double t = double(i) / RATE;
            ph += TAU * (880 + 60 * std::sin(TAU * 0.3 * t)) / RATE;
            wh[i] = float(std::sin(ph) * std::pow(0.5 + 0.5 * std::sin(TAU * 0.083 * t), 4.0)) * 0.03f;
        }
        s.add(wh, 0, 1.0f, 0.3f);
    } else {  // the old port
        for (int ch = 0; ch < 2; ++ch) {  // water lapping against the quay
            Noise nz(seed + ch);
            Biquad lp;
            lp.set(Biquad::LP, 700, 0.8);
            auto& out = ch ? s.r : s.l;
            for (size_t i = 0; i < out.size(); ++i) {
                double t = double(i) / RATE;
                double lap = std::pow(0.5 + 0.5 * std::sin(TAU * t * 0.7 + ch), 6.0);
                out[i] += lp(nz()) * float(0.05 + 0.35 * lap);
            }
        }
        // a distant foghorn
        std::vector<float> horn(secs(2.6));
        Saw a, b;
        Biquad lp;
        lp.set(Biquad::LP, 400, 0.8);
        for (size_t i = 0; i < horn.size(); ++i) {
            double t = double(i) / RATE;
            horn[i] = lp(a.step(92.5) + b.step(93.2)) * env(t, 0.3, 0.2, 0.8, 1.6, 0.5);
        }
        s.add(horn, secs(3.0), 0.35f, -0.5f);
        // metal clanks from the cranes
        for (int k = 0; k < 3; ++k) s.add(bell(180 + rf() * 120, 1.2), secs(6.5 + k * 1.7 + rf()), 0.06f, rnd() * 0.6f);
        s.add(gull(0.4, seed + 3), secs(9.5), 0.08f, 0.6f);
    }
    reverb(s, 0.2f, 0.8f);
    crossfadeLoop(s, n, secs(1.5));
    normalize(s, 0.45f);
    return s;
}

}  // namespace

void genSounds(const std::vector<std::string>& ids, const std::vector<AirportRec>& recs) {
    std::vector<std::function<void()>> jobs = {
        [] { write("button.wav", soundButton()); },
        [] { write("danger.wav", soundSiren()); },
        [] { write("warning.wav", soundWarning()); },
        [] { write("reward.wav", soundReward()); },
        [] { write("touchdown.wav", touchdown(true)); },
        [] { write("touchdown2.wav", touchdown(false)); },
        [] { write("heartbeat.wav", soundHeartbeat()); },
        [] { write("flatline.wav", soundFlatline()); },
        [] { write("geese.wav", soundGeese()); },
        [] { write("explosion.ogg", soundExplosion()); },
        [] { write("thunder.ogg", soundThunder()); },
        [] { write("wind.ogg", soundWind()); },
    };
    for (size_t i = 0; i < ids.size(); ++i) {
        std::string id = ids[i];
        jobs.push_back([id, i] { write("athems/" + id + ".ogg", fanfare(fanfareFor(id, i))); });
    }
    for (const AirportArt& art : airportArt()) {
        const AirportRec& r = recordOf(art, recs);
        if (r.bgSound.empty()) continue;
        jobs.push_back([kind = art.ambience, file = r.bgSound] { write(file, ambience(kind)); });
    }
    runParallel(jobs);
}

}  // namespace ag
