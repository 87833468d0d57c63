// Prompts for tests: records every prompt in order and answers from queues set up by the test.
#pragma once

#include "platform/Prompts.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korva::fakes {

struct ShownMessage {
    MessageKind kind;
    std::string text; // a text of the code page
    MessageButtons buttons;
    std::wstring wideText = {}; // a text in UTF-16 (then text is empty)
};

class FakePrompts : public Prompts {
public:
    int Message(MessageKind kind, const std::string& text, MessageButtons buttons) override;
    int Message(MessageKind kind, const std::wstring& text, MessageButtons buttons) override;
    bool OpenFile(OpenFileOptions& options) override;
    void Beep() override;
    int ShowModal(ModalWindow& window) override;

    // Answers, taken in order; when a queue is empty: mrOk (mrYes for Yes/No boxes), a cancelled file
    // dialog, and modal windows closed at once with mrCancel.
    std::deque<int> messageAnswers;
    std::deque<std::optional<std::wstring>> fileChoices; // a full path, or nullopt for Cancel
    std::function<int(ModalWindow&)> onShowModal;       // runs instead of the window's own loop
    std::function<void(const ShownMessage&)> onMessage; // runs while the box would be open

    // What happened, in order: "beep", "message", "open", "modal".
    std::vector<std::string> events;
    std::vector<ShownMessage> messages;
    std::vector<OpenFileOptions> openRequests; // the options as the dialog received them
    int beeps = 0;
    int modalShowings = 0;

private:
    int Record(const ShownMessage& message);
};

} // namespace korva::fakes
