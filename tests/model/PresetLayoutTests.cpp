#include "model/LayoutControl.h"
#include "model/ZKMModel.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace
{
// The image as the controller lays it out, first block first.
struct PinnedBlock
{
    ControlType type;
    int firstOffset, blockLength, count;
};

const PinnedBlock pinnedBlocks[] = { { PresetName, 0, 16, 1 }, { Keybed, 16, 14, 1 }, { RollMode, 30, 4, 1 },
                                     { Transport, 34, 2, 6 },  { Wheels, 46, 5, 1 },  { Sustain, 51, 4, 1 },
                                     { Knob, 55, 5, 16 },      { Pad, 135, 5, 16 },   { Switch, 215, 5, 48 },
                                     { MidiToDin, 455, 10, 1 } };
} // namespace

//==============================================================================
TEST (PresetLayout, BlocksTileTheImageAndEveryNameAddressesAByteOfItsOwnBlock)
{
    ASSERT_EQ (std::size (PresetLayout::blocks), std::size (pinnedBlocks));
    int end = 0;

    for (size_t i = 0; i < std::size (pinnedBlocks); ++i)
    {
        const auto& pinned = pinnedBlocks[i];
        const auto& block = PresetLayout::blocks[i];
        EXPECT_EQ (block.type, pinned.type) << i;
        EXPECT_EQ (block.blockLength, pinned.blockLength) << pinned.type;
        EXPECT_EQ (block.count, pinned.count) << pinned.type;
        EXPECT_EQ (PresetLayout::getFirstOffset (pinned.type), end) << pinned.type;
        EXPECT_EQ (PresetLayout::getFirstOffset (pinned.type), pinned.firstOffset) << pinned.type;
        EXPECT_EQ (PresetLayout::getOffset (pinned.type, pinned.count - 1),
                   pinned.firstOffset + pinned.blockLength * (pinned.count - 1))
            << pinned.type;

        // Every byte has at least one name, no name two bytes, and every value is a SysEx data byte.
        std::set<int> namedBytes;
        juce::StringArray names;

        for (const auto& parameter : PresetLayout::getParameters (pinned.type))
        {
            EXPECT_TRUE (juce::isPositiveAndBelow (parameter.byte, pinned.blockLength)) << parameter.name;
            EXPECT_LE (parameter.range->maximum, 127) << parameter.name;
            EXPECT_FALSE (names.contains (parameter.name)) << parameter.name;
            namedBytes.insert (parameter.byte);
            names.add (parameter.name);
        }

        EXPECT_EQ ((int) namedBytes.size(), pinned.blockLength) << pinned.type;
        end = pinned.firstOffset + pinned.blockLength * pinned.count;
    }

    EXPECT_EQ (end, 465);
    EXPECT_EQ (PresetLayout::imageLength, 465);
    EXPECT_EQ (ZKMModel::imageLength, 465);
    EXPECT_EQ (ZKMModel::dumpHeadLength, 10);
    EXPECT_EQ (ZKMModel::dumpLength, 476);
    EXPECT_EQ (ZKMModel::getDefaultPresetDump().size(), ZKMModel::dumpLength);
    EXPECT_EQ (ZKMModel::numKnobs, 16);
    EXPECT_EQ (ZKMModel::numPads, 16);
    EXPECT_EQ (ZKMModel::numSwitches, 48);
}

TEST (PresetLayout, AControlOfEveryTypeAnswersWithTheTablesNamesBytesMaximaAndListEntries)
{
    for (const auto& block : PresetLayout::blocks)
    {
        LayoutControl control (block.type, PresetLayout::getOffset (block.type, block.count - 1));
        EXPECT_EQ (control.getOffset(), PresetLayout::getOffset (block.type, block.count - 1));
        EXPECT_EQ (control.getValues().size(), block.blockLength);

        juce::StringArray names;

        for (const auto& parameter : PresetLayout::getParameters (block.type))
        {
            names.add (parameter.name);
            EXPECT_EQ (control.getIndex (parameter.name), parameter.byte) << parameter.name;
            EXPECT_EQ (control.getMaximum (parameter.name), parameter.range->maximum) << parameter.name;
            EXPECT_EQ (control.getMinimum (parameter.name), 0) << parameter.name;
        }

        EXPECT_EQ (control.getParameterNames(), names) << block.type;

        // A list shows every stored value of its parameter, and only those.
        for (const auto& parameter : PresetLayout::getParameters (block.type))
        {
            if (parameter.valueNames.size > 0)
            {
                EXPECT_EQ (parameter.valueNames.size, parameter.range->maximum + 1) << parameter.name;
            }
        }
    }
}

