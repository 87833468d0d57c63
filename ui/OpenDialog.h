// The file-open dialog as a lasting object: it keeps its settings and the last chosen file between
// showings, shows itself through the program's prompts, and takes the chosen name through the rule for
// names (platform/SystemNames.h) with the conversion of the window's services.
#pragma once

#include "platform/Prompts.h"
#include "platform/SystemNames.h"

namespace korva::ui {

// How a showing of the dialog ended.
enum class OpenFileResult {
    Cancelled,
    Chosen,
    Unusable, // a file whose name cannot be used was chosen; the box that says why has been shown
};

class OpenDialog {
public:
    // Both outlive the dialog.
    OpenDialog(Prompts& prompts, const NameConversion& names) : prompts_(prompts), names_(names) {}

    OpenFileOptions Options; // title, filter, initial folder, default extension, flags; FileName below

    // Shows the dialog. Chosen: FileName() is the chosen file's full path in the code page (with
    // Options.folderOnly, its folder). Unusable: the refusal, naming the file exactly, has been shown
    // and FileName() is as before.
    OpenFileResult Execute();
    const std::string& FileName() const { return Options.fileName; }
    void SetFileName(const std::string& name) { Options.fileName = name; }
    void SetInitialDir(const std::string& folder) { Options.initialDir = folder; }
    void SetFilterIndex(int index) { Options.filterIndex = index; }

private:
    Prompts& prompts_;
    const NameConversion& names_;
};

} // namespace korva::ui
