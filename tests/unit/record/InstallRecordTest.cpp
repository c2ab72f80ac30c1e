#include "wizard/InstallRecord.h"

#include "CallWatch.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

const std::string kMaker = "Software\\VaskelRecordTest";
const std::string kProduct = kMaker + "\\Vaskel";

// What is stored, allowing the one terminator the registry may have added.
std::string Stored(const char* name) {
    test::RawValue value = test::RawRead(kProduct, name);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ)) << name;
    if (!value.bytes.empty() && value.bytes.back() == '\0') value.bytes.pop_back();
    return value.bytes;
}

InstallRecordValues Marked() { return {"deadbeef", std::string("deadbeef"), true, true}; }

InstallRecordValues Read() {
    InstallRecordValues values = Marked();
    EXPECT_TRUE(ReadRecord(kMaker, values));
    return values;
}

class InstallRecord : public ::testing::Test {
protected:
    void SetUp() override {
        test::RawDeleteTree("VaskelRecordTest");
        test::RawDeleteTree("Kestrelmoor");
    }
    void TearDown() override { SetUp(); }
};

TEST_F(InstallRecord, WritesTheFiveValuesInOrderWithTheirTextLengths) {
    test::Watch watch;
    ASSERT_TRUE(watch.ok());
    ASSERT_TRUE(WriteRecord(kMaker, "1235", "C:\\Vaskel", true, false));
    using Call = std::pair<std::string, DWORD>;
    EXPECT_EQ(watch.calls.setCounts,
              (std::vector<Call>{{"Version", 3}, {"Components", 4}, {"BaseFolder", 9}, {"Menu", 1}, {"Icon", 1}}));
    EXPECT_TRUE(watch.ClosedEachOnce());
    EXPECT_EQ(Stored("Version"), "1.1");
    EXPECT_EQ(Stored("Components"), "1235");
    EXPECT_EQ(Stored("BaseFolder"), "C:\\Vaskel");
    EXPECT_EQ(Stored("Menu"), "1");
    EXPECT_EQ(Stored("Icon"), "0");
}

TEST_F(InstallRecord, ReadsBackWhatWasWrittenAndOverwritesAnOlderRecord) {
    ASSERT_TRUE(WriteRecord(kMaker, "12345", "D:\\Programs\\Vaskel\\", false, true));
    InstallRecordValues values = Read();
    EXPECT_EQ(values.Components, "12345");
    EXPECT_EQ(values.BaseFolder, "D:\\Programs\\Vaskel\\");
    EXPECT_FALSE(values.Menu);
    EXPECT_TRUE(values.Icon);

    test::Watch watch;
    ASSERT_TRUE(WriteRecord(kMaker, "", "C:\\V", true, false));
    EXPECT_EQ(watch.calls.setCounts[1], std::make_pair(std::string("Components"), DWORD(0)));
    EXPECT_EQ(test::RawRead(kProduct, "Components").bytes, "");  // 0 bytes, no terminator either
    values = Read();
    EXPECT_EQ(values.Components, "");
    EXPECT_EQ(values.BaseFolder, "C:\\V");
    EXPECT_TRUE(values.Menu);
    EXPECT_FALSE(values.Icon);
    EXPECT_TRUE(watch.ClosedEachOnce());
}

TEST_F(InstallRecord, TheRealMakerKeyLandsInThe32BitView) {
    ASSERT_TRUE(WriteRecord("Software\\Kestrelmoor", "1", "C:\\Vaskel", true, true));
    EXPECT_TRUE(test::RawExists("Software\\Wow6432Node\\Kestrelmoor\\Vaskel", KEY_WOW64_64KEY));
    EXPECT_FALSE(test::RawExists("Software\\Kestrelmoor", KEY_WOW64_64KEY));
    EXPECT_TRUE(RecordExists("Software\\Kestrelmoor"));
}

enum class Plant { WithoutNul, WithCountedNul };

class PlantedRecord : public InstallRecord, public ::testing::WithParamInterface<Plant> {
protected:
    void Put(const char* name, const std::string& text) {
        test::RawPlant(kProduct, name, REG_SZ, GetParam() == Plant::WithCountedNul ? text + '\0' : text);
    }
};

TEST_P(PlantedRecord, ValuesReadAsTheirOwnBytesEvenAfterALongerOne) {
    Put("Components", "12345");
    Put("BaseFolder", "C:\\V");
    Put("Menu", "1");
    Put("Icon", "");
    InstallRecordValues values = Read();
    EXPECT_EQ(values.Components, "12345");
    EXPECT_EQ(values.BaseFolder, "C:\\V");
    EXPECT_TRUE(values.Menu);
    EXPECT_FALSE(values.Icon);
}

TEST_P(PlantedRecord, ShortcutChoicesAreSetExactlyWhenTheTextBeginsWithOne) {
    const std::pair<const char*, bool> cases[] = {{"0", false}, {"10", true}, {"1", true}, {"", false}, {"01", false}};
    for (auto [text, checked] : cases) {
        Put("Menu", text);
        Put("Icon", text);
        InstallRecordValues values = Read();
        EXPECT_EQ(values.Menu, checked) << '"' << text << '"';
        EXPECT_EQ(values.Icon, checked) << '"' << text << '"';
    }
}

