#include <gtest/gtest.h>

#include "Exception.h"
#include "Layout.h"

using vk::ParseLayout;

TEST(Layout, NestsChildrenByIndentAndKeepsPropertyOrder) {
    auto root = ParseLayout(
        "# comment\n"
        "form F caption=\"A b\" width=10\r\n"
        "  pages P bounds=1,-2,3,4\n"
        "    page One caption=\"Step 1\"\n"
        "      button B caption=Go\n"
        "    page Two\n"
        "  label L\n");
    ASSERT_EQ(root->Name, "F");
    ASSERT_EQ(root->Props.size(), 2u);
    EXPECT_EQ(root->Props[0].first, "caption");
    EXPECT_EQ(root->Props[0].second, "A b");
    ASSERT_EQ(root->Children.size(), 2u);
    auto& pages = *root->Children[0];
    ASSERT_EQ(pages.Children.size(), 2u);
    EXPECT_EQ(pages.Children[0]->Children[0]->Name, "B");
    EXPECT_EQ(pages.Children[1]->Name, "Two");
    EXPECT_EQ(root->Children[1]->Kind, "label");
    EXPECT_EQ(root->Children[1]->Line, 7);
}

TEST(Layout, QuotedTextKeepsEscapedBytesAndBlanks) {
    auto root = ParseLayout("form F a=\"C:\\\\Vaskel\" b=\"x\\xE7\\xE3y\" c=\"60   spaces\" d=\"q\\\"q\"");
    EXPECT_EQ(*root->Find("a"), "C:\\Vaskel");
    EXPECT_EQ(*root->Find("b"), "x\xE7\xE3y");
    EXPECT_EQ(*root->Find("c"), "60   spaces");
    EXPECT_EQ(*root->Find("d"), "q\"q");
}

TEST(Layout, RejectsMalformedDescriptions) {
    EXPECT_THROW(ParseLayout(""), vk::Exception);
    EXPECT_THROW(ParseLayout("form\n"), vk::Exception);
    EXPECT_THROW(ParseLayout("form F caption=\"open\n"), vk::Exception);
    EXPECT_THROW(ParseLayout("form F\nform G\n"), vk::Exception);
    EXPECT_THROW(ParseLayout("form F novalue\n"), vk::Exception);
}

TEST(Layout, PropReaderReportsUnreadAndBadValues) {
    auto root = ParseLayout("form F bounds=1,2,3 size=4 flag=2 onClick=H mystery=1");
    vk::PropReader r(*root);
    EXPECT_THROW(r.Ints("bounds", 4), vk::Exception);
    EXPECT_EQ(r.Int("size").value(), 4);
    EXPECT_THROW(r.Bool("flag"), vk::Exception);
    auto events = r.TakeEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].first, "Click");
    EXPECT_EQ(events[0].second, "H");
    try {
        r.CheckAllUsed();
        FAIL() << "an unread property must be reported";
    } catch (const vk::Exception& e) {
        EXPECT_NE(std::string(e.what()).find("mystery"), std::string::npos) << e.what();
    }
}

TEST(ExceptionDisplay, AddsAFullStopOnlyAfterCharactersSortingAfterIt) {
    EXPECT_EQ(vk::ExceptionDisplayText(""), "");
    EXPECT_EQ(vk::ExceptionDisplayText("Unable to create directory"), "Unable to create directory.");
    EXPECT_EQ(vk::ExceptionDisplayText("Done."), "Done.");
    EXPECT_EQ(vk::ExceptionDisplayText("Really!"), "Really!");  // '!' sorts before '.'
    EXPECT_EQ(vk::ExceptionDisplayText("a,"), "a,");
    EXPECT_EQ(vk::ExceptionDisplayText("a/"), "a/.");
    EXPECT_EQ(vk::ExceptionDisplayText("x 7"), "x 7.");
    EXPECT_EQ(vk::ExceptionDisplayText("Op\xE7\xE3"), "Op\xE7\xE3.");  // bytes compare unsigned
}
