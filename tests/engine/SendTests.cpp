#include "model/PresetLayout.h"
#include "support/MessageLoop.h"
#include "support/RecordingEngineListener.h"
#include "support/TestRig.h"

#include <gtest/gtest.h>

using namespace TestRig;

namespace
{
using Bytes = std::vector<juce::uint8>;

/** A manager on a fake layer with only the named ports open. */
struct HalfOpenRig
{
    HalfOpenRig (bool openInput, bool openOutput)
    {
        layer.setInputNames ({ fakeInputName });
        layer.setOutputNames ({ fakeOutputName });

        if (openInput)
            manager.setInputDevice (fakeInputName);

        if (openOutput)
            manager.setOutputDevice (fakeOutputName);
    }

    FakeMidiDeviceLayer layer;
    MidiManager manager{ layer };
};

juce::Array<juce::uint8> dumpWithImage (const juce::Array<juce::uint8>& image)
{
    auto dump = defaultPresetDump();

    for (int i = 0; i < imageLength; ++i)
        dump.set (imageOffset + i, image[i]);

    return dump;
}
} // namespace

//==============================================================================
TEST (SendPreset, WritesExactly465MessagesOneForEveryImageByte)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);
    RecordingEngineListener listener;
    engine->addListener (&listener);
    const auto image = getImage (*engine);

    EXPECT_TRUE (engine->sendPreset (23));

    const auto sent = rig.layer.getSentMessages();
    ASSERT_EQ (sent.size(), (size_t) imageLength);

    for (int index = 0; index < imageLength; ++index)
        ASSERT_EQ (toBytes (sent[(size_t) index]),
                   toBytes (ZKSysEx::createParameterWrite (deviceId, 23, index, image[index])));

    EXPECT_EQ (toBytes (sent[0]),
               (Bytes{ 0xF0, 0x00, 0x7E, 0x51, 0x00, 0x40, 0x64, 0x00, 0x04, 0x17, 0x00, 0x00, 0x30, 0xF7 }));
    EXPECT_EQ (toBytes (sent[300])[10], 0x02);
    EXPECT_EQ (toBytes (sent[300])[11], 0x2C);

    // A Send waits for nothing: no timer, no listening, no report.
    EXPECT_FALSE (engine->isTimerRunning());
    EXPECT_EQ (rig.manager.getNumListeners(), 0);
    EXPECT_EQ (listener.getNumFailures(), 0);
}

TEST (SendPreset, ControllerSlotThenEqualsTheEditorsImage)
{
    VirtualRig rig;
    auto engine = createEngine (rig.manager);

    // Bytes above a parameter's maximum, as a loaded preset may hold them, travel unchanged.
    const auto pattern = createPatternImage (21);
    engine->loadPresetData (dumpWithImage (pattern));
    engine->setParameter (Keybed, "Split Point", 30);
    const auto image = getImage (*engine);

    ASSERT_TRUE (engine->sendPreset (17));

    EXPECT_EQ (rig.controller.getSlot (17), image);
    EXPECT_EQ (rig.controller.getSlot (16), getImageOfDump (defaultPresetDump()));
    EXPECT_EQ (rig.controller.getReceivedMessages().size(), (size_t) imageLength);

    // And a Get brings the same preset back into another window.
    auto other = createEngine (rig.manager);
    other->getPreset (17);
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! other->isGetInProgress(); }, 30000));
    EXPECT_EQ (getImage (*other), image);
}

TEST (SendPreset, RefusesWithoutBothPorts)
{
    for (const auto& [openInput, openOutput] : { std::pair{ false, false }, { true, false }, { false, true } })
    {
        HalfOpenRig rig (openInput, openOutput);
        auto engine = createEngine (rig.manager);
        RecordingEngineListener first, second;
        engine->addListener (&first);
        engine->addListener (&second);

        EXPECT_FALSE (engine->sendPreset (0));
        EXPECT_EQ (first.getFailureMessages(), juce::StringArray (juce::String()));
        EXPECT_EQ (second.getNumFailures(), 1);
        EXPECT_TRUE (first.wereAllReportsOnMessageThread());
        EXPECT_EQ (rig.layer.getNumSentMessages(), 0);
    }
}

TEST (SendPreset, RefusesASlotTheControllerDoesNotHave)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);
    RecordingEngineListener listener;
    engine->addListener (&listener);

    EXPECT_FALSE (engine->sendPreset (24));
    EXPECT_FALSE (engine->sendPreset (200));
    EXPECT_EQ (rig.layer.getNumSentMessages(), 0);
    EXPECT_EQ (listener.getNumFailures(), 2);
}

