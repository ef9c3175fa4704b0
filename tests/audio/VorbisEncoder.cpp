#include "tests/audio/VorbisEncoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>

namespace vorbis_test {

namespace {

void WritePages(ogg_stream_state& stream, std::string& out, bool flush) {
  ogg_page page;
  while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
    out.append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
    out.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
  }
}

}  // namespace

std::string Encode(int channels, long rate, long frames, const SampleSource& source,
                   float quality, int serial) {
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, channels, rate, quality) != 0) {
    vorbis_info_clear(&info);
    return std::string();
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_comment_add_tag(&comment, "TITLE", "test tone");
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, serial);

  std::string out;
  ogg_packet header, commentHeader, codeHeader;
  vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &commentHeader);
  ogg_stream_packetin(&stream, &codeHeader);
  WritePages(stream, out, true);

  const long kChunk = 1024;
  long done = 0;
  bool ended = false;
  while (!ended) {
    long count = std::min(kChunk, frames - done);
    if (count > 0) {
      float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
      for (long i = 0; i < count; ++i)
        for (int c = 0; c < channels; ++c) buffer[c][i] = source(done + i, c);
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
        WritePages(stream, out, false);
      }
    }
  }
  WritePages(stream, out, true);

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}

SampleSource Sine(double frequency, long rate, float amplitude) {
  return [=](long frame, int channel) {
    double level = amplitude * (0.6 + 0.4 * channel / 6.0);
    return static_cast<float>(level * std::sin(2.0 * M_PI * frequency * frame / rate + channel));
  };
}

}  // namespace vorbis_test
