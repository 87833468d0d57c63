// The program's four windows, made as WinMain makes them, with stand-ins for the services they reach:
// for the tests that need all of them at once.
#pragma once

#include "app/About.h"
#include "app/RUririzizu.h"
#include "config/Config.h"
#include "config/Select.h"
#include "fakes/FakeCursor.h"
#include "fakes/FakeFileKinds.h"
#include "fakes/FakeFolderSystem.h"
#include "fakes/FakeNameConversion.h"
#include "fakes/FakeProfileStore.h"
#include "fakes/FakePrompts.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeShell.h"
#include "platform/win32/Win32FileWriter.h"

namespace korva::test {

struct ProgramWindows {
    ProgramWindows()
        : frmMain({prompts, shell, files, kinds, settings, names}, nullptr), frmAbout(prompts, nullptr),
          frmConfig({prompts, disks, pump, registry, cursor, names}, nullptr), frmSelect(prompts, names, nullptr) {}

    fakes::FakePrompts prompts;
    fakes::FakeShell shell;
    win32::Win32FileWriter files;
    fakes::FakeFileKinds kinds;
    fakes::FakeProfileStore settings;
    fakes::FakeFolderSystem disks;
    fakes::FakeMessagePump pump;
    fakes::FakeRegistry registry;
    fakes::FakeCursor cursor;
    fakes::FakeNameConversion names;
    TfrmMain frmMain;
    TfrmAbout frmAbout;
    TfrmConfig frmConfig;
    TfrmSelect frmSelect;
};

} // namespace korva::test
