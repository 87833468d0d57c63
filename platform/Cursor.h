// The mouse pointer shown over the program's windows while it works.
#pragma once

namespace korva {

enum class CursorShape { Default, Hourglass };

class Cursor {
public:
    virtual ~Cursor() = default;
    // Hourglass stays over every window of the program, also while their messages are handled, until
    // Default puts back each window's own pointer.
    virtual void Set(CursorShape shape) = 0;
    // The shape set last (Default at first): what the program's windows show.
    virtual CursorShape Shape() const = 0;
};

} // namespace korva
