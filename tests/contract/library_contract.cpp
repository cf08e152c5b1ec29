// Named resources of the skin library: looked up without regard to case, handed over in the
// layout the skin code decodes (a bitmap without its file header, a wave as its RIFF file).
#include <string>

#include "tests/contract/env.h"

namespace {

using platform::ResourceType;

class LibraryContract : public contract::Contract {};

TEST_F(LibraryContract, AMissingLibraryDoesNotLoad) {
  EXPECT_EQ(sys().libraries().load("qex_no_such_library.dll"), nullptr);
}

TEST_F(LibraryContract, ResourcesAreFoundByNameWithoutRegardToCase) {
  auto skin = sys().libraries().load(skinLibrary());
  ASSERT_NE(skin, nullptr) << skinLibrary();
  EXPECT_NE(skin->handle(), 0u);

  auto bitmap = skin->resource(ResourceType::Bitmap, "Error");
  ASSERT_TRUE(bitmap.has_value());
  ASSERT_GE(bitmap->size(), 40u);
  EXPECT_EQ(bitmap->substr(0, 4), std::string("\x28\x00\x00\x00", 4));  // BITMAPINFOHEADER
  // Where the library holds them, not a copy: the same place each time.
  EXPECT_EQ(skin->resource(ResourceType::Bitmap, "error")->data(), bitmap->data());

  auto wave = skin->resource(ResourceType::Wave, "WARNING");
  ASSERT_TRUE(wave.has_value());
  EXPECT_EQ(wave->substr(0, 4), "RIFF");
  EXPECT_EQ(wave->substr(8, 4), "WAVE");

  EXPECT_EQ(skin->resource(ResourceType::Bitmap, "warning"), std::nullopt);  // a wave, not a bitmap
  EXPECT_EQ(skin->resource(ResourceType::Wave, "qex_no_such_sound"), std::nullopt);
}

}  // namespace
