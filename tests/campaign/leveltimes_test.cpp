#include "campaign/leveltimes.h"

#include "engine/xmlparser.h"
#include "platform/files.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <set>

namespace {
std::string Place(const std::string& name, const std::string& time) {
    return "<Player><Name>" + name + "</Name><Time>" + time + "</Time></Player>";
}

tlvl UserLevel() {
    tlvl level;
    level.path = "customlvl\\mine.dat";
    level.id = "20260101120000000";
    level.timesfile = TimesFileName(level.id);
    for (tscore& place : level.times) place = {"stale", "", 42};
    return level;
}
} // namespace

TEST(LevelTimes, ReadsThePlacesFromTheLevelsFolder) {
    ScratchFolder folder;
    ASSERT_TRUE(files::MakeFolder("customlvl"));
    tlvl level = UserLevel();
    ReadFastestTimes(level); // no file: six empty places
    for (const tscore& place : level.times) {
        EXPECT_EQ(place.Name, "NORESULT");
        EXPECT_EQ(place.Value, -1);
    }

    SaveScrambledDocument("customlvl\\" + level.timesfile,
                          "<Level>" + Place("ANNA", "1500") + Place("B\xfe\xff", "2500") +
                              Place("NORESULT", "-1") + Place("NORESULT", "-1") +
                              Place("NORESULT", "-1") + "</Level>");
    ReadFastestTimes(level);
    EXPECT_EQ(level.times[0].Name, "ANNA");
    EXPECT_EQ(level.times[0].Value, 1500);
    EXPECT_EQ(level.times[1].Name, "B\xfe\xff");
    EXPECT_EQ(level.times[2].Value, -1);
    EXPECT_EQ(level.times[5].Name, "NORESULT");

    level.path = "lvl\\mine.dat"; // another folder holds no file of this level
    ReadFastestTimes(level);
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

TEST(LevelTimes, AnIdThatIsNoPlainFileNameGetsASafeTimesFileName) {
    const std::string campaignId = "20260107120000000000001";
    const std::string longest(64, 'x');
    for (const std::string& plain : {campaignId, longest, std::string("my level.v2"),
                                     std::string("..x"), std::string("\xe9t\xe9")})
        EXPECT_EQ(TimesFileName(plain), plain + ".tim");

    const std::string hostile[] = {"../../x",
                                   "..\\..\\x",
                                   "/tmp/x",
                                   "a/b",
                                   "",
                                   ".",
                                   "..",
                                   std::string("a\0b", 3),
                                   "line\nbreak",
                                   "del\x7f",
                                   std::string(65, 'x')};
    std::set<std::string> names;
    for (const std::string& id : hostile) {
        std::string name = TimesFileName(id);
        EXPECT_EQ(name.find_first_of("/\\"), std::string::npos) << name;
        EXPECT_TRUE(name.starts_with("id-") && name.ends_with(".tim")) << name;
        EXPECT_EQ(name.size(), 23u) << name;
        EXPECT_EQ(TimesFileName(id), name); // the same file on every run
        names.insert(name);
    }
    EXPECT_EQ(names.size(), std::size(hostile));
    EXPECT_EQ(TimesFileName(""), "id-cbf29ce484222325.tim"); // FNV-1a of no bytes
}

TEST(LevelTimes, CampaignTimesLiveInTheUserFolderUserTimesBesideTheirLevel) {
    tlvl campaign = UserLevel();
    campaign.path = "lvl\\07.dat";
    tlvl user = UserLevel();
    EXPECT_EQ(TimesPath(campaign), "lvl\\" + campaign.timesfile); // no user folder
    files::SetHomeFolder("/home/anna/.tarnhollow");
    EXPECT_EQ(TimesPath(campaign), "/home/anna/.tarnhollow/lvl\\" + campaign.timesfile);
    EXPECT_EQ(TimesPath(user), "customlvl\\" + user.timesfile);
    files::SetHomeFolder("");
}
