// Starting KORVA while it runs already: the running copy comes to the front and the new one ends by
// itself, also when it would have asked for the configuration first.
#include "Scenario.h"

namespace korva::acceptance {
namespace {

using SingleInstance = Scenario;

TEST_F(SingleInstance, ASecondCopyBringsTheFirstToTheFrontAndEndsByItself) {
    folder.WriteSettings(WorkedExample::Settings(2, true));
    Process first = folder.Start();
    MainWindow main(first.Id());
    ASSERT_TRUE(main);

    ::SetForegroundWindow(::GetDesktopWindow()); // the user has gone on to something else
    Process second = folder.Start();
    ASSERT_TRUE(second.WaitForExit(kWaitMs)) << "the second copy did not end";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_EQ(FindTopWindow(second.Id(), nullptr, nullptr), nullptr);

    EXPECT_TRUE(first.Running());
    EXPECT_EQ(::GetForegroundWindow(), main.Handle());
    EXPECT_EQ(main.CheckedMode(), 2) << "the first copy changed";

    main.Exit();
    ASSERT_TRUE(first.WaitForExit(kWaitMs));
    EXPECT_EQ(IniLookup(ReadIni(folder.Settings()), "General", "ComMode"), "2");
}

TEST_F(SingleInstance, ASecondCopyEndsByItselfWhileTheFirstStillAsksForTheConfiguration) {
    Process first = folder.Start();
    const MessageBoxSeen firstBox = WaitForMessageBox(first.Id(), "Information");
    ASSERT_TRUE(firstBox);

    // The second copy finds the first's window although it is not shown yet; its own start-up message
    // closes by itself once the request to end is read.
    Process second = folder.Start();
    ASSERT_TRUE(second.WaitForExit(kWaitMs)) << "the second copy waited for the user";
    EXPECT_EQ(second.ExitCode(), 0u);

    EXPECT_TRUE(first.Running());
    ASSERT_TRUE(Answer(firstBox, "OK"));
    MainWindow main(first.Id());
    ASSERT_TRUE(main);
    main.Exit();
    ASSERT_TRUE(first.WaitForExit(kWaitMs));
    EXPECT_EQ(IniLookup(ReadIni(folder.Settings()), "Folders", "GameDir"), "Not Found");
}

} // namespace
} // namespace korva::acceptance
