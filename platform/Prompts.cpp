// Captions of the message box kinds.
#include "platform/Prompts.h"

namespace korva {

const char* MessageCaption(MessageKind kind) {
    switch (kind) {
    case MessageKind::Warning: return "Warning";
    case MessageKind::Error: return "Error";
    case MessageKind::Information: return "Information";
    case MessageKind::Confirmation: return "Confirm";
    case MessageKind::Plain:
    case MessageKind::AppError: break;
    }
    return kApplicationTitle;
}

} // namespace korva
