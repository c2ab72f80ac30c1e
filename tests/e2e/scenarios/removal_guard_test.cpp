// Uninstall where the record points at what is not the product's to delete:
// a link out of the folder, a drive root, a folder the record cannot vouch
// for, the user's own folders. The rest of the removal runs, and the closing
// message names what was left and why.
#include "removal_support.h"
#include <shlobj.h>

using namespace removal;

namespace {

constexpr char kOutside[] = "C:\\Outside";
constexpr char kKeep[] = "C:\\keep.txt";
constexpr char kRelative[] = "C:\\setup\\Vaskel";  // where "Vaskel" resolves for the program

// The product's own names at the top of the destination.
const char* const kProductTop[] = {"Help",       "Tutorial",   "lib",        "vaskelapi",     "vaskelclass",
                                   "Vaskel.exe", "vaskel.ini", "inittp.lib", "VaskelSim.exe", "vaskelsim.ini"};

class Guard : public ::testing::Test {
protected:
    void SetUp() override {
        CleanMachine({kOutside, kKeep, kRelative});
        ASSERT_TRUE(WriteBytes(kKeep, "mine"));
    }
    void TearDown() override {
        CleanMachine({kOutside, kKeep, kRelative});
        for (const char* name : kProductTop) DeleteTree(std::string("C:\\") + name);
    }
    static void ExpectRestRemoved(const RunSeen& seen) {
        EXPECT_TRUE(seen.otherBoxes.empty()) << seen.otherBoxes.front();
        EXPECT_EQ(seen.progress, 100);
        EXPECT_TRUE(seen.exited && seen.exitCode == 0) << seen.exitCode;
        EXPECT_FALSE(Exists(GroupFolder()));
        EXPECT_FALSE(Exists(DesktopLink()));
        EXPECT_EQ(ReadRecord(), std::nullopt);
        EXPECT_EQ(ReadBytes(kKeep), "mine");
    }
};

TEST_F(Guard, LinkOutOfTheFolderIsNeverEnteredAndIsNamedAsLeft) {
    ASSERT_TRUE(InstallByClicking({.desktopIcon = true}));
    const std::string outside = kOutside;
    ASSERT_TRUE(CreateDirectoryA(outside.c_str(), nullptr) && CreateDirectoryA((outside + "\\sub").c_str(), nullptr));
    const std::vector<std::string> theirs = {"one.txt", "sub\\deep.txt", "two.txt"};
    for (const std::string& name : theirs) ASSERT_TRUE(WriteBytes(outside + "\\" + name, name));
    const std::string link = std::string(kDefaultFolder) + "\\linked";
    LinuxResult made;
    ASSERT_TRUE(RunLinux(
        "ln -s " + ShellQuote(UnixPath(outside)) + " " + ShellQuote(UnixPath(kDefaultFolder) + "/linked"), made));
    ASSERT_EQ(made.exitCode, 0) << made.output;
    const DWORD bits = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    ASSERT_EQ(Attributes(link) & bits, bits);

    RunSeen seen;
    ASSERT_TRUE(UninstallByClicking(seen));
    // The installation made no link: it stays, and what it leads to is untouched.
    EXPECT_EQ(seen.closing, kRemoved + NotRemoved(kDefaultFolder, "1 folder that Vaskel Setup did not install"));
    ExpectRestRemoved(seen);
    EXPECT_EQ(FilesBelow(outside), theirs);
    for (const std::string& name : theirs) EXPECT_EQ(ReadBytes(outside + "\\" + name), name);
    EXPECT_EQ(NamesIn(kDefaultFolder), std::vector<std::string>{"linked"});
}

// "C:" passes the destination check, so the product lands in the drive's root.
// The removal then deletes nothing there, the product's files included: only
// the links, the group and the record go, and the message says why.
TEST_F(Guard, InstallationIntoTheDriveRootLeavesTheDriveAlone) {
    ASSERT_TRUE(InstallByClicking({.location = "C:", .desktopIcon = true}));
    ASSERT_EQ(ReadRecord().value_or(Record{})["BaseFolder"], "C:");
    for (const std::string& file : TypicalFiles()) ASSERT_TRUE(Exists("C:\\" + file)) << file;
    const std::vector<std::string> top = NamesIn("C:\\");
    ASSERT_TRUE(Exists(DesktopLink()));

    RunSeen seen;
    ASSERT_TRUE(UninstallByClicking(seen));
    EXPECT_EQ(seen.closing, kRemoved + NotRemoved("C:", kWhyRoot));
    ExpectRestRemoved(seen);
    EXPECT_EQ(NamesIn("C:\\"), top);
    for (const std::string& file : TypicalFiles()) EXPECT_TRUE(Exists("C:\\" + file)) << file;
    EXPECT_TRUE(IsFolder("C:\\windows\\system32"));
    EXPECT_TRUE(MakerKeyExists());
}

// "BaseFolder" that cannot be trusted leaves the destination text at its
// default, which here is the real installation: still nothing is deleted on it.
TEST_F(Guard, FolderTheRecordCannotVouchForIsNotRemoved) {
    ASSERT_TRUE(InstallByClicking({.desktopIcon = true}));
    ASSERT_EQ(FilesBelow(kDefaultFolder), TypicalFiles());
    const std::string overlong = "C:\\Vaskel\\" + std::string(280, 'a');
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"control character", std::string("C:\\Vaskel\x01", 10)},
        {"absent", std::nullopt},
        {"data after a NUL", std::string("C:\\Vaskel\0\\lib", 14)},
        {"overlong", overlong},
    };
    for (const auto& [what, folder] : cases) {
        SCOPED_TRACE(what);
        ASSERT_TRUE(PlantRecord({{"Version", "1.1"}, {"Components", "1235"}, {"Menu", "1"}, {"Icon", "1"}}));
        if (folder) {
            ASSERT_TRUE(PlantValue("BaseFolder", *folder));
        }
        ASSERT_TRUE(WriteBytes(DesktopLink(), "stale"));

        RunSeen seen;
        ASSERT_TRUE(UninstallByClicking(seen));
        EXPECT_EQ(seen.closing, kRemoved + NotRemoved("the installation folder", kWhyUnknown));
        ExpectRestRemoved(seen);
        EXPECT_EQ(FilesBelow(kDefaultFolder), TypicalFiles());
    }
}