TEST (PresetLayout, EachModeUsesOneNamePerByteAndOnlyTheModesOfTheListHaveNames)
{
    const std::map<ControlType, int> numModes{ { Knob, 2 }, { Pad, 4 }, { Switch, 3 } };

    for (const auto& block : PresetLayout::blocks)
    {
        const auto type = block.type;
        const auto found = numModes.find (type);

        if (found == numModes.end())
        {
            EXPECT_EQ (PresetLayout::getModeByte (type), -1) << type;
            EXPECT_TRUE (PresetLayout::getNamesOfMode (type, 0).isEmpty()) << type;
            continue;
        }

        EXPECT_EQ (PresetLayout::getModeByte (type), 0) << type;
        EXPECT_EQ (PresetLayout::getTypeNames (type).modes.size, found->second) << "a list entry per mode";
        EXPECT_TRUE (PresetLayout::getNamesOfMode (type, found->second).isEmpty()) << type;
        EXPECT_TRUE (PresetLayout::getNamesOfMode (type, -1).isEmpty()) << type;
        EXPECT_TRUE (PresetLayout::getNamesOfMode (type, 127).isEmpty()) << type;

        for (int mode = 0; mode < found->second; ++mode)
        {
            std::set<int> bytes;

            for (const auto& name : PresetLayout::getNamesOfMode (type, mode))
                EXPECT_TRUE (bytes.insert (PresetLayout::getByte (type, name)).second) << type << " " << name;

            EXPECT_FALSE (bytes.empty()) << type << " " << mode;
            EXPECT_EQ (bytes.count (0), 0u) << "the mode byte is not a name of a mode";
            EXPECT_EQ (bytes.count (4), 1u) << "every mode has its channel";
        }
    }

    EXPECT_EQ (PresetLayout::getNamesOfMode (Knob, 1), juce::StringArray ({ "Min", "Max", "MIDI Channel" }));
    EXPECT_EQ (PresetLayout::getNamesOfMode (Pad, 0), juce::StringArray ({ "Note", "Fixed", "Curve", "MIDI Channel" }));
    EXPECT_EQ (PresetLayout::getNamesOfMode (Pad, 3),
               juce::StringArray ({ "Program", "Bank LSB", "Bank MSB", "MIDI Channel" }));
    EXPECT_EQ (PresetLayout::getNamesOfMode (Switch, 0),
               juce::StringArray ({ "CC", "Toggle On", "Toggle Off", "MIDI Channel" }));
}

TEST (PresetLayout, DisplayOffsetsAndTheRangesOfNameFamilies)
{
    EXPECT_EQ (PresetLayout::getDisplayOffset (Knob, "MIDI Channel"), 1);
    EXPECT_EQ (PresetLayout::getDisplayOffset (Pad, "Curve"), 1);
    EXPECT_EQ (PresetLayout::getDisplayOffset (Pad, "Note"), 0);
    EXPECT_EQ (PresetLayout::getDisplayOffset (Keybed, "Lower Keybed Transpose"), -12);
    EXPECT_EQ (PresetLayout::getDisplayOffset (Keybed, "Upper Keybed Curve"), 1);
    EXPECT_EQ (PresetLayout::getDisplayOffset (Keybed, "Split Point"), 1);
    EXPECT_EQ (PresetLayout::getDisplayOffset (Keybed, "Keybed Octave"), 0);
    EXPECT_EQ (PresetLayout::getDisplayOffset (RollMode, "Gate"), 1);
    EXPECT_EQ (PresetLayout::getDisplayOffset (RollMode, "Swing"), 50);
    EXPECT_EQ (PresetLayout::getDisplayOffset (Wheels, "Mod Wheel MIDI Channel"), 1);
    EXPECT_EQ (PresetLayout::getDisplayOffset (Sustain, "MIDI Channel"), 1);
    EXPECT_EQ (PresetLayout::getDisplayOffset (MidiToDin, "Pads Midi To DIN"), 0);
    EXPECT_EQ (PresetLayout::getDisplayOffset (Knob, "Unknown"), 0);

    // A name outside the table takes the range of the first family word it contains.
    EXPECT_EQ (PresetLayout::findRange (Keybed, "Split Point Octave"), &PresetLayout::octaveRange);
    EXPECT_EQ (PresetLayout::findRange (Keybed, "Split Point"), &PresetLayout::splitPointRange);
    EXPECT_EQ (PresetLayout::findRange (Keybed, "Split"), nullptr);
    EXPECT_EQ (PresetLayout::getMaximum (Transport, "Roll Function"), 1);
    EXPECT_EQ (PresetLayout::getMaximum (Wheels, "Sustain Channel"), 16);
    EXPECT_EQ (PresetLayout::getMaximum (PresetName, "Anything"), 127);
    EXPECT_EQ (PresetLayout::getByte (PresetName, "Anything"), -1);
    EXPECT_EQ (PresetLayout::getMaximum (Sustain, "Pedal Channel"), 0);
}
