#include "app/CommandIDs.h"
#include "engine/ZKSysEx.h"
#include "support/AppTestHelpers.h"
#include "support/FakeMidiDeviceLayer.h"
#include "support/MessageLoop.h"

using apptest::ApplicationTest;
using apptest::countAlerts;
using apptest::countWindows;
using apptest::dismissAlerts;
using apptest::FakeDeviceTest;
using apptest::makeMouseUp;
using apptest::perform;
using apptest::presetButton;
using apptest::pump;

namespace
{
/** Hears the engine's failures beside the document window. */
struct FailureCounter : public ZKEditorEngine::Listener
{
    void midiCommunicationFailed (const juce::String&) override { ++failures; }
    int failures = 0;
};
} // namespace

//==============================================================================
TEST_F (ApplicationTest, GetPresetTwiceLeavesOneGetDialogPerWindow)
{
    application->openNewWindow();
    perform (window (0), CommandIDs::getPreset);
    auto* first = window (0).getControllerDialogs().getGetPresetWindow();
    ASSERT_NE (first, nullptr);

    perform (window (0), CommandIDs::getPreset);
    window (0).getControllerDialogs().showGetPresetWindow(); // the "Get From Hardware" button's way
    EXPECT_EQ (window (0).getControllerDialogs().getGetPresetWindow(), first);
    EXPECT_EQ (countWindows<GetPresetWindow>(), 1);

    perform (window (1), CommandIDs::getPreset);
    EXPECT_NE (window (1).getControllerDialogs().getGetPresetWindow(), nullptr);
    EXPECT_NE (window (1).getControllerDialogs().getGetPresetWindow(), first);
    EXPECT_EQ (countWindows<GetPresetWindow>(), 2);

    EXPECT_EQ (first->getName(), juce::String ("Get Preset From Hardware"));
    EXPECT_EQ (first->getContentComponent()->getWidth(), 300);
    EXPECT_EQ (first->getContentComponent()->getHeight(), 100);
    EXPECT_FALSE (first->isResizable());
    EXPECT_TRUE (first->isUsingNativeTitleBar());
    EXPECT_TRUE (first->isVisible());
}

TEST_F (ApplicationTest, SlotDialogStartsAtSlotOneAndFollowsTheList)
{
    window (0).getControllerDialogs().showSendPresetWindow();
    auto* dialog = window (0).getControllerDialogs().getSendPresetWindow();
    ASSERT_NE (dialog, nullptr);
    pump();

    auto& content = dialog->getPresetComponent();
    EXPECT_EQ (content.getSelectedSlot(), 1);
    EXPECT_EQ (content.getActionButton().getName(), juce::String ("Send"));
    EXPECT_EQ (content.getActionButton().getButtonText(), juce::String ("Send"));
    EXPECT_EQ (content.getCancelButton().getName(), juce::String ("Cancel"));
    EXPECT_EQ (content.getActionButton().getBounds(), juce::Rectangle<int> (50, 65, 75, 25));
    EXPECT_EQ (content.getCancelButton().getBounds(), juce::Rectangle<int> (175, 65, 75, 25));
    EXPECT_EQ (content.getSlotChooser().getBounds(), juce::Rectangle<int> (50, 25, 300, 20));

    auto& list = content.getSlotChooser().getComboBox();
    ASSERT_EQ (list.getNumItems(), 24);
    EXPECT_EQ (list.getItemText (0), juce::String ("1"));
    EXPECT_EQ (list.getItemText (23), juce::String ("24"));

    list.setSelectedId (24, juce::sendNotificationSync);
    EXPECT_EQ (content.getSelectedSlot(), 24);
}

TEST_F (ApplicationTest, CancelClosesEitherSlotDialog)
{
    window (0).getControllerDialogs().showGetPresetWindow();
    window (0).getControllerDialogs().showSendPresetWindow();
    juce::WeakReference<GetPresetWindow> getDialog (window (0).getControllerDialogs().getGetPresetWindow());
    juce::WeakReference<SendPresetWindow> sendDialog (window (0).getControllerDialogs().getSendPresetWindow());

    getDialog->buttonClicked (&getDialog->getPresetComponent().getCancelButton());
    EXPECT_EQ (getDialog.get(), nullptr);
    EXPECT_EQ (window (0).getControllerDialogs().getGetPresetWindow(), nullptr);

    sendDialog->buttonClicked (&sendDialog->getPresetComponent().getCancelButton());
    EXPECT_EQ (sendDialog.get(), nullptr);
    EXPECT_EQ (countAlerts ("MIDI Error"), 0);

    // Reopening starts a fresh dialog.
    window (0).getControllerDialogs().showGetPresetWindow();
    EXPECT_NE (window (0).getControllerDialogs().getGetPresetWindow(), nullptr);
}

