#include "support/WidgetTestHelpers.h"
#include "widgets/ComboBoxWithLabel.h"
#include "widgets/DoubleParameterControllerComboBox.h"
#include "widgets/DoubleParamterControllerNumberBox.h"
#include "widgets/NumberBoxWithLabel.h"
#include "widgets/SingleParameterControllerComboBox.h"
#include "widgets/SingleParameterControllerNumberBox.h"
#include "widgets/TransportControllerComboBox.h"
#include "widgets/TransportControllerNumberBox.h"

#include <gtest/gtest.h>

using namespace WidgetTestHelpers;

namespace
{
struct CountingComboBoxListener : public juce::ComboBox::Listener
{
    void comboBoxChanged (juce::ComboBox*) override { ++changes; }
    int changes = 0;
};

juce::StringArray wheelChannelEntries()
{
    juce::StringArray entries;

    for (int channel = 1; channel <= 16; ++channel)
        entries.add (juce::String (channel));

    entries.add ("Omni");
    return entries;
}

/** A list as the user chooses an entry in it. */
void choose (juce::ComboBox& box, int itemId)
{
    box.setSelectedId (itemId, juce::sendNotificationAsync);
    pump();
}
} // namespace

//==============================================================================
TEST (LabelledWidgets, ListWidgetIsBuiltAsTheEditorShowsIt)
{
    CountingComboBoxListener listener;

    ComboBoxWithLabel widget ({ "Toggle", "Momentary" }, "Function", &listener);
    auto& list = widget.getComboBox();
    auto& label = widget.getLabel();

    EXPECT_EQ (label.getText(), "Function");
    EXPECT_EQ (label.getBounds(), juce::Rectangle<int> (0, 0, 100, 16));
    EXPECT_EQ (label.getFont().getHeight(), 16.0f);
    EXPECT_EQ (label.getJustificationType(), juce::Justification (juce::Justification::centredLeft));
    EXPECT_EQ (label.findColour (juce::Label::textColourId), juce::Colours::white);

    EXPECT_EQ (list.getBounds(), juce::Rectangle<int> (100, 0, 100, 18));
    EXPECT_EQ (list.getName(), "Function");
    EXPECT_FALSE (list.isTextEditable());
    EXPECT_EQ (list.getJustificationType(), juce::Justification (juce::Justification::centredLeft));
    EXPECT_TRUE (list.getTextWhenNothingSelected().isEmpty());
    EXPECT_TRUE (list.getTextWhenNoChoicesAvailable().isEmpty());
    EXPECT_EQ (list.findColour (juce::ComboBox::textColourId), juce::Colour (0xFF117FC6));
    EXPECT_EQ (list.findColour (juce::ComboBox::arrowColourId), juce::Colour (0xFF117FC6));
    EXPECT_EQ (list.getNumItems(), 2);
    EXPECT_EQ (list.getItemId (0), 1);
    EXPECT_EQ (list.getItemId (1), 2);
    EXPECT_EQ (list.getText(), "Toggle");
    EXPECT_TRUE (list.isVisible());
    EXPECT_TRUE (label.isVisible());
    EXPECT_EQ (list.getParentComponent(), &widget);

    // The first entry was selected with a change message that arrives later.
    EXPECT_EQ (listener.changes, 0);
    pump();
    EXPECT_EQ (listener.changes, 1);

    widget.setDisplayedValue (1);
    EXPECT_EQ (list.getText(), "Momentary");
    pump();
    EXPECT_EQ (listener.changes, 2);

    widget.setDisplayedValue (5);
    EXPECT_TRUE (list.getText().isEmpty());
    EXPECT_EQ (list.getSelectedId(), 0);
}

