#include "engine/CompositeMidiDeviceLayer.h"
#include "engine/MidiDeviceLayerFactory.h"
#include "engine/SystemMidiDeviceLayer.h"
#include "support/MessageLoop.h"
#include "support/TestRig.h"

#include <gtest/gtest.h>
#include <thread>

using namespace TestRig;

namespace
{
/** Records the order in which listeners hear messages; can remove itself when it hears one. */
class OrderListener : public MidiManager::MidiManagerListener
{
public:
    OrderListener (juce::String nameToUse, juce::StringArray& logToUse, MidiManager* managerToLeave = nullptr)
        : name (nameToUse)
        , log (logToUse)
        , manager (managerToLeave)
    {
    }

    void midiMessageReceived (const juce::MidiMessage&) override
    {
        log.add (name);

        if (manager != nullptr)
            manager->removeListener (this);
    }

private:
    juce::String name;
    juce::StringArray& log;
    MidiManager* manager;
};

/** Counts messages, from whatever thread they come. */
class CountingListener : public MidiManager::MidiManagerListener
{
public:
    void midiMessageReceived (const juce::MidiMessage&) override { ++count; }
    std::atomic<int> count{ 0 };
};

} // namespace

//==============================================================================
TEST (MidiManager, StartsWithNoPortAndTheCheckOpensNothing)
{
    FakeMidiDeviceLayer layer;
    layer.setInputNames ({ "In A" });
    layer.setOutputNames ({ "Out A" });
    MidiManager manager (layer);

    EXPECT_FALSE (manager.isInputOpen());
    EXPECT_FALSE (manager.isOutputOpen());
    EXPECT_TRUE (manager.getInputDeviceName().isEmpty());
    EXPECT_TRUE (manager.getOutputDeviceName().isEmpty());
    EXPECT_FALSE (manager.sendMessage (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100)));

    manager.timerCallback();
    EXPECT_EQ (layer.getNumInputOpens(), 0);
    EXPECT_EQ (layer.getNumOutputOpens(), 0);
    EXPECT_EQ (layer.getNumSentMessages(), 0);
    EXPECT_TRUE (manager.isTimerRunning());
}

TEST (MidiManager, ListsTheLayersDevices)
{
    FakeMidiDeviceLayer layer;
    layer.setInputNames ({ "In A", "In B" });
    layer.setOutputNames ({ "Out A" });
    MidiManager manager (layer);

    EXPECT_EQ (manager.getAvailableInputNames(), juce::StringArray ({ "In A", "In B" }));
    EXPECT_EQ (manager.getAvailableOutputNames(), juce::StringArray ({ "Out A" }));
}

TEST (MidiManager, OpensTheNamedDevicesAndSendsThroughTheOutput)
{
    FakeMidiDeviceLayer layer;
    layer.setInputNames ({ "In A", "In B" });
    layer.setOutputNames ({ "Out A", "Out B" });
    MidiManager manager (layer);

    manager.setInputDevice ("In B");
    manager.setOutputDevice ("Out B");

    EXPECT_TRUE (manager.isInputOpen());
    EXPECT_TRUE (manager.isOutputOpen());
    EXPECT_EQ (manager.getInputDeviceName(), "In B");
    EXPECT_EQ (manager.getOutputDeviceName(), "Out B");
    EXPECT_EQ (layer.getOpenedInputIndexes(), juce::Array<int> ({ 1 }));
    EXPECT_EQ (layer.getOpenedOutputIndexes(), juce::Array<int> ({ 1 }));
    EXPECT_EQ (layer.getNumStartedInputs(), 1);

    const auto message = juce::MidiMessage::controllerEvent (2, 7, 100);
    EXPECT_TRUE (manager.sendMessage (message));
    ASSERT_EQ (layer.getNumSentMessages(), 1);
    EXPECT_EQ (toBytes (layer.getSentMessages()[0]), toBytes (message));
}

TEST (MidiManager, ChoosingTheOpenDeviceAgainDoesNotReopenIt)
{
    FakeRig rig;

    rig.manager.setInputDevice (fakeInputName);
    rig.manager.setOutputDevice (fakeOutputName);

    EXPECT_EQ (rig.layer.getNumInputOpens(), 1);
    EXPECT_EQ (rig.layer.getNumOutputOpens(), 1);
    EXPECT_EQ (rig.layer.getNumLiveInputs(), 1);
    EXPECT_EQ (rig.layer.getNumLiveOutputs(), 1);
}

