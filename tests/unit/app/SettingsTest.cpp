#include "app/Settings.h"

#include <gtest/gtest.h>

#include <map>

#include "ErrorOf.h"
#include "app/Folders.h"
#include "base/Error.h"

namespace tavrill {
namespace {

class MapProfile : public ProfileStore {
public:
    std::map<std::string, std::string, std::less<>> values;
    bool writable = true;
    std::optional<std::string> Read(std::string_view section, std::string_view key) override {
        const auto it = values.find(std::string(section) + "/" + std::string(key));
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    bool Write(std::string_view section, std::string_view key, std::string_view value) override {
        if (!writable) return false;
        values[std::string(section) + "/" + std::string(key)] = value;
        return true;
    }
};

TEST(SettingsTest, MissingOrBadKeysFallBackEachOnItsOwn) {
    MapProfile profile;
    EXPECT_EQ(LoadSettings(profile).x, 32);
    EXPECT_EQ(LoadSettings(profile).y, 420);
    profile.values["Main/WindowX"] = "$40";
    profile.values["Main/WindowY"] = "left";
    EXPECT_EQ(LoadSettings(profile).x, 64);
    EXPECT_EQ(LoadSettings(profile).y, 420);
}

TEST(SettingsTest, SavedPositionReadsBackAndAFailedWriteIsReported) {
    MapProfile profile;
    SaveSettings(profile, {-40, 7}, "c:\\t\\tavrill.ini");
    EXPECT_EQ(profile.values["Main/WindowX"], "-40");
    EXPECT_EQ(LoadSettings(profile).x, -40);
    EXPECT_EQ(LoadSettings(profile).y, 7);
    profile.writable = false;
    EXPECT_EQ(testing::ErrorOf([&] {
                  SaveSettings(profile, {1, 2}, "c:\\t\\tavrill.ini");
              }),
              "Unable to write to c:\\t\\tavrill.ini");
}

TEST(SettingsTest, AnyEditorIsOffUnlessSwitchedOn) {
    MapProfile profile;
    EXPECT_FALSE(LoadAnyEditor(profile));
    SaveAnyEditor(profile, true, "t.ini");
    EXPECT_EQ(profile.values["Main/AnyEditor"], "1");
    EXPECT_TRUE(LoadAnyEditor(profile));
    for (const char* off : {"0", "", "yes"}) {
        profile.values["Main/AnyEditor"] = off;
        EXPECT_FALSE(LoadAnyEditor(profile)) << off;
    }
    profile.writable = false;
    EXPECT_THROW(SaveAnyEditor(profile, false, "t.ini"), Error);
}

TEST(FoldersTest, ProgramFolderIsLowerCasedInAsciiOnlyAndEndsInABackslash) {
    EXPECT_EQ(ProgramFolderOf("C:\\Tools\\Editor\\TAVRILL.EXE"), "c:\\tools\\editor\\");
    EXPECT_EQ(ProgramFolderOf("C:TAVRILL.EXE"), "c:\\");
    EXPECT_EQ(ProgramFolderOf("D:\\\xC9"
                              "cole\\t.exe"),
              "d:\\\xC9"
              "cole\\");  // bytes above 127 keep their case
    EXPECT_EQ(ProgramFolderOf("\\\\Server\\Share\\t.exe"), "\\\\server\\share\\");
    EXPECT_EQ(FoldersFor("C:\\X\\t.exe").stash, "c:\\x\\stash\\");
}

}  // namespace
}  // namespace tavrill