TEST (LabelledWidgets, NumberWidgetStartsAtItsMinimum)
{
    RecordingNumberBoxListener listener;
    NumberBoxWithLabel widget (1, 16, "MIDI Channel", &listener);
    auto& box = widget.getNumberBox();

    EXPECT_EQ (widget.getLabel().getText(), "MIDI Channel");
    EXPECT_EQ (widget.getLabel().getBounds(), juce::Rectangle<int> (0, 0, 100, 16));
    EXPECT_EQ (box.getBounds(), juce::Rectangle<int> (100, 0, 100, 18));
    EXPECT_EQ (box.getName(), "MIDI Channel");
    EXPECT_EQ (box.minimum, 1.0);
    EXPECT_EQ (box.maximum, 16.0);
    EXPECT_EQ (box.getValue(), 1.0);
    EXPECT_EQ (box.getText(), "1");
    EXPECT_TRUE (box.isEditableOnSingleClick());
    EXPECT_EQ (box.findColour (juce::Label::backgroundColourId), juce::Colours::white);
    EXPECT_EQ (box.findColour (juce::Label::textColourId), juce::Colour (0xFF117FC6));
    EXPECT_EQ (box.findColour (juce::Label::backgroundWhenEditingColourId), juce::Colour (0xFF117FC6));
    EXPECT_EQ (box.findColour (juce::Label::textWhenEditingColourId), juce::Colour (0xFF117FC6));
    EXPECT_TRUE (listener.values.empty());

    // A shown value is not told back to the listeners; one outside the range is shown as it is.
    widget.setDisplayedValue (9);
    EXPECT_EQ (box.getValue(), 9.0);
    widget.setDisplayedValue (17);
    EXPECT_EQ (box.getValue(), 17.0);
    EXPECT_TRUE (box.isOutOfRange());
    EXPECT_TRUE (listener.values.empty());
}

//==============================================================================
TEST (ParameterControllers, ChannelBoxShowsTheStoredValuePlusOneAndStoresTheTypedValueLessOne)
{
    Document document;
    auto& knob = document.control (ControlType::Knob, 2);
    DoubleParamterControllerNumberBox widget (document.engine, "MIDI Channel", 2, ControlType::Knob, 1, 16, 1);
    DesktopHost host (widget);

    document.loadDefaultPreset();
    EXPECT_EQ (widget.getNumberBox().getValue(), 1.0);

    document.load (presetWith ({ { ImageOffset::knobs + 2 * ImageOffset::blockLength + 4, 9 } }));
    EXPECT_EQ (widget.getNumberBox().getValue(), 10.0);

    typeIntoBox (widget.getNumberBox(), "16");
    EXPECT_EQ (knob.getValue ("MIDI Channel"), 15);
    EXPECT_EQ (widget.getNumberBox().getText(), "16");

    // Other knobs keep their channel.
    EXPECT_EQ (document.control (ControlType::Knob, 1).getValue ("MIDI Channel"), 0);
    EXPECT_EQ (document.control (ControlType::Knob, 3).getValue ("MIDI Channel"), 0);
}

TEST (ParameterControllers, KeybedTransposeShowsZeroForTwelveAndStoresZeroForMinusTwelve)
{
    Document document;
    auto& keybed = document.control (ControlType::Keybed);
    SingleParameterControllerNumberBox widget (document.engine, "Transpose", ControlType::Keybed, -12, 12, -12);
    widget.setParameterName ("Keybed Transpose");
    DesktopHost host (widget);

    EXPECT_EQ (widget.getNumberBox().getValue(), -12.0);

    document.loadDefaultPreset();
    EXPECT_EQ (widget.getNumberBox().getValue(), 0.0);
    EXPECT_EQ (widget.getLabel().getText(), "Transpose");
    EXPECT_EQ (widget.getParameterName(), "Keybed Transpose");

    typeIntoBox (widget.getNumberBox(), "-12");
    EXPECT_EQ (keybed.getValue ("Keybed Transpose"), 0);

    typeIntoBox (widget.getNumberBox(), "12");
    EXPECT_EQ (keybed.getValue ("Keybed Transpose"), 24);

    // The zones keep their own transpose.
    EXPECT_EQ (keybed.getValue ("Lower Keybed Transpose"), 12);
    EXPECT_EQ (keybed.getValue ("Upper Keybed Transpose"), 12);
}

TEST (ParameterControllers, WheelChannelListShowsOmniForSixteen)
{
    Document document;
    auto& wheels = document.control (ControlType::Wheels);
    SingleParameterControllerComboBox widget (document.engine, "MIDI Channel", ControlType::Wheels,
                                              wheelChannelEntries());
    widget.setParameterName ("Pitch Wheel MIDI Channel");

    document.load (presetWith ({ { ImageOffset::wheels, 16 } }));
    pump();
    EXPECT_EQ (widget.getComboBox().getText(), "Omni");
    EXPECT_EQ (widget.getComboBox().getSelectedId(), 17);
    EXPECT_EQ (widget.getLabel().getText(), "MIDI Channel");
    EXPECT_EQ (wheels.getValue ("Pitch Wheel MIDI Channel"), 16);

    choose (widget.getComboBox(), 1);
    EXPECT_EQ (wheels.getValue ("Pitch Wheel MIDI Channel"), 0);
    EXPECT_EQ (wheels.getValue ("Mod Wheel MIDI Channel"), 0);

    choose (widget.getComboBox(), 17);
    EXPECT_EQ (wheels.getValue ("Pitch Wheel MIDI Channel"), 16);
}

