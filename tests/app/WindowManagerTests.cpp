#include "app/CommandIDs.h"
#include "app/UserGuide.h"
#include "support/AppTestHelpers.h"

using apptest::ApplicationTest;
using apptest::pump;

TEST_F (ApplicationTest, UntitledWindowsAreNumberedOneTwoThenThreeAfterClosingTheFirst)
{
    ASSERT_EQ (windowManager().getWindows().size(), 1);
    EXPECT_EQ (window (0).getName(), juce::String ("Quenlo ZKM Editor - Untitled 1"));

    application->openNewWindow();
    ASSERT_EQ (windowManager().getWindows().size(), 2);
    EXPECT_EQ (window (1).getName(), juce::String ("Quenlo ZKM Editor - Untitled 2"));

    window (0).closeButtonPressed();
    ASSERT_EQ (windowManager().getWindows().size(), 1);
    EXPECT_EQ (window (0).getName(), juce::String ("Quenlo ZKM Editor - Untitled 2"));
    EXPECT_FALSE (application->isQuitRequested());

    application->openNewWindow();
    ASSERT_EQ (windowManager().getWindows().size(), 2);
    EXPECT_EQ (window (1).getName(), juce::String ("Quenlo ZKM Editor - Untitled 3"));
}

TEST_F (ApplicationTest, WindowsArePlacedAtFifteenSixtyThenThirtySeventyFive)
{
    application->openNewWindow();

    EXPECT_EQ (window (0).getPosition(), juce::Point<int> (15, 60));
    EXPECT_EQ (window (1).getPosition(), juce::Point<int> (30, 75));

    // The place follows the number of windows open, not the window's number.
    window (1).closeButtonPressed();
    application->openNewWindow();
    EXPECT_EQ (window (1).getPosition(), juce::Point<int> (30, 75));
}

TEST_F (ApplicationTest, WindowIsTallerByTheMenuBarSoTheWholeContentShows)
{
    auto& editor = window (0);
    ASSERT_NE (editor.getMenuBarComponent(), nullptr);
    const auto menuBarHeight = editor.getMenuBarComponent()->getHeight();
    EXPECT_GT (menuBarHeight, 0);

    EXPECT_EQ (editor.getContentComponent()->getWidth(), 1200);
    EXPECT_EQ (editor.getContentComponent()->getHeight(), 700);
    EXPECT_EQ (editor.getHeight(), 700 + menuBarHeight);
    EXPECT_EQ (editor.getContentComponent()->getY(), menuBarHeight);
    EXPECT_TRUE (editor.isVisible());
    EXPECT_TRUE (editor.isOnDesktop());
    EXPECT_FALSE (editor.isResizable());
    EXPECT_EQ (editor.getMenuBarComponent()->getParentComponent(), &editor);
}

TEST_F (ApplicationTest, ClosingTheLastWindowQuits)
{
    application->openNewWindow();
    window (1).closeButtonPressed();
    EXPECT_FALSE (application->isQuitRequested());

    // The Close Window command takes the same way as the close button.
    juce::ApplicationCommandTarget::InvocationInfo info (CommandIDs::closeWindow);
    EXPECT_TRUE (window (0).perform (info));
    EXPECT_TRUE (windowManager().getWindows().isEmpty());
    EXPECT_TRUE (application->isQuitRequested());
}

TEST_F (ApplicationTest, QuitClosesTheAboutAndDeviceSetupWindowsButNotTheDocuments)
{
    application->showAboutWindow();
    application->showDeviceSetupWindow();
    ASSERT_NE (application->getAboutWindow(), nullptr);
    ASSERT_NE (application->getDeviceSetupWindow(), nullptr);

    juce::ApplicationCommandTarget::InvocationInfo info (CommandIDs::quit);
    EXPECT_TRUE (application->perform (info));

    EXPECT_TRUE (application->isQuitRequested());
    EXPECT_EQ (application->getAboutWindow(), nullptr);
    EXPECT_EQ (application->getDeviceSetupWindow(), nullptr);
    EXPECT_EQ (windowManager().getWindows().size(), 1);
}

TEST_F (ApplicationTest, BringAllToFrontRestoresMinimisedWindows)
{
    application->openNewWindow();
    window (0).setMinimised (true);
    window (1).setMinimised (true);
    pump();

    juce::ApplicationCommandTarget::InvocationInfo info (CommandIDs::bringAllToFront);
    EXPECT_TRUE (application->perform (info));
    pump();

    EXPECT_FALSE (window (0).isMinimised());
    EXPECT_FALSE (window (1).isMinimised());
}

TEST_F (ApplicationTest, NewWindowCommandOpensAnotherWindowWithTheDefaultPreset)
{
    juce::ApplicationCommandTarget::InvocationInfo info (CommandIDs::newWindow);
    EXPECT_TRUE (application->perform (info));
    ASSERT_EQ (windowManager().getWindows().size(), 2);

    // Both documents hold the embedded default preset, each in an engine of its own.
    const auto first = window (0).getEngine()->createPresetData (0);
    const auto second = window (1).getEngine()->createPresetData (0);
    EXPECT_EQ (first, second);
    EXPECT_NE (window (0).getEngine().get(), window (1).getEngine().get());
    EXPECT_EQ (first.size(), 476);
}

TEST_F (ApplicationTest, UserGuideIsLookedForInTheDocumentsFolder)
{
    const auto expected = juce::File::getSpecialLocation (juce::File::userDocumentsDirectory)
                              .getChildFile ("Quenlo")
                              .getChildFile ("ZK61 Editor")
                              .getChildFile ("ZKM Editor - User Guide - v1.1.pdf");
    EXPECT_EQ (UserGuide (ZKMModel::numKeys, application->getUserGuideFileName()).getFileInDocuments(), expected);
    EXPECT_EQ (application->getUserGuideFileName(), juce::String ("ZKM Editor - User Guide - v1.1.pdf"));
}

TEST_F (ApplicationTest, UserGuideInTheDocumentsFolderComesFirstThenTheInstalledCopy)
{
    juce::TemporaryFile folder;
    ASSERT_TRUE (folder.getFile().createDirectory());
    const auto inDocuments = folder.getFile().getChildFile ("documents/guide.pdf");
    const auto installed = folder.getFile().getChildFile ("share/doc/zkm-editor/guide.pdf");

    EXPECT_EQ (UserGuide::find (inDocuments, installed), juce::File());

    ASSERT_TRUE (installed.create());
    EXPECT_EQ (UserGuide::find (inDocuments, installed), installed);

    ASSERT_TRUE (inDocuments.create());
    EXPECT_EQ (UserGuide::find (inDocuments, installed), inDocuments);

    folder.getFile().deleteRecursively();
}
