#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include "Folders.h"
#include "Messages.h"
#include "RemovalGuard.h"
#include "host/Shell.h"

TEST(RemovalGuard, RefusesRootsRelativePathsAndClimbing) {
    std::vector<std::string> none;
    for (const char* root : {"C:", "C:\\", "c:\\\\", "\\\\server\\share", "\\\\server\\share\\"})
        EXPECT_EQ(WhyNotRemovable(root, none), std::optional<std::string>(msg::WhyRoot)) << root;
    for (const char* rel : {"Vaskel", "C:Vaskel", "\\Vaskel", "", "\\\\?\\C:\\Vaskel", "C:\\Vaskel\\..\\Other",
                            "C:\\a\\\\b", "..\\Vaskel"})
        EXPECT_EQ(WhyNotRemovable(rel, none), std::optional<std::string>(msg::WhyNotAbsolute)) << rel;
    EXPECT_EQ(WhyNotRemovable("C:\\Vaskel", none), std::nullopt);
    EXPECT_EQ(WhyNotRemovable("C:\\Vaskel\\", none), std::nullopt);
    EXPECT_EQ(WhyNotRemovable("\\\\server\\share\\Vaskel", none), std::nullopt);
}

TEST(RemovalGuard, RefusesASystemFolderAndEveryFolderAboveOne) {
    std::vector<std::string> sys = {"C:\\windows", "C:\\users\\root", "C:\\Program Files"};
    for (const char* bad : {"C:\\Windows", "c:\\WINDOWS\\", "C:\\users", "C:\\Users\\Root", "C:\\program files"})
        EXPECT_EQ(WhyNotRemovable(bad, sys), std::optional<std::string>(msg::WhySystemFolder)) << bad;
    for (const char* ok : {"C:\\Program Files\\Vaskel", "C:\\users\\root\\Vaskel", "C:\\Windowsx", "C:\\Vaskel"})
        EXPECT_EQ(WhyNotRemovable(ok, sys), std::nullopt) << ok;
}

TEST(RemovalGuard, KnowsThisMachinesSystemFoldersByEveryName) {
    auto sys = ShellSystemFolders();
    ASSERT_FALSE(sys.empty());
    EXPECT_TRUE(WhyNotRemovable("C:\\windows\\system32", sys).has_value());
    EXPECT_TRUE(WhyNotRemovable("C:\\users", sys).has_value());
    char shortName[MAX_PATH] = "";
    ASSERT_GT(GetShortPathNameA("C:\\Program Files", shortName, MAX_PATH), 0u);
    EXPECT_TRUE(WhyNotRemovable(shortName, sys).has_value()) << shortName;
    EXPECT_FALSE(WhyNotRemovable("C:\\Vaskel", sys).has_value());

    // A system folder given by its short name, or not there at all, still
    // guards the folders above it, and only those.
    ASSERT_GT(GetShortPathNameA("C:\\Program Files\\Common Files", shortName, MAX_PATH), 0u);
    ASSERT_STRCASENE(shortName, "C:\\Program Files\\Common Files");
    sys = {shortName, "C:\\NoSuch\\Folder"};
    for (const char* bad :
         {"C:\\Program Files", "c:\\program files\\common files", "C:\\NoSuch", "C:\\nosuch\\folder\\"})
        EXPECT_EQ(WhyNotRemovable(bad, sys), std::optional<std::string>(msg::WhySystemFolder)) << bad;
    for (const char* ok : {"C:\\Program Files (x86)", "C:\\Program Files\\Common Files\\Vaskel",
                           "C:\\Program Files\\Vaskel", "C:\\NoSuch\\Other", "C:\\Windows"})
        EXPECT_EQ(WhyNotRemovable(ok, sys), std::nullopt) << ok;
}

// The shell's folders as its item lists named them, before the guard read them
// from the shell's record: each, and every folder above one, by its long name
// and by its short one.
TEST(RemovalGuard, RefusesEveryFolderTheItemListsNamed) {
    const auto sys = ShellSystemFolders();
    for (int csidl : {CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86, CSIDL_PROFILE,
                      CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL, CSIDL_PROGRAMS, CSIDL_COMMON_APPDATA}) {
        std::string folder = host::SpecialFolderPath(nullptr, csidl).value_or("");
        ASSERT_FALSE(folder.empty()) << csidl;
        while (folder.back() == '\\') folder.pop_back();
        for (; !IsRootPath(folder); folder = ParentFolder(folder)) {
            char shortName[MAX_PATH] = "";
            ASSERT_GT(GetShortPathNameA(folder.c_str(), shortName, MAX_PATH), 0u) << folder;
            for (const std::string& name : {folder, std::string(shortName)})
                EXPECT_EQ(WhyNotRemovable(name, sys), std::optional<std::string>(msg::WhySystemFolder)) << name;
        }
    }
}
