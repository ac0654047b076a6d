// Pixel buffers and images: PNG through libpng, JPEG through libjpeg, resampling, frames.
// Both decoders recover from errors with longjmp, so a damaged or truncated file is a
// plain nullptr for the caller: never an exit or a crash inside a library.
#include "platform/image.h"

#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <png.h>

#include "platform/canvas.h"
#include "platform/files.h"

namespace plat {

PixelBuffer::PixelBuffer(int w, int h, PixelFormat f, uint32_t fill)
    : width(w > 0 ? w : 0), height(h > 0 ? h : 0), format(f),
      pixels(size_t(width) * size_t(height), fill) {}

uint32_t PixelBuffer::readPixel(int x, int y) const {
    return inside(x, y) ? pixels[size_t(y) * size_t(width) + size_t(x)] : 0;
}

void PixelBuffer::writePixel(int x, int y, uint32_t c) {
    if (!inside(x, y)) return;
    // An RGB buffer has no alpha to keep.
    if (format == PF_RGB) c |= 0xFF000000u;
    pixels[size_t(y) * size_t(width) + size_t(x)] = c;
}

namespace {

// Pictures larger than this are refused rather than allocated (a damaged header can claim
// any size); 4096 x 4096 is far beyond anything the game draws.
constexpr unsigned long long MAX_PIXELS = 1ull << 24;

// ---- PNG ----

struct PngReader {
    const unsigned char* data;
    size_t size;
    size_t pos;
};

void pngRead(png_structp png, png_bytep out, png_size_t n) {
    auto* r = static_cast<PngReader*>(png_get_io_ptr(png));
    if (r->size - r->pos < n) png_error(png, "truncated");
    std::memcpy(out, r->data + r->pos, n);
    r->pos += n;
}

void pngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void pngWarning(png_structp, png_const_charp) {}

struct RawPicture {
    unsigned w = 0, h = 0;
    bool alpha = false;
    std::vector<unsigned char> bytes;  // RGBA or RGB rows, tightly packed
    std::vector<uint32_t> argbPixels;  // filled instead of bytes where BGRA bytes are ARGB words
    std::vector<unsigned char*> rows;
};

constexpr bool LITTLE_ENDIAN_WORDS = std::endian::native == std::endian::little;

// Only plain locals live in the frames that libpng and libjpeg jump back into; the picture
// goes to storage owned by the caller.
// Reads the PNG that `attach` connects to libpng. With `headerOnly` it stops after the chunks
// before the picture data (their checksums checked), leaving only out->w and out->h.
template <class Attach>
bool readPNGRaw(Attach attach, RawPicture* out, bool headerOnly) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, pngError, pngWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    attach(png);
    png_read_info(png, info);
    png_uint_32 w = 0, h = 0;
    int depth = 0, colorType = 0;
    png_get_IHDR(png, info, &w, &h, &depth, &colorType, nullptr, nullptr, nullptr);
    if (w == 0 || h == 0 || (unsigned long long)w * h > MAX_PIXELS) png_error(png, "size");
    if (headerOnly) {
        out->w = w;
        out->h = h;
        png_destroy_read_struct(&png, &info, nullptr);
        return true;
    }
    const bool hasAlpha = (colorType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
    if (depth == 16) png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    if (LITTLE_ENDIAN_WORDS) png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t(w) * 4) png_error(png, "layout");
    out->w = w;
    out->h = h;
    out->alpha = hasAlpha;
    unsigned char* base;
    if (LITTLE_ENDIAN_WORDS) {
        out->argbPixels.resize(size_t(w) * h);
        base = reinterpret_cast<unsigned char*>(out->argbPixels.data());
    } else {
        out->bytes.resize(size_t(w) * h * 4);
        base = out->bytes.data();
    }
    out->rows.resize(h);
    for (png_uint_32 y = 0; y < h; ++y) out->rows[y] = base + size_t(y) * w * 4;
    png_read_image(png, out->rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

bool decodePNGRaw(const std::vector<unsigned char>& bytes, RawPicture* out) {
    PngReader reader{bytes.data(), bytes.size(), 0};
    return readPNGRaw([&reader](png_structp png) { png_set_read_fn(png, &reader, pngRead); }, out, false);
}

PixelBufferPtr decodePNG(const std::vector<unsigned char>& bytes) {
    RawPicture raw;
    if (!decodePNGRaw(bytes, &raw)) return nullptr;
    auto result = std::make_shared<PixelBuffer>();
    result->width = int(raw.w);
    result->height = int(raw.h);
    result->format = raw.alpha ? PF_RGBA : PF_RGB;
    if (LITTLE_ENDIAN_WORDS) {
        result->pixels = std::move(raw.argbPixels);
        return result;
    }
    result->pixels.resize(size_t(raw.w) * raw.h);
    const unsigned char* s = raw.bytes.data();
    for (auto& p : result->pixels) {
        p = argb(s[3], s[0], s[1], s[2]);
        s += 4;
    }
    return result;
}

void pngWrite(png_structp png, png_bytep data, png_size_t n) {
    auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
}
void pngFlush(png_structp) {}

bool encodePNG(const PixelBuffer& buf, int level, std::vector<unsigned char>& out) {
    if (buf.width <= 0 || buf.height <= 0 || buf.pixels.size() != size_t(buf.width) * buf.height) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, pngError, pngWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    const bool alpha = buf.format == PF_RGBA;
    const int channels = alpha ? 4 : 3;
    std::vector<unsigned char> row(size_t(buf.width) * channels);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, pngWrite, pngFlush);
    png_set_compression_level(png, level < 0 ? 0 : level > 9 ? 9 : level);
    png_set_IHDR(png, info, png_uint_32(buf.width), png_uint_32(buf.height), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < buf.height; ++y) {
        const uint32_t* src = &buf.pixels[size_t(y) * buf.width];
        unsigned char* d = row.data();
        for (int x = 0; x < buf.width; ++x) {
            const uint32_t p = src[x];
            *d++ = (unsigned char)(p >> 16);
            *d++ = (unsigned char)(p >> 8);
            *d++ = (unsigned char)p;
            if (alpha) *d++ = (unsigned char)(p >> 24);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

// ---- JPEG ----

struct JpegError {
    jpeg_error_mgr mgr;
    jmp_buf jump;
    bool damaged = false;
};

// libjpeg's own handler exits the process; ours jumps back to the caller.
void jpegErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<JpegError*>(cinfo->err);
    longjmp(err->jump, 1);
}

// Warnings are how libjpeg reports corrupt or truncated data that it would otherwise
// paper over with grey: the picture is damaged, so the load fails.
void jpegEmitMessage(j_common_ptr cinfo, int level) {
    if (level < 0) reinterpret_cast<JpegError*>(cinfo->err)->damaged = true;
}

void jpegSilent(j_common_ptr) {}

// Routes libjpeg's errors and warnings to `err` instead of exiting or printing.
jpeg_error_mgr* installJpegErrors(JpegError& err) {
    jpeg_error_mgr* mgr = jpeg_std_error(&err.mgr);
    mgr->error_exit = jpegErrorExit;
    mgr->emit_message = jpegEmitMessage;
    mgr->output_message = jpegSilent;
    return mgr;
}

// Reads the JPEG that `attach` connects to libjpeg. With `headerOnly` it stops after the
// markers before the picture data (an early end is a warning there, then an error), leaving
// only out->w and out->h.
template <class Attach>
bool readJPEGRaw(Attach attach, RawPicture* out, bool headerOnly) {
    jpeg_decompress_struct cinfo;
    JpegError err;
    cinfo.err = installJpegErrors(err);
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    attach(&cinfo);
    jpeg_read_header(&cinfo, TRUE);
    // The size is checked before decoding starts: a progressive file has its whole
    // coefficient store allocated (and its data read) by jpeg_start_decompress.
    if (cinfo.image_width == 0 || cinfo.image_height == 0 ||
        (unsigned long long)cinfo.image_width * cinfo.image_height > MAX_PIXELS) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    if (headerOnly) {
        out->w = cinfo.image_width;
        out->h = cinfo.image_height;
        const bool whole = !err.damaged;
        jpeg_destroy_decompress(&cinfo);
        return whole;
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const unsigned w = cinfo.output_width, h = cinfo.output_height;
    if (err.damaged || w == 0 || h == 0 || (unsigned long long)w * h > MAX_PIXELS || cinfo.output_components != 3) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    out->w = w;
    out->h = h;
    out->bytes.resize(size_t(w) * h * 3);
    while (cinfo.output_scanline < h) {
        JSAMPROW r = out->bytes.data() + size_t(cinfo.output_scanline) * w * 3;
        if (jpeg_read_scanlines(&cinfo, &r, 1) != 1 || err.damaged) break;
    }
    const bool complete = cinfo.output_scanline == h;
    if (complete) jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return complete && !err.damaged;
}

bool decodeJPEGRaw(const std::vector<unsigned char>& bytes, RawPicture* out) {
    return readJPEGRaw(
        [&bytes](j_decompress_ptr cinfo) { jpeg_mem_src(cinfo, bytes.data(), (unsigned long)bytes.size()); }, out,
        false);
}

PixelBufferPtr decodeJPEG(const std::vector<unsigned char>& bytes) {
    RawPicture raw;
    if (!decodeJPEGRaw(bytes, &raw)) return nullptr;
    auto result = std::make_shared<PixelBuffer>(int(raw.w), int(raw.h), PF_RGB);
    const unsigned char* s = raw.bytes.data();
    for (auto& p : result->pixels) {
        p = argb(255, s[0], s[1], s[2]);
        s += 3;
    }
    return result;
}

struct JpegMemory {
    unsigned char* data = nullptr;
    unsigned long size = 0;
    std::vector<unsigned char> row;
};

bool encodeJPEGRaw(const PixelBuffer& buf, int quality, JpegMemory* m) {
    jpeg_compress_struct cinfo;
    JpegError err;
    cinfo.err = installJpegErrors(err);
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &m->data, &m->size);
    cinfo.image_width = JDIMENSION(buf.width);
    cinfo.image_height = JDIMENSION(buf.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality < 1 ? 1 : quality > 100 ? 100 : quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        const uint32_t* src = &buf.pixels[size_t(cinfo.next_scanline) * buf.width];
        unsigned char* d = m->row.data();
        for (int x = 0; x < buf.width; ++x) {
            *d++ = (unsigned char)(src[x] >> 16);
            *d++ = (unsigned char)(src[x] >> 8);
            *d++ = (unsigned char)src[x];
        }
        JSAMPROW r = m->row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

bool encodeJPEG(const PixelBuffer& buf, int quality, std::vector<unsigned char>& out) {
    if (buf.width <= 0 || buf.height <= 0 || buf.pixels.size() != size_t(buf.width) * buf.height) return false;
    JpegMemory m;
    m.row.resize(size_t(buf.width) * 3);
    const bool ok = encodeJPEGRaw(buf, quality, &m);
    if (ok) out.assign(m.data, m.data + m.size);
    std::free(m.data);
    return ok;
}

// ---- Resampling ----

// Weights of the source samples that make up one destination sample along one axis:
// an area average when shrinking (every source pixel counts by its overlap), a linear
// interpolation between pixel centres when enlarging.
struct Taps {
    std::vector<int> first;     // first source index per destination index
    std::vector<int> count;
    std::vector<float> weights; // count[i] weights per destination index, at offset[i]
    std::vector<int> offset;
};

Taps makeTaps(int src, int dst) {
    Taps t;
    t.first.resize(size_t(dst));
    t.count.resize(size_t(dst));
    t.offset.resize(size_t(dst));
    const double scale = double(src) / double(dst);
    for (int i = 0; i < dst; ++i) {
        t.offset[size_t(i)] = int(t.weights.size());
        if (scale > 1.0) {
            const double a = i * scale, b = (i + 1) * scale;
            int s0 = int(a), s1 = int(b);
            if (s1 >= src) s1 = src - 1;
            double total = 0;
            for (int s = s0; s <= s1; ++s) {
                double lo = s > a ? s : a, hi = s + 1 < b ? s + 1 : b;
                double w = hi - lo;
                if (w < 0) w = 0;
                t.weights.push_back(float(w));
                total += w;
            }
            for (int k = 0; k <= s1 - s0; ++k) t.weights[size_t(t.offset[size_t(i)] + k)] /= float(total);
            t.first[size_t(i)] = s0;
            t.count[size_t(i)] = s1 - s0 + 1;
        } else {
            double c = (i + 0.5) * scale - 0.5;
            if (c < 0) c = 0;
            if (c > src - 1) c = src - 1;
            int s0 = int(c);
            double f = c - s0;
            if (s0 + 1 >= src) {
                t.weights.push_back(1.0f);
                t.count[size_t(i)] = 1;
            } else {
                t.weights.push_back(float(1.0 - f));
                t.weights.push_back(float(f));
                t.count[size_t(i)] = 2;
            }
            t.first[size_t(i)] = s0;
        }
    }
    return t;
}

}  // namespace

namespace {

enum PictureKind { NOT_A_PICTURE, PNG_PICTURE, JPEG_PICTURE };

// Chosen by content, from the first eight bytes.
PictureKind pictureKind(const unsigned char* head, size_t n) {
    static const unsigned char pngSig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (n < 8) return NOT_A_PICTURE;
    if (std::memcmp(head, pngSig, 8) == 0) return PNG_PICTURE;
    if (head[0] == 0xFF && head[1] == 0xD8) return JPEG_PICTURE;
    return NOT_A_PICTURE;
}

}  // namespace

bool readImageHeader(const std::string& path, int& width, int& height) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    unsigned char head[8] = {};
    const size_t got = std::fread(head, 1, sizeof head, f);
    std::rewind(f);
    RawPicture raw;
    bool ok = false;
    switch (pictureKind(head, got)) {
    case PNG_PICTURE: ok = readPNGRaw([f](png_structp png) { png_init_io(png, f); }, &raw, true); break;
    case JPEG_PICTURE: ok = readJPEGRaw([f](j_decompress_ptr cinfo) { jpeg_stdio_src(cinfo, f); }, &raw, true); break;
    case NOT_A_PICTURE: break;
    }
    std::fclose(f);
    if (!ok) return false;
    width = int(raw.w);
    height = int(raw.h);
    return true;
}

PixelBufferPtr loadPixels(const std::string& path) {
    std::vector<unsigned char> bytes;
    if (!loadBytes(path, bytes)) return nullptr;
    switch (pictureKind(bytes.data(), bytes.size())) {
    case PNG_PICTURE: return decodePNG(bytes);
    case JPEG_PICTURE: return decodeJPEG(bytes);
    case NOT_A_PICTURE: break;
    }
    return nullptr;
}

PixelBufferPtr createPixels(int w, int h) {
    if (w <= 0 || h <= 0 || (unsigned long long)w * h > MAX_PIXELS) return nullptr;
    return std::make_shared<PixelBuffer>(w, h, PF_RGB, 0xFF000000u);
}

PixelBufferPtr resizePixels(const PixelBuffer& src, int w, int h) {
    if (src.width <= 0 || src.height <= 0 || src.pixels.size() != size_t(src.width) * src.height) return nullptr;
    // A size truncated to nothing still gives a picture of one pixel.
    if (w < 1) w = 1;
    if (h < 1) h = 1;
    if ((unsigned long long)w * h > MAX_PIXELS) return nullptr;
    auto out = std::make_shared<PixelBuffer>(w, h, src.format);
    if (w == src.width && h == src.height) {
        out->pixels = src.pixels;
        return out;
    }
    // Premultiplied, so transparent pixels lend no colour to their neighbours.
    const Taps tx = makeTaps(src.width, w), ty = makeTaps(src.height, h);
    std::vector<float> mid(size_t(w) * src.height * 4);
    for (int y = 0; y < src.height; ++y) {
        const uint32_t* row = &src.pixels[size_t(y) * src.width];
        float* m = &mid[size_t(y) * w * 4];
        for (int x = 0; x < w; ++x) {
            float a = 0, r = 0, g = 0, b = 0;
            const float* wt = &tx.weights[size_t(tx.offset[size_t(x)])];
            for (int k = 0; k < tx.count[size_t(x)]; ++k) {
                const uint32_t p = row[tx.first[size_t(x)] + k];
                const float pa = float(p >> 24) * wt[k];
                a += pa;
                r += float((p >> 16) & 255) * pa;
                g += float((p >> 8) & 255) * pa;
                b += float(p & 255) * pa;
            }
            m[x * 4 + 0] = a;
            m[x * 4 + 1] = r;
            m[x * 4 + 2] = g;
            m[x * 4 + 3] = b;
        }
    }
    for (int y = 0; y < h; ++y) {
        const float* wt = &ty.weights[size_t(ty.offset[size_t(y)])];
        uint32_t* d = &out->pixels[size_t(y) * w];
        for (int x = 0; x < w; ++x) {
            float a = 0, r = 0, g = 0, b = 0;
            for (int k = 0; k < ty.count[size_t(y)]; ++k) {
                const float* m = &mid[(size_t(ty.first[size_t(y)] + k) * w + x) * 4];
                a += m[0] * wt[k];
                r += m[1] * wt[k];
                g += m[2] * wt[k];
                b += m[3] * wt[k];
            }
            auto clamp = [](float v) { return v <= 0 ? 0 : v >= 255 ? 255 : int(v + 0.5f); };
            if (a <= 0.0f) {
                d[x] = src.format == PF_RGB ? 0xFF000000u : 0u;
                continue;
            }
            d[x] = argb(src.format == PF_RGB ? 255 : clamp(a), clamp(r / a), clamp(g / a), clamp(b / a));
        }
    }
    return out;
}

// Saved like every other file (saveBytes): to a temporary file that reaches the disk before it
// is renamed over the old one. The image cache is never rebuilt once written, so a picture
// cut short by a crash or a power loss would stay broken for good.
bool savePNG(const PixelBuffer& buf, const std::string& path, int level) {
    std::vector<unsigned char> bytes;
    return encodePNG(buf, level, bytes) && saveBytes(bytes, path);
}

bool saveJPEG(const PixelBuffer& buf, const std::string& path, int quality) {
    std::vector<unsigned char> bytes;
    return encodeJPEG(buf, quality, bytes) && saveBytes(bytes, path);
}

// ---- Images ----

ImagePtr Image::load(const std::string& path, int cellW, int cellH, int first, int count) {
    PixelBufferPtr px = loadPixels(path);
    if (!px) return nullptr;
    if (cellW <= 0 || cellH <= 0) return fromPixels(*px);
    // Every requested cell must lie inside the strip; a short strip is a damaged asset.
    const int cols = px->width / cellW, rows = px->height / cellH;
    if (first < 0 || count < 1 || cols < 1 || rows < 1 || (long long)first + count > (long long)cols * rows)
        return nullptr;
    auto img = std::make_shared<Image>();
    img->w_ = cellW;
    img->h_ = cellH;
    img->frames_.reserve(size_t(count));
    for (int i = first; i < first + count; ++i) {
        const int cx = (i % cols) * cellW, cy = (i / cols) * cellH;
        PixelBuffer cell(cellW, cellH, px->format);
        for (int y = 0; y < cellH; ++y)
            std::memcpy(&cell.pixels[size_t(y) * cellW], &px->pixels[size_t(cy + y) * px->width + cx],
                        size_t(cellW) * 4);
        img->frames_.push_back(std::move(cell));
    }
    return img;
}

ImagePtr Image::fromPixels(const PixelBuffer& b) {
    if (b.width <= 0 || b.height <= 0) return nullptr;
    auto i = std::make_shared<Image>();
    i->w_ = b.width;
    i->h_ = b.height;
    i->frames_.push_back(b);
    return i;
}

ImagePtr Image::create(int w, int h, int frames) {
    if (w <= 0 || h <= 0 || frames < 1 || (unsigned long long)w * h > MAX_PIXELS / unsigned(frames)) return nullptr;
    auto i = std::make_shared<Image>();
    i->w_ = w;
    i->h_ = h;
    for (int k = 0; k < frames; ++k) i->frames_.emplace_back(w, h, PF_RGBA, 0u);
    return i;
}

PixelBufferPtr Image::lockFrame(int f) const {
    if (f < 0 || f >= frameCount()) return nullptr;
    return std::make_shared<PixelBuffer>(frames_[size_t(f)]);
}

void Image::unlockFrame(int f, const PixelBuffer& b) {
    // A buffer of another size would break the frame's geometry; it is not taken.
    if (f < 0 || f >= frameCount() || b.width != w_ || b.height != h_) return;
    if (b.pixels.size() != size_t(w_) * h_) return;
    frames_[size_t(f)] = b;
}

void Image::grab(int x, int y, int f) {
    if (f < 0 || f >= frameCount()) return;
    const PixelBuffer& src = canvas().pixels();
    PixelBuffer& dst = frames_[size_t(f)];
    for (int j = 0; j < h_; ++j)
        for (int i = 0; i < w_; ++i) {
            const int sx = x + i, sy = y + j;
            dst.pixels[size_t(j) * w_ + i] = src.inside(sx, sy) ? (src.readPixel(sx, sy) | 0xFF000000u) : 0xFF000000u;
        }
}

}  // namespace plat