TEST_F (ApplicationTest, SendWithoutMidiShowsOneNoticeAndKeepsTheDialog)
{
    window (0).getControllerDialogs().showSendPresetWindow();
    juce::WeakReference<SendPresetWindow> dialog (window (0).getControllerDialogs().getSendPresetWindow());
    auto& sendButton = dialog->getPresetComponent().getActionButton();

    dialog->buttonClicked (&sendButton);
    pump();
    ASSERT_NE (dialog.get(), nullptr);
    EXPECT_EQ (countAlerts ("MIDI Error"), 1);

    dialog->buttonClicked (&sendButton);
    pump();
    EXPECT_NE (dialog.get(), nullptr);
    EXPECT_EQ (countAlerts ("MIDI Error"), 1);
}

TEST_F (ApplicationTest, ClosingAWindowClosesItsSendAndGetDialogs)
{
    application->openNewWindow();
    window (0).getControllerDialogs().showSendPresetWindow();
    window (0).getControllerDialogs().showGetPresetWindow();
    window (1).getControllerDialogs().showSendPresetWindow();
    juce::WeakReference<SendPresetWindow> sendDialog (window (0).getControllerDialogs().getSendPresetWindow());
    juce::WeakReference<GetPresetWindow> getDialog (window (0).getControllerDialogs().getGetPresetWindow());
    juce::WeakReference<SendPresetWindow> otherDialog (window (1).getControllerDialogs().getSendPresetWindow());

    window (0).closeButtonPressed();
    EXPECT_EQ (sendDialog.get(), nullptr);
    EXPECT_EQ (getDialog.get(), nullptr);
    EXPECT_NE (otherDialog.get(), nullptr);
    EXPECT_EQ (countWindows<SendPresetWindow>(), 1);
}

TEST_F (FakeDeviceTest, ClosingAWindowCancelsItsGetAndLeavesNoListenerBehind)
{
    auto engine = makeQuickEngine (manager);
    FailureCounter counter;
    engine->addListener (&counter);
    auto& window = openDocumentOn (engine);

    window.getControllerDialogs().showGetPresetWindow();
    auto* dialog = window.getControllerDialogs().getGetPresetWindow();
    ASSERT_NE (dialog, nullptr);
    dialog->buttonClicked (&dialog->getPresetComponent().getActionButton());
    EXPECT_TRUE (engine->isGetInProgress());

    // The Get of a closed window is of no use: it stops, and nobody hears of a failure.
    window.closeButtonPressed();
    EXPECT_FALSE (engine->isGetInProgress());
    pumpMessagesFor (100);
    EXPECT_EQ (counter.failures, 0);
    EXPECT_EQ (countAlerts ("MIDI Error"), 0);
    EXPECT_EQ (manager.getNumListeners(), 0);
    engine->removeListener (&counter);
}

TEST_F (FakeDeviceTest, GetDialogFetchesTheChosenSlot)
{
    auto engine = makeEngineForSilentController (manager);
    auto& window = openDocumentOn (engine);

    // Untouched, the dialog fetches the slot shown as "1".
    window.getControllerDialogs().showGetPresetWindow();
    pump();
    auto* dialog = window.getControllerDialogs().getGetPresetWindow();
    dialog->buttonClicked (&dialog->getPresetComponent().getActionButton());
    EXPECT_EQ (window.getControllerDialogs().getGetPresetWindow(), nullptr);
    ASSERT_TRUE (pumpMessagesUntil ([&] { return layer.getNumSentMessages() == 465; }, 5000));
    EXPECT_EQ (layer.getSentMessages().front().getRawData()[ZKSysEx::commandPosition],
               ZKSysEx::parameterRequestCommand);
    EXPECT_EQ (layer.getSentMessages().front().getRawData()[ZKSysEx::messageSlotPosition], 0);
    EXPECT_TRUE (pumpMessagesUntil ([&] { return ! engine->isGetInProgress(); }, 5000));
    dismissAlerts();

    layer.clearSentMessages();
    window.getControllerDialogs().showGetPresetWindow();
    pump();
    dialog = window.getControllerDialogs().getGetPresetWindow();
    dialog->getPresetComponent().getSlotChooser().getComboBox().setSelectedId (24, juce::sendNotificationSync);
    dialog->buttonClicked (&dialog->getPresetComponent().getActionButton());
    ASSERT_TRUE (pumpMessagesUntil ([&] { return layer.getNumSentMessages() == 465; }, 5000));
    EXPECT_EQ (layer.getSentMessages().back().getRawData()[ZKSysEx::messageSlotPosition], 23);
    EXPECT_TRUE (pumpMessagesUntil ([&] { return ! engine->isGetInProgress(); }, 5000));
}