// Records pointing at the user's own folders or at paths that could mean
// another place: refused by name, with what they hold left alone.
TEST_F(Guard, SystemFoldersRootsAndLoosePathsAreRefused) {
    ASSERT_TRUE(CreateDirectoryA(kRelative, nullptr));
    ASSERT_TRUE(WriteBytes(std::string(kRelative) + "\\file.txt", "r"));
    ASSERT_TRUE(WriteBytes(DesktopFolder() + "\\letter.txt", "dear"));
    const std::pair<std::string, const char*> cases[] = {
        {"C:\\users", kWhySystem},  // holds the profile
        {DesktopFolder(), kWhySystem},
        {"C:\\windows", kWhySystem},
        {"Vaskel", "it is not a full folder path"},
        {"C:\\Vaskel\\..\\users", "it is not a full folder path"},
        {"\\\\server\\share", kWhyRoot},
    };
    for (const auto& [folder, why] : cases) {
        SCOPED_TRACE(folder);
        ASSERT_TRUE(PlantRecord(
            {{"Version", "1.1"}, {"Components", "1"}, {"BaseFolder", folder}, {"Menu", "0"}, {"Icon", "0"}}));
        RunSeen seen;
        ASSERT_TRUE(UninstallByClicking(seen));
        EXPECT_EQ(seen.closing, kRemoved + NotRemoved(folder, why));
        ExpectRestRemoved(seen);
        EXPECT_EQ(ReadBytes(DesktopFolder() + "\\letter.txt"), "dear");
        EXPECT_EQ(ReadBytes(std::string(kRelative) + "\\file.txt"), "r");
        EXPECT_TRUE(IsFolder("C:\\windows\\system32"));
    }
}

// The shell's own record of where Programs is, pointed at a folder that does
// not exist, and put back afterwards.
class NoProgramsFolder {
public:
    NoProgramsFolder() {
        for (const char* key : kKeys) {
            HKEY k = nullptr;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_ALL_ACCESS, &k) != ERROR_SUCCESS) continue;
            char data[1024];
            DWORD size = sizeof data, type = 0;
            if (RegQueryValueExA(k, "Programs", nullptr, &type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS)
                saved_.push_back({key, type, std::string(data, size)});
            static const char nowhere[] = "C:\\NoSuch\\Programs";
            RegSetValueExA(k, "Programs", 0, REG_SZ, reinterpret_cast<const BYTE*>(nowhere), sizeof nowhere);
            RegCloseKey(k);
        }
    }
    ~NoProgramsFolder() {
        for (const Saved& s : saved_) {
            HKEY k = nullptr;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, s.key, 0, KEY_ALL_ACCESS, &k) != ERROR_SUCCESS) continue;
            RegSetValueExA(k, "Programs", 0, s.type, reinterpret_cast<const BYTE*>(s.data.data()),
                           static_cast<DWORD>(s.data.size()));
            RegCloseKey(k);
        }
    }
    static bool ShellHasNone() {
        LPITEMIDLIST list = nullptr;
        if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PROGRAMS, &list))) return true;
        char path[MAX_PATH] = "";
        const bool found = SHGetPathFromIDListA(list, path);
        CoTaskMemFree(list);
        return !found;
    }

private:
    static constexpr const char* kKeys[] = {
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"};
    struct Saved {
        const char* key;
        DWORD type;
        std::string data;
    };
    std::vector<Saved> saved_;
};

// Without a Programs path the group cannot be found; nothing is removed in
// its stead, not even a folder of the group's name in the drive's root.
TEST_F(Guard, NoProgramsPathRemovesNoGroupFolder) {
    const std::string installed = "C:\\Apps\\Vaskel";
    ASSERT_TRUE(InstallByClicking({.location = installed, .desktopIcon = true}));
    ASSERT_TRUE(Exists(GroupFolder()));
    ASSERT_TRUE(CreateDirectoryA(kDefaultFolder, nullptr));
    ASSERT_TRUE(WriteBytes(std::string(kDefaultFolder) + "\\mine.txt", "mine"));
    {
        NoProgramsFolder none;
        ASSERT_TRUE(NoProgramsFolder::ShellHasNone()) << "the shell still finds a Programs folder";
        RunSeen seen;
        ASSERT_TRUE(UninstallByClicking(seen));
        EXPECT_EQ(seen.closing, kRemoved);
        EXPECT_TRUE(seen.otherBoxes.empty()) << seen.otherBoxes.front();
        EXPECT_EQ(seen.progress, 100);
    }
    EXPECT_FALSE(Exists(installed));
    EXPECT_FALSE(Exists(DesktopLink()));
    EXPECT_EQ(ReadRecord(), std::nullopt);
    EXPECT_EQ(NamesIn(kDefaultFolder), std::vector<std::string>{"mine.txt"});
    EXPECT_FALSE(Exists("C:\\NoSuch"));
    // The group stays where the shell had it.
    EXPECT_EQ(NamesIn(GroupFolder()),
              (std::vector<std::string>{"Help Documentation.lnk", "Vaskel Sim.lnk", "Vaskel.lnk"}));
    DeleteTree("C:\\Apps");
}

}  // namespace
