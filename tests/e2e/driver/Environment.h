// What run-scenario.sh tells the scenario program, through the environment.
#pragma once
#include <string>

namespace e2e {

// The copy of the program under test inside the prefix (C:\setup\VaskelSetup.exe).
std::string SetupExe();
// Where screenshots are written; the runner converts them to PNG.
std::string ShotFolder();
// Scratch space inside the prefix for Linux-side checks.
std::string WorkFolder();

}  // namespace e2e
