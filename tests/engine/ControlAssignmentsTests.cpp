#include "engine/ControlAssignments.h"
#include "support/TestRig.h"

#include <gtest/gtest.h>
#include <map>

namespace
{
using Ref = PresetMessages::ControlRef;
using Assignment = ControlAssignments::Assignment;
using Kind = Assignment::Kind;
using ModeSends = PresetLayout::ModeSends;
using Gesture = PresetMessages::Gesture;

/** What a mode list entry means to the user, whichever control type lists it. */
const std::map<juce::String, ModeSends> meaningOfModeEntry{ { "CC", ModeSends::controller },
                                                            { "Aftertouch", ModeSends::channelPressure },
                                                            { "Note", ModeSends::note },
                                                            { "CC Toggle", ModeSends::controllerToggle },
                                                            { "CC Momentary", ModeSends::controllerMomentary },
                                                            { "Program Change", ModeSends::programChange } };

/** One assignment of a control as the test expects it; last is first, a single number. */
struct Expected
{
    Kind kind;
    int first;
    int value = ControlAssignments::anyValue;
    int onValue = ControlAssignments::anyValue, offValue = ControlAssignments::anyValue;
};

/** The default preset with every control of the type in that mode, the other bytes of control i set
    to 20 * byte + i, so that no two bytes of a control hold the same value. */
juce::Array<juce::uint8> imageWithMode (ControlType type, int modeValue)
{
    auto image = TestRig::getImageOfDump (TestRig::defaultPresetDump());

    for (int i = 0; i < PresetLayout::getCount (type); ++i)
    {
        for (int byte = 0; byte < PresetLayout::getBlockLength (type); ++byte)
        {
            const auto value = byte == PresetLayout::getModeByte (type) ? modeValue : (20 * byte + i) & 0x7f;
            image.set (PresetLayout::getOffset (type, i) + byte, (juce::uint8) value);
        }
    }

    return image;
}
} // namespace

//==============================================================================
TEST (ControlAssignments, EveryModeOfEveryTypeWithModesSendsWhatItsEntryInTheModeListSays)
{
    int typesWithModes = 0;

    for (const auto& block : PresetLayout::blocks)
    {
        const auto type = block.type;
        const auto modeEntries = PresetLayout::getTypeNames (type).modes;
        ASSERT_EQ (PresetLayout::getModeByte (type) >= 0, modeEntries.size > 0) << "a mode list for a Mode byte";

        if (modeEntries.size == 0)
            continue;

        ++typesWithModes;
        const auto modeRange = PresetLayout::findRange (type, "Mode");
        ASSERT_NE (modeRange, nullptr);

        // Every stored value of the Mode byte, and one beyond.
        for (int mode = 0; mode <= modeRange->maximum + 1; ++mode)
        {
            const auto sends = PresetLayout::getModeSends (type, mode);
            const auto context =
                juce::String (PresetLayout::getTypeNames (type).singular) + " mode " + juce::String (mode);

            if (mode < modeEntries.size)
            {
                const auto meaning = meaningOfModeEntry.find (modeEntries.first[mode]);
                ASSERT_NE (meaning, meaningOfModeEntry.end()) << context << ": an entry the test does not know";
                EXPECT_EQ (sends, meaning->second) << context;
            }
            else
            {
                EXPECT_EQ (sends, ModeSends::nothing) << context << ": a value without an entry sends nothing";
            }

            const auto image = imageWithMode (type, mode);
            const ControlAssignments assignments (image, ZKMModel::numKeys);
            const PresetMessages messages (image);
            const auto namesOfMode = PresetLayout::getNamesOfMode (type, mode);

            for (int i = 0; i < block.count; ++i)
            {
                // The bytes that the mode sends from are names that the mode uses.
                auto byteOf = [&] (const char* name)
                {
                    EXPECT_TRUE (namesOfMode.contains (name)) << context << " has no " << name;
                    return (int) image[PresetLayout::getOffset (type, i) + PresetLayout::getByte (type, name)];
                };

                std::vector<Expected> expected;

                switch (sends)
                {
                    case ModeSends::nothing:
                        break;
                    case ModeSends::controller:
                        expected = { { Kind::controller, byteOf ("CC") } };
                        break;
                    case ModeSends::channelPressure:
                        expected = { { Kind::channelPressure, 0 } };
                        break;
                    case ModeSends::note:
                        expected = { { Kind::note, byteOf ("Note") }, { Kind::polyPressure, byteOf ("Note") } };
                        break;
                    case ModeSends::controllerToggle:
                        expected = { { Kind::controller, byteOf ("CC"), ControlAssignments::anyValue,
                                       byteOf ("Toggle On"), byteOf ("Toggle Off") } };
                        break;
                    case ModeSends::controllerMomentary:
                        expected = { { Kind::controller, byteOf ("CC"), ControlAssignments::anyValue,
                                       byteOf ("Pressed"), byteOf ("Released") } };
                        break;
                    case ModeSends::programChange:
                        expected = { { Kind::controller, 0, byteOf ("Bank MSB") },
                                     { Kind::controller, 32, byteOf ("Bank LSB") },
                                     { Kind::program, byteOf ("Program"),
                                       byteOf ("Bank MSB") * 128 + byteOf ("Bank LSB") } };
                        break;
                }

                const Ref control{ (int) type, i };
                std::vector<Assignment> found;

                for (const auto& assignment : assignments.getAll())
                    if (assignment.control == control)
                        found.push_back (assignment);

                const auto name = context + ", " + PresetMessages::getName (control);
                ASSERT_EQ (found.size(), expected.size()) << name;

                for (size_t k = 0; k < expected.size(); ++k)
                {
                    EXPECT_EQ (found[k].kind, expected[k].kind) << name << " #" << k;
                    EXPECT_EQ (found[k].first, expected[k].first) << name << " #" << k;
                    EXPECT_EQ (found[k].last, expected[k].first) << name << " #" << k;
                    EXPECT_EQ (found[k].value, expected[k].value) << name << " #" << k;
                    EXPECT_EQ (found[k].onValue, expected[k].onValue) << name << " #" << k;
                    EXPECT_EQ (found[k].offValue, expected[k].offValue) << name << " #" << k;
                    EXPECT_EQ (found[k].bankSelect, sends == ModeSends::programChange && k < 2) << name << " #" << k;
                    EXPECT_EQ (found[k].channel, (byteOf ("MIDI Channel") & 0x0f) + 1) << name << " #" << k;
                }

                // Playing it sends something exactly when its mode does, and what it sends is found as it.
                size_t played = 0;

                for (const Gesture gesture :
                     { Gesture{ Gesture::Kind::turn, 100 }, Gesture{ Gesture::Kind::press, 1 },
                       Gesture{ Gesture::Kind::release, 0 }, Gesture{ Gesture::Kind::pressure, 60 } })
                {
                    for (const auto& message : messages.play (control, gesture))
                    {
                        ++played;
                        EXPECT_TRUE (messages.findSenders (message).contains (control))
                            << name << ": " << message.getDescription();
                    }
                }

                EXPECT_EQ (played > 0, sends != ModeSends::nothing) << name;
            }
        }
    }

    EXPECT_EQ (typesWithModes, 3) << "knobs, pads and switches";
}