TEST_F (FakeDeviceTest, SaveAfterAGetAsksForAFileAgain)
{
    apptest::ScratchFolder scratch;
    auto engine = makeQuickEngine (manager);
    auto& window = openDocumentOn (engine);
    const auto saved = scratch.getFile ("saved.zkp");
    window.chooseFile = answerWith (saved);
    ASSERT_TRUE (window.saveAs());
    const auto savedDump = engine->createPresetData (0);

    engine->getPreset (4);
    ASSERT_EQ (layer.getNumSentMessages(), 465);

    for (int index = 0; index < 465; ++index)
        layer.deliver (TestRig::createReply (index, (juce::uint8) (index % 100)));

    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! engine->isGetInProgress(); }, 5000));
    ASSERT_NE (engine->createPresetData (0), savedDump); // the fetched preset is in the window

    // The fetched preset is never written over the file of the earlier Save As without asking.
    window.chooseFile = answerWith ({}); // the user cancels
    perform (window, CommandIDs::save);
    EXPECT_EQ (chooserCalls, 2);
    EXPECT_TRUE (lastChooserWasForSaving);
    juce::MemoryBlock onDisk;
    ASSERT_TRUE (saved.loadFileAsData (onDisk));
    EXPECT_EQ (onDisk, juce::MemoryBlock (savedDump.getRawDataPointer(), (size_t) savedDump.size()));
    EXPECT_EQ (countAlerts ("MIDI Error"), 0);
}

TEST_F (FakeDeviceTest, SendDialogWritesTheChosenSlotAndCloses)
{
    auto engine = makeQuickEngine (manager);
    auto& window = openDocumentOn (engine);

    window.buttonClicked (&presetButton (window, "Send To Hardware"));
    pump();
    juce::WeakReference<SendPresetWindow> dialog (window.getControllerDialogs().getSendPresetWindow());
    ASSERT_NE (dialog.get(), nullptr);
    dialog->getPresetComponent().getSlotChooser().getComboBox().setSelectedId (7, juce::sendNotificationSync);
    dialog->buttonClicked (&dialog->getPresetComponent().getActionButton());

    EXPECT_EQ (dialog.get(), nullptr);
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! engine->isTransferInProgress(); }, 5000));
    ASSERT_EQ (layer.getNumSentMessages(), 465);

    for (const auto& message : layer.getSentMessages())
    {
        EXPECT_EQ (message.getRawData()[ZKSysEx::commandPosition], ZKSysEx::parameterWriteCommand);
        EXPECT_EQ (message.getRawData()[ZKSysEx::messageSlotPosition], 6);
    }

    pump();
    EXPECT_EQ (countAlerts ("MIDI Error"), 0);
}

//==============================================================================
TEST_F (ApplicationTest, AboutWindowExistsOnceAndShowsTheVersionLine)
{
    perform (*application, CommandIDs::about);
    auto* about = application->getAboutWindow();
    ASSERT_NE (about, nullptr);

    perform (*application, CommandIDs::about);
    EXPECT_EQ (application->getAboutWindow(), about);
    EXPECT_EQ (countWindows<AboutWindow>(), 1);

    auto* content = about->getAboutComponent();
    ASSERT_NE (content, nullptr);
    EXPECT_EQ (content->getWidth(), 484);
    EXPECT_EQ (content->getHeight(), 267);
    EXPECT_FALSE (about->isUsingNativeTitleBar());
    EXPECT_TRUE (about->getName().isEmpty());

    auto& version = content->getVersionLabel();
    EXPECT_EQ (version.getName(), juce::String ("Software Version Text"));
    EXPECT_EQ (version.getText(), juce::String ("Software Version: 1.0.2"));
    EXPECT_EQ (version.getBounds(), juce::Rectangle<int> (0, 133, 484, 15));
    EXPECT_EQ (version.getJustificationType(), juce::Justification (juce::Justification::centred));

    auto& notice = content->getNoticeLabel();
    EXPECT_EQ (notice.getBounds(), juce::Rectangle<int> (0, 217, 484, 50));
    EXPECT_EQ (notice.getText(), juce::String ("ZKM and Quenlo are trademarks of Quenlo.\r\n"
                                               "Copyright (c) 2026 Quenlo. All rights reserved."));
}

TEST_F (ApplicationTest, ClickOnTheAboutWindowClosesItAndTheNextAboutOpensAFreshOne)
{
    application->showAboutWindow();
    auto* content = application->getAboutWindow()->getAboutComponent();

    // A click on a label reaches the About component as its listener.
    auto& label = content->getVersionLabel();
    content->mouseUp (makeMouseUp (label));
    EXPECT_EQ (application->getAboutWindow(), nullptr);
    EXPECT_EQ (countWindows<AboutWindow>(), 0);

    application->showAboutWindow();
    EXPECT_NE (application->getAboutWindow(), nullptr);
    EXPECT_EQ (countWindows<AboutWindow>(), 1);
}