TEST (SendPreset, OutputLostMidwayStopsAndReports)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);
    RecordingEngineListener listener;
    engine->addListener (&listener);

    // The controller vanishes after the hundredth write and the device check closes the ports.
    rig.layer.onMessageSent = [&] (const juce::MidiMessage&)
    {
        if (rig.layer.getNumSentMessages() == 100)
        {
            rig.layer.setInputNames ({});
            rig.layer.setOutputNames ({});
            rig.manager.timerCallback();
        }
    };

    EXPECT_FALSE (engine->sendPreset (0));
    EXPECT_EQ (rig.layer.getNumSentMessages(), 100);
    EXPECT_EQ (listener.getFailureMessages(), juce::StringArray (juce::String()));
    rig.layer.onMessageSent = nullptr;
}

TEST (SendPreset, MayRunWhileAGetWaits)
{
    VirtualRig rig;
    rig.controller.setSlot (2, createPatternImage (2));
    auto faults = rig.controller.getFaults();
    faults.replyDelayMs = 50;
    rig.controller.setFaults (faults);
    auto engine = createEngine (rig.manager);
    const auto image = getImage (*engine);

    engine->getPreset (2);
    EXPECT_TRUE (engine->sendPreset (9));
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! engine->isGetInProgress(); }, 30000));

    EXPECT_EQ (rig.controller.getSlot (9), image);
    EXPECT_EQ (getImage (*engine), createPatternImage (2));
}

//==============================================================================
TEST (SetSync, SendsTheSyncCommandForEitherMode)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);
    RecordingEngineListener listener;
    engine->addListener (&listener);

    engine->setSync (true);
    engine->setSync (false);

    const auto sent = rig.layer.getSentMessages();
    ASSERT_EQ (sent.size(), 2u);
    EXPECT_EQ (toBytes (sent[0]), (Bytes{ 0xF0, 0x00, 0x7E, 0x51, 0x00, 0x40, 0x67, 0x00, 0x01, 0x01, 0x01, 0xF7 }));
    EXPECT_EQ (toBytes (sent[1]), (Bytes{ 0xF0, 0x00, 0x7E, 0x51, 0x00, 0x40, 0x67, 0x00, 0x01, 0x01, 0x00, 0xF7 }));
    EXPECT_EQ (listener.getNumFailures(), 0);
}

TEST (SetSync, ReachesTheController)
{
    VirtualRig rig;
    auto engine = createEngine (rig.manager);

    engine->setSync (true);
    EXPECT_TRUE (rig.controller.isExternalSync());
    engine->setSync (false);
    EXPECT_FALSE (rig.controller.isExternalSync());
    EXPECT_EQ (rig.controller.getNumSyncCommands(), 2);
}

TEST (SetSync, RefusesWithoutBothPorts)
{
    for (const auto& [openInput, openOutput] : { std::pair{ false, false }, { true, false }, { false, true } })
    {
        HalfOpenRig rig (openInput, openOutput);
        auto engine = createEngine (rig.manager);
        RecordingEngineListener first, second;
        engine->addListener (&first);
        engine->addListener (&second);

        engine->setSync (true);
        EXPECT_EQ (first.getFailureMessages(), juce::StringArray (juce::String()));
        EXPECT_EQ (second.getNumFailures(), 1);
        EXPECT_EQ (rig.layer.getNumSentMessages(), 0);
    }
}

//==============================================================================
TEST (EngineListeners, AreCalledFromTheMostRecentAndMayBeRemoved)
{
    HalfOpenRig rig (false, false);
    auto engine = createEngine (rig.manager);
    juce::StringArray order;

    struct NamedListener : ZKEditorEngine::Listener
    {
        NamedListener (juce::String nameToUse, juce::StringArray& orderToUse)
            : name (nameToUse)
            , order (orderToUse)
        {
        }

        void midiCommunicationFailed (const juce::String&) override { order.add (name); }

        juce::String name;
        juce::StringArray& order;
    } a ("A", order), b ("B", order), c ("C", order);

    engine->addListener (&a);
    engine->addListener (&b);
    engine->addListener (&c);
    engine->addListener (&b);
    engine->addListener (nullptr);

    engine->setSync (false);
    EXPECT_EQ (order, juce::StringArray ({ "C", "B", "A" }));

    order.clear();
    engine->removeListener (&b);
    engine->setSync (false);
    EXPECT_EQ (order, juce::StringArray ({ "C", "A" }));
}

TEST (EnginePacing, DefaultsAreThoseOfTheControllerAndCanBeShortened)
{
    FakeRig rig;
    ZKEditorEngine engine (deviceId, &rig.manager, "*.zkp", splitPointMaximum, octaveMaximum, numKnobs, numPads,
                           numSwitches);

    const auto defaults = engine.getPacing();
    EXPECT_EQ (defaults.requestGapMs, 3);
    EXPECT_EQ (defaults.writeGapMs, 8);
    EXPECT_EQ (defaults.replyTimeoutMs, 2000);
    EXPECT_EQ (defaults.maxRetries, 8);

    engine.setPacing (fastPacing (123, 4));
    EXPECT_EQ (engine.getPacing().replyTimeoutMs, 123);
    EXPECT_EQ (engine.getPacing().maxRetries, 4);
    EXPECT_EQ (engine.getPacing().requestGapMs, 0);
}
