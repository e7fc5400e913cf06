#include <gtest/gtest.h>
TEST(WriterPlaceholder, Builds) { SUCCEED(); }
