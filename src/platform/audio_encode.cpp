#include "platform/audio_encode.h"

#include <vorbis/vorbisenc.h>

#include <cstdio>
#include <cstring>
#include <algorithm>

namespace plat {

namespace {
void put16(std::vector<unsigned char>& b, uint32_t v) {
    b.push_back(uint8_t(v & 255));
    b.push_back(uint8_t((v >> 8) & 255));
}
void put32(std::vector<unsigned char>& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
void putTag(std::vector<unsigned char>& b, const char* t) { b.insert(b.end(), t, t + 4); }

bool writeAll(FILE* f, const unsigned char* p, size_t n) { return n == 0 || std::fwrite(p, 1, n, f) == n; }
}  // namespace

bool saveWAV(const std::vector<int16_t>& samples, int rate, int channels, const std::string& path) {
    if (channels < 1 || channels > 2 || rate <= 0 || samples.size() % size_t(channels) != 0) return false;
    uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::vector<unsigned char> b;
    b.reserve(44 + dataBytes);
    putTag(b, "RIFF");
    put32(b, 36 + dataBytes);
    putTag(b, "WAVE");
    putTag(b, "fmt ");
    put32(b, 16);
    put16(b, 1);  // PCM
    put16(b, uint32_t(channels));
    put32(b, uint32_t(rate));
    put32(b, uint32_t(rate * channels * 2));
    put16(b, uint32_t(channels * 2));
    put16(b, 16);
    putTag(b, "data");
    put32(b, dataBytes);
    for (int16_t s : samples) put16(b, uint16_t(s));
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = writeAll(f, b.data(), b.size());
    ok = (std::fclose(f) == 0) && ok;
    return ok;
}

bool saveOggVorbis(const std::vector<int16_t>& samples, int rate, int channels, const std::string& path,
                   float quality) {
    if (channels < 1 || channels > 2 || rate <= 0 || samples.size() % size_t(channels) != 0) return false;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;

    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, channels, rate, quality) != 0) {
        vorbis_info_clear(&vi);
        std::fclose(f);
        return false;
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "ENCODER", "tarnholt assetgen");
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    // A fixed serial number keeps the output the same from run to run.
    ogg_stream_init(&os, 0x54415231);

    bool ok = true;
    ogg_page og;
    ogg_packet op;
    {
        ogg_packet hdr, hdrComm, hdrCode;
        vorbis_analysis_headerout(&vd, &vc, &hdr, &hdrComm, &hdrCode);
        ogg_stream_packetin(&os, &hdr);
        ogg_stream_packetin(&os, &hdrComm);
        ogg_stream_packetin(&os, &hdrCode);
        while (ogg_stream_flush(&os, &og) != 0) {
            ok = ok && writeAll(f, og.header, size_t(og.header_len)) && writeAll(f, og.body, size_t(og.body_len));
        }
    }

    const size_t frames = samples.size() / size_t(channels);
    const size_t chunk = 4096;
    size_t pos = 0;
    bool eos = false, ended = false;
    while (!eos && ok) {
        if (pos < frames) {
            size_t n = std::min(chunk, frames - pos);
            float** buf = vorbis_analysis_buffer(&vd, int(n));
            for (size_t i = 0; i < n; ++i)
                for (int c = 0; c < channels; ++c)
                    buf[c][i] = samples[(pos + i) * size_t(channels) + size_t(c)] / 32768.0f;
            vorbis_analysis_wrote(&vd, int(n));
            pos += n;
        } else if (!ended) {
            vorbis_analysis_wrote(&vd, 0);  // end of stream: the last granule position is exact
            ended = true;
        } else {
            break;  // nothing more can come out
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                while (!eos && ogg_stream_pageout(&os, &og) != 0) {
                    ok = ok && writeAll(f, og.header, size_t(og.header_len)) &&
                         writeAll(f, og.body, size_t(og.body_len));
                    if (ogg_page_eos(&og)) eos = true;
                }
            }
        }
    }
    while (!eos && ogg_stream_flush(&os, &og) != 0) {
        ok = ok && writeAll(f, og.header, size_t(og.header_len)) && writeAll(f, og.body, size_t(og.body_len));
        if (ogg_page_eos(&og)) eos = true;
    }

    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    ok = (std::fclose(f) == 0) && ok;
    return ok;
}

}  // namespace plat
