#include "support/ViewTestHelpers.h"
#include "views/KnobControlView.h"
#include "views/ModWheelView.h"
#include "views/PadControlView.h"
#include "views/PitchWheelView.h"
#include "views/RollModeControlView.h"
#include "views/SustainControlView.h"
#include "views/SwitchControlView.h"
#include "views/TransportControlView.h"
#include "widgets/ControlToMidiControllerButton.h"
#include "widgets/SingleParameterControllerComboBox.h"
#include "widgets/SingleParameterControllerNumberBox.h"
#include "widgets/TransportControllerComboBox.h"
#include "widgets/TransportControllerNumberBox.h"

#include <gtest/gtest.h>

using namespace ViewTestHelpers;

namespace
{
using Bounds = std::vector<juce::Rectangle<int>>;

class ControlViewTest : public ::testing::Test
{
protected:
    /** The labels of the widgets of the visible mode group, top to bottom. */
    static juce::StringArray shownGroupLabels (GenericControlView& view)
    {
        juce::StringArray labels;

        for (int g = 0; g < view.getNumControlGroups(); ++g)
            if (auto* group = view.getControlGroup (g); group->isVisible())
                for (auto* box : findAll<NumberBoxWithLabel> (*group))
                    labels.add (box->getLabel().getText());

        return labels;
    }

    static juce::StringArray entries (juce::ComboBox& comboBox)
    {
        juce::StringArray items;

        for (int i = 0; i < comboBox.getNumItems(); ++i)
            items.add (comboBox.getItemText (i));

        return items;
    }

    static juce::String boxText (juce::Component& view, const juce::String& name)
    {
        auto* box = findNamed<NumberBox> (view, name);
        return box != nullptr ? box->getText() : juce::String ("<no box " + name + ">");
    }

    /** The bounds of the column widgets of a single-control view, top to bottom. */
    static Bounds columnBounds (juce::Component& view)
    {
        Bounds bounds;

        for (auto* child : view.getChildren())
            if (dynamic_cast<UIParameterInterface*> (child) != nullptr
                && dynamic_cast<ControlToMidiTextButton*> (child) == nullptr)
                bounds.push_back (child->getBounds());

        std::sort (bounds.begin(), bounds.end(), [] (auto a, auto b) { return a.getY() < b.getY(); });
        return bounds;
    }

    Document document;
    ZKEditorEngine::Ptr engine = document.engine;
};
} // namespace

//==============================================================================
TEST_F (ControlViewTest, KnobViewShowsTheCcGroupUntilAPresetSetsAftertouch)
{
    KnobControlView view (engine, 2);
    pump();

    EXPECT_EQ (view.getTitleLabel().getText(), "Knob 3");
    EXPECT_EQ (entries (view.getModeSelector()->getComboBox()), juce::StringArray ({ "CC", "Aftertouch" }));
    EXPECT_EQ (shownGroupLabels (view), juce::StringArray ({ "MIDI Channel", "CC", "Min", "Max" }));

    loadPreset (*engine, defaultPresetWith (*engine, ControlType::Knob, 2, "Mode", 1));
    EXPECT_EQ (view.getModeSelector()->getComboBox().getText(), "Aftertouch");
    EXPECT_EQ (shownGroupLabels (view), juce::StringArray ({ "MIDI Channel", "Min", "Max" }));
}

TEST_F (ControlViewTest, KnobBoxesFollowTheDefaultPresetInEveryGroup)
{
    KnobControlView view (engine, 12);
    loadPreset (*engine, defaultPresetDump());

    // Knob 13 sends CC 35 on channel 1 from 0 to 127.
    for (int g = 0; g < view.getNumControlGroups(); ++g)
    {
        auto& group = *view.getControlGroup (g);
        EXPECT_EQ (boxText (group, "MIDI Channel"), "1");
        EXPECT_EQ (boxText (group, "Min"), "0");
        EXPECT_EQ (boxText (group, "Max"), "127");
    }

    EXPECT_EQ (boxText (*view.getControlGroup (0), "CC"), "35");
}

TEST_F (ControlViewTest, ChoosingProgramChangeOnAPadShowsItsGroupAndStoresMode3)
{
    PadControlView view (engine, 4);
    loadPreset (*engine, defaultPresetDump());

    EXPECT_EQ (entries (view.getModeSelector()->getComboBox()),
               juce::StringArray ({ "Note", "CC Toggle", "CC Momentary", "Program Change" }));
    EXPECT_EQ (shownGroupLabels (view), juce::StringArray ({ "MIDI Channel", "Note", "Fixed", "Curve" }));

    chooseEntry (view.getModeSelector()->getComboBox(), "Program Change");
    pump();

    EXPECT_EQ (shownGroupLabels (view), juce::StringArray ({ "MIDI Channel", "Bank LSB", "Bank MSB", "Program" }));
    EXPECT_EQ (controlOf (*engine, ControlType::Pad, 4).getValue ("Mode"), 3);
    EXPECT_EQ (controlOf (*engine, ControlType::Pad, 3).getValue ("Mode"), 0);
}

