#include "encode.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace forge::sound {

namespace {

void PutU32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void PutU16(std::string& out, uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

int16_t ToPcm(float s) {
    float clamped = std::clamp(s, -1.0f, 1.0f);
    return static_cast<int16_t>(std::lround(clamped * 32767.0f));
}

// Any fixed number will do; it only has to be the same every run.
constexpr int StreamSerial = 0x54484F4C;
constexpr int EncodeBlock = 4096;

void AppendPage(std::string& out, const ogg_page& page) {
    out.append(reinterpret_cast<const char*>(page.header), page.header_len);
    out.append(reinterpret_cast<const char*>(page.body), page.body_len);
}

} // namespace

std::string EncodeWav(const Mono& samples) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::string out;
    out.reserve(44 + dataBytes);
    out += "RIFF";
    PutU32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    PutU32(out, 16);         // fmt chunk size
    PutU16(out, 1);          // PCM
    PutU16(out, 1);          // mono
    PutU32(out, SampleRate); // frames per second
    PutU32(out, SampleRate * 2);
    PutU16(out, 2);  // bytes per frame
    PutU16(out, 16); // bits per sample
    out += "data";
    PutU32(out, dataBytes);
    for (float s : samples) PutU16(out, static_cast<uint16_t>(ToPcm(s)));
    return out;
}

std::string EncodeOgg(const Stereo& samples, float quality) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 2, SampleRate, quality) != 0) {
        vorbis_info_clear(&info);
        return {};
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, StreamSerial);

    std::string out;
    ogg_page page;
    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    // The headers get pages of their own, as decoders expect.
    while (ogg_stream_flush(&stream, &page) != 0) AppendPage(out, page);

    auto drain = [&] {
        ogg_packet packet;
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) AppendPage(out, page);
            }
        }
    };
    for (size_t start = 0; start < samples.size(); start += EncodeBlock) {
        const size_t count = std::min<size_t>(EncodeBlock, samples.size() - start);
        float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
        std::copy_n(samples.left.begin() + start, count, buffer[0]);
        std::copy_n(samples.right.begin() + start, count, buffer[1]);
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        drain();
    }
    vorbis_analysis_wrote(&dsp, 0); // end of stream
    drain();
    while (ogg_stream_flush(&stream, &page) != 0) AppendPage(out, page);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

} // namespace forge::sound
