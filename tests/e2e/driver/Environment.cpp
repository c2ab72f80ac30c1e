#include "Environment.h"
#include <cstdlib>

namespace e2e {

namespace {

std::string Variable(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

}  // namespace

std::string SetupExe() { return Variable("VASKEL_E2E_EXE", "C:\\setup\\VaskelSetup.exe"); }
std::string ShotFolder() { return Variable("VASKEL_E2E_SHOTS", "C:\\e2e\\shots"); }
std::string WorkFolder() { return Variable("VASKEL_E2E_WORK", "C:\\e2e\\work"); }

}  // namespace e2e
