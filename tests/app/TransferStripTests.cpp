#include "engine/ZKSysEx.h"
#include "support/AppTestHelpers.h"
#include "support/FakeMidiDeviceLayer.h"
#include "support/MessageLoop.h"
#include "support/QueueHold.h"

using apptest::ApplicationTest;
using apptest::countAlerts;
using apptest::pump;

namespace
{
constexpr int waitMs = 10000;

/** Writes down what a window's strip shows each time its engine reports progress ("Sending to slot
    12 of 465"), so that a test sees a running transfer's strip without racing it. */
struct StripRecorder : public ZKEditorEngine::Listener
{
    explicit StripRecorder (ZKEditorEngine& engineToHear)
        : engine (engineToHear)
    {
        engine.addListener (this);
    }

    ~StripRecorder() override { engine.removeListener (this); }

    void transferProgressed (const ZKEditorEngine::TransferStatus&) override
    {
        if (window != nullptr)
        {
            auto& strip = window->getTransferStrip().getBar();
            shown.addIfNotAlreadyThere (strip.getTextLabel().getText() + " of " + juce::String (strip.getTotal()));
        }
    }

    ZKEditorEngine& engine;
    EditorWindow* window = nullptr;
    juce::StringArray shown;
};

/** The application with documents of the test's own on fake MIDI devices that are open. */
class TransferStripTest : public apptest::FakeDeviceTest
{
protected:
    /** An engine that writes 2 ms apart and waits long for replies that never come. */
    ZKEditorEngine::Ptr makeSlowEngine()
    {
        auto engine = makeQuickEngine (manager);
        auto pacing = engine->getPacing();
        pacing.writeGapMs = 2;
        pacing.replyTimeoutMs = 5000;
        engine->setPacing (pacing);
        return engine;
    }

    static void pressSlotDialogButton (juce::ResizableWindow& dialog, PresetSlotComponent& content, int slot)
    {
        content.getSlotChooser().getComboBox().setSelectedId (slot, juce::sendNotificationSync);
        dynamic_cast<juce::Button::Listener&> (dialog).buttonClicked (&content.getActionButton());
    }

    static void startSend (EditorWindow& window, int slot)
    {
        window.getControllerDialogs().showSendPresetWindow();
        pressSlotDialogButton (*window.getControllerDialogs().getSendPresetWindow(),
                               window.getControllerDialogs().getSendPresetWindow()->getPresetComponent(), slot);
    }

    static void startGet (EditorWindow& window, int slot)
    {
        window.getControllerDialogs().showGetPresetWindow();
        pressSlotDialogButton (*window.getControllerDialogs().getGetPresetWindow(),
                               window.getControllerDialogs().getGetPresetWindow()->getPresetComponent(), slot);
    }

    static juce::String stripText (EditorWindow& window)
    {
        return window.getTransferStrip().getBar().getTextLabel().getText();
    }

    /** Presses the button of that text in the alert of that title. */
    static bool answerAlert (const juce::String& title, const juce::String& buttonText)
    {
        auto& desktop = juce::Desktop::getInstance();

        for (int i = 0; i < desktop.getNumComponents(); ++i)
            if (auto* alert = dynamic_cast<juce::AlertWindow*> (desktop.getComponent (i)))
                if (alert->getName() == title)
                    for (auto* child : alert->getChildren())
                        if (auto* button = dynamic_cast<juce::TextButton*> (child))
                            if (button->getButtonText() == buttonText)
                            {
                                button->triggerClick();
                                pump();
                                return true;
                            }

        return false;
    }
};
} // namespace

//==============================================================================
TEST_F (TransferStripTest, StripShowsTheSendBelowTheWholeEditorAndGoesWhenItEnds)
{
    auto engine = makeSlowEngine();
    StripRecorder recorder (*engine); // registered first, so it hears each status after the window
    auto& window = openDocumentOn (engine);
    recorder.window = &window;
    const auto heightBefore = window.getHeight();
    const auto contentBounds = window.getEditorComponent()->getBounds();

    QueueHold hold (manager.getTransferQueue());
    startSend (window, 12);
    pump();

    auto& strip = window.getTransferStrip().getBar();
    EXPECT_TRUE (strip.isVisible());
    EXPECT_EQ (window.getHeight(), heightBefore + TransferStatusBar::barHeight);
    EXPECT_EQ (window.getEditorComponent()->getBounds(), contentBounds);
    EXPECT_GE (strip.getY(), window.getEditorComponent()->getBottom());
    EXPECT_EQ (strip.getCancelButton().getButtonText(), juce::String ("Cancel"));

    hold.release();
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! engine->isTransferInProgress(); }, waitMs));
    EXPECT_TRUE (recorder.shown.contains ("Sending to slot 12 of 465"));

    // A Send that is not read back says so as it ends; then the strip goes.
    EXPECT_EQ (stripText (window), juce::String ("Sent to slot 12 (not verified)"));
    EXPECT_FALSE (strip.getCancelButton().isVisible());
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! strip.isVisible(); }, waitMs));
    EXPECT_EQ (window.getHeight(), heightBefore);
    EXPECT_EQ (layer.getNumSentMessages(), 465);
    EXPECT_EQ (countAlerts ("MIDI Error"), 0);
}

