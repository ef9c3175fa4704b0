#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

TEST(TextEncoding, KeepsValidUtf8) {
  EXPECT_TRUE(platform::IsValidUtf8("Caf\xC3\xA9 \xE2\x82\xAC"));
  EXPECT_EQ(platform::ToDisplayUtf8("Caf\xC3\xA9"), "Caf\xC3\xA9");
}

TEST(TextEncoding, RejectsMalformedUtf8) {
  EXPECT_FALSE(platform::IsValidUtf8("\xC3"));              // cut short
  EXPECT_FALSE(platform::IsValidUtf8("\xC0\xAF"));          // overlong
  EXPECT_FALSE(platform::IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(platform::IsValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
  EXPECT_FALSE(platform::IsValidUtf8("Caf\xE9"));
}

TEST(TextEncoding, ReadsOtherTextAsWindows1252) {
  EXPECT_EQ(platform::ToDisplayUtf8("Caf\xE9"), "Caf\xC3\xA9");
  EXPECT_EQ(platform::Cp1252ToUtf8("\x80\x99"), "\xE2\x82\xAC\xE2\x84\xA2");
  // Undefined bytes keep their own value.
  EXPECT_EQ(platform::Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
}
