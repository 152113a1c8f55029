#pragma once
// Readers for the two sound file forms, written independently of the forge's writers so the
// tests check the files against the formats rather than against our own code.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <vorbis/vorbisfile.h>

namespace audiofiles {

struct Wav {
    bool ok = false;
    std::string problem;
    int channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples;
    double Seconds() const { return rate ? double(samples.size()) / channels / rate : 0; }
};

inline uint32_t U32(const std::string& b, size_t at) {
    return uint8_t(b[at]) | uint8_t(b[at + 1]) << 8 | uint8_t(b[at + 2]) << 16 |
           uint32_t(uint8_t(b[at + 3])) << 24;
}
inline uint16_t U16(const std::string& b, size_t at) {
    return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}

// Walks the RIFF chunks as a player would: "fmt " must come before "data".
inline Wav ReadWav(const std::string& bytes) {
    Wav w;
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        w.problem = "not a RIFF WAVE file";
        return w;
    }
    if (U32(bytes, 4) != bytes.size() - 8) {
        w.problem = "RIFF size does not match the file";
        return w;
    }
    bool haveFormat = false;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const uint32_t size = U32(bytes, at + 4);
        if (at + 8 + size > bytes.size()) {
            w.problem = "chunk " + id + " runs past the end";
            return w;
        }
        if (id == "fmt ") {
            if (size < 16 || U16(bytes, at + 8) != 1) {
                w.problem = "not PCM";
                return w;
            }
            w.channels = U16(bytes, at + 10);
            w.rate = int(U32(bytes, at + 12));
            w.bits = U16(bytes, at + 22);
            const uint32_t byteRate = U32(bytes, at + 16);
            if (byteRate != uint32_t(w.rate * w.channels * w.bits / 8)) {
                w.problem = "byte rate does not match";
                return w;
            }
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat || w.bits != 16) {
                w.problem = "data before a 16-bit format";
                return w;
            }
            w.samples.resize(size / 2);
            std::memcpy(w.samples.data(), bytes.data() + at + 8, size / 2 * 2);
            w.ok = true;
            return w;
        }
        at += 8 + size + (size & 1);
    }
    w.problem = "no data chunk";
    return w;
}

struct Ogg {
    bool ok = false;
    int channels = 0;
    long rate = 0;
    std::vector<float> left, right;
    double Seconds() const { return rate ? double(left.size()) / rate : 0; }
};

// Decodes a whole Ogg Vorbis file held in memory.
inline Ogg DecodeOgg(const std::string& bytes) {
    struct Source {
        const std::string* bytes;
        size_t pos;
    } source{&bytes, 0};
    ov_callbacks callbacks{};
    callbacks.read_func = [](void* out, size_t size, size_t count, void* data) -> size_t {
        auto* s = static_cast<Source*>(data);
        const size_t n = std::min(size * count, s->bytes->size() - s->pos);
        std::memcpy(out, s->bytes->data() + s->pos, n);
        s->pos += n;
        return size ? n / size : 0;
    };
    Ogg result;
    OggVorbis_File file;
    if (ov_open_callbacks(&source, &file, nullptr, 0, callbacks) != 0) return result;
    const vorbis_info* info = ov_info(&file, -1);
    result.channels = info->channels;
    result.rate = info->rate;
    int section = 0;
    for (;;) {
        float** pcm = nullptr;
        const long frames = ov_read_float(&file, &pcm, 4096, &section);
        if (frames < 0) {
            ov_clear(&file);
            return result;
        }
        if (frames == 0) break;
        result.left.insert(result.left.end(), pcm[0], pcm[0] + frames);
        result.right.insert(result.right.end(), pcm[result.channels > 1 ? 1 : 0],
                            pcm[result.channels > 1 ? 1 : 0] + frames);
    }
    ov_clear(&file);
    result.ok = true;
    return result;
}

} // namespace audiofiles
