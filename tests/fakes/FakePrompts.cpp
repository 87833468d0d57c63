// Recording prompts.
#include "fakes/FakePrompts.h"

namespace korva::fakes {

int FakePrompts::Message(MessageKind kind, const std::string& text, MessageButtons buttons) {
    events.push_back("message");
    messages.push_back({kind, text, buttons});
    if (onMessage)
        onMessage(messages.back());
    if (!messageAnswers.empty()) {
        const int answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    return buttons == MessageButtons::YesNo ? mrYes : mrOk;
}

OpenFileResult FakePrompts::OpenFile(OpenFileOptions& options) {
    events.push_back("open");
    openRequests.push_back(options);
    if (fileChoices.empty() || !fileChoices.front()) {
        if (!fileChoices.empty())
            fileChoices.pop_front();
        return OpenFileResult::Cancelled;
    }
    options.fileName = *fileChoices.front();
    fileChoices.pop_front();
    return unusableNames.count(options.fileName) ? OpenFileResult::Unusable : OpenFileResult::Chosen;
}

void FakePrompts::Beep() {
    events.push_back("beep");
    ++beeps;
}

int FakePrompts::ShowModal(ModalWindow& window) {
    events.push_back("modal");
    ++modalShowings;
    return onShowModal ? onShowModal(window) : mrCancel;
}

} // namespace korva::fakes
