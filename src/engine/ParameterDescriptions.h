#pragma once

#include <juce_core/juce_core.h>

/** How the parameters of a preset are named and shown to the user, without any widget: the name of
    a control ("Knob 3", "Roll Mode"), the groups of parameters that each mode of a knob, pad or
    switch uses, the display offsets of the number boxes (channels count from 1, transpose from
    -12, gate from 1, swing from 50) and the entries of the lists. The views build their boxes and
    lists from these tables; alerts and dialogs that name a parameter use them too. */
namespace ParameterDescriptions
{
/** A number shown as value + displayOffset, between minimum and maximum as shown. */
struct NumberRange
{
    int minimum, maximum, displayOffset;
};

/** One mode of a knob, pad or switch: the name in its mode list and the parameters it uses, in the
    order of its boxes. */
struct Mode
{
    juce::String name;
    juce::StringArray parameters;
};

/** The title of a control of that ControlType at that index (0-based): "Knob 3", "Rewind",
    "Roll Mode", ... For the wheels, whose two views share one control, the parameter decides. */
juce::String getControlName (int controlType, int controlIndex, const juce::String& parameterName = {});

/** The modes of knobs, pads or switches in the order of their "Mode" values; empty for any other
    type. */
const std::vector<Mode>& getModes (int controlType);

/** The range and offset of the number box of a knob, pad or switch parameter. */
NumberRange getModeBoxRange (const juce::String& parameterName);

/** The range and offset of a number box of any control, as shown: channels 1 to 16, curves 1 to 8,
    transpose -12 to +12, every other number 0 to 127 as stored (for a knob, pad or switch the same
    as getModeBoxRange). A range that the model decides, such as the octave's, is the model's. */
NumberRange getNumberRange (int controlType, const juce::String& parameterName);

/** The entries of the list that shows that parameter (entry k stands for the stored value k); empty
    for a parameter shown as a number. */
juce::StringArray getListEntries (int controlType, const juce::String& parameterName);

/** What is added to the stored value of a parameter shown as a number: 1 for channels, curves,
    the split point and the gate, -12 for transpose, 50 for swing, 0 otherwise. */
int getDisplayOffset (int controlType, const juce::String& parameterName);

/** The parameter as a user reads it in the editor: the short label ("CC" for "Mod Wheel CC"). */
juce::String getParameterLabel (int controlType, const juce::String& parameterName);

/** A stored value as the editor shows it: the list entry, or the number with its display offset. */
juce::String getDisplayValue (int controlType, const juce::String& parameterName, juce::uint8 value);
} // namespace ParameterDescriptions