TEST (ParameterControllers, NotificationForAnotherNameLeavesTheWidgetAlone)
{
    Document document;
    auto& knob = document.control (ControlType::Knob, 0);
    DoubleParamterControllerNumberBox channel (document.engine, "MIDI Channel", 0, ControlType::Knob, 1, 16, 1);
    DoubleParamterControllerNumberBox cc (document.engine, "CC", 0, ControlType::Knob, 0, 127, 0);
    RecordingNumberBoxListener channelListener;
    channel.getNumberBox().addListener (&channelListener);

    document.loadDefaultPreset();
    EXPECT_EQ (cc.getNumberBox().getValue(), 20.0);
    EXPECT_EQ (channel.getNumberBox().getValue(), 1.0);
    channelListener.values.clear();

    knob.setValue ("CC", 77, true);
    EXPECT_EQ (cc.getNumberBox().getValue(), 77.0);
    EXPECT_EQ (channel.getNumberBox().getValue(), 1.0);
    EXPECT_TRUE (channelListener.values.empty());

    // A renamed widget no longer follows its old name.
    cc.setParameterName ("Min");
    knob.setValue ("CC", 5, true);
    EXPECT_EQ (cc.getNumberBox().getValue(), 77.0);
    knob.setValue ("Min", 3, true);
    EXPECT_EQ (cc.getNumberBox().getValue(), 3.0);
}

TEST (ParameterControllers, WidgetsOnAliasNamesOfOnePadByteBothFollowALoad)
{
    Document document;
    auto& pad = document.control (ControlType::Pad, 4);
    DoubleParamterControllerNumberBox toggleOn (document.engine, "Toggle On", 4, ControlType::Pad, 0, 127, 0);
    DoubleParamterControllerNumberBox bankLsb (document.engine, "Bank LSB", 4, ControlType::Pad, 0, 127, 0);
    RecordingNumberBoxListener toggleOnListener, bankLsbListener;
    toggleOn.getNumberBox().addListener (&toggleOnListener);
    bankLsb.getNumberBox().addListener (&bankLsbListener);

    document.load (presetWith ({ { ImageOffset::pads + 4 * ImageOffset::blockLength + 2, 100 } }));
    EXPECT_EQ (toggleOn.getNumberBox().getValue(), 100.0);
    EXPECT_EQ (bankLsb.getNumberBox().getValue(), 100.0);

    // A load is shown, not written back: the boxes tell their listeners nothing.
    EXPECT_TRUE (toggleOnListener.values.empty());
    EXPECT_TRUE (bankLsbListener.values.empty());
    EXPECT_EQ (pad.getValue ("Pressed"), 100);
}

TEST (ParameterControllers, AWriteFromAWidgetTellsTheOtherObserversAndTheEchoEndsAfterOneWrite)
{
    Document document;
    RecordingControlListener recorder;
    CountingComboBoxListener changes;
    auto& rollMode = document.control (ControlType::RollMode);
    SingleParameterControllerComboBox timeDiv (document.engine, "Time Div", ControlType::RollMode,
                                               { "1/4", "1/4T", "1/8", "1/8T", "1/16", "1/16T", "1/32", "1/32T" },
                                               &changes);
    SingleParameterControllerNumberBox gate (document.engine, "Gate", ControlType::RollMode, 1, 99, 1);
    rollMode.addListener (&recorder);

    document.load (presetWith ({ { 31, 5 }, { 32, 70 } }));
    EXPECT_EQ (recorder.calls.size(), 4u);
    recorder.calls.clear();

    pump (100);
    EXPECT_EQ (timeDiv.getComboBox().getText(), "1/16T");
    EXPECT_EQ (gate.getNumberBox().getValue(), 71.0);
    EXPECT_EQ (rollMode.getValue ("Time Div"), 5);
    EXPECT_EQ (rollMode.getValue ("Gate"), 70);
    EXPECT_TRUE (recorder.calls.empty());
    EXPECT_EQ (changes.changes, 1);

    // The user's choice reaches every other observer of the byte, but not the list that made it.
    choose (timeDiv.getComboBox(), 3);
    EXPECT_EQ (rollMode.getValue ("Time Div"), 2);
    ASSERT_EQ (recorder.calls.size(), 1u);
    EXPECT_EQ (recorder.calls[0], (std::pair<juce::String, juce::uint8> ("Time Div", 2)));

    // No further change message follows: the loop has ended.
    pump (100);
    EXPECT_EQ (changes.changes, 2);
}

