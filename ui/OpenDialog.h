// The file-open dialog as a lasting object: it keeps its settings and the last chosen file between
// showings, and shows itself through the program's prompts.
#pragma once

#include "platform/Prompts.h"
#include "platform/SystemNames.h"

namespace korva::ui {

class OpenDialog {
public:
    explicit OpenDialog(Prompts& prompts) : prompts_(prompts) {}

    OpenFileOptions Options; // title, filter, initial folder, default extension, flags; FileName below

    // Shows the dialog. Chosen: FileName() is the chosen file's full path. Unusable: a file whose name
    // cannot be used was chosen; the error box naming it has been shown, and FileName() is as before.
    OpenFileResult Execute() {
        const std::string before = Options.fileName;
        const OpenFileResult result = prompts_.OpenFile(Options);
        if (result == OpenFileResult::Unusable) {
            prompts_.Message(MessageKind::Error, UnusableNameMessage(Options.fileName), MessageButtons::Ok);
            Options.fileName = before;
        }
        return result;
    }
    const std::string& FileName() const { return Options.fileName; }
    void SetFileName(const std::string& name) { Options.fileName = name; }
    void SetInitialDir(const std::string& folder) { Options.initialDir = folder; }
    void SetFilterIndex(int index) { Options.filterIndex = index; }

private:
    Prompts& prompts_;
};

} // namespace korva::ui
