#include "platform/CaseFolding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using Names = std::vector<std::string>;

const char kCafeUtf8[] = "Caf\xC3\xA9";          // Café, composed
const char kCafeUpperCp1252[] = "CAF\xC9";       // CAFÉ in Windows-1252
const char kCafeDecomposed[] = "cafe\xCC\x81";   // café, e and a combining acute accent

}  // namespace

TEST(CaseFolding, IgnoresCaseOfEveryLetterInEitherEncoding) {
  EXPECT_TRUE(platform::EqualsIgnoringCase(kCafeUpperCp1252, kCafeUtf8));
  EXPECT_TRUE(platform::EqualsIgnoringCase(kCafeDecomposed, kCafeUpperCp1252));
  EXPECT_TRUE(platform::EqualsIgnoringCase("\xC3\x84RGER \xC3\x9C" "BER", "\xC3\xA4rger \xC3\xBC" "ber"));
  EXPECT_TRUE(platform::EqualsIgnoringCase("Tree.BMP", "tree.bmp"));
  EXPECT_TRUE(platform::EqualsIgnoringCase("kelvin", "\xE2\x84\xAA" "elvin"));  // the Kelvin sign
  EXPECT_EQ(platform::FoldCase(kCafeUpperCp1252), platform::FoldCase(kCafeDecomposed));
  EXPECT_TRUE(platform::StartsWithIgnoringCase(kCafeUtf8, "CAF\xC3\x89"));

  // Accents are letters of their own; simple folding leaves ß as it is.
  EXPECT_FALSE(platform::EqualsIgnoringCase("cafe", kCafeUtf8));
  EXPECT_FALSE(platform::EqualsIgnoringCase("e", "\xE9"));
  EXPECT_FALSE(platform::EqualsIgnoringCase("stra\xC3\x9F" "e", "STRASSE"));
  EXPECT_FALSE(platform::EqualsIgnoringCase("Tree.bmp", "Tree.bm"));
}

TEST(CaseFolding, SortsAccentedNamesBesideTheirLetters) {
  Names names = {"z", "\xC9" "cume", "Eduard", "ecume", "_x", "B", "a"};
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return platform::CompareIgnoringCase(a, b) < 0;
  });
  EXPECT_EQ(names, (Names{"_x", "a", "B", "ecume", "\xC9" "cume", "Eduard", "z"}));
  EXPECT_EQ(platform::CompareIgnoringCase(kCafeUpperCp1252, kCafeDecomposed), 0);

  // The sort key orders as the comparison does.
  for (const std::string& a : names)
    for (const std::string& b : names) {
      int byKey = platform::SortKeyIgnoringCase(a).compare(platform::SortKeyIgnoringCase(b));
      EXPECT_EQ((byKey > 0) - (byKey < 0), platform::CompareIgnoringCase(a, b)) << a << " " << b;
    }
}