TEST (ParameterControllers, WidgetsShowTheirInitialStateUntilTheControlNotifies)
{
    Document document;
    document.loadDefaultPreset();

    SingleParameterControllerNumberBox sustainCc (document.engine, "CC", ControlType::Sustain, 0, 127, 0);
    TransportControllerComboBox function (document.engine, "Function", 1, { "Momentary", "Toggle" });

    EXPECT_EQ (sustainCc.getNumberBox().getValue(), 0.0);
    EXPECT_EQ (function.getComboBox().getText(), "Momentary");
    EXPECT_EQ (document.control (ControlType::Sustain).getValue ("CC"), 64);
}

TEST (ParameterControllers, ValueRefusedByTheControlIsReplacedByTheStoredOne)
{
    Document document;
    auto& rollMode = document.control (ControlType::RollMode);
    SingleParameterControllerNumberBox swing (document.engine, "Swing", ControlType::RollMode, 50, 75, 50);
    DesktopHost host (swing);

    document.load (presetWith ({ { 33, 10 } }));
    EXPECT_EQ (swing.getNumberBox().getValue(), 60.0);

    typeIntoBox (swing.getNumberBox(), "75");
    EXPECT_EQ (rollMode.getValue ("Swing"), 10);
    EXPECT_EQ (swing.getNumberBox().getValue(), 60.0);
    EXPECT_EQ (swing.getNumberBox().getText(), "60");

    typeIntoBox (swing.getNumberBox(), "74");
    EXPECT_EQ (rollMode.getValue ("Swing"), 24);
    EXPECT_EQ (swing.getNumberBox().getValue(), 74.0);

    // A list with an entry beyond the parameter's maximum goes back to the stored entry.
    TransportControllerComboBox function (document.engine, "Function", 0, { "Momentary", "Toggle", "Other" });
    document.loadDefaultPreset();
    pump();
    choose (function.getComboBox(), 2);
    EXPECT_EQ (document.control (ControlType::Transport, 0).getValue ("Function"), 1);
    choose (function.getComboBox(), 3);
    EXPECT_EQ (document.control (ControlType::Transport, 0).getValue ("Function"), 1);
    EXPECT_EQ (function.getComboBox().getText(), "Toggle");
}

TEST (ParameterControllers, ListWithoutAnEntryForTheValueShowsNothingAndWritesNothing)
{
    Document document;
    CountingComboBoxListener changes;
    auto& switchControl = document.control (ControlType::Switch, 7);
    DoubleParameterControllerComboBox mode (document.engine, "Mode", 7, ControlType::Switch,
                                            { "CC Toggle", "CC Momentary", "Program Change" }, &changes);

    document.load (presetWith ({ { ImageOffset::switches + 7 * ImageOffset::blockLength, 3 } }));
    pump (100);
    EXPECT_TRUE (mode.getComboBox().getText().isEmpty());
    EXPECT_EQ (mode.getComboBox().getSelectedId(), 0);
    EXPECT_EQ (switchControl.getValue ("Mode"), 3);
    pump (100);
    EXPECT_EQ (changes.changes, 1);
    EXPECT_EQ (switchControl.getValue ("Mode"), 3);

    choose (mode.getComboBox(), 3);
    EXPECT_EQ (switchControl.getValue ("Mode"), 2);
}

TEST (ParameterControllers, TransportWidgetsBindTheirOwnButton)
{
    Document document;
    TransportControllerNumberBox cc (document.engine, "CC", 3, 0, 127);
    TransportControllerComboBox function (document.engine, "Function", 3, { "Momentary", "Toggle" });
    DesktopHost host (cc);

    document.loadDefaultPreset();
    pump();
    EXPECT_EQ (cc.getNumberBox().getValue(), 119.0);
    EXPECT_EQ (function.getComboBox().getText(), "Momentary");

    typeIntoBox (cc.getNumberBox(), "20");
    choose (function.getComboBox(), 2);
    EXPECT_EQ (document.control (ControlType::Transport, 3).getValue ("CC"), 20);
    EXPECT_EQ (document.control (ControlType::Transport, 3).getValue ("Function"), 1);
    EXPECT_EQ (document.control (ControlType::Transport, 2).getValue ("CC"), 118);
    EXPECT_EQ (document.control (ControlType::Transport, 2).getValue ("Function"), 0);
}

