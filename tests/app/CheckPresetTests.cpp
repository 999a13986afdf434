#include "app/CommandIDs.h"
#include "engine/PresetCheck.h"
#include "support/AppTestHelpers.h"
#include "support/FakeMidiDeviceLayer.h"
#include "support/MessageLoop.h"
#include "views/BankView.h"

using apptest::ApplicationTest;
using apptest::FakeDeviceTest;
using apptest::perform;
using apptest::pump;

namespace
{
/** The default preset with knobs 5 and 6 both on CC 116 of channel 16. */
juce::Array<juce::uint8> presetWithClash()
{
    auto dump = TestRig::defaultPresetDump();

    for (auto knob : { 4, 5 })
    {
        const auto offset = TestRig::dumpHeadLength + PresetLayout::getOffset (ControlType::Knob, knob);
        dump.set (offset + 0, 0);
        dump.set (offset + 1, 116);
        dump.set (offset + 4, 15);
    }

    return dump;
}

/** Presses "Send" in the window's Send dialog, opened by the command, for slot 3. */
void pressSend (EditorWindow& window, juce::CommandID command = CommandIDs::sendPreset)
{
    perform (window, command);
    pump();
    auto* dialog = window.getControllerDialogs().getSendPresetWindow();
    ASSERT_NE (dialog, nullptr);
    dialog->getPresetComponent().getSlotChooser().getComboBox().setSelectedId (3, juce::sendNotificationSync);
    dialog->buttonClicked (&dialog->getPresetComponent().getActionButton());
}
} // namespace

//==============================================================================
TEST_F (FakeDeviceTest, CheckBeforeSendAsksAndCancelSendsNothing)
{
    auto engine = makeQuickEngine (manager);
    auto& window = openDocumentOn (engine);
    TestRig::loadPreset (*engine, presetWithClash());
    const auto findings = PresetCheck::check (engine->getPresetImage());
    ASSERT_FALSE (findings.empty());

    juce::StringArray questions;
    window.askToSendAnyway = [&] (const juce::String& problems)
    {
        questions.add (problems);
        return false;
    };

    // Off by default: the Send goes without a question.
    ASSERT_FALSE (window.getPresetCheck().isCheckingBeforeSend());
    pressSend (window);
    EXPECT_TRUE (questions.isEmpty());
    EXPECT_TRUE (pumpMessagesUntil ([&] { return ! engine->isTransferInProgress(); }, 5000));
    ASSERT_GT (layer.getNumSentMessages(), 0);

    // On: "Cancel" writes nothing and keeps the dialog for another try; so for a whole Send.
    window.getPresetCheck().setCheckBeforeSend (true);
    layer.clearSentMessages();
    pressSend (window);
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! questions.isEmpty(); }, 5000));
    ASSERT_EQ (questions.size(), 1);
    EXPECT_TRUE (questions[0].startsWith ("The preset has " + juce::String ((int) findings.size()) + " problem"));
    EXPECT_TRUE (questions[0].contains (findings.front().text));
    EXPECT_TRUE (questions[0].endsWith ("Send anyway?"));
    EXPECT_EQ (layer.getNumSentMessages(), 0);
    EXPECT_NE (window.getControllerDialogs().getSendPresetWindow(), nullptr);

    pressSend (window, CommandIDs::sendWholePreset);
    EXPECT_TRUE (pumpMessagesUntil ([&] { return questions.size() == 2; }, 5000));
    EXPECT_EQ (layer.getNumSentMessages(), 0);

    // "Send Anyway" sends.
    window.askToSendAnyway = [] (const juce::String&) { return true; };
    pressSend (window);
    EXPECT_TRUE (pumpMessagesUntil ([&] { return layer.getNumSentMessages() > 0; }, 5000));
    EXPECT_TRUE (pumpMessagesUntil ([&] { return ! engine->isTransferInProgress(); }, 5000));
}

TEST_F (FakeDeviceTest, TheWindowClosingDuringTheQuestionSendsNothing)
{
    auto engine = makeQuickEngine (manager);
    auto* window = &openDocumentOn (engine);
    TestRig::loadPreset (*engine, presetWithClash());
    window->getPresetCheck().setCheckBeforeSend (true);
    window->askToSendAnyway = [this, window] (const juce::String&)
    {
        windowManager().windowClosed (window); // deletes the window and its Send dialog
        return true;
    };

    pressSend (*window);
    pump (100);
    EXPECT_EQ (windowManager().getWindows().size(), 1); // the application's own window is left
    EXPECT_EQ (layer.getNumSentMessages(), 0);
}

