#include "world/leveltimes.h"

#include "engine/xmlparser.h"
#include "platform/files.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

namespace {
std::string Place(const std::string& name, const std::string& time) {
    return "<Player><Name>" + name + "</Name><Time>" + time + "</Time></Player>";
}

tlvl UserLevel() {
    tlvl level;
    level.path = "customlvl\\mine.dat";
    level.id = "20260101120000000";
    level.timesfile = level.id + ".tim";
    for (tscore& place : level.times) place = {"stale", "", 42};
    return level;
}
} // namespace

TEST(LevelTimes, ReadsThePlacesFromTheLevelsFolder) {
    ScratchFolder folder;
    ASSERT_TRUE(files::MakeFolder("customlvl"));
    tlvl level = UserLevel();
    ReadFastestTimes(level, level.Folder()); // no file: six empty places
    for (const tscore& place : level.times) {
        EXPECT_EQ(place.Name, "NORESULT");
        EXPECT_EQ(place.Value, -1);
    }

    SaveScrambledDocument("customlvl\\" + level.timesfile,
                          "<Level>" + Place("ANNA", "1500") + Place("B\xfe\xff", "2500") +
                              Place("NORESULT", "-1") + Place("NORESULT", "-1") +
                              Place("NORESULT", "-1") + "</Level>");
    ReadFastestTimes(level, "customlvl\\");
    EXPECT_EQ(level.times[0].Name, "ANNA");
    EXPECT_EQ(level.times[0].Value, 1500);
    EXPECT_EQ(level.times[1].Name, "B\xfe\xff");
    EXPECT_EQ(level.times[2].Value, -1);
    EXPECT_EQ(level.times[5].Name, "NORESULT");

    ReadFastestTimes(level, "lvl\\"); // another folder holds no file of this level
    EXPECT_EQ(level.times[0].Name, "NORESULT");
}

TEST(LevelTimes, DamagedFileKeepsThePlacesReadBeforeTheFault) {
    ScratchFolder folder;
    tscore times[FastestTimePlaces + 1];
    ClearFastestTimes(times);
    SaveScrambledDocument("a.tim", "<Level>" + Place("ANNA", "1500") + Place("BEN", "2500") +
                                       Place("CAL", "fast") + "</Level>");
    ReadTimesFile("a.tim", times);
    EXPECT_EQ(times[1].Name, "BEN");
    EXPECT_EQ(times[2].Name, "NORESULT");

    ClearFastestTimes(times);
    SaveScrambledDocument("b.tim", "<Level>" + Place("ANNA", "1500")); // does not parse
    ReadTimesFile("b.tim", times);
    EXPECT_EQ(times[0].Name, "NORESULT");
    ReadTimesFile("missing.tim", times);
    EXPECT_EQ(times[0].Value, -1);
}

TEST(LevelTimes, TimesAreReadBackAsTheSixtyFourBitNumbersWritten) {
    // Past 2^31 milliseconds (about 25 days, or a tick count that wrapped) a time no longer
    // fits 32 bits; it must come back as written and not cost the places after it.
    ScratchFolder folder;
    tscore times[FastestTimePlaces + 1];
    ClearFastestTimes(times);
    SaveScrambledDocument("long.tim", "<Level>" + Place("SLOW", "3000000000") +
                                          Place("WRAP", "-4294966296") + Place("ANNA", "1500") +
                                          Place("NORESULT", "-1") + Place("NORESULT", "-1") +
                                          "</Level>");
    ReadTimesFile("long.tim", times);
    EXPECT_EQ(times[0].Value, 3000000000LL);
    EXPECT_EQ(times[1].Value, -4294966296LL);
    EXPECT_EQ(times[2].Name, "ANNA");
    EXPECT_EQ(times[2].Value, 1500);
}
