// Writing sounds: 16-bit PCM WAV files and Ogg Vorbis files (libvorbisenc). Used by the
// asset generator at build time; the game itself only reads sounds.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

// Interleaved 16-bit samples; channels 1 or 2. False when the file can't be written.
bool saveWAV(const std::vector<int16_t>& samples, int rate, int channels, const std::string& path);
// Variable bit rate at the given quality (-0.1 .. 1.0). The stream ends on the exact sample
// count, so a decoded loop has the length that was encoded.
bool saveOggVorbis(const std::vector<int16_t>& samples, int rate, int channels, const std::string& path,
                   float quality = 0.4f);

}  // namespace plat
