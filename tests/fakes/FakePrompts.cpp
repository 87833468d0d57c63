// Recording prompts.
#include "fakes/FakePrompts.h"

namespace korva::fakes {

int FakePrompts::Message(MessageKind kind, const std::string& text, MessageButtons buttons) {
    return Record({kind, text, buttons});
}

int FakePrompts::Message(MessageKind kind, const std::wstring& text, MessageButtons buttons) {
    return Record({kind, "", buttons, text});
}

int FakePrompts::Record(const ShownMessage& message) {
    events.push_back("message");
    messages.push_back(message);
    if (onMessage)
        onMessage(messages.back());
    if (!messageAnswers.empty()) {
        const int answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    return message.buttons == MessageButtons::YesNo ? mrYes : mrOk;
}

bool FakePrompts::OpenFile(OpenFileOptions& options) {
    events.push_back("open");
    openRequests.push_back(options);
    if (fileChoices.empty() || !fileChoices.front()) {
        if (!fileChoices.empty())
            fileChoices.pop_front();
        return false;
    }
    options.chosen = *fileChoices.front();
    fileChoices.pop_front();
    return true;
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
