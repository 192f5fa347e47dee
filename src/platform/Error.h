// The one error type that ends a command.
//
// Operations that the program expects to succeed (creating, writing, renaming or opening a
// file) throw Failure when they do not, and so do the capacity checks of the tables. The
// message is a Shift-JIS text, ready for a message box; the command line converts it for the
// terminal. Nothing below the command catches it.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace kirafu {

class Failure : public std::exception {
  public:
    explicit Failure(std::string sjisMessage) : message_(std::move(sjisMessage)) {}
    // The Shift-JIS message.
    const std::string& message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

  private:
    std::string message_;
};

// A short Japanese (Shift-JIS) text naming the reason behind an errno value.
std::string ReasonText(int err);

// "<file> を<doing>できません（<reason>）。" — the file is a drive-form path (Shift-JIS), doing
// is the Shift-JIS verb phrase, err an errno value.
[[noreturn]] void ThrowFileFailure(std::string_view drivePath, std::string_view doing, int err);

}  // namespace kirafu
