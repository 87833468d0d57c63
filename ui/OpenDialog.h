// The file-open dialog as a lasting object: it keeps its settings and the last chosen file between
// showings, and shows itself through the program's prompts.
#pragma once

#include "platform/Prompts.h"

namespace korva::ui {

class OpenDialog {
public:
    explicit OpenDialog(Prompts& prompts) : prompts_(prompts) {}

    OpenFileOptions Options; // title, filter, initial folder, default extension, flags; FileName below

    // Shows the dialog. True when the user chose a file; FileName() is then its full path.
    bool Execute() { return prompts_.OpenFile(Options); }
    const std::string& FileName() const { return Options.fileName; }
    void SetFileName(const std::string& name) { Options.fileName = name; }
    void SetInitialDir(const std::string& folder) { Options.initialDir = folder; }
    void SetFilterIndex(int index) { Options.filterIndex = index; }

private:
    Prompts& prompts_;
};

} // namespace korva::ui