TEST (MidiManager, UnknownNameLeavesThePreviousPortsOpen)
{
    FakeRig rig;

    rig.manager.setInputDevice ("Nowhere");
    rig.manager.setOutputDevice ("fake out"); // names are compared case-sensitively

    EXPECT_TRUE (rig.manager.isInputOpen());
    EXPECT_TRUE (rig.manager.isOutputOpen());
    EXPECT_EQ (rig.manager.getInputDeviceName(), fakeInputName);
    EXPECT_EQ (rig.manager.getOutputDeviceName(), fakeOutputName);
    EXPECT_EQ (rig.layer.getNumInputOpens(), 1);
    EXPECT_EQ (rig.layer.getNumOutputOpens(), 1);
}

TEST (MidiManager, AnotherDeviceReplacesTheOpenOne)
{
    FakeMidiDeviceLayer layer;
    layer.setInputNames ({ "In A", "In B" });
    layer.setOutputNames ({ "Out A", "Out B" });
    MidiManager manager (layer);

    manager.setInputDevice ("In A");
    manager.setInputDevice ("In B");
    manager.setOutputDevice ("Out A");
    manager.setOutputDevice ("Out B");

    EXPECT_EQ (layer.getOpenedInputIndexes(), juce::Array<int> ({ 0, 1 }));
    EXPECT_EQ (layer.getOpenedOutputIndexes(), juce::Array<int> ({ 0, 1 }));
    EXPECT_EQ (layer.getNumLiveInputs(), 1);
    EXPECT_EQ (layer.getNumLiveOutputs(), 1);
}

TEST (MidiManager, InputTakesTheFirstOfEqualNamesAndOutputTheLast)
{
    FakeMidiDeviceLayer layer;
    layer.setInputNames ({ "Twin", "Twin" });
    layer.setOutputNames ({ "Twin", "Other", "Twin" });
    MidiManager manager (layer);

    manager.setInputDevice ("Twin");
    manager.setOutputDevice ("Twin");

    EXPECT_EQ (layer.getOpenedInputIndexes(), juce::Array<int> ({ 0 }));
    EXPECT_EQ (layer.getOpenedOutputIndexes().getLast(), 2);
    EXPECT_EQ (layer.getNumLiveOutputs(), 1);
}

TEST (MidiManager, HotUnplugClosesThePortsAndReplugReopensThem)
{
    FakeRig rig;

    rig.layer.setInputNames ({});
    rig.layer.setOutputNames ({});
    rig.manager.timerCallback();

    EXPECT_FALSE (rig.manager.isInputOpen());
    EXPECT_FALSE (rig.manager.isOutputOpen());
    EXPECT_EQ (rig.layer.getNumLiveInputs(), 0);
    EXPECT_EQ (rig.layer.getNumLiveOutputs(), 0);
    EXPECT_EQ (rig.manager.getInputDeviceName(), fakeInputName);
    EXPECT_EQ (rig.manager.getOutputDeviceName(), fakeOutputName);
    EXPECT_FALSE (rig.manager.sendMessage (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 1)));

    // The controller comes back at another position of the lists.
    rig.layer.setInputNames ({ "Something", fakeInputName });
    rig.layer.setOutputNames ({ "Something", fakeOutputName });
    rig.manager.timerCallback();

    EXPECT_TRUE (rig.manager.isInputOpen());
    EXPECT_TRUE (rig.manager.isOutputOpen());
    EXPECT_EQ (rig.layer.getOpenedInputIndexes(), juce::Array<int> ({ 0, 1 }));
    EXPECT_EQ (rig.layer.getOpenedOutputIndexes(), juce::Array<int> ({ 0, 1 }));
    EXPECT_EQ (rig.layer.getNumStartedInputs(), 1);

    // A further check with everything in place changes nothing.
    rig.manager.timerCallback();
    EXPECT_EQ (rig.layer.getNumInputOpens(), 2);
    EXPECT_EQ (rig.layer.getNumOutputOpens(), 2);
}

TEST (MidiManager, FailedOpenKeepsTheNameAndIsRetriedByTheCheck)
{
    FakeMidiDeviceLayer layer;
    layer.setInputNames ({ "In" });
    layer.setOutputNames ({ "Out" });
    layer.setInputOpenFails (true);
    layer.setOutputOpenFails (true);
    MidiManager manager (layer);

    manager.setInputDevice ("In");
    manager.setOutputDevice ("Out");
    EXPECT_FALSE (manager.isInputOpen());
    EXPECT_FALSE (manager.isOutputOpen());
    EXPECT_EQ (manager.getInputDeviceName(), "In");
    EXPECT_EQ (manager.getOutputDeviceName(), "Out");

    layer.setInputOpenFails (false);
    layer.setOutputOpenFails (false);
    manager.timerCallback();
    EXPECT_TRUE (manager.isInputOpen());
    EXPECT_TRUE (manager.isOutputOpen());
}