TEST_F (ControlViewTest, PadCurveCountsFromOne)
{
    PadControlView view (engine, 0);
    loadPreset (*engine, defaultPresetDump());
    EXPECT_EQ (boxText (*view.getControlGroup (0), "Curve"), "1");
    EXPECT_EQ (boxText (*view.getControlGroup (0), "Note"), "48");

    loadPreset (*engine, defaultPresetWith (*engine, ControlType::Pad, 0, "Curve", 7));
    EXPECT_EQ (boxText (*view.getControlGroup (0), "Curve"), "8");

    auto* curve = findNamed<NumberBox> (*view.getControlGroup (0), "Curve");
    EXPECT_EQ (curve->minimum, 1.0);
    EXPECT_EQ (curve->maximum, 8.0);
}

TEST_F (ControlViewTest, SwitchViewIsTitledWithItsNumberAndListsThreeModes)
{
    SwitchControlView view (engine, 11);
    loadPreset (*engine, defaultPresetDump());

    EXPECT_EQ (view.getTitleLabel().getText(), "Switch 12");
    EXPECT_EQ (entries (view.getModeSelector()->getComboBox()),
               juce::StringArray ({ "CC Toggle", "CC Momentary", "Program Change" }));
    EXPECT_EQ (shownGroupLabels (view), juce::StringArray ({ "MIDI Channel", "CC", "Toggle On", "Toggle Off" }));
    // Switch n sends CC 47 + n.
    EXPECT_EQ (boxText (*view.getControlGroup (0), "CC"), "59");

    loadPreset (*engine, defaultPresetWith (*engine, ControlType::Switch, 11, "Mode", 1));
    EXPECT_EQ (shownGroupLabels (view), juce::StringArray ({ "MIDI Channel", "CC", "Pressed", "Released" }));
}

TEST_F (ControlViewTest, TransportViewListsMomentaryFirst)
{
    TransportControlView view (engine, 4, "Loop");
    loadPreset (*engine, withParameter (defaultPresetDump(), *engine, ControlType::Transport, 4, "Function", 1));

    EXPECT_EQ (view.getBounds(), juce::Rectangle<int> (0, 0, 300, 200));
    auto* title = findNamed<juce::Label> (view, "Loop");
    ASSERT_NE (title, nullptr);
    EXPECT_EQ (title->getText(), "Loop");
    EXPECT_EQ (title->getBounds(), juce::Rectangle<int> (70, 0, 300, 20));

    auto* function = findAll<TransportControllerComboBox> (view).getFirst();
    ASSERT_NE (function, nullptr);
    EXPECT_EQ (entries (function->getComboBox()), juce::StringArray ({ "Momentary", "Toggle" }));
    EXPECT_EQ (function->getComboBox().getText(), "Toggle");
    EXPECT_EQ (boxText (view, "CC"), "115");

    EXPECT_EQ (columnBounds (view), Bounds ({ { 0, 30, 200, 22 }, { 0, 57, 200, 22 } }));

    chooseEntry (function->getComboBox(), "Momentary");
    EXPECT_EQ (controlOf (*engine, ControlType::Transport, 4).getValue ("Function"), 0);
}

