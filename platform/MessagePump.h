// Letting the user interface breathe during long work on its own thread.
#pragma once

namespace korva {

class MessagePump {
public:
    virtual ~MessagePump() = default;
    // Handles the window messages waiting in the calling thread's queue, then returns. Cheap when
    // nothing waits, so a long loop may call it after every step. A quit request met here is left in
    // the queue for the main loop. Exceptions raised by message handlers pass through.
    virtual void ProcessMessages() = 0;
};

} // namespace korva
