// The real prompts: system message boxes centred on the screen, the common file-open dialog, the
// default beep and modal showing.
#pragma once

#include "platform/Prompts.h"

namespace korva::win32 {

class Win32Prompts final : public Prompts {
public:
    int Message(MessageKind kind, const std::string& text, MessageButtons buttons) override;
    int Message(MessageKind kind, const std::wstring& text, MessageButtons buttons) override;
    bool OpenFile(OpenFileOptions& options) override;
    void Beep() override;
    int ShowModal(ModalWindow& window) override;
};

// The filter text "Name|pattern|Name|pattern" in the form the open dialog takes: each piece ended by a
// NUL and the whole by a second NUL.
std::string OpenDialogFilter(const std::string& filter);

} // namespace korva::win32