TEST_F (FakeDeviceTest, CheckPresetListsTheFindingsAndGoToSelectsTheControl)
{
    auto engine = makeQuickEngine (manager);
    auto& window = openDocumentOn (engine);
    TestRig::loadPreset (*engine, presetWithClash());

    perform (window, CommandIDs::checkPreset);
    pump();
    auto* checkWindow = window.getPresetCheck().getCheckWindow();
    ASSERT_NE (checkWindow, nullptr);
    EXPECT_EQ (checkWindow->getName(), juce::String ("Check Preset"));
    const auto findings = PresetCheck::check (engine->getPresetImage());
    ASSERT_EQ (checkWindow->getFindings().size(), findings.size());

    // The finding of the two knobs: "Go To" shows the knobs' tab on the bank of knob 5, both framed.
    int clashRow = -1;

    for (int i = 0; i < (int) findings.size(); ++i)
        if (findings[(size_t) i].controls.contains ({ ControlType::Knob, 4 }))
            clashRow = i;

    ASSERT_GE (clashRow, 0);
    EXPECT_EQ (checkWindow->getLines()[clashRow], findings[(size_t) clashRow].text);
    auto* goTo = checkWindow->getGoToButton (clashRow);
    ASSERT_NE (goTo, nullptr);
    EXPECT_EQ (goTo->getButtonText(), juce::String ("Go To"));
    goTo->triggerClick();
    pump();

    auto& editor = *window.getEditorComponent();
    auto* knobs = dynamic_cast<BankView*> (editor.getView (EditorComponent::knobsView));
    EXPECT_EQ (knobs->getParentComponent(), &editor);
    EXPECT_TRUE (knobs->isVisible());
    EXPECT_EQ (knobs->getCurrentBank(), 1);
    EXPECT_TRUE (editor.isFlashing (ControlType::Knob, 4));
    EXPECT_TRUE (editor.isFlashing (ControlType::Knob, 5));

    // Mended, "Refresh" no longer lists the clash.
    TestRig::loadPreset (*engine, TestRig::defaultPresetDump());
    checkWindow->getRefreshButton().triggerClick();
    pump();
    const auto remaining = PresetCheck::check (engine->getPresetImage());
    EXPECT_EQ (checkWindow->getFindings().size(), remaining.size());

    if (remaining.empty())
    {
        EXPECT_EQ (checkWindow->getLines(), juce::StringArray ("No problems found"));
    }

    // The check window goes with its document window.
    juce::WeakReference<CheckPresetWindow> weak (checkWindow);
    windowManager().windowClosed (&window);
    EXPECT_EQ (weak.get(), nullptr);
}

TEST_F (ApplicationTest, TheTwoOptionsReachEveryWindowAndAreRemembered)
{
    auto& options = *application->getFollowAndCheckOptions();
    EXPECT_TRUE (options.getFollowController().isEnabled());
    EXPECT_FALSE (window (0).getPresetCheck().isCheckingBeforeSend());

    perform (*application, CommandIDs::followController);
    perform (*application, CommandIDs::checkBeforeSend);
    EXPECT_FALSE (options.getFollowController().isEnabled());
    EXPECT_TRUE (window (0).getPresetCheck().isCheckingBeforeSend());

    const DeviceSettings remembered (DeviceSettings::getDefaultFile());
    EXPECT_FALSE (remembered.getFollowController());
    EXPECT_TRUE (remembered.getCheckBeforeSend());

    perform (*application, CommandIDs::newWindow);
    ASSERT_EQ (windowManager().getWindows().size(), 2);
    EXPECT_TRUE (window (1).getPresetCheck().isCheckingBeforeSend());

    // Back to the defaults, for the tests that follow.
    perform (*application, CommandIDs::followController);
    perform (*application, CommandIDs::checkBeforeSend);
    EXPECT_TRUE (options.getFollowController().isEnabled());
    EXPECT_FALSE (window (1).getPresetCheck().isCheckingBeforeSend());
}
