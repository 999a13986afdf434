#include "app/CommandIDs.h"
#include "app/VirtualControllerWindow.h"
#include "engine/MidiDeviceLayerFactory.h"
#include "support/AppTestHelpers.h"
#include "support/MessageLoop.h"
#include "support/ViewTestHelpers.h"

#include <gtest/gtest.h>

using namespace TestRig;

namespace
{
/** Keeps what the manager's listeners hear of the virtual controller being played. */
class HeardMessages : public MidiManager::MidiManagerListener
{
public:
    void midiMessageReceived (const juce::MidiMessage& message) override
    {
        const juce::ScopedLock sl (lock);
        messages.push_back (message);
    }

    std::vector<juce::MidiMessage> get() const
    {
        const juce::ScopedLock sl (lock);
        return messages;
    }

    /** Waits for that many, then a little longer, so that one too many would show as well. */
    std::vector<juce::MidiMessage> waitFor (size_t count) const
    {
        pumpMessagesUntil ([&] { return get().size() >= count; }, 5000);
        pumpMessagesFor (50);
        return get();
    }

    /** What was heard but replies of the controller. */
    std::vector<juce::MidiMessage> played() const
    {
        std::vector<juce::MidiMessage> result;

        for (const auto& message : get())
            if (! message.isSysEx())
                result.push_back (message);

        return result;
    }

private:
    juce::CriticalSection lock;
    std::vector<juce::MidiMessage> messages;
};

/** The panel in its window on the virtual controller, with the manager's listener. */
class VirtualControllerPanelTest : public ::testing::Test
{
protected:
    VirtualControllerPanelTest() { rig.manager.addListener (&heard); }

    ~VirtualControllerPanelTest() override
    {
        delete window.getComponent();
        rig.manager.removeListener (&heard);
    }

    VirtualControllerPanel& panel() { return window->getPanel(); }

    juce::Component& control (const juce::String& name)
    {
        for (auto* child : panel().getChildren())
        {
            if (child->getName() == name)
                return *child;

            for (auto* grandChild : child->getChildren())
                if (grandChild->getName() == name)
                    return *grandChild;
        }

        throw std::runtime_error ("no control named " + name.toStdString());
    }

    /** A press of the left button at a point of the component, then moves to other points. */
    static void drag (juce::Component& component, juce::Point<float> from, std::initializer_list<juce::Point<float>> to)
    {
        const auto now = juce::Time::getCurrentTime();
        auto event = [&] (juce::Point<float> position)
        {
            return juce::MouseEvent (
                juce::Desktop::getInstance().getMainMouseSource(), position, juce::ModifierKeys::leftButtonModifier,
                juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
                juce::MouseInputSource::defaultTiltY, &component, &component, now, from, now, 1, false);
        };

        component.mouseDown (event (from));

        for (const auto& point : to)
            component.mouseDrag (event (point));

        component.mouseUp (event (to.size() > 0 ? *(to.end() - 1) : from));
    }

    void click (const juce::String& name) { ViewTestHelpers::clickCentreOf (panel(), control (name)); }

    VirtualRig rig;
    HeardMessages heard;
    juce::Component::SafePointer<VirtualControllerWindow> window{ new VirtualControllerWindow (rig.controller) };
};

int knobByte (int knob, int byte) { return PresetLayout::getOffset (Knob, knob) + byte; }
int padByte (int pad, int byte) { return PresetLayout::getOffset (Pad, pad) + byte; }
int keybedByte (const juce::String& name)
{
    return PresetLayout::getOffset (Keybed, 0) + PresetLayout::getByte (Keybed, name);
}
} // namespace

