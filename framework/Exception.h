#pragma once
#include <stdexcept>
#include <string>

namespace vk {

// The framework's base exception: what escapes a handler or start-up is shown, never fatal.
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The text the exception display shows: a full stop is added when the message
// is not empty and its last character sorts after ".".
std::string ExceptionDisplayText(const std::string& message);

}  // namespace vk
