#include "platform/files.h"

#include "support/scratch_folder.h"

#include <gtest/gtest.h>

TEST(Files, GamePathsUseBackslashes) {
    ScratchFolder folder;
    EXPECT_EQ(files::NativePath("lvl\\01.dat"), "lvl/01.dat");
    ASSERT_TRUE(files::MakeFolder("customlvl"));
    WriteBytes("customlvl/b.dat", "b");
    WriteBytes("customlvl/a.dat", "a");
    WriteBytes("customlvl/a.tim", "t");
    WriteBytes("customlvl/dat", "no dot");
    ASSERT_TRUE(files::MakeFolder("customlvl\\folder.dat"));
    EXPECT_EQ(files::List("customlvl\\*.dat"), (std::vector<std::string>{"a.dat", "b.dat"}));
    EXPECT_TRUE(files::List("missing\\*.dat").empty());

    EXPECT_TRUE(files::Exists("customlvl\\a.dat"));
    EXPECT_TRUE(files::Delete("customlvl\\a.dat"));
    EXPECT_FALSE(files::Exists("customlvl\\a.dat"));
    EXPECT_FALSE(files::Delete("customlvl\\a.dat"));

    std::string bytes = "stale";
    EXPECT_FALSE(files::ReadAll("customlvl\\a.dat", bytes));
    EXPECT_TRUE(files::ReadAll("customlvl\\b.dat", bytes));
    EXPECT_EQ(bytes, "b");
}

TEST(Files, WriteSafelyKeepsTheOldFileOnFailure) {
    ScratchFolder folder;
    ASSERT_TRUE(files::WriteSafely("save.dat", std::string("first\0\xff", 7)));
    EXPECT_EQ(ReadBytes("save.dat"), std::string("first\0\xff", 7));
    ASSERT_TRUE(files::WriteSafely("save.dat", "second"));
    EXPECT_EQ(ReadBytes("save.dat"), "second");

    // The disk fills up part-way through the new contents: the old file stays whole and
    // no temporary file is left behind.
    files::SimulateFullDiskAfter(3);
    EXPECT_FALSE(files::WriteSafely("save.dat", "third, much longer"));
    files::SimulateFullDiskAfter(-1);
    EXPECT_EQ(ReadBytes("save.dat"), "second");
    EXPECT_EQ(files::List("*"), std::vector<std::string>{"save.dat"});

    EXPECT_FALSE(files::WriteSafely("missing\\save.dat", "x"));
}

TEST(Files, AppendOnlyToExisting) {
    ScratchFolder folder;
    EXPECT_FALSE(files::AppendToExisting("log.txt", "x"));
    EXPECT_FALSE(FileExists("log.txt"));
    WriteBytes("log.txt", "a");
    EXPECT_TRUE(files::AppendToExisting("log.txt", "b"));
    EXPECT_EQ(ReadBytes("log.txt"), "ab");
}

TEST(Files, ProgramFolderIsCurrentAfterChange) {
    ScratchFolder folder;
    std::string programFolder = files::ProgramFolder();
    ASSERT_FALSE(programFolder.empty());
    EXPECT_EQ(programFolder.back(), '/');
    EXPECT_TRUE(files::SetCurrentFolder(programFolder));
    EXPECT_FALSE(files::SetCurrentFolder(""));
    EXPECT_FALSE(files::SetCurrentFolder("/no/such/folder"));
}
