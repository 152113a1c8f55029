#include "render/textures.h"

#include <gtest/gtest.h>

#include "fixtures.h"
#include "platform/gpu/recording_device.h"

namespace {

struct Box {
    std::string text;
    MessageIcon icon;
};

class TextureCacheTest : public ::testing::Test {
  protected:
    void SetUp() override {
        cache.SetDevice(&device);
        ShowMessage = [this](std::string_view text, MessageIcon icon) {
            boxes.push_back({std::string(text), icon});
        };
    }
    void TearDown() override { ShowMessage = MessageToStderr; }
    fixtures::ScratchFolder folder;
    gpu::RecordingDevice device;
    ttextures cache;
    std::vector<Box> boxes;
};

} // namespace

TEST_F(TextureCacheTest, EachExactNameIsLoadedOnce) {
    fixtures::WriteSolidPng(folder.File("stone.png"), 8, 4, 0xff112233);
    const gpu::TexturePtr a = cache.GetTexture(folder.File("stone.png"));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Width(), 8);
    EXPECT_EQ(a->Height(), 4);
    EXPECT_EQ(cache.GetTexture(folder.File("stone.png")), a);
    EXPECT_EQ(cache.Entries().size(), 1u);

    // Another spelling is another entry, even when it names the same picture.
    fixtures::WriteSolidPng(folder.File("STONE.png"), 8, 4, 0xff112233);
    const gpu::TexturePtr b = cache.GetTexture(folder.File("STONE.png"));
    EXPECT_NE(b, nullptr);
    EXPECT_NE(b, a);
    EXPECT_EQ(cache.Entries().size(), 2u);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(TextureCacheTest, AFailureIsReportedOnceAndRemembered) {
    const std::string missing = folder.File("gone.png");
    EXPECT_EQ(cache.GetTexture(missing), nullptr);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Create texture: " + missing + " failed!");
    EXPECT_EQ(boxes[0].icon, MessageIcon::Information);
    EXPECT_EQ(boxes[1].text, "4"); // the file cannot be read as a picture
    EXPECT_EQ(boxes[1].icon, MessageIcon::Error);
    // Not tried again, not reported again.
    EXPECT_EQ(cache.GetTexture(missing), nullptr);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(cache.Entries().size(), 1u);

    // Garbage in a picture's clothing fails the same way.
    fixtures::WriteFile(folder.File("bad.png"), "not a picture");
    EXPECT_EQ(cache.GetTexture(folder.File("bad.png")), nullptr);
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[3].text, "4");

    // Without a device nothing can be made: an invalid call.
    ttextures noDevice;
    EXPECT_EQ(noDevice.GetTexture("x.png"), nullptr);
    EXPECT_EQ(boxes.back().text, "3");
}
