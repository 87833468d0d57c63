// Prompts for tests: records every prompt in order and answers from queues set up by the test.
#pragma once

#include "platform/Prompts.h"

#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace korva::fakes {

struct ShownMessage {
    MessageKind kind;
    std::string text;
    MessageButtons buttons;
};

class FakePrompts : public Prompts {
public:
    int Message(MessageKind kind, const std::string& text, MessageButtons buttons) override;
    OpenFileResult OpenFile(OpenFileOptions& options) override;
    void Beep() override;
    int ShowModal(ModalWindow& window) override;

    // Answers, taken in order; when a queue is empty: mrOk (mrYes for Yes/No boxes), a cancelled file
    // dialog, and modal windows closed at once with mrCancel.
    std::deque<int> messageAnswers;
    std::deque<std::optional<std::string>> fileChoices; // a full path, or nullopt for Cancel
    std::set<std::string> unusableNames;                // chosen paths answered as Unusable, as shown
    std::function<int(ModalWindow&)> onShowModal;       // runs instead of the window's own loop
    std::function<void(const ShownMessage&)> onMessage; // runs while the box would be open

    // What happened, in order: "beep", "message", "open", "modal".
    std::vector<std::string> events;
    std::vector<ShownMessage> messages;
    std::vector<OpenFileOptions> openRequests; // the options as the dialog received them
    int beeps = 0;
    int modalShowings = 0;
};

} // namespace korva::fakes
