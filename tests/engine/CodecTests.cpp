#include "model/PresetLayout.h"
#include "support/TestRig.h"

#include <gtest/gtest.h>

using namespace TestRig;

namespace
{
using Bytes = std::vector<juce::uint8>;

/** The default preset's image as its table gives it, block by block. */
Bytes expectedDefaultImage()
{
    Bytes image (16, 0x30);
    Bytes keybed{ 12, 5, 0, 4, 1, 0, 12, 5, 0, 4, 12, 5, 0, 4 };
    Bytes rollMode{ 0, 0, 49, 0 };
    image.insert (image.end(), keybed.begin(), keybed.end());
    image.insert (image.end(), rollMode.begin(), rollMode.end());

    for (juce::uint8 cc : { 116, 117, 118, 119, 115, 114 })
        image.insert (image.end(), { 0, cc });

    image.insert (image.end(), { 0, 0, 1, 0, 127 });
    image.insert (image.end(), { 64, 127, 0, 0 });

    for (int knob = 1; knob <= 16; ++knob)
    {
        const int cc = knob <= 12 ? 19 + knob : Bytes{ 35, 41, 46, 47 }[(size_t) (knob - 13)];
        image.insert (image.end(), { 0, (juce::uint8) cc, 0, 127, 0 });
    }

    for (juce::uint8 note : { 48, 49, 50, 51, 44, 45, 46, 47, 40, 41, 42, 43, 36, 37, 38, 39 })
        image.insert (image.end(), { 0, note, 0, 0, 0 });

    for (int i = 1; i <= 48; ++i)
        image.insert (image.end(), { 0, (juce::uint8) (47 + i), 127, 0, 0 });

    image.insert (image.end(), 10, 1);
    return image;
}

Bytes toBytes (const juce::Array<juce::uint8>& array) { return Bytes (array.begin(), array.end()); }

class CountingControlListener : public Control::Listener
{
public:
    void controlValueChanged (juce::String name, juce::uint8 value) override
    {
        names.add (name);
        values.add (value);
    }

    juce::StringArray names;
    juce::Array<juce::uint8> values;
};
} // namespace

//==============================================================================
TEST (DefaultPreset, HoldsExactlyTheFactoryBytes)
{
    const auto dump = toBytes (defaultPresetDump());

    ASSERT_EQ (dump.size(), (size_t) dumpLength);
    EXPECT_EQ (Bytes (dump.begin(), dump.begin() + imageOffset),
               (Bytes{ 0xF0, 0x00, 0x7E, 0x51, 0x00, 0x40, 0x63, 0x03, 0x51, 0x00 }));
    EXPECT_EQ (dump.back(), 0xF7);
    EXPECT_EQ (Bytes (dump.begin() + imageOffset, dump.end() - 1), expectedDefaultImage());
}

TEST (DefaultPreset, LoadsLikeAFileAndIsSavedWithThePresetDumpCommand)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);

    const auto saved = toBytes (engine->createPresetData (0));
    ASSERT_EQ (saved.size(), (size_t) dumpLength);
    EXPECT_EQ (Bytes (saved.begin(), saved.begin() + imageOffset),
               (Bytes{ 0xF0, 0x00, 0x7E, 0x51, 0x00, 0x40, 0x61, 0x03, 0x51, 0x00 }));
    EXPECT_EQ (saved.back(), 0xF7);
    EXPECT_EQ (Bytes (saved.begin() + imageOffset, saved.end() - 1), expectedDefaultImage());

    EXPECT_EQ (engine->getControls (Knob)[0]->getValue ("CC"), 20);
    EXPECT_EQ (engine->getControls (Knob)[15]->getValue ("CC"), 47);
    EXPECT_EQ (engine->getControls (Pad)[4]->getValue ("Note"), 44);
}

