#include "model/PresetLayout.h"
#include "model/ZKControlsToMidiDin.h"
#include "model/ZKKeybed.h"
#include "model/ZKKnob.h"
#include "model/ZKPad.h"
#include "model/ZKPresetName.h"
#include "model/ZKRollMode.h"
#include "model/ZKSustain.h"
#include "model/ZKSwitch.h"
#include "model/ZKTransport.h"
#include "model/ZKWheels.h"
#include "support/RecordingControlListener.h"
#include "support/TestRig.h"

#include <gtest/gtest.h>
#include <map>

namespace
{
constexpr int numKnobs = TestRig::numKnobs;
constexpr int numPads = TestRig::numPads;
constexpr int numSwitches = TestRig::numSwitches;
constexpr int numTransportButtons = 6;
constexpr int assignableBlockLength = 5;
constexpr int firstTransportOffset = 34;
constexpr int transportBlockLength = 2;
constexpr int firstKnobOffset = 55;
constexpr int dumpLength = 476;
constexpr int imageLength = 465;

// The controls of one preset, built and grouped as the engine keeps them.
struct Preset
{
    Preset()
    {
        controls[PresetName].add (new ZKPresetName());
        controls[Keybed].add (new ZKKeybed ((juce::uint8) 60, (juce::uint8) 10));
        controls[RollMode].add (new ZKRollMode());

        for (int i = 0; i < numTransportButtons; ++i)
            controls[Transport].add (new ZKTransport (firstTransportOffset + transportBlockLength * i));

        controls[Wheels].add (new ZKWheels());
        controls[Sustain].add (new ZKSustain());

        const auto firstPadOffset = firstKnobOffset + assignableBlockLength * numKnobs;
        const auto firstSwitchOffset = firstPadOffset + assignableBlockLength * numPads;

        for (int i = 0; i < numKnobs; ++i)
            controls[Knob].add (new ZKKnob (firstKnobOffset + assignableBlockLength * i));

        for (int i = 0; i < numPads; ++i)
            controls[Pad].add (new ZKPad (firstPadOffset + assignableBlockLength * i));

        for (int i = 0; i < numSwitches; ++i)
            controls[Switch].add (new ZKSwitch (firstSwitchOffset + assignableBlockLength * i));

        controls[MidiToDin].add (new ZKControlsToMidiDin (firstSwitchOffset + assignableBlockLength * numSwitches));
    }

    void loadImage (const juce::Array<juce::uint8>& image)
    {
        for (auto& [type, group] : controls)
            for (auto* control : group)
                control->loadFromImage (image);
    }

    // The blocks in the order of their offsets.
    juce::Array<juce::uint8> buildImage()
    {
        juce::Array<juce::uint8> image;

        for (auto type : { PresetName, Keybed, RollMode, Transport, Wheels, Sustain, Knob, Pad, Switch, MidiToDin })
            for (auto* control : controls[type])
                image.addArray (control->getValues());

        return image;
    }

    std::vector<int> block (ControlType type, int instance = 0)
    {
        return toInts (controls[type][instance]->getValues());
    }

    std::map<int, juce::OwnedArray<Control>> controls;
};

juce::Array<juce::uint8> defaultPresetImage() { return TestRig::getImageOfDump (TestRig::defaultPresetDump()); }
} // namespace

//==============================================================================
TEST (DefaultPreset, BlocksTileTheWholeImageWithoutGaps)
{
    Preset preset;
    int expectedOffset = 0;

    for (auto type : { PresetName, Keybed, RollMode, Transport, Wheels, Sustain, Knob, Pad, Switch, MidiToDin })
    {
        for (auto* control : preset.controls[type])
        {
            EXPECT_EQ (control->getOffset(), expectedOffset) << type;
            expectedOffset += control->getValues().size();
        }
    }

    EXPECT_EQ (expectedOffset, imageLength);
}