TEST (MidiManager, FailedOpenOfAnotherDeviceClosesTheOldPort)
{
    FakeRig rig;
    rig.layer.setInputNames ({ fakeInputName, "Broken In" });
    rig.layer.setOutputNames ({ fakeOutputName, "Broken Out" });
    rig.layer.setInputOpenFails (true);
    rig.layer.setOutputOpenFails (true);

    rig.manager.setInputDevice ("Broken In");
    rig.manager.setOutputDevice ("Broken Out");

    EXPECT_FALSE (rig.manager.isInputOpen());
    EXPECT_FALSE (rig.manager.isOutputOpen());
    EXPECT_EQ (rig.layer.getNumLiveInputs(), 0);
    EXPECT_EQ (rig.layer.getNumLiveOutputs(), 0);
    EXPECT_EQ (rig.manager.getInputDeviceName(), "Broken In");
}

//==============================================================================
TEST (MidiManager, DeliversToListenersFromTheMostRecent)
{
    FakeRig rig;
    juce::StringArray log;
    OrderListener a ("A", log), b ("B", log), c ("C", log);

    rig.manager.addListener (&a);
    rig.manager.addListener (&b);
    rig.manager.addListener (&c);
    rig.manager.addListener (&a); // already there: stays where it was
    rig.manager.addListener (nullptr);
    EXPECT_EQ (rig.manager.getNumListeners(), 3);

    rig.layer.deliver (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100));
    EXPECT_EQ (log, juce::StringArray ({ "C", "B", "A" }));

    log.clear();
    rig.manager.removeListener (&b);
    rig.manager.removeListener (&b); // not registered any more: ignored
    rig.layer.deliver (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100));
    EXPECT_EQ (log, juce::StringArray ({ "C", "A" }));
}

TEST (MidiManager, ListenerThatRemovesItselfDuringDeliverySkipsNoOne)
{
    FakeRig rig;
    juce::StringArray log;
    OrderListener a ("A", log), b ("B", log, &rig.manager), c ("C", log, &rig.manager), d ("D", log);

    rig.manager.addListener (&a);
    rig.manager.addListener (&b);
    rig.manager.addListener (&c);
    rig.manager.addListener (&d);

    rig.layer.deliverFromOtherThread ({ juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100) });
    EXPECT_EQ (log, juce::StringArray ({ "D", "C", "B", "A" }));
    EXPECT_EQ (rig.manager.getNumListeners(), 2);

    log.clear();
    rig.layer.deliver (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100));
    EXPECT_EQ (log, juce::StringArray ({ "D", "A" }));
}

TEST (MidiManager, ListenersComeAndGoWhileAnotherThreadDelivers)
{
    FakeRig rig;
    CountingListener steady;
    rig.manager.addListener (&steady);

    std::vector<juce::MidiMessage> messages (2000, juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100));
    std::atomic<bool> done{ false };

    std::thread deliveries (
        [&]
        {
            rig.layer.deliverFromOtherThread (messages);
            done = true;
        });

    while (! done)
    {
        CountingListener passing;
        rig.manager.addListener (&passing);
        rig.manager.removeListener (&passing);
    }

    deliveries.join();
    EXPECT_EQ (steady.count.load(), 2000);
    EXPECT_EQ (rig.manager.getNumListeners(), 1);
}

TEST (MidiManager, ClosedInputDeliversNothing)
{
    FakeRig rig;
    CountingListener listener;
    rig.manager.addListener (&listener);

    rig.layer.setInputNames ({});
    rig.manager.timerCallback();
    rig.layer.deliver (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100));

    EXPECT_EQ (listener.count.load(), 0);
}

TEST (MidiManager, DestructionDeletesThePorts)
{
    FakeMidiDeviceLayer layer;
    layer.setInputNames ({ "In" });
    layer.setOutputNames ({ "Out" });

    {
        MidiManager manager (layer);
        manager.setInputDevice ("In");
        manager.setOutputDevice ("Out");
        EXPECT_EQ (layer.getNumLiveInputs(), 1);
        EXPECT_EQ (layer.getNumLiveOutputs(), 1);
    }

    EXPECT_EQ (layer.getNumLiveInputs(), 0);
    EXPECT_EQ (layer.getNumLiveOutputs(), 0);
}

//==============================================================================
TEST (MidiManager, ProgramLayerOffersTheVirtualControllerOnlyWhenAsked)
{
    for (const auto* setting : { "", "  " })
    {
        MidiManager manager (createMidiDeviceLayer (setting));
        EXPECT_FALSE (manager.getAvailableInputNames().contains (VirtualController::deviceName));
        EXPECT_FALSE (manager.getAvailableOutputNames().contains (VirtualController::deviceName));
    }

    MidiManager manager (createMidiDeviceLayer ("1"));
    const auto inputs = manager.getAvailableInputNames();
    const auto outputs = manager.getAvailableOutputNames();
    EXPECT_EQ (inputs[inputs.size() - 1], VirtualController::deviceName);
    EXPECT_EQ (outputs[outputs.size() - 1], VirtualController::deviceName);

    manager.setInputDevice (VirtualController::deviceName);
    manager.setOutputDevice (VirtualController::deviceName);
    EXPECT_TRUE (manager.isInputOpen());
    EXPECT_TRUE (manager.isOutputOpen());
}