//==============================================================================
TEST (EngineStore, BuildsEveryControlAtItsOffset)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);

    const std::vector<std::pair<int, int>> counts{ { PresetName, 1 }, { Keybed, 1 }, { Transport, 6 },
                                                   { RollMode, 1 },   { Wheels, 1 }, { Sustain, 1 },
                                                   { Switch, 48 },    { Knob, 16 },  { Pad, 16 },
                                                   { MidiToDin, 1 } };

    for (const auto& [type, count] : counts)
        EXPECT_EQ (engine->getControls (type).size(), count) << "type " << type;

    EXPECT_EQ (engine->getControls (PresetName)[0]->getOffset(), 0);
    EXPECT_EQ (engine->getControls (Keybed)[0]->getOffset(), 16);
    EXPECT_EQ (engine->getControls (RollMode)[0]->getOffset(), 30);
    EXPECT_EQ (engine->getControls (Transport)[5]->getOffset(), 44);
    EXPECT_EQ (engine->getControls (Wheels)[0]->getOffset(), 46);
    EXPECT_EQ (engine->getControls (Sustain)[0]->getOffset(), 51);
    EXPECT_EQ (engine->getControls (Knob)[0]->getOffset(), 55);
    EXPECT_EQ (engine->getControls (Pad)[0]->getOffset(), 135);
    EXPECT_EQ (engine->getControls (Switch)[0]->getOffset(), 215);
    EXPECT_EQ (engine->getControls (Switch)[47]->getOffset(), 450);
    EXPECT_EQ (engine->getControls (MidiToDin)[0]->getOffset(), 455);

    EXPECT_EQ (engine->getPresetDataSize(), dumpLength);
    EXPECT_EQ (engine->getFilePattern(), "*.zkp");
}

TEST (EngineStore, UnknownControlTypeGivesAnEmptyArrayAndIsIgnoredBySetParameter)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);
    const auto before = toBytes (getImage (*engine));

    EXPECT_TRUE (engine->getControls (42).isEmpty());
    engine->setParameter (42, "MIDI Channel", 3);
    EXPECT_EQ (toBytes (getImage (*engine)), before);
}

TEST (EngineStore, SetParameterWritesTheFirstControlWithoutNotifying)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);
    CountingControlListener listener;
    engine->getControls (Knob)[0]->addListener (&listener);

    engine->setParameter (Knob, "MIDI Channel", 9);
    engine->setParameter (Knob, "MIDI Channel", 16); // above the maximum: refused

    EXPECT_EQ (engine->getControls (Knob)[0]->getValue ("MIDI Channel"), 9);
    EXPECT_EQ (engine->getControls (Knob)[1]->getValue ("MIDI Channel"), 0);
    EXPECT_TRUE (listener.names.isEmpty());
    EXPECT_EQ (engine->createPresetData (0)[imageOffset + 55 + 4], 9);
}

//==============================================================================
TEST (PresetDump, CarriesTheSlotAndEveryBlockAtItsOffset)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);
    engine->loadPresetData (juce::Array<juce::uint8>());
    const auto pattern = createPatternImage (3);

    auto dump = defaultPresetDump();
    for (int i = 0; i < imageLength; ++i)
        dump.set (imageOffset + i, pattern[i]);

    engine->loadPresetData (dump);
    const auto saved = toBytes (engine->createPresetData (7));

    EXPECT_EQ (saved[6], 0x61);
    EXPECT_EQ (saved[9], 7);
    EXPECT_EQ (Bytes (saved.begin() + imageOffset, saved.end() - 1), toBytes (pattern));

    // The image goes back unchanged, even bytes above a parameter's maximum (a channel above 15).
    EXPECT_GT (engine->getControls (Knob)[0]->getValue ("MIDI Channel"), 15);
}

TEST (PresetDump, LoadNotifiesEveryNameAndIgnoresTheHead)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);
    CountingControlListener padListener;
    engine->getControls (Pad)[2]->addListener (&padListener);

    auto dump = defaultPresetDump();
    for (int i = 0; i < imageOffset; ++i)
        dump.set (i, 0x12); // a head that is no head at all

    dump.set (imageOffset + 135 + 5 * 2 + 1, 77); // the note of pad 3
    engine->loadPresetData (dump);

    EXPECT_EQ (padListener.names, engine->getControls (Pad)[2]->getParameterNames());
    EXPECT_EQ (engine->getControls (Pad)[2]->getValue ("Note"), 77);
}

