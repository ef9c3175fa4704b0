#include "platform/SystemError.h"

#include <gtest/gtest.h>

#include <cerrno>

TEST(SystemError, DescribesKnownNumbersOnly) {
  EXPECT_EQ(platform::SystemErrorText(ENOENT), "No such file or directory");
  EXPECT_EQ(platform::SystemErrorText(987654), "");
}
