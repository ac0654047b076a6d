// The text decoder every data file goes through: a byte-order mark picks UTF-16 (either
// order) or UTF-8, else one byte a character. Whatever the bytes, what comes out must be
// well-formed UTF-8 (damaged sequences become U+FFFD, nothing ill-formed travels on, not
// even as the character an overlong form spells), a
// text the writer saves must read back the same, and the font must measure and draw it.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_game.h"
#include "platform/canvas.h"
#include "platform/files.h"

namespace {

// Strict UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool wellFormed(const std::string& s) {
    size_t i = 0;
    const size_t n = s.size();
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        int len;
        uint32_t cp, min;
        if (c < 0x80) { ++i; continue; }
        if (c >= 0xC2 && c <= 0xDF) { len = 2; cp = c & 0x1F; min = 0x80; }
        else if (c >= 0xE0 && c <= 0xEF) { len = 3; cp = c & 0x0F; min = 0x800; }
        else if (c >= 0xF0 && c <= 0xF4) { len = 4; cp = c & 0x07; min = 0x10000; }
        else return false;
        if (i + size_t(len) > n) return false;
        for (int k = 1; k < len; ++k) {
            const unsigned char cc = static_cast<unsigned char>(s[i + size_t(k)]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) return false;
        i += size_t(len);
    }
    return true;
}

// The ASCII characters of a text, in order. Decoding never makes or drops one: the bytes of
// every other character are 0x80 and above in UTF-8, so an ASCII character in the output that
// the input did not have came from an ill-formed sequence (an overlong "/", say).
std::string asciiOf(const char* p, size_t n) {
    std::string out;
    for (size_t i = 0; i < n; ++i)
        if (static_cast<unsigned char>(p[i]) < 0x80) out += p[i];
    return out;
}

std::string scratch(const char* tag) {
    static const std::string dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm/" : "/tmp/";
    return dir + "text_fuzz_" + std::to_string(getpid()) + tag;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_game::start();  // for the game's font
    static const std::string in = scratch(".in"), out = scratch(".out");
    static const bool cleanup = std::atexit([] {
        std::remove(in.c_str());
        std::remove(out.c_str());
    }) == 0;
    (void)cleanup;
    if (FILE* f = std::fopen(in.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    } else {
        return 0;
    }
    std::string text;
    const bool utf16 = size >= 2 && ((data[0] == 0xFE && data[1] == 0xFF) || (data[0] == 0xFF && data[1] == 0xFE));
    if (!plat::loadText(in, text)) {
        // Only a UTF-16 file with an odd byte count is refused.
        if (!(utf16 && size % 2 == 1)) __builtin_trap();
        return 0;
    }
    if (!wellFormed(text)) __builtin_trap();
    if (!utf16) {
        const size_t skip = size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF ? 3 : 0;
        if (asciiOf(text.data(), text.size()) != asciiOf(reinterpret_cast<const char*>(data) + skip, size - skip))
            __builtin_trap();
    }
    // Written and read again, the same text.
    std::string again;
    if (!plat::saveText(text, out) || !plat::loadText(out, again)) __builtin_trap();
    if (again != text) __builtin_trap();
    // Measured and drawn with the game's font, first line only as the game draws lines.
    const std::string line = text.substr(0, text.find('\n')).substr(0, 512);
    const int w = plat::textWidth(line);
    if (w < 0) __builtin_trap();
    plat::drawText(line, 10.0f, 10.0f);
    return 0;
}
