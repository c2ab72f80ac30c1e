#include "Exception.h"

#include <cstdlib>

namespace vk {

std::string ExceptionDisplayText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
        return message + ".";
    return message;
}

}  // namespace vk

// Every exception is caught and shown; the runtime's default terminate handler,
// which prints demangled type names, would only add its demangler to the program.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