//==============================================================================
TEST_F (VirtualControllerPanelTest, DraggingKnobThreeSendsTheCCOfTheChosenSlotInsideItsRange)
{
    // Knob 3 of slot 7: CC 74 on channel 3, from 20 to 100. Slot 1 keeps the default CC 22.
    auto image = getImageOfDump (presetWith (
        { { knobByte (2, 1), 74 }, { knobByte (2, 2), 20 }, { knobByte (2, 3), 100 }, { knobByte (2, 4), 2 } }));
    rig.controller.setSlot (6, image);

    ViewTestHelpers::chooseEntry (panel().getSlotBox(), "Slot 7");
    EXPECT_EQ (rig.controller.getActiveSlot(), 6);

    auto& knob = control ("Knob 3");
    const auto centre = knob.getLocalBounds().getCentre().toFloat();
    drag (knob, centre, { centre.translated (0, -100), centre.translated (0, -400) });

    const auto messages = heard.waitFor (2);
    ASSERT_EQ (messages.size(), 2u);

    for (const auto& message : messages)
    {
        ASSERT_TRUE (message.isControllerOfType (74));
        EXPECT_EQ (message.getChannel(), 3);
        EXPECT_GE (message.getControllerValue(), 20);
        EXPECT_LE (message.getControllerValue(), 100);
    }

    EXPECT_LT (messages[0].getControllerValue(), 100);
    EXPECT_EQ (messages[1].getControllerValue(), 100); // dragged past the top
}

TEST_F (VirtualControllerPanelTest, APadInCCToggleModeSendsOnThenOffOnTwoClicksAndLightsWhileOn)
{
    // Pad 5 as "CC Toggle": CC 80 on channel 1, on 90, off 10.
    rig.controller.setSlot (0, getImageOfDump (presetWith ({ { padByte (4, 0), 1 },
                                                             { padByte (4, 1), 80 },
                                                             { padByte (4, 2), 90 },
                                                             { padByte (4, 3), 10 },
                                                             { padByte (4, 4), 0 } })));
    auto& pad = dynamic_cast<VirtualControllerPad&> (control ("Pad 5"));

    click ("Pad 5");
    EXPECT_TRUE (pad.isLit());
    click ("Pad 5");
    EXPECT_FALSE (pad.isLit());

    const auto messages = heard.waitFor (2);
    ASSERT_EQ (messages.size(), 2u);
    EXPECT_TRUE (messages[0].isControllerOfType (80));
    EXPECT_EQ (messages[0].getControllerValue(), 90);
    EXPECT_TRUE (messages[1].isControllerOfType (80));
    EXPECT_EQ (messages[1].getControllerValue(), 10);
    EXPECT_EQ (messages[0].getChannel(), 1);
    EXPECT_EQ (messages[1].getChannel(), 1);
}

TEST_F (VirtualControllerPanelTest, AKeyOfTheStripSendsTheNoteOfItsZoneInTheActiveSlot)
{
    // Slot 3 split after key 30: the lower zone on channel 2, the upper zone on channel 5.
    const auto image = getImageOfDump (presetWith ({ { keybedByte ("Split Mode"), 0 },
                                                     { keybedByte ("Split Point"), 29 },
                                                     { keybedByte ("Lower Keybed MIDI Channel"), 1 },
                                                     { keybedByte ("Upper Keybed MIDI Channel"), 4 } }));
    rig.controller.setSlot (2, image);
    rig.controller.setActiveSlot (2);

    click ("Key 40");
    click ("Key 52"); // an octave higher
    click ("Key 10"); // in the lower zone
    click ("Key 2");  // a black key, over the white ones

    const auto messages = heard.waitFor (8);
    ASSERT_EQ (messages.size(), 8u);

    PresetMessages::Gesture key40;
    key40.kind = PresetMessages::Gesture::Kind::keyDown;
    key40.value = 39;
    const auto expected = PresetMessages (image).play ({ Keybed, 0 }, key40);
    ASSERT_EQ (expected.size(), 1u);

    EXPECT_TRUE (messages[0].isNoteOn());
    EXPECT_EQ (messages[0].getNoteNumber(), expected[0].getNoteNumber());
    EXPECT_EQ (messages[0].getChannel(), 5);
    EXPECT_TRUE (messages[1].isNoteOff());
    EXPECT_EQ (messages[1].getNoteNumber(), messages[0].getNoteNumber());
    EXPECT_EQ (messages[2].getNoteNumber(), messages[0].getNoteNumber() + 12);
    EXPECT_EQ (messages[2].getChannel(), 5);
    EXPECT_EQ (messages[4].getChannel(), 2);
    EXPECT_TRUE (messages[6].isNoteOn());
    EXPECT_EQ (messages[6].getNoteNumber(), messages[4].getNoteNumber() - 8); // key 2 lies 8 keys below key 10
}

