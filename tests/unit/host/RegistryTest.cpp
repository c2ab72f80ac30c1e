#include "host/Registry.h"
#include "CallWatch.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

const std::string kScratch = "Software\\VaskelHostTest";

class Registry : public ::testing::Test {
protected:
    void SetUp() override { test::RawDeleteTree("VaskelHostTest"); }
    void TearDown() override { test::RawDeleteTree("VaskelHostTest"); }
};

TEST_F(Registry, CreateMakesMissingParentsInThe32BitViewWithKeyClass) {
    host::RegKey key;
    ASSERT_FALSE(host::OpenKey(kScratch + "\\A\\B", key));
    ASSERT_TRUE(host::CreateKey(kScratch + "\\A\\B", key));
    char keyClass[32] = "deadbeef";
    DWORD classLength = sizeof keyClass;
    ASSERT_EQ(RegQueryInfoKeyA(key.get(), keyClass, &classLength, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_STREQ(keyClass, "REG_SZ");
    EXPECT_TRUE(test::RawExists("Software\\Wow6432Node\\VaskelHostTest\\A\\B", KEY_WOW64_64KEY));
    EXPECT_TRUE(host::OpenKey(kScratch + "\\A\\B", key));
}

TEST_F(Registry, TextValuesAreHandedOverWithTheirExactLength) {
    host::RegKey key;
    ASSERT_TRUE(host::CreateKey(kScratch, key));
    test::Watch watch;
    ASSERT_TRUE(watch.ok());
    host::SetTextValue(key.get(), "Version", "1.1");
    host::SetTextValue(key.get(), "Empty", "");
    host::SetTextValue(key.get(), "Long", std::string(300, 'x'));
    using Call = std::pair<std::string, DWORD>;
    EXPECT_EQ(watch.calls.setCounts, (std::vector<Call>{{"Version", 3}, {"Empty", 0}, {"Long", 300}}));
    EXPECT_EQ(watch.calls.setTypes, (std::vector<DWORD>(3, REG_SZ)));
    test::RawValue version = test::RawRead(kScratch, "Version");
    EXPECT_EQ(version.type, REG_SZ);
    EXPECT_EQ(version.bytes.substr(0, 3), "1.1");
}

TEST_F(Registry, EachQueryUsesAFresh260ByteBufferAndNoType) {
    test::RawPlant(kScratch, "Long", REG_SZ, "123456789");
    test::RawPlant(kScratch, "Short", REG_SZ, "ab");
    test::RawPlant(kScratch, "Fits", REG_SZ, std::string(260, 'f'));
    test::RawPlant(kScratch, "TooLong", REG_SZ, std::string(300, 't'));
    host::RegKey key;
    ASSERT_TRUE(host::OpenKey(kScratch, key));
    test::Watch watch;
    host::ValueBytes longer = host::QueryValueBytes(key.get(), "Long");
    host::ValueBytes shorter = host::QueryValueBytes(key.get(), "Short");
    host::ValueBytes fits = host::QueryValueBytes(key.get(), "Fits");
    host::ValueBytes tooLong = host::QueryValueBytes(key.get(), "TooLong");
    host::ValueBytes absent = host::QueryValueBytes(key.get(), "Absent");

    EXPECT_EQ(watch.calls.queryEntrySizes, std::vector<DWORD>(5, 260));
    EXPECT_EQ(watch.calls.queryAskedType, std::vector<bool>(5, false));
    EXPECT_EQ(std::string(longer.data.data(), longer.size), "123456789");
    EXPECT_EQ(shorter.status, ERROR_SUCCESS);
    EXPECT_EQ(std::string(shorter.data.data(), shorter.size), "ab");
    EXPECT_EQ(fits.status, ERROR_SUCCESS);
    EXPECT_EQ(std::string(fits.data.data(), fits.size), std::string(260, 'f'));
    EXPECT_EQ(tooLong.status, ERROR_MORE_DATA);
    EXPECT_EQ(tooLong.size, 0u);
    EXPECT_EQ(absent.status, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(absent.size, 0u);
}

TEST_F(Registry, ListsEveryValueNameAndDeletesByName) {
    const std::string longName(200, 'n');
    for (const char* name : {"Version", "", "Menu"}) test::RawPlant(kScratch, name, REG_SZ, "v");
    test::RawPlant(kScratch, longName.c_str(), REG_DWORD, std::string(4, '\1'));
    host::RegKey key;
    ASSERT_TRUE(host::OpenKey(kScratch, key));
    std::vector<std::string> names{"deadbeef"};
    ASSERT_TRUE(host::ListValueNames(key.get(), names));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"", "Menu", "Version", longName}));

    for (const std::string& name : names) EXPECT_TRUE(host::DeleteValue(key.get(), name)) << name;
    ASSERT_TRUE(host::ListValueNames(key.get(), names));
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(host::DeleteValue(key.get(), "Menu"));
}

TEST_F(Registry, DeletesAKeyTreeAndClosesEveryKeyItOpenedOnce) {
    for (const char* path : {"\\Tree\\A\\A1\\A11", "\\Tree\\A\\A2", "\\Tree\\B", "\\Tree\\C\\C1", "\\Sibling\\S"})
        test::RawCreate(kScratch + path);
    test::RawPlant(kScratch + "\\Tree\\B", "v", REG_SZ, "x");
    host::RegKey parent;
    ASSERT_TRUE(host::OpenKey(kScratch, parent));
    {
        test::Watch watch;
        EXPECT_TRUE(host::DeleteKeyTree(parent.get(), "Tree"));
        EXPECT_EQ(watch.calls.opened.size(), 8u);  // Tree and its seven descendants
        EXPECT_TRUE(watch.ClosedEachOnce());
    }
    EXPECT_FALSE(test::RawExists(kScratch + "\\Tree"));
    EXPECT_TRUE(test::RawExists(kScratch + "\\Sibling\\S"));
    EXPECT_FALSE(host::DeleteKeyTree(parent.get(), "Tree"));
}

}  // namespace