TEST (PresetDump, ShortDumpFillsTheMissingBytesWithZero)
{
    FakeRig rig;
    auto engine = createEngine (rig.manager);

    auto dump = defaultPresetDump();
    dump.removeRange (100, dumpLength - 100);
    engine->loadPresetData (dump);

    const auto image = toBytes (getImage (*engine));
    const auto expected = expectedDefaultImage();
    EXPECT_EQ (Bytes (image.begin(), image.begin() + 89), Bytes (expected.begin(), expected.begin() + 89));
    EXPECT_EQ (Bytes (image.begin() + 89, image.end()), Bytes ((size_t) imageLength - 89, 0));
}

//==============================================================================
TEST (SysExMessages, ParameterRequestCarriesSlotAndIndexInTwoGroups)
{
    EXPECT_EQ (toBytes (ZKSysEx::createParameterRequest (0x40, 5, 300)),
               (Bytes{ 0xF0, 0x00, 0x7E, 0x51, 0x00, 0x40, 0x65, 0x00, 0x03, 0x05, 0x02, 0x2C, 0xF7 }));
    EXPECT_EQ (toBytes (ZKSysEx::createParameterRequest (0x40, 0, 464))[10], 0x03);
    EXPECT_EQ (toBytes (ZKSysEx::createParameterRequest (0x40, 0, 464))[11], 0x50);
    EXPECT_EQ (toBytes (ZKSysEx::createParameterRequest (0x40, 0, 127))[10], 0x00);
    EXPECT_EQ (toBytes (ZKSysEx::createParameterRequest (0x40, 0, 127))[11], 0x7F);
    EXPECT_EQ (toBytes (ZKSysEx::createParameterRequest (0x40, 0, 128))[10], 0x01);
    EXPECT_EQ (toBytes (ZKSysEx::createParameterRequest (0x40, 0, 128))[11], 0x00);
}

TEST (SysExMessages, ParameterWriteAndSyncCommandAreExact)
{
    EXPECT_EQ (toBytes (ZKSysEx::createParameterWrite (0x40, 23, 0, 0x30)),
               (Bytes{ 0xF0, 0x00, 0x7E, 0x51, 0x00, 0x40, 0x64, 0x00, 0x04, 0x17, 0x00, 0x00, 0x30, 0xF7 }));
    EXPECT_EQ (toBytes (ZKSysEx::createSyncCommand (0x40, true)),
               (Bytes{ 0xF0, 0x00, 0x7E, 0x51, 0x00, 0x40, 0x67, 0x00, 0x01, 0x01, 0x01, 0xF7 }));
    EXPECT_EQ (toBytes (ZKSysEx::createSyncCommand (0x40, false)),
               (Bytes{ 0xF0, 0x00, 0x7E, 0x51, 0x00, 0x40, 0x67, 0x00, 0x01, 0x01, 0x00, 0xF7 }));
}

TEST (SysExMessages, ReplyIsRecognisedByStartLengthAndCommandOnly)
{
    ZKSysEx::ParameterReply reply;

    // Manufacturer and device bytes are not examined.
    const Bytes foreign{ 0xF0, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x01, 0x02, 0x02, 0x2C, 0x5A, 0xF7 };
    ASSERT_TRUE (ZKSysEx::parseParameterReply (juce::MidiMessage (foreign.data(), (int) foreign.size()), reply));
    EXPECT_EQ (reply.index, 300);
    EXPECT_EQ (reply.value, 0x5A);

    auto shortReply = foreign;
    shortReply.erase (shortReply.begin() + 11);
    auto longReply = foreign;
    longReply.insert (longReply.begin() + 11, 0x00);
    auto request = foreign;
    request[6] = 0x65;

    for (const auto& bytes : { shortReply, longReply, request })
        EXPECT_FALSE (ZKSysEx::parseParameterReply (juce::MidiMessage (bytes.data(), (int) bytes.size()), reply));

    EXPECT_FALSE (ZKSysEx::parseParameterReply (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), reply));
}
