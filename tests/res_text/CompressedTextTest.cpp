#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "res/CompressedText.h"
#include "tools/textpack/TextPacker.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::string Decode(const Bytes& stream, size_t limit = 100000) {
  return res::DecodeTextStream(stream.data(), stream.size(), limit);
}

// A back-reference item: position and length as the stream stores them.
void AddReference(Bytes& stream, unsigned position, unsigned length) {
  stream.push_back(static_cast<uint8_t>(position & 0xFF));
  stream.push_back(static_cast<uint8_t>(((position >> 8) << 4) | (length - 3)));
}

Bytes Resource(uint32_t stored, uint32_t textSize, const Bytes& stream) {
  Bytes bytes;
  for (uint32_t value : {stored, textSize})
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
  bytes.insert(bytes.end(), stream.begin(), stream.end());
  return bytes;
}

std::string Unpack(const Bytes& resource) { return res::UnpackTextResource(resource.data(), resource.size()); }
std::string AsText(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(TextDecoder, FlagBitsDescribeTheNextEightItemsLowestFirst) {
  // 0xA5 = 1010 0101: literal, reference, literal, reference, reference, literal, reference, literal.
  Bytes stream = {0xA5, 'a'};
  AddReference(stream, 4078, 3);  // "a" then a copy that runs into itself: "aaa"
  stream.push_back('b');
  AddReference(stream, 0, 3);        // three untouched spaces
  AddReference(stream, 4079, 4);     // "aaab" from the second byte on
  stream.push_back('c');
  AddReference(stream, 4078, 5);     // "aaaab"
  stream.push_back('d');
  // The next flag byte: one literal, then the input ends.
  stream.push_back(0x01);
  stream.push_back('e');
  EXPECT_EQ(Decode(stream), "aaaab   aaabcaaaabde");
}

TEST(TextDecoder, BackReferencesIntoTheUntouchedRingGiveSpaces) {
  Bytes stream = {0x00};
  AddReference(stream, 0, 18);
  AddReference(stream, 4077 - 2, 3);  // the last three spaces below the write position
  EXPECT_EQ(Decode(stream), std::string(21, ' '));
}

TEST(TextDecoder, PositionsWrapAroundTheRing) {
  // 18 literals fill 4078..4095 and writing goes on at 0. A reference at 4094 reads 4094 and
  // 4095, then 0 and 1, which the same copy has just written.
  Bytes stream = {0xFF};
  const std::string letters = "ABCDEFGHIJKLMNOPQR";
  for (int group = 0; group < 3; ++group) {
    if (group > 0) stream.push_back(group == 2 ? 0x03 : 0xFF);
    for (int i = 0; i < (group == 2 ? 2 : 8); ++i) stream.push_back(letters[group * 8 + i]);
  }
  AddReference(stream, 4094, 4);
  EXPECT_EQ(Decode(stream), letters + "QRQR");
}

TEST(TextDecoder, InputEndingInsideAnItemEndsTheText) {
  // A literal announced but missing.
  EXPECT_EQ(Decode({0x03, 'x'}), "x");
  // A reference with only its first byte.
  EXPECT_EQ(Decode({0x01, 'x', 0x10}), "x");
  // A flag byte and nothing after it.
  EXPECT_EQ(Decode({0xFF, 'x', 'y', 'z', 'w', 'v', 'u', 't', 's', 0xFF}), "xyzwvuts");
  EXPECT_EQ(Decode({}), "");
}

TEST(TextDecoder, OutputIsCutAtTheTextSize) {
  Bytes stream = {0x01, 'q'};
  AddReference(stream, 4078, 18);
  EXPECT_EQ(Decode(stream, 5), "qqqqq");
  EXPECT_EQ(Decode(stream, 0), "");
  EXPECT_EQ(Unpack(Resource(8 + 4, 7, stream)), "qqqqqqq");
}

TEST(TextResource, OddStoredSizeIsAcceptedWithItsPaddingByte) {
  Bytes stream = {0x07, 'a', 'b', 'c'};  // 4 bytes: S = 12, even
  EXPECT_EQ(Unpack(Resource(12, 3, stream)), "abc");
  stream = {0x03, 'a', 'b'};  // 3 bytes: S = 11, odd, stored with one padding byte
  Bytes padded = Resource(11, 2, stream);
  padded.push_back(0);
  EXPECT_EQ(Unpack(padded), "ab");
  // Without its padding byte the size does not match: the bytes are shown as they are.
  const Bytes unpadded = Resource(11, 2, stream);
  EXPECT_EQ(Unpack(unpadded), AsText(unpadded));
}

TEST(TextResource, SizeThatDoesNotMatchTheHeaderShowsTheRawBytes) {
  const Bytes stream = {0x07, 'a', 'b', 'c'};
  for (uint32_t stored : {10u, 13u, 14u, 0u, 4u, 0xFFFFFFFFu}) {
    const Bytes resource = Resource(stored, 3, stream);
    EXPECT_EQ(Unpack(resource), AsText(resource)) << stored;
  }
  // A header too short to read (and an S below the header's own size) is no compressed text.
  EXPECT_EQ(Unpack({'h', 'i', '!'}), "hi!");
  const Bytes tiny = Resource(4, 0, {});
  EXPECT_EQ(Unpack(Bytes(tiny.begin(), tiny.begin() + 4)), AsText(Bytes(tiny.begin(), tiny.begin() + 4)));
}

TEST(TextResource, TextSizeBeyondTheStreamKeepsWhatWasDecoded) {
  // U promises far more than the stream holds: the text ends where decoding ended.
  const Bytes stream = {0x03, 'o', 'k'};
  Bytes resource = Resource(11, 0x7FFFFFFF, stream);
  resource.push_back(0);
  EXPECT_EQ(Unpack(resource), "ok");
}

TEST(TextPacker, RoundTripsRandomTexts) {
  std::mt19937 random(20240531);
  const std::string words[] = {"the ", "lantern ", "fox ", "\n", "\r\n", "\t", "  ", "story ", "Bramble"};
  for (int round = 0; round < 40; ++round) {
    std::string text;
    const size_t length = random() % 3000;
    const int kind = round % 3;
    while (text.size() < length) {
      if (kind == 0) text += static_cast<char>(random() % 256);           // any bytes
      else if (kind == 1) text += words[random() % std::size(words)];      // repetitive prose
      else text += static_cast<char>(' ' + random() % 3);                  // long runs near spaces
    }
    const std::vector<uint8_t> resource = PackTextResource(text);
    EXPECT_EQ(resource.size() % 2, 0u);
    EXPECT_EQ(Unpack(resource), text) << "round " << round;
  }
}

TEST(TextPacker, UsesTheRingsSpacesAndRepeatsAndStoresItsSizes) {
  const std::string spaces(200, ' ');
  const std::vector<uint8_t> packed = PackTextResource(spaces);
  EXPECT_LT(packed.size(), 40u);
  EXPECT_EQ(Unpack(packed), spaces);
  const std::string text = "Once upon a time, once upon a time, once upon a time.";
  const std::vector<uint8_t> resource = PackTextResource(text);
  const uint32_t stored = resource[0] | resource[1] << 8 | resource[2] << 16 | uint32_t{resource[3]} << 24;
  const uint32_t size = resource[4] | resource[5] << 8 | resource[6] << 16 | uint32_t{resource[7]} << 24;
  EXPECT_EQ(size, text.size());
  EXPECT_EQ(resource.size(), stored + stored % 2);
  EXPECT_LT(stored, text.size());
  EXPECT_EQ(Unpack(resource), text);
  EXPECT_EQ(Unpack(PackTextResource("")), "");
}

}  // namespace
