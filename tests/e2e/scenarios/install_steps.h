// The installation as a user walks it: licence, destination, components, the
// run; and what the disk holds afterwards, against the checksums of what was embedded.
#pragma once
#include <gtest/gtest.h>
#include "e2e.h"

#include <bcrypt.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "EmbeddedTable.h"

namespace install {

using namespace e2e;

inline const char* const kSubFolders[] = {
    "lib",       "lib\\bcb",    "lib\\vcpp", "lib\\bcb\\api", "lib\\bcb\\class", "lib\\vcpp\\api",
    "vaskelapi", "vaskelclass", "Help",      "Tutorial"};
inline constexpr char kProgressTitle[] = "Installing...";
inline const std::string kAnimate = "Interactive Animated Help" + std::string(60, ' ') + "Size:";

struct Row {
    std::string path;
    char component;
    long long size;
    std::string sha256;
};

inline std::vector<Row> Manifest() {
    std::vector<Row> rows;
    std::istringstream in(kEmbeddedTable);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string number, path, component, size, created, sha;
        std::getline(fields, number, '\t');
        std::getline(fields, path, '\t');
        std::getline(fields, component, '\t');
        std::getline(fields, size, '\t');
        std::getline(fields, created, '\t');
        std::getline(fields, sha, '\t');
        rows.push_back({path, component[0], std::stoll(size), sha});
    }
    return rows;
}

// Hex SHA-256 of a file, or "missing" when it cannot be read.
inline std::string Sha256Of(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "missing";
    UniqueHandle owner(file);
    BCRYPT_ALG_HANDLE alg = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
    if (BCryptOpenAlgorithmProvider(&alg, BCRYPT_SHA256_ALGORITHM, nullptr, 0) != 0) return "no sha256";
    BCryptCreateHash(alg, &hash, nullptr, 0, nullptr, 0, 0);
    std::vector<unsigned char> buffer(1 << 16);
    DWORD got = 0;
    while (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0)
        BCryptHashData(hash, buffer.data(), got, 0);
    unsigned char digest[32] = {};
    BCryptFinishHash(hash, digest, sizeof digest, 0);
    BCryptDestroyHash(hash);
    BCryptCloseAlgorithmProvider(alg, 0);
    std::string hex;
    char two[3];
    for (unsigned char b : digest) {
        std::snprintf(two, sizeof two, "%02x", b);
        hex += two;
    }
    return hex;
}

inline std::string ReadAll(const std::string& path) {
    UniqueHandle f(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!f) return "missing";
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(f.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    return text;
}

// folder ends with a backslash. Every row of a listed component byte for byte,
// no row of another, and all ten sub-folders.
inline void ExpectInstalled(const std::string& folder, const std::string& components) {
    int files = 0;
    for (const Row& row : Manifest()) {
        const std::string path = folder + row.path;
        if (components.find(row.component) != std::string::npos) {
            EXPECT_EQ(Sha256Of(path), row.sha256) << path;
            ++files;
        } else {
            EXPECT_FALSE(Exists(path)) << path;
        }
    }
    for (const char* sub : kSubFolders) EXPECT_TRUE(IsFolder(folder + sub)) << folder << sub;
    std::printf("%s: %d files checked\n", folder.c_str(), files);
}

// Drives one session of the program under test.
class Walk {
public:
    explicit Walk(SetupSession& s) : setup(s) {}

    Window Button(const std::string& caption) const {
        return setup.wizard.Child(Find{.text = caption, .className = "Button"});
    }
    Window Next() const {
        Window next = Button("Next >>");
        return next ? next : Button("Finish");
    }
    // First page to the destination page, through the licence.
    bool ToDestination() {
        if (!Next().Click()) return Fail("no Next on the first page");
        Window agree = setup.wizard.WaitChild(Find{.text = "I agree with the terms and conditions"});
        if (!agree || !agree.Click()) return Fail("no licence box");
        if (!WaitUntil([&] { return agree.Checked() && Next().Enabled(); })) return Fail("Next stays disabled");
        if (!Next().Click()) return Fail("Next on the licence page");
        if (!WaitUntil([&] { return Location().Exists(); })) return Fail("no destination page");
        return true;
    }
    Window Location() const {
        for (Window e : setup.wizard.Children(Find{.className = "Edit"}))
            if (!(e.Style() & ES_MULTILINE)) return e;
        return {};
    }
    bool Type(const std::string& destination) {
        Window edit = Location();
        if (!edit.ReplaceText(destination)) return Fail("cannot type into the destination");
        if (!WaitUntil([&] { return edit.Text() == destination; })) return Fail("the destination reads " + edit.Text());
        return true;
    }
    bool ChooseCustom() {
        Window custom =
            setup.wizard.Child(Find{.text = "Custom (Let you choose the components to install)     Size: 2.0 - 4.2MB"});
        return custom.Click() && WaitUntil([&] { return custom.Checked(); });
    }
    // Sets each optional box on the components page as given.
    bool SetComponents(bool sim, bool en, bool pt, bool animate) {
        const std::pair<std::string, bool> boxes[] = {{"Vaskel Sim", sim},
                                                      {"Help Documentation and Tutorials in English", en},
                                                      {"Help Documentation and Tutorials in Portuguese", pt},
                                                      {kAnimate, animate}};
        for (const auto& [caption, on] : boxes) {
            Window box = setup.wizard.WaitChild(Find{.text = caption, .className = "Button"});
            if (!box) return Fail("no box " + caption);
            if (box.Checked() != on) box.Click();
            if (!WaitUntil([&] { return box.Checked() == on; })) return Fail("box " + caption + " would not change");
        }
        return true;
    }
    // Next that starts the run; true once the wizard is back on the shortcut page.
    bool RunToShortcuts(DWORD timeoutMs = 60000) {
        if (!Next().Click()) return Fail("no Next to start the run");
        Window menu;
        const bool back = WaitUntil(
            [&] {
                menu = setup.wizard.Child(Find{.text = "Create Start Menu Program Group"});
                return menu && setup.wizard.Visible() && !ProgressDialog();
            },
            timeoutMs, 100);
        if (!back)
            return Fail(MessageBoxes(setup.app.Id()).empty()
                            ? "the wizard did not come back"
                            : "a message box: " + MessageBoxes(setup.app.Id())[0].Message());
        return true;
    }
    // The visible progress dialog, if any.
    Window ProgressDialog() const { return FindTop(Find{.text = kProgressTitle, .pid = setup.app.Id()}); }

    // After a failed run: the wizard is back on the destination page, usable.
    void ExpectBackOnDestination() const {
        EXPECT_TRUE(WaitUntil([&] { return setup.wizard.Visible() && !ProgressDialog(); }));
        EXPECT_TRUE(Location().Exists()) << "not on the destination page";
        EXPECT_TRUE(Button("Choose...").Exists());
        EXPECT_TRUE(Next().Enabled());
        EXPECT_TRUE(Button("<< Back").Enabled());
        EXPECT_TRUE(Button("Cancel").Enabled());
    }

    const std::string& Failure() const { return failure_; }

    SetupSession& setup;

private:
    bool Fail(const std::string& why) {
        failure_ = why;
        return false;
    }
    std::string failure_;
};

}  // namespace install
