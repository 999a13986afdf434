#include "support/WidgetTestHelpers.h"
#include "widgets/ComboBoxWithLabel.h"
#include "widgets/DoubleParameterControllerComboBox.h"
#include "widgets/DoubleParamterControllerNumberBox.h"
#include "widgets/NumberBoxWithLabel.h"
#include "widgets/ParameterComboBox.h"
#include "widgets/ParameterNumberBox.h"
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

/** The same, by the entry's text. */
void chooseEntry (juce::ComboBox& box, const juce::String& text)
{
    for (int i = 0; i < box.getNumItems(); ++i)
        if (box.getItemText (i) == text)
            return choose (box, box.getItemId (i));

    ADD_FAILURE() << "no entry " << text;
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
//==============================================================================
namespace
{
/** A parameter of a control, as a test names it. */
struct ParameterRef
{
    int controlType, controlIndex;
    juce::String name;
};

/** One widget class bound to one parameter: what a load shows in it and what the user's entries
    store. Every class is a constructor over the same binding; the rows pin that each binds the
    control, the instance and the display offset that its arguments name. */
struct BindingCase
{
    const char* description;
    std::function<std::unique_ptr<UIParameterInterface> (ZKEditorEngine::Ptr)> create;
    juce::String label;

    // Set after construction, as the wheel and keybed views do; empty keeps the label's name.
    juce::String rename;

    ParameterRef bound;
    juce::uint8 loaded;
    juce::String shownForLoaded;

    // What the user enters (a typed number or a list entry) and the byte that it stores.
    std::vector<std::pair<juce::String, juce::uint8>> entries;

    // Parameters of the same or a neighbouring control that must keep their value.
    std::vector<ParameterRef> untouched;
};

std::vector<BindingCase> bindingCases()
{
    return {
        { "a knob's channel box",
          [] (auto engine)
          {
              return std::make_unique<DoubleParamterControllerNumberBox> (engine, "MIDI Channel", 2, ControlType::Knob,
                                                                          1, 16, 1);
          },
          "MIDI Channel",
          {},
          { ControlType::Knob, 2, "MIDI Channel" },
          9,
          "10",
          { { "16", 15 } },
          { { ControlType::Knob, 1, "MIDI Channel" }, { ControlType::Knob, 3, "MIDI Channel" } } },

        // The subtraction is done in 8 bits: shown -12 stores 0, shown 12 stores 24.
        { "the keybed's transpose box, bound to another name",
          [] (auto engine)
          {
              return std::make_unique<SingleParameterControllerNumberBox> (engine, "Transpose", ControlType::Keybed,
                                                                           -12, 12, -12);
          },
          "Transpose",
          "Keybed Transpose",
          { ControlType::Keybed, 0, "Keybed Transpose" },
          12,
          "0",
          { { "-12", 0 }, { "12", 24 } },
          { { ControlType::Keybed, 0, "Lower Keybed Transpose" },
            { ControlType::Keybed, 0, "Upper Keybed Transpose" } } },

        { "a wheel's channel list, bound to another name",
          [] (auto engine)
          {
              return std::make_unique<SingleParameterControllerComboBox> (engine, "MIDI Channel", ControlType::Wheels,
                                                                          wheelChannelEntries());
          },
          "MIDI Channel",
          "Pitch Wheel MIDI Channel",
          { ControlType::Wheels, 0, "Pitch Wheel MIDI Channel" },
          16,
          "Omni",
          { { "1", 0 }, { "Omni", 16 } },
          { { ControlType::Wheels, 0, "Mod Wheel MIDI Channel" } } },

        { "a transport button's CC box",
          [] (auto engine) { return std::make_unique<TransportControllerNumberBox> (engine, "CC", 3, 0, 127); },
          "CC",
          {},
          { ControlType::Transport, 3, "CC" },
          100,
          "100",
          { { "20", 20 } },
          { { ControlType::Transport, 2, "CC" }, { ControlType::Transport, 4, "CC" } } },

        { "a transport button's function list",
          [] (auto engine)
          {
              return std::make_unique<TransportControllerComboBox> (engine, "Function", 3,
                                                                    juce::StringArray ({ "Momentary", "Toggle" }));
          },
          "Function",
          {},
          { ControlType::Transport, 3, "Function" },
          1,
          "Toggle",
          { { "Momentary", 0 }, { "Toggle", 1 } },
          { { ControlType::Transport, 2, "Function" } } },

        { "a pad's curve box",
          [] (auto engine) {
              return std::make_unique<DoubleParamterControllerNumberBox> (engine, "Curve", 5, ControlType::Pad, 1, 8,
                                                                          1);
          },
          "Curve",
          {},
          { ControlType::Pad, 5, "Curve" },
          7,
          "8",
          { { "1", 0 } },
          { { ControlType::Pad, 4, "Curve" }, { ControlType::Pad, 6, "Curve" } } },

        { "a knob's mode list",
          [] (auto engine)
          {
              return std::make_unique<DoubleParameterControllerComboBox> (engine, "Mode", 1, ControlType::Knob,
                                                                          juce::StringArray ({ "CC", "Aftertouch" }));
          },
          "Mode",
          {},
          { ControlType::Knob, 1, "Mode" },
          1,
          "Aftertouch",
          { { "CC", 0 } },
          { { ControlType::Knob, 0, "Mode" } } },
    };
}
} // namespace

TEST (ParameterControllers, EachWidgetClassShowsAndStoresTheParameterItNames)
{
    for (const auto& row : bindingCases())
    {
        SCOPED_TRACE (row.description);
        Document document;
        auto widget = row.create (document.engine);
        auto* number = dynamic_cast<ParameterNumberBox*> (widget.get());
        auto* list = dynamic_cast<ParameterComboBox*> (widget.get());
        ASSERT_TRUE (number != nullptr || list != nullptr);
        DesktopHost host (*widget);

        if (row.rename.isNotEmpty())
            number != nullptr ? number->setParameterName (row.rename) : list->setParameterName (row.rename);

        const auto shown = [&]
        { return number != nullptr ? number->getNumberBox().getText() : list->getComboBox().getText(); };
        auto& control = document.control (row.bound.controlType, row.bound.controlIndex);

        // Labelled with the name that the widget was built with, bound to the name it was given.
        EXPECT_EQ (number != nullptr ? number->getLabel().getText() : list->getLabel().getText(), row.label);
        EXPECT_EQ (number != nullptr ? number->getNumberBox().getName() : list->getComboBox().getName(), row.label);
        EXPECT_EQ (number != nullptr ? number->getParameterName() : list->getParameterName(), row.bound.name);

        document.load (presetWith ({ { control.getOffset() + control.getIndex (row.bound.name), row.loaded } }));
        pump();
        EXPECT_EQ (shown(), row.shownForLoaded);

        std::vector<juce::uint8> untouchedValues;

        for (const auto& other : row.untouched)
            untouchedValues.push_back (document.control (other.controlType, other.controlIndex).getValue (other.name));

        for (const auto& [entry, stored] : row.entries)
        {
            if (number != nullptr)
                typeIntoBox (number->getNumberBox(), entry);
            else
                chooseEntry (list->getComboBox(), entry);

            EXPECT_EQ (control.getValue (row.bound.name), stored) << entry;
            EXPECT_EQ (shown(), entry);
        }

        for (size_t i = 0; i < row.untouched.size(); ++i)
        {
            const auto& other = row.untouched[i];
            EXPECT_EQ (document.control (other.controlType, other.controlIndex).getValue (other.name),
                       untouchedValues[i])
                << other.name;
        }
    }
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