TEST_F (VirtualControllerPanelTest, ASendToSlotFiveMakesItActiveAndThePanelPlaysItsPreset)
{
    auto engine = createEngine (rig.manager);
    loadPreset (*engine, presetWith ({ { knobByte (0, 1), 77 } }));
    engine->setSendChangesOnly (false);

    ASSERT_GT (engine->startSend (4), 0);
    ASSERT_TRUE (pumpMessagesUntil ([&] { return panel().getSlotBox().getText() == "Slot 5"; }, 20000));
    EXPECT_EQ (rig.controller.getActiveSlot(), 4);

    ASSERT_TRUE (pumpMessagesUntil ([&] { return rig.controller.getSlot (4)[knobByte (0, 1)] == 77; }, 20000));

    auto& knob = control ("Knob 1");
    const auto centre = knob.getLocalBounds().getCentre().toFloat();
    drag (knob, centre, { centre.translated (0, -20) });

    // The Send's replies aside, the knob's one message.
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! heard.played().empty(); }, 5000));
    pumpMessagesFor (50);
    const auto played = heard.played();
    ASSERT_EQ (played.size(), 1u);
    EXPECT_TRUE (played[0].isControllerOfType (77));
    EXPECT_EQ (played[0].getControllerValue(), 10);
}

//==============================================================================
class VirtualControllerCommandTest : public apptest::ApplicationTest
{
protected:
    void SetUp() override {}
};

TEST_F (VirtualControllerCommandTest, TheWindowMenuOpensOnePanelOnlyWhileTheVirtualControllerIsInUse)
{
    juce::ApplicationCommandInfo info (CommandIDs::virtualControllerPanel);
    juce::ApplicationCommandTarget::InvocationInfo invocation (CommandIDs::virtualControllerPanel);

    {
        const auto previous = juce::SystemStats::getEnvironmentVariable (virtualControllerVariable, {});
        ::unsetenv (virtualControllerVariable);
        startApplication();
        application->getCommandInfo (CommandIDs::virtualControllerPanel, info);
        EXPECT_EQ (info.shortName, "Virtual Controller");
        EXPECT_NE (info.flags & juce::ApplicationCommandInfo::isDisabled, 0);

        application->perform (invocation);
        EXPECT_EQ (apptest::countWindows<VirtualControllerWindow>(), 0);
        TearDown();

        ::setenv (virtualControllerVariable, "1", 1);
        startApplication();

        if (previous.isEmpty())
            ::unsetenv (virtualControllerVariable);
        else
            ::setenv (virtualControllerVariable, previous.toRawUTF8(), 1);
    }

    info = juce::ApplicationCommandInfo (CommandIDs::virtualControllerPanel);
    application->getCommandInfo (CommandIDs::virtualControllerPanel, info);
    EXPECT_EQ (info.flags & juce::ApplicationCommandInfo::isDisabled, 0);

    application->perform (invocation);
    application->perform (invocation);
    EXPECT_EQ (apptest::countWindows<VirtualControllerWindow>(), 1);

    auto* window = application->getVirtualControllerCommand().getWindow();
    ASSERT_NE (window, nullptr);
    EXPECT_EQ (window->getName(), "Virtual Controller");

    juce::StringArray names;

    std::function<void (juce::Component&)> collect = [&] (juce::Component& parent)
    {
        for (auto* child : parent.getChildren())
        {
            names.add (child->getName());
            collect (*child);
        }
    };
    collect (window->getPanel());

    for (const auto& [prefix, count] :
         { std::pair ("Knob ", 16), std::pair ("Pad ", 16), std::pair ("Switch ", 48), std::pair ("Key ", 61) })
        for (int i = 1; i <= count + 1; ++i)
            EXPECT_EQ (names.contains (prefix + juce::String (i)), i <= count) << prefix << i;

    for (const auto* name :
         { "Rewind", "Fast Forward", "Stop", "Play", "Loop", "Record", "Pitch Wheel", "Mod Wheel", "Sustain Pedal" })
        EXPECT_TRUE (names.contains (name)) << name;

    // Shutting the program down closes the panel with the other windows.
    application->shutdown();
    application.reset();
    apptest::pump();
    EXPECT_EQ (apptest::countWindows<VirtualControllerWindow>(), 0);
}

