// The project's one exception type and the text rule of the error box that shows it.
#pragma once

#include <stdexcept>
#include <string>

namespace korva {

// A failure meant for the user. It is not handled where it occurs: the window layer catches it at the
// dispatch of the event that raised it and shows its message in the "KORVA" error box.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The text of the error box for a message: the message, followed by a full stop when its last
// character sorts after "." (so "I/O error 103" reads "I/O error 103." but "Done!" stays as it is).
std::string ErrorBoxText(const std::string& message);

} // namespace korva
