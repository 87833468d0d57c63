// Program entry: the single-instance test, the application window, the program's windows and the run loop.
#include "app/About.h"
#include "app/RUririzizu.h"
#include "config/Config.h"
#include "config/Select.h"
#include "platform/Error.h"
#include "platform/win32/Win32Cursor.h"
#include "platform/win32/Win32FileKinds.h"
#include "platform/win32/Win32FileWriter.h"
#include "platform/win32/Win32FolderSystem.h"
#include "platform/win32/Win32MessagePump.h"
#include "platform/win32/Win32Names.h"
#include "platform/win32/Win32ProfileStore.h"
#include "platform/win32/Win32Prompts.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "ui/Application.h"

#include <commctrl.h>

using namespace korva;

namespace {

// A copy that is already running is brought to the front, and this copy is asked to end. The request
// takes effect in this copy's run loop, so start-up goes on as usual until then.
void ActivateRunningCopy() {
    if (HWND running = ::FindWindowA("TfrmMain", kMainCaption)) {
        ::SetForegroundWindow(running);
        ::PostQuitMessage(0);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);

    ActivateRunningCopy();

    win32::Win32Prompts prompts;
    win32::Win32Shell shell;
    win32::Win32FileWriter files;
    win32::Win32FileKinds kinds;
    win32::Win32ProfileStore profiles;
    win32::Win32FolderSystem folders;
    win32::Win32MessagePump pump;
    win32::Win32Registry registry;
    win32::Win32Cursor cursor;
    const NameConversion& names = win32::SystemNameConversion();
    int exitCode = 0;
    try {
        ui::Application application(kApplicationTitle);
        TfrmMain frmMain({prompts, shell, files, kinds, profiles, names, win32::SystemLeadBytes(), &cursor},
                         application.Handle());
        shell.SetOwner(frmMain.Handle());
        TfrmAbout frmAbout(prompts, application.Handle());
        frmMain.SetAboutBox(frmAbout);
        TfrmConfig frmConfig({prompts, folders, pump, registry, cursor, names}, application.Handle());
        frmMain.SetConfigDialog(frmConfig);
        TfrmSelect frmSelect(prompts, names, application.Handle());
        frmConfig.SetChooser(frmSelect);

        application.Run(frmMain);

        frmMain.Destroy();
        frmAbout.Destroy();
        frmConfig.Destroy();
        frmSelect.Destroy();
    } catch (const std::exception& e) {
        prompts.Message(MessageKind::AppError, ErrorBoxText(e.what()), MessageButtons::Ok);
        exitCode = 1;
    }
    return exitCode;
}