TEST_P(PlantedRecord, BaseFolderLengthsAroundTheBuffer) {
    const std::string fits259 = "C:\\" + std::string(256, 'a');
    const std::string fits260 = "C:\\" + std::string(257, 'b');
    Put("BaseFolder", fits259);
    EXPECT_EQ(Read().BaseFolder, fits259);
    Put("BaseFolder", fits260);
    // Without the NUL 260 bytes fill the buffer exactly; with it they do not fit.
    EXPECT_EQ(Read().BaseFolder, GetParam() == Plant::WithoutNul ? std::optional(fits260) : std::nullopt);
    Put("BaseFolder", "C:\\" + std::string(297, 'c'));
    Put("Components", std::string(300, '2'));
    Put("Menu", "1" + std::string(299, '1'));
    InstallRecordValues values = Read();
    EXPECT_EQ(values.BaseFolder, std::nullopt);
    EXPECT_EQ(values.Components, "");
    EXPECT_FALSE(values.Menu);
}

INSTANTIATE_TEST_SUITE_P(Both, PlantedRecord, ::testing::Values(Plant::WithoutNul, Plant::WithCountedNul));

TEST_F(InstallRecord, AbsentValuesNeverReadAsAnotherValuesText) {
    test::RawPlant(kProduct, "Version", REG_SZ, "1.1");
    test::RawPlant(kProduct, "Icon", REG_SZ, "1");
    InstallRecordValues values = Read();
    EXPECT_EQ(values.Components, "");
    EXPECT_EQ(values.BaseFolder, std::nullopt);
    EXPECT_FALSE(values.Menu);
    EXPECT_TRUE(values.Icon);
}

TEST_F(InstallRecord, CorruptValuesAreNotTrustedAsAFolderAndChoicesEndAtANul) {
    struct Case {
        DWORD type;
        std::string bytes;
        std::optional<std::string> folder;
    };
    const Case cases[] = {
        {REG_BINARY, "C:\\Vaskel", "C:\\Vaskel"},  // the type is not asked: the bytes decide
        {REG_DWORD, std::string("\1\0\0\0", 4), std::nullopt},
        {REG_SZ, std::string("C:\\\0Windows", 10), std::nullopt},  // would cut the text short
        {REG_SZ, std::string("C:\\Vaskel\0\0\0", 12), "C:\\Vaskel"},
        {REG_SZ, "", std::nullopt},
        {REG_SZ, "C:\\Vas\tkel", std::nullopt},
    };
    for (const Case& c : cases) {
        test::RawPlant(kProduct, "BaseFolder", c.type, c.bytes);
        EXPECT_EQ(Read().BaseFolder, c.folder) << c.type << " " << c.bytes.size();
    }
    test::RawPlant(kProduct, "Components", REG_SZ,
                   std::string("12\0"
                               "35",
                               5));
    test::RawPlant(kProduct, "Menu", REG_SZ, std::string("1\0x", 3));
    test::RawPlant(kProduct, "Icon", REG_DWORD, std::string("\1\0\0\0", 4));
    InstallRecordValues values = Read();
    EXPECT_EQ(values.Components, "12");
    EXPECT_TRUE(values.Menu);
    EXPECT_FALSE(values.Icon);
}

TEST_F(InstallRecord, DeletionRemovesTheProductTreeAndKeepsTheMakerKey) {
    ASSERT_TRUE(WriteRecord(kMaker, "1235", "C:\\Vaskel", true, true));
    for (const char* sub : {"\\Vaskel\\Plugins\\Old", "\\Vaskel\\Plugins\\New", "\\Vaskel\\Cache", "\\Other\\Keep"})
        test::RawCreate(kMaker + sub);
    test::RawPlant(kMaker, "MakerValue", REG_SZ, "stays");
    {
        test::Watch watch;
        EXPECT_EQ(DeleteRecord(kMaker), DeleteRecordResult::Deleted);
        EXPECT_TRUE(watch.ClosedEachOnce());
    }
    EXPECT_FALSE(test::RawExists(kProduct));
    EXPECT_FALSE(RecordExists(kMaker));
    EXPECT_TRUE(test::RawExists(kMaker + "\\Other\\Keep"));
    EXPECT_EQ(test::RawRead(kMaker, "MakerValue").bytes, "stays");
}

TEST_F(InstallRecord, WithoutAProductKeyNothingIsFoundReadOrDeleted) {
    test::RawCreate(kMaker + "\\Other");
    test::RawPlant(kMaker, "Vaskel", REG_SZ, "a value, not the key");
    EXPECT_FALSE(RecordExists(kMaker));
    InstallRecordValues values = Marked();
    EXPECT_FALSE(ReadRecord(kMaker, values));
    EXPECT_EQ(values.Components, "deadbeef");
    EXPECT_EQ(values.BaseFolder, "deadbeef");
    EXPECT_TRUE(values.Menu && values.Icon);

    EXPECT_EQ(DeleteRecord(kMaker), DeleteRecordResult::ErrorOpeningKey);
    EXPECT_TRUE(test::RawExists(kMaker + "\\Other"));
    EXPECT_EQ(test::RawRead(kMaker, "Vaskel").status, ERROR_SUCCESS);
    EXPECT_FALSE(RecordExists("Software\\VaskelNoMaker"));
    EXPECT_EQ(DeleteRecord("Software\\VaskelNoMaker"), DeleteRecordResult::ErrorOpeningKey);
    EXPECT_FALSE(test::RawExists("Software\\VaskelNoMaker"));
}

TEST(InstallRecordMessages, NameTheKeyThatFailed) {
    EXPECT_EQ(DeleteRecordMessage(DeleteRecordResult::ErrorOpeningKey, "Software\\Kestrelmoor"), "Error opening key");
    EXPECT_EQ(DeleteRecordMessage(DeleteRecordResult::ErrorOpeningParentKey, "Software\\Kestrelmoor"),
              "Error opening parent key Software\\Kestrelmoor");
    EXPECT_EQ(DeleteRecordMessage(DeleteRecordResult::Deleted, "Software\\Kestrelmoor"), "");
}

}  // namespace
