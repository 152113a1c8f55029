#include "engine/log.h"
#include "engine/random.h"

#include "platform/files.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

TEST(Log, AppendsOnlyToAnExistingFile) {
    ScratchFolder folder;
    EXPECT_FALSE(WriteLog("lost"));
    EXPECT_FALSE(FileExists("log.txt")); // never created by the game

    WriteBytes("log.txt", "earlier\r\n");
    EXPECT_TRUE(WriteLog("Device lost"));
    EXPECT_TRUE(WriteLog(""));
    EXPECT_EQ(ReadBytes("log.txt"), "earlier\r\nDevice lost\r\n\r\n");
}

TEST(Log, GoesToTheUserFolder) {
    ScratchFolder folder;
    WriteBytes("log.txt", "");
    std::filesystem::create_directory("home");
    WriteBytes("home/log.txt", "");
    files::SetHomeFolder("home");
    const bool written = WriteLog("Device lost");
    files::SetHomeFolder("");
    EXPECT_TRUE(written);
    EXPECT_EQ(ReadBytes("home/log.txt"), "Device lost\r\n");
    EXPECT_EQ(ReadBytes("log.txt"), "");
}

TEST(Random, LinearCongruentialSequence) {
    Randomize(1);
    EXPECT_EQ(Random(100), 3); // seed 134775814
    EXPECT_EQ(RandomSeed(), 134775814u);
    EXPECT_EQ(Random(1000), 861); // seed 3698175007
    EXPECT_EQ(Random(100), 20);   // seed 870078620

    Randomize(0xFFFFFFFFu);
    EXPECT_EQ(Random(7), 6); // wraps modulo 2^32 to 4160191484
    EXPECT_EQ(Random(0), 0);

    Randomize(99);
    for (int i = 0; i < 1000; ++i) {
        int32_t value = Random(6);
        ASSERT_TRUE(value >= 0 && value < 6);
        float f = RandomFloat();
        ASSERT_TRUE(f >= 0.0f && f < 1.0f);
    }
}
