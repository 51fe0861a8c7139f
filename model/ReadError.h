#pragma once
// The error raised when reading data fails; what() is the message shown to the user.

#include <stdexcept>
#include <string>

namespace plumex {

class ReadError : public std::runtime_error {
  public:
    explicit ReadError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace plumex
