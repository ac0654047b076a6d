// Pixel arithmetic shared by the rasteriser: premultiplying, interpolating and blending
// 0xAARRGGBB pixels onto the opaque canvas.
#pragma once
#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "platform/canvas.h"

namespace plat::gfx {

// Rounded x / 255 for 0 <= x <= 65535.
inline uint32_t div255(uint32_t x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

// Straight to premultiplied alpha, two channels at a time.
inline uint32_t premultiply(uint32_t p) {
    const uint32_t a = p >> 24;
    if (a == 255) return p;
    if (a == 0) return 0;
    uint32_t rb = (p & 0xFF00FFu) * a + 0x800080u;
    rb = ((rb + ((rb >> 8) & 0xFF00FFu)) >> 8) & 0xFF00FFu;
    uint32_t g = (p & 0xFF00u) * a + 0x8000u;
    g = ((g + ((g >> 8) & 0xFF00u)) >> 8) & 0xFF00u;
    return (a << 24) | rb | g;
}

// a + (b - a) * f / 256 on all four channels, f in 0..256.
inline uint32_t lerp(uint32_t a, uint32_t b, uint32_t f) {
    const uint32_t rb0 = a & 0xFF00FFu, ag0 = (a >> 8) & 0xFF00FFu;
    const uint32_t rb1 = b & 0xFF00FFu, ag1 = (b >> 8) & 0xFF00FFu;
    const uint32_t rb = (rb0 + (((rb1 - rb0) * f) >> 8)) & 0xFF00FFu;
    const uint32_t ag = (ag0 + (((ag1 - ag0) * f) >> 8)) & 0xFF00FFu;
    return rb | (ag << 8);
}

// All four channels times k / 255, two at a time.
inline uint32_t scale(uint32_t p, uint32_t k) {
    uint32_t rb = (p & 0xFF00FFu) * k + 0x800080u;
    rb = ((rb + ((rb >> 8) & 0xFF00FFu)) >> 8) & 0xFF00FFu;
    uint32_t ag = ((p >> 8) & 0xFF00FFu) * k + 0x800080u;
    ag = (ag + ((ag >> 8) & 0xFF00FFu)) & 0xFF00FF00u;
    return rb | ag;
}

// The drawing colour and alpha as multipliers of a premultiplied source pixel.
struct Tint {
    bool identity = true;       // white at alpha 1: the source passes unchanged
    uint32_t ka = 255, kr = 255, kg = 255, kb = 255;
    uint32_t r = 255, g = 255, b = 255;  // the colour itself, for the solid modes

    Tint() = default;
    Tint(int cr, int cg, int cb, float alpha) {
        auto clamp8 = [](int v) { return uint32_t(v < 0 ? 0 : v > 255 ? 255 : v); };
        r = clamp8(cr);
        g = clamp8(cg);
        b = clamp8(cb);
        // The state may be set directly, so anything outside 0..1 (or not a number) is clamped.
        const float al = alpha >= 1.0f ? 1.0f : alpha > 0.0f ? alpha : 0.0f;
        ka = uint32_t(al * 255.0f + 0.5f);
        kr = div255(r * ka);
        kg = div255(g * ka);
        kb = div255(b * ka);
        identity = ka == 255 && r == 255 && g == 255 && b == 255;
        grey = r == 255 && g == 255 && b == 255;
    }
    bool grey = true;  // white: only the alpha scales the pixel

    // Applies colour and alpha to a premultiplied pixel.
    uint32_t apply(uint32_t p) const {
        if (identity) return p;
        if (grey) return scale(p, ka);
        return (div255((p >> 24) * ka) << 24) | (div255(((p >> 16) & 255) * kr) << 16) |
               (div255(((p >> 8) & 255) * kg) << 8) | div255((p & 255) * kb);
    }
};

// Blends a premultiplied source onto an opaque destination pixel.
template <int MODE>
inline void blendPremul(uint32_t& d, uint32_t s) {
    const uint32_t sa = s >> 24;
    if (sa == 0 && MODE != LIGHTBLEND) return;
    const uint32_t sr = (s >> 16) & 255, sg = (s >> 8) & 255, sb = s & 255;
    const uint32_t dr = (d >> 16) & 255, dg = (d >> 8) & 255, db = d & 255;
    uint32_t r, g, b;
    if constexpr (MODE == LIGHTBLEND) {
        r = dr + sr;
        g = dg + sg;
        b = db + sb;
    } else if constexpr (MODE == SHADEBLEND) {
        // Multiply: the destination is scaled by the source colour, faded by its alpha.
        auto f = [sa](uint32_t c) { uint32_t v = 255 - sa + c; return v > 255 ? 255u : v; };
        r = div255(dr * f(sr));
        g = div255(dg * f(sg));
        b = div255(db * f(sb));
    } else {
        if (sa == 255) {
            d = s | 0xFF000000u;
            return;
        }
        // A premultiplied source never exceeds its alpha, so the sum stays within each channel.
        d = 0xFF000000u | ((scale(d, 255 - sa) & 0xFFFFFFu) + (s & 0xFFFFFFu));
        return;
    }
    if (r > 255) r = 255;
    if (g > 255) g = 255;
    if (b > 255) b = 255;
    d = 0xFF000000u | (r << 16) | (g << 8) | b;
}

inline void blendPremul(int mode, uint32_t& d, uint32_t s) {
    switch (mode) {
    case LIGHTBLEND: blendPremul<LIGHTBLEND>(d, s); break;
    case SHADEBLEND: blendPremul<SHADEBLEND>(d, s); break;
    default: blendPremul<ALPHABLEND>(d, s); break;
    }
}

#ifdef __SSE2__
// The hot path of turned and scaled sprites in normal blending: bilinear sample of four
// premultiplied texels, times the tint (kb, kg, kr, ka in 16-bit lanes), over the pixel.
inline void sampleTintBlendAlpha(uint32_t& d, uint32_t p00, uint32_t p01, uint32_t p10, uint32_t p11, uint32_t fu,
                                 uint32_t fv, __m128i k, bool tinted) {
    const __m128i z = _mm_setzero_si128();
    const __m128i top = _mm_unpacklo_epi8(_mm_set_epi32(0, 0, int(p01), int(p00)), z);
    const __m128i bot = _mm_unpacklo_epi8(_mm_set_epi32(0, 0, int(p11), int(p10)), z);
    const __m128i col = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(top, _mm_set1_epi16(short(256 - fv))),
                                                     _mm_mullo_epi16(bot, _mm_set1_epi16(short(fv)))), 8);
    const short a0 = short(256 - fu), a1 = short(fu);
    const __m128i m = _mm_mullo_epi16(col, _mm_set_epi16(a1, a1, a1, a1, a0, a0, a0, a0));
    __m128i s = _mm_srli_epi16(_mm_add_epi16(m, _mm_srli_si128(m, 8)), 8);  // lanes 0-3: b g r a
    const __m128i c128 = _mm_set1_epi16(128);
    if (tinted) {
        __m128i x = _mm_add_epi16(_mm_mullo_epi16(s, k), c128);
        s = _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
    }
    const int sa = _mm_extract_epi16(s, 3);
    if (sa == 0) return;
    if (sa == 255) {
        d = uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(s, z))) | 0xFF000000u;
        return;
    }
    const __m128i dst = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(d)), z);
    __m128i x = _mm_add_epi16(_mm_mullo_epi16(dst, _mm_set1_epi16(short(255 - sa))), c128);
    x = _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
    d = uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(_mm_add_epi16(x, s), z))) | 0xFF000000u;
}
#endif

}  // namespace plat::gfx
