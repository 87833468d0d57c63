// The main window driven from outside.
#include "KorvaWindows.h"

#include <gtest/gtest.h>

namespace korva::acceptance {

MainWindow::MainWindow(DWORD processId, int milliseconds)
    : processId_(processId), window_(WaitForTopWindow(processId, kMainClass, kMainCaption, milliseconds)) {}

HWND MainWindow::Child(const char* className, const char* caption) const {
    HWND child = FindChild(window_, className, caption);
    EXPECT_NE(child, nullptr) << "no control \"" << caption << "\" in the main window";
    return child;
}

HWND MainWindow::Edit(bool multiLine) const {
    for (HWND edit : Children(window_, "Edit"))
        if (((::GetWindowLongA(edit, GWL_STYLE) & ES_MULTILINE) != 0) == multiLine)
            return edit;
    ADD_FAILURE() << "the main window has no " << (multiLine ? "help box" : "file-name box");
    return nullptr;
}

void MainWindow::Press(const char* caption) const {
    if (HWND button = Child("Button", caption))
        acceptance::Press(button);
}

void MainWindow::ChooseMode(int mode) const {
    Press(kModes.at(static_cast<size_t>(mode)).c_str());
    HWND choice = FindChild(window_, "Button", kModes[static_cast<size_t>(mode)].c_str());
    EXPECT_TRUE(WaitUntil([&] { return choice && IsChecked(choice); })) << kModes[static_cast<size_t>(mode)];
}

int MainWindow::CheckedMode() const {
    int checked = -1;
    for (size_t i = 0; i < kModes.size(); ++i) {
        HWND choice = Child("Button", kModes[i].c_str());
        if (choice && IsChecked(choice)) {
            EXPECT_EQ(checked, -1) << "two compile modes are ticked";
            checked = static_cast<int>(i);
        }
    }
    return checked;
}

bool MainWindow::RunGameTicked() const {
    HWND box = Child("Button", "Run Half-Life when done");
    return box && IsChecked(box);
}

void MainWindow::SetRunGame(bool tick) const {
    if (RunGameTicked() == tick)
        return;
    Press("Run Half-Life when done");
    EXPECT_TRUE(WaitUntil([&] { return RunGameTicked() == tick; }));
}

std::string MainWindow::FileName() const {
    HWND edit = Edit(false);
    return edit ? TextOf(edit) : std::string();
}

bool MainWindow::WaitForFileName(const std::string& text) const {
    return WaitUntil([&] { return FileName() == text; });
}

std::vector<std::string> MainWindow::HelpLines() const {
    HWND memo = Edit(true);
    const std::string text = memo ? TextOf(memo) : std::string();
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

bool MainWindow::Browse(const std::wstring& path) const {
    Press("&Browse...");
    return ChooseFile(processId_, kMapDialogCaption, path);
}

void MainWindow::Exit() const {
    Press("&Exit");
    EXPECT_TRUE(WaitUntilGone(window_)) << "the main window did not close";
}

} // namespace korva::acceptance
