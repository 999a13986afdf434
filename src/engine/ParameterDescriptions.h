#pragma once

#include <juce_core/juce_core.h>

/** How the parameters of a preset are named and shown to the user, without any widget: the name of
    a control ("Knob 3", "Roll Mode"), the mode lists of knobs, pads and switches with the boxes of
    each mode in their order, the ranges of the number boxes as shown and the entries of the lists.
    The names, ranges, display offsets and mode groups themselves are the preset layout's. The views
    build their boxes and lists from here; alerts and dialogs that name a parameter use it too. */
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

/** The range and offset of a number box of any control, as shown: the layout's range plus its display
    offset (channels 1 to 16, transpose -12 to +12), but only the curves 1 to 8 for the keybed; 0 to 127
    for a name that the type does not have. For a knob, pad or switch the same as getModeBoxRange. */
NumberRange getNumberRange (int controlType, const juce::String& parameterName);

/** The entries of the list that shows that parameter (entry k stands for the stored value k); empty
    for a parameter shown as a number. */
juce::StringArray getListEntries (int controlType, const juce::String& parameterName);

/** What is added to the stored value of a parameter to show it, as the layout says: 1 for channels,
    curves, the split point and the gate, -12 for transpose, 50 for swing, 0 otherwise. */
int getDisplayOffset (int controlType, const juce::String& parameterName);

/** The parameter as a user reads it in the editor: the short label ("CC" for "Mod Wheel CC"). */
juce::String getParameterLabel (int controlType, const juce::String& parameterName);

/** A stored value as the editor shows it: the list entry, or the number with its display offset. */
juce::String getDisplayValue (int controlType, const juce::String& parameterName, juce::uint8 value);
} // namespace ParameterDescriptions
