// The installation walked to its end as a user clicks it, and the machine
// read afterwards: the record, the shortcut files, the group's window.
#pragma once
#include <gtest/gtest.h>
#include "e2e.h"
#include <optional>
#include <string>
#include <vector>

namespace finish {

using namespace e2e;

inline constexpr char kLongDescription[] = "Vaskel - Neural Networks Development Environment";
inline constexpr char kPortuguese[] = "Documenta\xE7\xE3o de Ajuda";

struct Choices {
    bool custom = false;  // with Custom, the component boxes below are set
    bool sim = true, docEn = true, docPt = false, animate = true;
    std::optional<std::string> location;  // typed over the default
    bool menu = true, desktopIcon = false;
    enum class End { Finish, CloseBoxOnShortcuts, CloseBoxOnReadme } end = End::Finish;
};

class Road {
public:
    // Starts the program and clicks through to the end; the program may still
    // be running, showing a box, when this returns.
    bool Walk(const Choices& choices);
    // Waits for the program to end with exit code 0.
    bool Ended(DWORD timeoutMs = 20000);
    const std::string& Failure() const { return failure_; }
    SetupSession setup;

private:
    bool Press(const Find& query);
    bool Fail(const std::string& why);
    std::string failure_;
};

// The user's folders, read once before any scenario changes them.
const std::string& ProgramsFolder();
const std::string& DesktopFolder();
inline std::string GroupFolder() { return ProgramsFolder() + "\\Vaskel"; }
// Whether the shell gives the special folder a file-system path now, asked as
// the program asks it. What it answers for a folder that is gone differs
// between Wine and Windows; the program's answer to it must not.
bool ShellHasPath(int csidl);

// Back to a machine without an installation: no record, no destination, no
// group, no desktop link, both user folders plain folders.
void CleanMachine();

// A value of the record in the 32-bit view as stored, or nullopt.
struct StoredValue {
    DWORD type = 0;
    std::string bytes;
};
std::optional<StoredValue> RecordValue(const char* name);
// The text as stored, allowing the one terminator the registry may count itself.
::testing::AssertionResult HoldsText(const char* name, const std::string& expected);

// Makes a one-byte file; false when it exists already or cannot be made.
bool MakeFile(const std::string& path);

// What lnkinfo reads from a link: its local path and description.
::testing::AssertionResult IsLink(const std::string& file, const std::string& target, const std::string& description);

// The folder window the shell opens for the group, titled with its last name.
Window WaitGroupWindow(DWORD timeoutMs);

}  // namespace finish