TEST_F (VirtualControllerCommandTest, SlotsThatCannotBeSavedAreToldInTheWindowOncePerRunOfFailedSaves)
{
    const apptest::ScratchFolder scratch;
    const auto folder = scratch.getFolder ("controller");
    const auto slotFile = folder.getChildFile ("slots.bin");

    {
        const auto previous = juce::SystemStats::getEnvironmentVariable (virtualControllerVariable, {});
        ::setenv (virtualControllerVariable, slotFile.getFullPathName().toRawUTF8(), 1);
        startApplication();

        if (previous.isEmpty())
            ::unsetenv (virtualControllerVariable);
        else
            ::setenv (virtualControllerVariable, previous.toRawUTF8(), 1);
    }

    auto& manager = application->getMidiManager();
    auto* controller = findVirtualController (manager.getDeviceLayer());
    ASSERT_NE (controller, nullptr);
    ASSERT_TRUE (controller->keepsSlotsInFile());
    manager.setInputDevice (VirtualController::deviceName);
    manager.setOutputDevice (VirtualController::deviceName);

    auto& document = window (0);
    auto engine = document.getEngine();
    engine->setPacing (fastPacing());
    engine->setVerifyAfterSend (true);
    engine->setSendChangesOnly (false); // every Send writes, and so makes a save due

    constexpr int waitMs = 10000;
    const auto title = VirtualControllerCommand::getSaveFailureTitle();
    const auto sendToSlotTwenty = [&]
    {
        ASSERT_NE (engine->startSend (19), 0);
        ASSERT_TRUE (pumpMessagesUntil ([&] { return ! engine->isTransferInProgress(); }, waitMs));
    };

    // The folder goes while the program runs: the Send is verified in the controller's memory,
    // and the window says as well that the controller could not keep it in its file, and why.
    ASSERT_TRUE (folder.deleteRecursively());
    sendToSlotTwenty();
    EXPECT_TRUE (
        document.getTransferStrip().getBar().getTextLabel().getText().startsWith ("Sent to slot 20 and verified"));
    ASSERT_TRUE (pumpMessagesUntil ([&] { return apptest::countAlerts (title) == 1; }, waitMs));
    const auto text = apptest::findAlert (title)->getDescription();
    EXPECT_TRUE (text.contains ("The virtual controller could not save its slots to " + slotFile.getFullPathName()
                                + ": the folder " + folder.getFullPathName() + " does not exist"))
        << text;

    // More writes and the retries of the same run of failures add no notice.
    const auto attempts = controller->getNumSaveAttempts();
    sendToSlotTwenty();
    ASSERT_TRUE (pumpMessagesUntil ([&] { return controller->getNumSaveAttempts() >= attempts + 2; }, waitMs));
    pump();
    EXPECT_EQ (apptest::countAlerts (title), 1);

    // Once a save went through, the next failure starts a new run and is told again.
    apptest::dismissAlerts();
    ASSERT_TRUE (folder.createDirectory());
    ASSERT_TRUE (pumpMessagesUntil ([&] { return slotFile.existsAsFile(); }, waitMs));
    ASSERT_TRUE (folder.deleteRecursively());
    sendToSlotTwenty();
    ASSERT_TRUE (pumpMessagesUntil ([&] { return apptest::countAlerts (title) == 1; }, waitMs));
}