TEST (ParameterControllers, CombinedWidgetsAreLabelledWithTheirParameterName)
{
    Document document;
    CountingComboBoxListener extra;

    SingleParameterControllerComboBox function (document.engine, "Function", ControlType::RollMode,
                                                { "Toggle", "Momentary" }, &extra);
    DoubleParameterControllerComboBox mode (document.engine, "Mode", 0, ControlType::Knob, { "CC", "Aftertouch" });
    DoubleParamterControllerNumberBox curve (document.engine, "Curve", 0, ControlType::Pad, 1, 8, 1);

    EXPECT_EQ (function.getLabel().getText(), "Function");
    EXPECT_EQ (function.getComboBox().getName(), "Function");
    EXPECT_EQ (mode.getComboBox().getName(), "Mode");
    EXPECT_EQ (curve.getLabel().getText(), "Curve");
    EXPECT_EQ (curve.getNumberBox().getName(), "Curve");
    EXPECT_EQ (curve.getParameterName(), "Curve");

    document.loadDefaultPreset();
    pump();
    EXPECT_EQ (extra.changes, 1);
    EXPECT_EQ (curve.getNumberBox().getValue(), 1.0);

    document.load (presetWith ({ { ImageOffset::pads + 3, 7 } }));
    EXPECT_EQ (curve.getNumberBox().getValue(), 8.0);
}

//==============================================================================
TEST (ParameterControllers, AWidgetDestroyedBeforeItsEngineHearsNoLaterLoad)
{
    // A slot dialog may keep a closed window's engine alive and load a fetched preset into it.
    Document document;
    auto& knob = document.control (ControlType::Knob, 2);

    {
        DoubleParamterControllerNumberBox channel (document.engine, "MIDI Channel", 2, ControlType::Knob, 1, 16, 1);
        SingleParameterControllerComboBox split (document.engine, "Split Mode", ControlType::Keybed, { "On", "Off" });
        TransportControllerNumberBox cc (document.engine, "CC", 1, 0, 127);
        document.loadDefaultPreset();
        EXPECT_EQ (channel.getNumberBox().getValue(), 1.0);
    }

    document.load (presetWith ({ { 55 + 2 * 5 + 4, 9 } }));
    pump();
    EXPECT_EQ (knob.getValue ("MIDI Channel"), 9);
}

TEST (ParameterControllers, OnlyANumberTheUserTypedIsWritten)
{
    Document document;
    auto& knob = document.control (ControlType::Knob, 2);
    DoubleParamterControllerNumberBox widget (document.engine, "MIDI Channel", 2, ControlType::Knob, 1, 16, 1);
    auto& box = widget.getNumberBox();
    DesktopHost host (widget);

    // A channel byte of 20, beyond any channel, as a file may hold it: shown as 21.
    const auto channelByte = ImageOffset::knobs + 2 * ImageOffset::blockLength + 4;
    document.load (presetWith ({ { channelByte, 20 } }));
    EXPECT_EQ (box.getText(), "21");

    // Escape abandons the edit, even after typing.
    auto* editor = openEditor (box);
    ASSERT_NE (editor, nullptr);
    typeKeys (*editor, "3");
    editor->keyPressed (juce::KeyPress (juce::KeyPress::escapeKey));
    pump();
    EXPECT_FALSE (box.isBeingEdited());
    EXPECT_EQ (knob.getValue ("MIDI Channel"), 20);
    EXPECT_EQ (box.getText(), "21");

    // Leaving the field without typing (Tab, a click elsewhere) or pressing Return writes nothing.
    editor = openEditor (box);
    ASSERT_NE (editor, nullptr);
    editor->giveAwayKeyboardFocus();
    pump();
    EXPECT_FALSE (box.isBeingEdited());
    EXPECT_EQ (knob.getValue ("MIDI Channel"), 20);

    editor = openEditor (box);
    ASSERT_NE (editor, nullptr);
    pressReturn (*editor);
    EXPECT_EQ (knob.getValue ("MIDI Channel"), 20);
    EXPECT_EQ (box.getText(), "21");

    // A typed number that the box takes is written.
    typeIntoBox (box, "3");
    EXPECT_EQ (knob.getValue ("MIDI Channel"), 2);
    EXPECT_FALSE (box.isOutOfRange());
}
