// The project's one exception type and the text rule of the error box that shows it.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace korva {

// A failure meant for the user. It is not handled where it occurs: the window layer catches it at the
// dispatch of the event that raised it and shows its message in the "KORVA" error box.
// Not a std::runtime_error, whose copy-safe string would bring a second string implementation into
// the program (see app/RuntimeSupport.cpp).
class Error : public std::exception {
public:
    explicit Error(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// The text of the error box for a message: the message, followed by a full stop when its last
// character sorts after "." (so "I/O error 103" reads "I/O error 103." but "Done!" stays as it is).
std::string ErrorBoxText(const std::string& message);

} // namespace korva
