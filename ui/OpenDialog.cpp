// The file-open dialog and the rule for the name it brings in.
#include "ui/OpenDialog.h"

namespace korva::ui {

OpenFileResult OpenDialog::Execute() {
    if (!prompts_.OpenFile(Options))
        return OpenFileResult::Cancelled;
    const NameKind kind = Options.folderOnly ? NameKind::ContainingFolder : NameKind::File;
    const CheckedName chosen = CheckName(Options.chosen, kind, names_);
    if (!chosen.path) {
        prompts_.Message(MessageKind::Error, RefusalMessage(chosen, ""), MessageButtons::Ok);
        return OpenFileResult::Unusable;
    }
    Options.fileName = *chosen.path;
    return OpenFileResult::Chosen;
}

} // namespace korva::ui
