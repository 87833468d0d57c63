// Reasons for the shell's failure results (the values of ShellExecute's documented error returns).
#include "platform/Shell.h"

namespace korva {

std::string ShellFailureReason(int result) {
    switch (result) {
    case 0:
    case 8: return "the system is out of memory or resources";
    case 2: return "the file was not found";
    case 3: return "the folder was not found";
    case 5: return "access was denied";
    case 11: return "the program file is not valid";
    case 26: return "a sharing violation occurred";
    case 27:
    case 31: return "no program is associated with it";
    case 28:
    case 29:
    case 30: return "the shell did not answer";
    case 32: return "a library it needs was not found";
    default: return "error " + std::to_string(result);
    }
}

} // namespace korva
