// The automatic detection against an in-memory registry, file system, dialog and chooser: one test per
// way through it, the registry values at their edges, repeated runs, and stopping a search with Cancel.
#include "config/Detection.h"
#include "fakes/FakeCursor.h"
#include "fakes/FakePrompts.h"
#include "fakes/FakeRegistry.h"
#include "platform/Error.h"
#include "tests/fakes/FakeFolderSystem.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <set>

namespace korva {
namespace {

using fakes::FakeCursor;
using fakes::FakeFolderSystem;
using fakes::FakeMessagePump;
using fakes::FakePrompts;
using fakes::FakeRegistry;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using enum StatusLabel;

using Labels = std::set<StatusLabel>;

class FakeView : public DetectionView {
public:
    void Reset() override {
        labels.clear();
        manual = false;
        ++resets;
    }
    void ShowStatus(StatusLabel label) override { labels.insert(label); }
    void ShowFolder(FolderEdit edit, const std::string& text) override { edits[edit] = text; }
    bool ManualConfig() const override { return manual; }
    void ToggleManualConfig() override { manual = !manual; }
    void FocusToolsDir() override { toolsFocused = true; }
    void SetSearching(bool on) override {
        searching = on;
        searchingChanges.push_back(on);
    }
    void ShowSearchFolder(const std::string& folder) override { searchLines.push_back(folder); }

    Labels labels;
    std::map<FolderEdit, std::string> edits = {{FolderEdit::edHLDir, "hl as handed"},
                                               {FolderEdit::edToolsDir, "tools as handed"},
                                               {FolderEdit::edMapsDir, "maps as handed"}};
    bool manual = false;
    bool toolsFocused = false;
    bool searching = false;
    std::vector<bool> searchingChanges;
    std::vector<std::string> searchLines;
    int resets = 0;
};

class FakeChooser : public FolderChooser {
public:
    std::optional<std::string> Choose(const std::vector<std::string>& folders) override {
        offered.push_back(folders);
        return pick ? pick(folders) : std::nullopt;
    }
    std::vector<std::vector<std::string>> offered;
    std::function<std::optional<std::string>(const std::vector<std::string>&)> pick;
};

class DetectionTest : public ::testing::Test {
protected:
    DetectionTest() {
        // The dialog's stored scanner settings.
        sf.FileMask = "QCSG.EXE";
        sf.UpdateList = true;
        sf.ScanOptions = soSpecifiedDir;
        sf.ScanDir = "C:\\";
        sf.Messages = true;
        sf.DoRecursive = false;
        detection.SetChooser(&chooser);
        fs.AddDrive('C', dtFixed);
    }

    void Installed(const std::optional<std::string>& game, const std::optional<std::string>& editor) {
        registry.SetValue(kHalfLifeKey, kDirectoryValue, game);
        registry.SetValue(kEditorKey, kDirectoryValue, editor);
    }

    std::string Edit(FolderEdit edit) { return view.edits[edit]; }

    // After every run: the keys are closed and the dialog is usable again.
    void TearDown() override {
        EXPECT_EQ(registry.openKeys, 0);
        EXPECT_FALSE(view.searching);
        EXPECT_FALSE(detection.Running());
        EXPECT_EQ(cursor.current, CursorShape::Default);
    }

