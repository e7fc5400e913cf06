#include <gtest/gtest.h>
TEST(RichTextBoxPlaceholder, Builds) { SUCCEED(); }