TEST_F (ControlViewTest, RollModeViewListsToggleFirstAndStopsSwingAt74)
{
    RollModeControlView view (engine);
    loadPreset (*engine, defaultPresetDump());

    auto lists = findAll<SingleParameterControllerComboBox> (view);
    ASSERT_EQ (lists.size(), 2);
    SingleParameterControllerComboBox* function = nullptr;
    juce::ComboBox* timeDivision = nullptr;

    for (auto* list : lists)
    {
        if (list->getLabel().getText() == "Function")
            function = list;
        else if (list->getLabel().getText() == "Time Div")
            timeDivision = &list->getComboBox();
    }

    ASSERT_NE (function, nullptr);
    ASSERT_NE (timeDivision, nullptr);
    EXPECT_EQ (entries (function->getComboBox()), juce::StringArray ({ "Toggle", "Momentary" }));
    EXPECT_EQ (function->getComboBox().getText(), "Toggle");
    EXPECT_EQ (entries (*timeDivision),
               juce::StringArray ({ "1/4", "1/4T", "1/8", "1/8T", "1/16", "1/16T", "1/32", "1/32T" }));

    // Default gate 49 is shown 50, default swing 0 is shown 50.
    EXPECT_EQ (boxText (view, "Gate"), "50");
    EXPECT_EQ (boxText (view, "Swing"), "50");

    auto* swing = findNamed<NumberBox> (view, "Swing");
    EXPECT_EQ (swing->minimum, 50.0);
    EXPECT_EQ (swing->maximum, 74.0);
    swing->setNumber (74);
    EXPECT_EQ (controlOf (*engine, ControlType::RollMode).getValue ("Swing"), 24);
    swing->setNumber (75);
    EXPECT_EQ (swing->getText(), "74");
    EXPECT_EQ (controlOf (*engine, ControlType::RollMode).getValue ("Swing"), 24);

    auto* gate = findNamed<NumberBox> (view, "Gate");
    EXPECT_EQ (gate->minimum, 1.0);
    EXPECT_EQ (gate->maximum, 99.0);

    EXPECT_EQ (columnBounds (view),
               Bounds ({ { 0, 30, 200, 20 }, { 0, 55, 200, 20 }, { 0, 80, 200, 20 }, { 0, 105, 200, 20 } }));
    // Top to bottom: "Function", "Time Div", "Gate", "Swing".
    EXPECT_EQ (function->getY(), 30);
    EXPECT_EQ (swing->getParentComponent()->getY(), 105);
}

TEST_F (ControlViewTest, SustainViewShowsItsFourNumbers)
{
    SustainControlView view (engine);
    loadPreset (*engine, defaultPresetDump());

    auto* title = findNamed<juce::Label> (view, "Sustain Pedal");
    ASSERT_NE (title, nullptr);
    EXPECT_EQ (title->getBounds(), juce::Rectangle<int> (70, 0, 300, 20));

    EXPECT_EQ (boxText (view, "MIDI Channel"), "1");
    EXPECT_EQ (boxText (view, "CC"), "64");
    EXPECT_EQ (boxText (view, "Pressed"), "127");
    EXPECT_EQ (boxText (view, "Released"), "0");
    EXPECT_EQ (columnBounds (view),
               Bounds ({ { 0, 30, 200, 22 }, { 0, 57, 200, 22 }, { 0, 84, 200, 22 }, { 0, 111, 200, 22 } }));
    EXPECT_TRUE (findAll<ControlToMidiControllerButton> (view).isEmpty());

    findNamed<NumberBox> (view, "MIDI Channel")->setNumber (16);
    EXPECT_EQ (controlOf (*engine, ControlType::Sustain).getValue ("MIDI Channel"), 15);
}

TEST_F (ControlViewTest, WheelChannelListsShowOmniForSixteen)
{
    ModWheelView mod (engine);
    PitchWheelView pitch (engine);
    auto preset = defaultPresetWith (*engine, ControlType::Wheels, 0, "Pitch Wheel MIDI Channel", 16);
    preset = withParameter (preset, *engine, ControlType::Wheels, 0, "Mod Wheel MIDI Channel", 9);
    loadPreset (*engine, preset);

    auto& pitchList = findAll<SingleParameterControllerComboBox> (pitch).getFirst()->getComboBox();
    auto& modList = findAll<SingleParameterControllerComboBox> (mod).getFirst()->getComboBox();
    EXPECT_EQ (pitchList.getNumItems(), 17);
    EXPECT_EQ (pitchList.getItemText (0), "1");
    EXPECT_EQ (pitchList.getItemText (15), "16");
    EXPECT_EQ (pitchList.getText(), "Omni");
    EXPECT_EQ (modList.getText(), "10");

    chooseEntry (pitchList, "1");
    EXPECT_EQ (controlOf (*engine, ControlType::Wheels).getValue ("Pitch Wheel MIDI Channel"), 0);
    EXPECT_EQ (controlOf (*engine, ControlType::Wheels).getValue ("Mod Wheel MIDI Channel"), 9);
}