    FakeFolderSystem fs;
    FakeMessagePump pump;
    TSearchFolders sf{fs, pump};
    FakeRegistry registry;
    FakeView view;
    FakePrompts prompts;
    FakeCursor cursor;
    FakeChooser chooser;
    StoredFolders folders;
    Detection detection{{registry, sf, view, prompts, cursor, folders}};
};

TEST_F(DetectionTest, ToolsDirectlyInTheEditorsFolder) {
    Installed("C:\\Games\\Half-Life", "C:\\WC");
    fs.AddFile("C:\\WC\\QCSG.EXE");
    fs.AddFile("C:\\WC\\deeper\\QCSG.EXE"); // never looked at: the first look finds the tools
    view.manual = true;

    detection.Run();

    EXPECT_EQ(view.resets, 1);
    EXPECT_FALSE(view.manual);
    EXPECT_EQ(folders.HLPath, "C:\\Games\\Half-Life\\");
    EXPECT_EQ(folders.WCPath, "C:\\WC\\");
    EXPECT_EQ(folders.MapsPath, "C:\\WC\\maps\\");
    EXPECT_EQ(folders.ToolsPath, "C:\\WC\\");
    EXPECT_EQ(view.labels, (Labels{lblSuccesHL, lblSuccesMaps, lblSuccesQTools, lblFToolsSkip}));
    EXPECT_EQ(Edit(FolderEdit::edHLDir), "C:\\Games\\Half-Life\\");
    EXPECT_EQ(Edit(FolderEdit::edToolsDir), "C:\\WC\\");
    EXPECT_EQ(Edit(FolderEdit::edMapsDir), "C:\\WC\\maps\\");
    EXPECT_THAT(fs.openedPatterns, ElementsAre("C:\\WC\\*.*"));
    EXPECT_THAT(registry.openRequests, ElementsAre(kHalfLifeKey, kEditorKey));
    EXPECT_THAT(prompts.events, IsEmpty());
    EXPECT_THAT(chooser.offered, IsEmpty());
    EXPECT_THAT(cursor.shapes, IsEmpty()); // the hourglass is for the full search only
    EXPECT_THAT(view.searchLines, IsEmpty());
}

TEST_F(DetectionTest, ToolsInOneSubfolderShowNoToolsLabel) {
    Installed("C:\\HL", "C:\\WC");
    fs.AddFile("C:\\WC\\readme.txt");
    fs.AddFile("C:\\WC\\bin\\qcsg.exe"); // matching ignores case

    detection.Run();

    EXPECT_EQ(folders.ToolsPath, "C:\\WC\\bin\\");
    EXPECT_EQ(Edit(FolderEdit::edToolsDir), "C:\\WC\\bin\\");
    EXPECT_EQ(Edit(FolderEdit::edMapsDir), "C:\\WC\\maps\\");
    EXPECT_EQ(view.labels, (Labels{lblSuccesHL, lblSuccesMaps}));
    EXPECT_EQ(sf.ScanDir, "C:\\WC\\");
    EXPECT_TRUE(sf.DoRecursive);
    EXPECT_THAT(prompts.events, IsEmpty());
    EXPECT_THAT(chooser.offered, IsEmpty());
}

TEST_F(DetectionTest, ToolsInTwoSubfoldersAreOfferedInWalkOrder) {
    Installed("C:\\HL", "C:\\WC");
    fs.AddFile("C:\\WC\\zeta\\QCSG.EXE");
    fs.AddFolder("C:\\WC\\alpha\\QCSG.EXE"); // a folder of that name counts as a find too
    const struct {
        const char* name;
        std::function<std::optional<std::string>(const std::vector<std::string>&)> pick;
        std::string toolsPath;
        std::string toolsEdit;
    } cases[] = {
        {"the second row", [](auto& rows) { return rows[1]; }, "C:\\WC\\alpha\\", "C:\\WC\\alpha\\"},
        {"an edited caption", [](auto&) { return std::string("D:\\Edited\\"); }, "D:\\Edited\\",
         "D:\\Edited\\"},
        // Closed with no row selected: no choice, so the tools folder and its edit stay as they were.
        {"no row", [](auto&) { return std::nullopt; }, "C:\\Earlier\\", "D:\\Tools\\Compile\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        folders.ToolsPath = "C:\\Earlier\\";
        view.edits[FolderEdit::edToolsDir] = "D:\\Tools\\Compile\\"; // as read from KORVA.INI
        chooser.offered.clear();
        chooser.pick = c.pick;

        detection.Run();

        ASSERT_EQ(chooser.offered.size(), 1u);
        EXPECT_THAT(chooser.offered[0], ElementsAre("C:\\WC\\zeta\\", "C:\\WC\\alpha\\"));
        EXPECT_EQ(folders.ToolsPath, c.toolsPath);
        EXPECT_EQ(Edit(FolderEdit::edToolsDir), c.toolsEdit);
        EXPECT_EQ(Edit(FolderEdit::edMapsDir), "C:\\WC\\maps\\");
        EXPECT_EQ(view.labels, (Labels{lblSuccesHL, lblSuccesMaps, lblFToolsSkip}));
        EXPECT_THAT(prompts.events, IsEmpty());
    }
}

TEST_F(DetectionTest, EditorKeyReadButNoToolsThereAsksAndNoSwitchesToManual) {
    Installed("C:\\HL", "C:\\WC");
    fs.AddFile("C:\\WC\\maps\\castle.map");
    prompts.messageAnswers = {mrNo};

    detection.Run();

    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].kind, MessageKind::Confirmation);
    EXPECT_EQ(prompts.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(prompts.messages[0].text,
              "Compile tools were not initially found. KORVA can search for the files, which might take up to a "
              "minute, or you can manually enter their location.\rDo you want KORVA to search for the tools?");
    EXPECT_EQ(view.labels, (Labels{lblSuccesHL, lblSuccesMaps, lblFailQTools, lblFToolsSkip}));
    EXPECT_TRUE(view.manual);
    EXPECT_TRUE(view.toolsFocused);
    EXPECT_EQ(folders.MapsPath, "C:\\WC\\maps\\");
    EXPECT_EQ(folders.ToolsPath, "");
    // On this way the tools and maps edits keep their texts.
    EXPECT_EQ(Edit(FolderEdit::edToolsDir), "tools as handed");
    EXPECT_EQ(Edit(FolderEdit::edMapsDir), "maps as handed");
    EXPECT_THAT(fs.openedPatterns, ElementsAre("C:\\WC\\*.*", "C:\\WC\\*.*", "C:\\WC\\maps\\*.*"));
    EXPECT_EQ(prompts.beeps, 0);
}

TEST_F(DetectionTest, NoKeysFailBothRowsAndAskAtOnce) {
    fs.AddFile("C:\\WC\\QCSG.EXE"); // not looked for without the editor's key
    // Keys whose values name folders the code page cannot hold count as missing.
    for (const bool keysThere : {false, true}) {
        SCOPED_TRACE(keysThere ? "unusable values" : "no keys");
        if (keysThere)
            Installed({}, {}); // what the registry gives for them (nothing), see Registry::ReadString
        prompts.messageAnswers = {mrNo};
        prompts.events.clear();
        view.manual = true; // switched off by Reset, on again by the declined question

        detection.Run();

        EXPECT_EQ(view.labels, (Labels{lblFailHL, lblFailQTools, lblFailMaps, lblFToolsSkip}));
        EXPECT_EQ(Edit(FolderEdit::edHLDir), "Folder not found");
        EXPECT_EQ(Edit(FolderEdit::edToolsDir), "tools as handed");
        EXPECT_EQ(Edit(FolderEdit::edMapsDir), "maps as handed");
        EXPECT_EQ(folders.HLPath, "");
        EXPECT_EQ(folders.WCPath, "");
        EXPECT_TRUE(view.manual);
        EXPECT_THAT(fs.openedPatterns, IsEmpty());
        EXPECT_THAT(prompts.events, ElementsAre("message"));
    }
}

// The full search over every searchable drive, after Yes.
TEST_F(DetectionTest, FullSearchFindsNothingOneOrSeveral) {
    const struct {
        const char* name;
        std::vector<std::string> tools;
        std::vector<std::string> offered; // rows of the chooser, if any
        std::string toolsPath;
        Labels labels;
        std::string toolsEdit; // what the tools edit shows afterwards
        bool choose = true;    // the chooser is left with the second row selected, else none
    } cases[] = {
        {"nothing",
         {},
         {},
         "C:\\Earlier\\",
         {lblFailQTools, lblSuccesMaps, lblSuccesHL, lblFailFtools},
         "C:\\Earlier\\"},
        {"one",
         {"D:\\Sierra\\Tools\\QCSG.EXE"},
         {},
         "D:\\Sierra\\Tools\\",
         {lblFailQTools, lblSuccesMaps, lblSuccesHL, lblSuccesFTools},
         "D:\\Sierra\\Tools\\"},
        {"several",
         {"D:\\b\\QCSG.EXE", "C:\\a\\QCSG.EXE", "D:\\a\\QCSG.EXE"},
         {"C:\\a\\", "D:\\b\\", "D:\\a\\"}, // drives in letter order, each in listing order
         "D:\\b\\",
         {lblFailQTools, lblSuccesMaps, lblSuccesHL, lblSuccesFTools},
         "D:\\b\\"},
        // No choice is no folder: the tools folder and its edit stay, and the row shows no success.
        {"several, none chosen",
         {"D:\\b\\QCSG.EXE", "C:\\a\\QCSG.EXE"},
         {"C:\\a\\", "D:\\b\\"},
         "C:\\Earlier\\",
         {lblFailQTools, lblSuccesMaps, lblSuccesHL},
         "tools as handed",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeFolderSystem disks;
        disks.AddDrive('C', dtFixed);
        disks.AddDrive('D', dtRemote);
        disks.AddDrive('E', dtRemovable); // not searched
        disks.AddFile("E:\\QCSG.EXE");
        disks.AddFolder("C:\\WC");
        for (const auto& tool : c.tools)
            disks.AddFile(tool);
        TSearchFolders scanner(disks, pump);
        FakeView dialog;
        FakePrompts answers;
        FakeCursor pointer;
        StoredFolders stored;
        stored.ToolsPath = "C:\\Earlier\\";
        Detection run({registry, scanner, dialog, answers, pointer, stored});
        run.SetChooser(&chooser);
        chooser.offered.clear();
        chooser.pick = [&c](auto& rows) { return c.choose ? std::optional(rows[1]) : std::nullopt; };
        Installed("C:\\HL", "C:\\WC");
        bool searchingDuringScan = false;
        pump.onPump = [&] { searchingDuringScan = dialog.searching; };

        run.Run();

        EXPECT_EQ(stored.ToolsPath, c.toolsPath);
        EXPECT_EQ(dialog.edits[FolderEdit::edToolsDir], c.toolsEdit);
        EXPECT_EQ(dialog.edits[FolderEdit::edMapsDir], "maps as handed"); // the full search leaves it
        EXPECT_EQ(dialog.labels, c.labels);
        if (c.offered.empty())
            EXPECT_THAT(chooser.offered, IsEmpty());
        else
            EXPECT_THAT(chooser.offered, ElementsAre(c.offered));
        EXPECT_EQ(scanner.ScanOptions, soAllDisks);
        EXPECT_EQ(scanner.ScanDir, "C:\\");
        EXPECT_TRUE(scanner.DoRecursive);
        EXPECT_EQ(scanner.FileMask, "QCSG.EXE");
        // The search shows the hourglass and the folder it walks; both go when it ends.
        EXPECT_TRUE(searchingDuringScan);
        EXPECT_FALSE(dialog.searching);
        EXPECT_THAT(pointer.shapes, ElementsAre(CursorShape::Hourglass, CursorShape::Default));
        ASSERT_GE(dialog.searchLines.size(), 3u);
        EXPECT_EQ(dialog.searchLines.front(), "C:");
        EXPECT_NE(std::find(dialog.searchLines.begin(), dialog.searchLines.end(), "D:"), dialog.searchLines.end());
        EXPECT_EQ(dialog.searchLines.back(), "");
        EXPECT_FALSE(scanner.OnProcess); // the dialog's own (none) is back

        const bool nothing = c.tools.empty();
        EXPECT_EQ(dialog.manual, nothing);
        EXPECT_EQ(dialog.toolsFocused, nothing);
        if (nothing) {
            EXPECT_THAT(answers.events, ElementsAre("message", "beep", "message"));
            EXPECT_EQ(answers.messages[1].kind, MessageKind::Plain);
            EXPECT_EQ(answers.messages[1].text, "Compile tools were not found on your system!");
        } else {
            EXPECT_THAT(answers.events, ElementsAre("message"));
        }
        EXPECT_EQ(registry.openKeys, 0);
    }
    pump.onPump = nullptr;
}

TEST_F(DetectionTest, RegistryValuesBecomeFoldersWithABackslashAppendedBlindly) {
    const struct {
        std::optional<std::string> game, editor; // nullopt: the value is missing from its key
        std::string hlPath, wcPath, mapsPath;
    } cases[] = {
        {"C:\\Games\\HL\\", "D:\\WC\\", "C:\\Games\\HL\\\\", "D:\\WC\\\\", "D:\\WC\\\\maps\\"},
        {"", "", "\\", "\\", "\\maps\\"},
        {std::nullopt, std::nullopt, "\\", "\\", "\\maps\\"},
    };
    for (const auto& c : cases) {
        FakeRegistry values;
        values.AddKey(kHalfLifeKey);
        values.AddKey(kEditorKey);
        if (c.game)
            values.SetValue(kHalfLifeKey, kDirectoryValue, *c.game);
        if (c.editor)
            values.SetValue(kEditorKey, kDirectoryValue, *c.editor);
        FakeFolderSystem disks;
        TSearchFolders scanner(disks, pump);
        StoredFolders stored;
        prompts.messageAnswers = {mrNo};
        Detection run({values, scanner, view, prompts, cursor, stored});
        run.Run();

        EXPECT_EQ(stored.HLPath, c.hlPath);
        EXPECT_EQ(stored.WCPath, c.wcPath);
        EXPECT_EQ(stored.MapsPath, c.mapsPath);
        EXPECT_EQ(Edit(FolderEdit::edHLDir), c.hlPath);
        EXPECT_TRUE(view.labels.count(lblSuccesHL) && view.labels.count(lblSuccesMaps));
        // The quick looks start in the folder as built: "\" is the current drive's root.
        ASSERT_FALSE(disks.openedPatterns.empty());
        EXPECT_EQ(disks.openedPatterns[0], c.wcPath + "*.*");
    }
}

TEST_F(DetectionTest, AValueOfTheWrongTypeEndsTheDetectionWithTheLabelsSoFar) {
    const struct {
        const char* failingKey;
        Labels labels;
    } cases[] = {
        {kHalfLifeKey, {}},
        {kEditorKey, {lblSuccesHL}},
    };
    for (const auto& c : cases) {
        FakeRegistry values;
        values.SetValue(kHalfLifeKey, kDirectoryValue, "C:\\HL");
        values.SetValue(kEditorKey, kDirectoryValue, "C:\\WC");
        values.SetFailure(c.failingKey, kDirectoryValue, "Invalid data type for 'Directory'");
        StoredFolders stored;
        FakePrompts answers;
        Detection run({values, sf, view, answers, cursor, stored});

        try {
            run.Run();
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "Invalid data type for 'Directory'");
        }
        EXPECT_EQ(view.labels, c.labels);
        EXPECT_EQ(values.openKeys, 0);
        EXPECT_FALSE(run.Running());
        EXPECT_THAT(answers.events, IsEmpty());
        EXPECT_THAT(fs.openedPatterns, IsEmpty());
    }
}

TEST_F(DetectionTest, EachRunShowsOnlyItsOwnLabelsAndKeepsWhatEarlierRunsFound) {
    Installed("C:\\HL", "C:\\WC");
    fs.AddFile("C:\\WC\\QCSG.EXE");
    detection.Run();
    ASSERT_EQ(folders.ToolsPath, "C:\\WC\\");

    // The entries are gone and the full search finds nothing: the folders of the first run stay, and
    // the tools edit shows the stored tools folder once the box is closed.
    FakeRegistry empty;
    FakeFolderSystem nothing;
    nothing.AddDrive('C', dtFixed);
    TSearchFolders scanner(nothing, pump);
    // The tools edit is set only after the box has been closed.
    struct BoxWatch : FakePrompts {
        FakeView* view = nullptr;
        std::string toolsEditDuringBox;
        int Message(MessageKind kind, const std::string& text, MessageButtons buttons) override {
            if (kind == MessageKind::Plain)
                toolsEditDuringBox = view->edits[FolderEdit::edToolsDir];
            return FakePrompts::Message(kind, text, buttons);
        }
    } box;
    box.view = &view;
    Detection second({empty, scanner, view, box, cursor, folders});
    view.edits[FolderEdit::edToolsDir] = "typed";
    second.Run();
    EXPECT_EQ(box.toolsEditDuringBox, "typed");

    EXPECT_EQ(view.labels, (Labels{lblFailHL, lblFailQTools, lblFailMaps, lblFailFtools}));
    EXPECT_EQ(folders.HLPath, "C:\\HL\\");
    EXPECT_EQ(folders.WCPath, "C:\\WC\\");
    EXPECT_EQ(folders.MapsPath, "C:\\WC\\maps\\");
    EXPECT_EQ(folders.ToolsPath, "C:\\WC\\");
    EXPECT_EQ(Edit(FolderEdit::edHLDir), "Folder not found");
    EXPECT_EQ(Edit(FolderEdit::edToolsDir), "C:\\WC\\");
}

// Cancel during a search stops it; the detection then ends at once and leaves the stored folders as
// they were before it started.
TEST_F(DetectionTest, CancelDuringASearchStopsItAndChangesNoFolder) {
    const struct {
        const char* name;
        bool editorKey;
    } cases[] = {
        {"quick look", true},
        {"full search", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeRegistry values;
        values.SetValue(kHalfLifeKey, kDirectoryValue, "C:\\New HL");
        if (c.editorKey)
            values.SetValue(kEditorKey, kDirectoryValue, "C:\\WC");
        FakeFolderSystem disks;
        disks.AddDrive('C', dtFixed);
        for (const char* folder : {"C:\\WC\\a", "C:\\WC\\b", "C:\\WC\\c"})
            disks.AddFile(std::string(folder) + "\\QCSG.EXE");
        TSearchFolders scanner(disks, pump);
        StoredFolders stored{"C:\\Old HL\\", "C:\\Old Tools\\", "C:\\Old Maps\\", "C:\\Old WC\\"};
        const StoredFolders before = stored;
        FakeView dialog;
        FakePrompts answers;
        FakeCursor pointer;
        Detection run({values, scanner, dialog, answers, pointer, stored});
        run.SetChooser(&chooser);
        chooser.offered.clear();
        int pumped = 0;
        pump.onPump = [&] {
            if (++pumped == 4) {
                run.Run(); // a second Scan inside the first does nothing
                run.Cancel();
            }
        };

        run.Run();

        EXPECT_EQ(dialog.resets, 1);
        EXPECT_TRUE(scanner.StopScan);
        EXPECT_EQ(stored.HLPath, before.HLPath);
        EXPECT_EQ(stored.ToolsPath, before.ToolsPath);
        EXPECT_EQ(stored.MapsPath, before.MapsPath);
        EXPECT_EQ(stored.WCPath, before.WCPath);
        EXPECT_THAT(chooser.offered, IsEmpty());
        EXPECT_EQ(answers.events, c.editorKey ? std::vector<std::string>{} : std::vector<std::string>{"message"});
        EXPECT_FALSE(run.Running());
        EXPECT_FALSE(dialog.searching);
        EXPECT_EQ(pointer.current, CursorShape::Default);
        EXPECT_EQ(values.openKeys, 0);
    }
    pump.onPump = nullptr;
}

TEST_F(DetectionTest, CancelOutsideADetectionDoesNothing) {
    detection.Cancel();
    EXPECT_FALSE(sf.StopScan);
    Installed("C:\\HL", "C:\\WC");
    fs.AddFile("C:\\WC\\QCSG.EXE");
    detection.Run();
    EXPECT_EQ(folders.ToolsPath, "C:\\WC\\");
}

} // namespace
} // namespace korva
