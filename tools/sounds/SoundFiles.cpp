#include "tools/sounds/SoundFiles.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/LittleEndian.h"

namespace {

void AppendPages(ogg_stream_state& stream, std::string& out, bool flush) {
  ogg_page page;
  while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
    out.append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
    out.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
  }
}

}  // namespace

std::string EncodeWav(const std::vector<float>& samples, int channels, int rate, int bits) {
  const uint32_t bytesPerSample = bits == 8 ? 1 : 2;
  const uint32_t dataSize = static_cast<uint32_t>(samples.size()) * bytesPerSample;
  std::string out = "RIFF";
  PutLe32(out, 4 + 8 + 16 + 8 + dataSize + (dataSize & 1));
  out += "WAVEfmt ";
  PutLe32(out, 16);
  PutLe16(out, 1);  // PCM
  PutLe16(out, static_cast<uint16_t>(channels));
  PutLe32(out, static_cast<uint32_t>(rate));
  PutLe32(out, static_cast<uint32_t>(rate) * static_cast<uint32_t>(channels) * bytesPerSample);
  PutLe16(out, static_cast<uint16_t>(channels * bytesPerSample));
  PutLe16(out, static_cast<uint16_t>(bits));
  out += "data";
  PutLe32(out, dataSize);
  for (float sample : samples) {
    double clipped = std::clamp(static_cast<double>(sample), -1.0, 1.0);
    if (bits == 8) {
      out += static_cast<char>(std::lround(128 + clipped * 127));
    } else {
      PutLe16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(clipped * 32767))));
    }
  }
  if (dataSize & 1) out += '\0';
  return out;
}

std::string EncodeOgg(const std::vector<float>& samples, int channels, int rate, float quality, int serial,
                      const std::string& title) {
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, channels, rate, quality) != 0) {
    vorbis_info_clear(&info);
    return std::string();
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_comment_add_tag(&comment, "TITLE", title.c_str());
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, serial);

  std::string out;
  ogg_packet identification, commentHeader, codebooks;
  vorbis_analysis_headerout(&dsp, &comment, &identification, &commentHeader, &codebooks);
  ogg_stream_packetin(&stream, &identification);
  ogg_stream_packetin(&stream, &commentHeader);
  ogg_stream_packetin(&stream, &codebooks);
  AppendPages(stream, out, true);

  const long frames = static_cast<long>(samples.size()) / channels;
  const long kChunk = 1024;
  long done = 0;
  bool ended = false;
  while (!ended) {
    long count = std::min(kChunk, frames - done);
    if (count > 0) {
      float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
      for (long i = 0; i < count; ++i)
        for (int c = 0; c < channels; ++c) buffer[c][i] = samples[static_cast<size_t>((done + i) * channels + c)];
      vorbis_analysis_wrote(&dsp, static_cast<int>(count));
      done += count;
    } else {
      vorbis_analysis_wrote(&dsp, 0);  // the end of the stream
      ended = true;
    }
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
        ogg_stream_packetin(&stream, &packet);
        AppendPages(stream, out, false);
      }
    }
  }
  AppendPages(stream, out, true);

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}