TEST_F (ControlViewTest, WheelViewsBindShortLabelsToTheWheelsParameters)
{
    ModWheelView mod (engine);
    PitchWheelView pitch (engine);
    loadPreset (*engine, defaultPresetDump());

    auto modChannel = findAll<SingleParameterControllerComboBox> (mod).getFirst();
    EXPECT_EQ (modChannel->getLabel().getText(), "MIDI Channel");
    EXPECT_EQ (modChannel->getParameterName(), "Mod Wheel MIDI Channel");
    EXPECT_EQ (findAll<SingleParameterControllerComboBox> (pitch).getFirst()->getParameterName(),
               "Pitch Wheel MIDI Channel");

    const juce::StringArray labels{ "CC", "Min", "Max" };
    auto boxes = findAll<SingleParameterControllerNumberBox> (mod);
    ASSERT_EQ (boxes.size(), labels.size());

    for (int i = 0; i < labels.size(); ++i)
    {
        EXPECT_EQ (boxes[i]->getLabel().getText(), labels[i]);
        EXPECT_EQ (boxes[i]->getParameterName(), "Mod Wheel " + labels[i]);
    }

    // Default preset: mod wheel CC 1 from 0 to 127.
    EXPECT_EQ (boxText (mod, "CC"), "1");
    EXPECT_EQ (boxText (mod, "Max"), "127");

    EXPECT_EQ (columnBounds (mod),
               Bounds ({ { 0, 30, 200, 18 }, { 0, 53, 200, 18 }, { 0, 76, 200, 18 }, { 0, 99, 200, 18 } }));
    EXPECT_EQ (columnBounds (pitch), Bounds ({ { 0, 30, 200, 18 } }));

    auto* modDin = findAll<ControlToMidiControllerButton> (mod).getFirst();
    auto* pitchDin = findAll<ControlToMidiControllerButton> (pitch).getFirst();
    ASSERT_NE (modDin, nullptr);
    ASSERT_NE (pitchDin, nullptr);
    EXPECT_EQ (modDin->getParameterName(), "Mod Wheel Midi To DIN");
    EXPECT_EQ (modDin->getBounds(), juce::Rectangle<int> (100, 122, 100, 12));
    EXPECT_EQ (pitchDin->getParameterName(), "Pitch Wheel Midi To DIN");
    EXPECT_EQ (pitchDin->getBounds(), juce::Rectangle<int> (100, 53, 100, 12));
    EXPECT_EQ (pitchDin->getButton().getButtonText(), "ON");

    findNamed<NumberBox> (mod, "Min")->setNumber (5);
    EXPECT_EQ (controlOf (*engine, ControlType::Wheels).getValue ("Mod Wheel Min"), 5);
}

TEST_F (ControlViewTest, AUsersEditShowsInTheBoxesOfTheSameByteInEveryModeGroup)
{
    KnobControlView knob (engine, 0);
    PadControlView pad (engine, 0);
    loadPreset (*engine, defaultPresetDump());

    struct EditRecorder : public ZKEditorEngine::EditListener
    {
        void parameterEdited (const ZKEditorEngine::ParameterEdit& edit) override { edits.push_back (edit); }
        std::vector<ZKEditorEngine::ParameterEdit> edits;
    } recorder;
    engine->addEditListener (&recorder);

    // The user edits the channel in the "CC" group; the "Aftertouch" group, hidden, follows.
    auto* ccChannel = findNamed<NumberBox> (*knob.getControlGroup (0), "MIDI Channel");
    ccChannel->setNumber (5);
    EXPECT_EQ (controlOf (*engine, ControlType::Knob, 0).getValue ("MIDI Channel"), 4);
    EXPECT_EQ (boxText (*knob.getControlGroup (1), "MIDI Channel"), "5");
    findNamed<NumberBox> (*knob.getControlGroup (0), "Max")->setNumber (100);
    EXPECT_EQ (boxText (*knob.getControlGroup (1), "Max"), "100");

    // A pad's "Note" and "CC" name one byte: the "CC Toggle" group shows the note just typed.
    findNamed<NumberBox> (*pad.getControlGroup (0), "Note")->setNumber (60);
    EXPECT_EQ (boxText (*pad.getControlGroup (1), "CC"), "60");
    EXPECT_EQ (boxText (*pad.getControlGroup (2), "CC"), "60");
    EXPECT_EQ (boxText (*pad.getControlGroup (3), "Bank LSB"), boxText (*pad.getControlGroup (0), "Fixed"));

    chooseEntry (knob.getModeSelector()->getComboBox(), "Aftertouch");
    pump();
    EXPECT_EQ (shownGroupLabels (knob), juce::StringArray ({ "MIDI Channel", "Min", "Max" }));
    EXPECT_EQ (boxText (*knob.getControlGroup (1), "MIDI Channel"), "5");

    // Each edit is heard once, by the edit listeners; the writing box is not told its own value back.
    ASSERT_EQ (recorder.edits.size(), 4u);
    EXPECT_EQ (recorder.edits[0].controlType, (int) ControlType::Knob);
    EXPECT_EQ (recorder.edits[0].parameterName, "MIDI Channel");
    EXPECT_EQ (recorder.edits[0].oldValue, 0);
    EXPECT_EQ (recorder.edits[0].newValue, 4);
    EXPECT_EQ (recorder.edits[2].controlType, (int) ControlType::Pad);
    EXPECT_EQ (recorder.edits[2].parameterName, "Note");
    EXPECT_EQ (recorder.edits[3].parameterName, "Mode");
    EXPECT_EQ (recorder.edits[3].newValue, 1);
    engine->removeEditListener (&recorder);
}