TEST_F (TransferStripTest, AGetBehindAnotherWindowsSendWaitsForTheController)
{
    auto sending = makeSlowEngine();
    auto getting = makeSlowEngine();
    auto pacing = getting->getPacing();
    pacing.replyTimeoutMs = 600000; // the Get runs until it is cancelled, however slow the machine
    getting->setPacing (pacing);
    auto& sender = openDocumentOn (sending);
    auto& getter = openDocumentOn (getting);

    QueueHold hold (manager.getTransferQueue());
    startSend (sender, 3);
    startGet (getter, 5);
    pump();

    EXPECT_EQ (stripText (getter), juce::String ("Waiting for the controller"));
    hold.release();
    ASSERT_TRUE (pumpMessagesUntil ([&] { return stripText (getter) == "Getting slot 5"; }, 4 * waitMs));
    EXPECT_FALSE (sending->isTransferInProgress());

    getting->cancelTransfer();
}

TEST_F (TransferStripTest, CancelOfAGetKeepsThePresetAndShowsNoAlert)
{
    auto engine = makeSlowEngine();
    auto pacing = engine->getPacing();
    pacing.replyTimeoutMs = 600000; // the Get waits until it is cancelled, however slow the machine
    engine->setPacing (pacing);
    auto& window = openDocumentOn (engine);
    const auto before = engine->createPresetData (0);

    startGet (window, 5);
    ASSERT_TRUE (pumpMessagesUntil ([&] { return stripText (window) == "Getting slot 5"; }, waitMs));

    window.getTransferStrip().getBar().getCancelButton().triggerClick();
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! engine->isTransferInProgress(); }, waitMs));
    pump (100);

    EXPECT_FALSE (window.getTransferStrip().getBar().isVisible());
    EXPECT_EQ (engine->createPresetData (0), before);
    EXPECT_EQ (countAlerts ("MIDI Error"), 0);
    EXPECT_EQ (countAlerts (SendOutcomeReport::getSendCancelledTitle()), 0);
}

TEST_F (TransferStripTest, CancelOfASendStopsItAndSaysWhichSlotIsHalfWritten)
{
    auto engine = makeSlowEngine();
    auto pacing = engine->getPacing();
    pacing.writeGapMs = 25; // twelve seconds of writes: the cancel comes while they go on
    engine->setPacing (pacing);
    auto& window = openDocumentOn (engine);

    startSend (window, 12);
    ASSERT_TRUE (pumpMessagesUntil ([&] { return layer.getNumSentMessages() >= 30; }, waitMs));
    window.getTransferStrip().getBar().getCancelButton().triggerClick();
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! engine->isTransferInProgress(); }, waitMs));
    const auto written = layer.getNumSentMessages();
    pump (100);

    EXPECT_LT (written, 465);
    EXPECT_EQ (layer.getNumSentMessages(), written);
    EXPECT_EQ (countAlerts ("Send Cancelled"), 1);
    EXPECT_EQ (SendOutcomeReport::getSendCancelledMessage (11),
               juce::String ("Slot 12 now holds part of the new preset and part of the old one."));
    EXPECT_EQ (countAlerts ("MIDI Error"), 0);
}

TEST_F (TransferStripTest, AWindowClosedDuringItsSendLetsItFinish)
{
    auto engine = makeSlowEngine();
    auto& window = openDocumentOn (engine);
    const auto written = engine->createPresetData (11);

    QueueHold hold (manager.getTransferQueue());
    startSend (window, 12);
    pump();
    engine = nullptr; // the window is now the engine's holder
    window.closeButtonPressed();
    hold.release();

    ASSERT_TRUE (pumpMessagesUntil ([&] { return layer.getNumSentMessages() == 465; }, waitMs));
    pump (100);
    EXPECT_EQ (layer.getNumSentMessages(), 465);
    EXPECT_EQ (layer.getSentMessages().back().getRawData()[ZKSysEx::messageSlotPosition], 11);
    EXPECT_EQ (layer.getSentMessages().back().getRawData()[ZKSysEx::writeValuePosition],
               written[ZKSysEx::dumpImageOffset + 464]);
    EXPECT_EQ (countAlerts ("MIDI Error"), 0);
}

TEST_F (TransferStripTest, QuittingDuringASendAsksAndStopCutsItShort)
{
    auto engine = makeSlowEngine();
    auto& window = openDocumentOn (engine);

    QueueHold hold (manager.getTransferQueue());
    startSend (window, 2);
    pump();
    application->systemRequestedQuit();
    pump();

    EXPECT_FALSE (application->isQuitRequested());
    EXPECT_EQ (countAlerts (QuitCoordinator::getQuitDuringSendTitle()), 1);

    ASSERT_TRUE (answerAlert (QuitCoordinator::getQuitDuringSendTitle(), QuitCoordinator::getStopAnswer()));
    EXPECT_TRUE (pumpMessagesUntil ([&] { return application->isQuitRequested(); }, waitMs));
    EXPECT_LT (layer.getNumSentMessages(), 465);
}

TEST_F (TransferStripTest, QuittingDuringASendAndWaitingQuitsOnceItIsOver)
{
    auto engine = makeSlowEngine();
    auto& window = openDocumentOn (engine);

    QueueHold hold (manager.getTransferQueue());
    startSend (window, 2);
    pump();
    application->systemRequestedQuit();
    pump();

    ASSERT_TRUE (answerAlert (QuitCoordinator::getQuitDuringSendTitle(), QuitCoordinator::getWaitAnswer()));
    EXPECT_FALSE (application->isQuitRequested());
    hold.release();
    EXPECT_TRUE (pumpMessagesUntil ([&] { return application->isQuitRequested(); }, waitMs));
    EXPECT_EQ (layer.getNumSentMessages(), 465);
}