TEST (MidiManager, WithoutALayerUsesTheProgramLayerOfTheEnvironment)
{
    const auto before = juce::SystemStats::getEnvironmentVariable (virtualControllerVariable, {});
    setenv (virtualControllerVariable, "1", 1);
    MidiManager manager;

    if (before.isEmpty())
        unsetenv (virtualControllerVariable);
    else
        setenv (virtualControllerVariable, before.toRawUTF8(), 1);

    manager.setInputDevice (VirtualController::deviceName);
    manager.setOutputDevice (VirtualController::deviceName);
    EXPECT_TRUE (manager.isInputOpen());
    EXPECT_TRUE (manager.isOutputOpen());
}

TEST (MidiManager, ProgramLayerKeepsTheVirtualSlotsInTheNamedFile)
{
    auto file = juce::File::getSpecialLocation (juce::File::tempDirectory)
                    .getNonexistentChildFile ("ZKMVirtualSlots-" + juce::Uuid().toString(), ".bin", false);

    {
        MidiManager manager (createMidiDeviceLayer (file.getFullPathName()));
        manager.setOutputDevice (VirtualController::deviceName);
        ASSERT_TRUE (manager.sendMessage (ZKSysEx::createParameterWrite (deviceId, 4, 300, 0x55)));
    }

    ASSERT_TRUE (file.existsAsFile());
    EXPECT_EQ (file.getSize(), VirtualController::numberOfSlots * imageLength);

    {
        // A second run finds the slots where the first left them.
        VirtualController reloaded (file);
        EXPECT_EQ (reloaded.getSlot (4)[300], 0x55);
    }

    file.deleteFile();
}

//==============================================================================
TEST (SystemMidiDeviceLayer, ListsWhatIsThereAndRefusesPositionsOutsideTheLists)
{
    SystemMidiDeviceLayer layer;
    const auto inputs = layer.getInputNames();
    const auto outputs = layer.getOutputNames();

    struct NoCallback : juce::MidiInputCallback
    {
        void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage&) override {}
    } callback;

    EXPECT_EQ (layer.openInput (-1, callback), nullptr);
    EXPECT_EQ (layer.openInput (inputs.size(), callback), nullptr);
    EXPECT_EQ (layer.openOutput (-1), nullptr);
    EXPECT_EQ (layer.openOutput (outputs.size()), nullptr);

    // A manager on the system layer copes with whatever the machine has, also nothing.
    MidiManager manager (layer);
    manager.setInputDevice ("No Such Device");
    manager.setOutputDevice ("No Such Device");
    manager.timerCallback();
    EXPECT_FALSE (manager.isInputOpen());
    EXPECT_FALSE (manager.isOutputOpen());
}

TEST (CompositeMidiDeviceLayer, ListsEveryLayerInTurnAndOpensThroughTheRightOne)
{
    FakeMidiDeviceLayer first, second;
    first.setInputNames ({ "One In" });
    first.setOutputNames ({ "One Out", "Two Out" });
    second.setInputNames ({ "Three In" });
    second.setOutputNames ({ "Three Out" });

    CompositeMidiDeviceLayer composite;
    composite.addLayer (first);
    composite.addLayer (second);

    EXPECT_EQ (composite.getInputNames(), juce::StringArray ({ "One In", "Three In" }));
    EXPECT_EQ (composite.getOutputNames(), juce::StringArray ({ "One Out", "Two Out", "Three Out" }));

    {
        MidiManager manager (composite);
        manager.setInputDevice ("Three In");
        manager.setOutputDevice ("Three Out");
        EXPECT_EQ (second.getOpenedInputIndexes(), juce::Array<int> ({ 0 }));
        EXPECT_EQ (second.getOpenedOutputIndexes(), juce::Array<int> ({ 0 }));
        EXPECT_EQ (first.getNumInputOpens() + first.getNumOutputOpens(), 0);

        CountingListener listener;
        manager.addListener (&listener);
        second.deliver (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100));
        EXPECT_EQ (listener.count.load(), 1);
        manager.removeListener (&listener);
    }

    struct NoCallback : juce::MidiInputCallback
    {
        void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage&) override {}
    } callback;

    EXPECT_EQ (composite.openInput (2, callback), nullptr);
    EXPECT_EQ (composite.openOutput (3), nullptr);
}
