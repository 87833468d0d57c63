// Letting the user interface breathe during long work on its own thread.
#pragma once

namespace korva {

class MessagePump {
public:
    virtual ~MessagePump() = default;
    // Handles the window messages waiting in the calling thread's queue, then returns. Cheap when
    // nothing waits, so a long loop may call it after every step. Returns false when it met a quit
    // request: that stays in the queue for the program's own loops, and while it waits the system
    // delivers no input and no painting, so the caller should end its work and return to them.
    // Exceptions raised by message handlers pass through.
    virtual bool ProcessMessages() = 0;
};

} // namespace korva