TEST (DefaultPreset, LoadsIntoTheDocumentedBlocks)
{
    ASSERT_EQ (TestRig::defaultPresetDump().size(), dumpLength);
    Preset preset;
    preset.loadImage (defaultPresetImage());

    EXPECT_EQ (preset.block (PresetName), std::vector<int> (16, '0'));
    EXPECT_EQ (preset.block (Keybed), (std::vector<int>{ 12, 5, 0, 4, 1, 0, 12, 5, 0, 4, 12, 5, 0, 4 }));
    EXPECT_EQ (preset.block (RollMode), (std::vector<int>{ 0, 0, 49, 0 }));

    const int transportControllers[] = { 116, 117, 118, 119, 115, 114 };

    for (int i = 0; i < numTransportButtons; ++i)
        EXPECT_EQ (preset.block (Transport, i), (std::vector<int>{ 0, transportControllers[i] })) << i;

    EXPECT_EQ (preset.block (Wheels), (std::vector<int>{ 0, 0, 1, 0, 127 }));
    EXPECT_EQ (preset.block (Sustain), (std::vector<int>{ 64, 127, 0, 0 }));

    const int lastKnobControllers[] = { 35, 41, 46, 47 };

    for (int i = 0; i < numKnobs; ++i)
    {
        const auto controller = i < 12 ? 20 + i : lastKnobControllers[i - 12];
        EXPECT_EQ (preset.block (Knob, i), (std::vector<int>{ 0, controller, 0, 127, 0 })) << i;
    }

    const int padNotes[] = { 48, 49, 50, 51, 44, 45, 46, 47, 40, 41, 42, 43, 36, 37, 38, 39 };

    for (int i = 0; i < numPads; ++i)
        EXPECT_EQ (preset.block (Pad, i), (std::vector<int>{ 0, padNotes[i], 0, 0, 0 })) << i;

    for (int i = 0; i < numSwitches; ++i)
        EXPECT_EQ (preset.block (Switch, i), (std::vector<int>{ 0, 48 + i, 127, 0, 0 })) << i;

    EXPECT_EQ (preset.block (MidiToDin), std::vector<int> (10, 1));
}

TEST (DefaultPreset, ReadsBackThroughTheParameterNames)
{
    Preset preset;
    preset.loadImage (defaultPresetImage());

    EXPECT_EQ (preset.controls[Keybed][0]->getValue ("Split Mode"), 1);
    EXPECT_EQ (preset.controls[Keybed][0]->getValue ("Upper Keybed Curve"), 4);
    EXPECT_EQ (preset.controls[RollMode][0]->getValue ("Gate"), 49);
    EXPECT_EQ (preset.controls[Transport][5]->getValue ("CC"), 114);
    EXPECT_EQ (preset.controls[Wheels][0]->getValue ("Mod Wheel Max"), 127);
    EXPECT_EQ (preset.controls[Sustain][0]->getValue ("CC"), 64);
    EXPECT_EQ (preset.controls[Knob][12]->getValue ("CC"), 35);
    EXPECT_EQ (preset.controls[Pad][15]->getValue ("Note"), 39);
    EXPECT_EQ (preset.controls[Switch][47]->getValue ("Toggle On"), 127);
    EXPECT_EQ (preset.controls[Switch][47]->getValue ("CC"), 95);
    EXPECT_EQ (preset.controls[MidiToDin][0]->getValue ("Switches Midi To DIN"), 1);
    EXPECT_EQ (preset.controls[PresetName][0]->getValue ("Preset Name 16"), '0');
}

TEST (DefaultPreset, ControlsGiveBackTheImageTheyWereLoadedFrom)
{
    Preset preset;
    const auto image = defaultPresetImage();

    preset.loadImage (image);

    EXPECT_EQ (toInts (preset.buildImage()), toInts (image));
}

TEST (DefaultPreset, BytesAboveTheirMaximumSurviveALoad)
{
    Preset preset;
    auto image = defaultPresetImage();
    const auto curveOfFirstPad = firstKnobOffset + assignableBlockLength * numKnobs + 3;
    image.set (curveOfFirstPad, 100);
    image.set (0, 127);

    preset.loadImage (image);

    EXPECT_EQ (preset.controls[Pad][0]->getValue ("Curve"), 100);
    EXPECT_EQ (toInts (preset.buildImage()), toInts (image));
}

TEST (DefaultPreset, LoadNotifiesEveryNameOfEveryControl)
{
    Preset preset;
    RecordingControlListener listener;

    for (auto& [type, group] : preset.controls)
        for (auto* control : group)
            control->addListener (&listener);

    preset.loadImage (defaultPresetImage());

    const auto expectedCalls =
        16 + 14 + 4 + 2 * numTransportButtons + 5 + 4 + 5 * numKnobs + 13 * numPads + 10 * numSwitches + 10;
    EXPECT_EQ (listener.getNumCalls(), expectedCalls);
}
