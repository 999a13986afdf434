#pragma once

#include "engine/ParameterDescriptions.h"

#include <juce_graphics/juce_graphics.h>

/** What tells the knobs, the pads and the switches apart in the editor: one entry per control type
    in one table, everything else their views and banks share. The mode list, the boxes of each
    mode and their ranges are read through this entry too, so that it is the one place that says
    where they come from. */
struct AssignableControlKind
{
    //==============================================================================
    int controlType;

    /** The group's routing flag, which is also the text of the bank's MIDI-to-DIN button. */
    const char* dinFlagName;

    /** Where the bank's MIDI-to-DIN button stands, in the strip above the bank near the group's tab. */
    juce::Point<int> dinButtonPosition;

    int viewsPerBank;

    //==============================================================================
    /** The entry of knobs, pads or switches. */
    static const AssignableControlKind& of (int controlType);

    /** The view's title: the kind's name and the number counted from 1 ("Knob 3" for index 2). */
    juce::String getTitle (int controlIndex) const;

    /** The modes in the order of their "Mode" values: the mode list's entries and, per mode, the
        parameters that its boxes edit, in order. A box is labelled with its parameter's name. */
    const std::vector<ParameterDescriptions::Mode>& getModes() const;

    /** The range, as shown, and the display offset of the box of one parameter. */
    ParameterDescriptions::NumberRange getBoxRange (const juce::String& parameterName) const;
};
