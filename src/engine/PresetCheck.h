#pragma once

#include "engine/PresetMessages.h"

#include <vector>

/** What may go wrong when a preset is played, found in its image: controls that send the same
    message, keybed zones that reach past the notes MIDI has, a Min above its Max, bytes outside
    their ranges and a name that the controller cannot show. Only what the mode of a control uses
    counts: a pad in Note mode does not clash through its CC byte. */
class PresetCheck
{
public:
    struct Finding
    {
        juce::String text;                                // "Knob 3 and Pad 5 both send CC 74 on channel 1"
        juce::Array<PresetMessages::ControlRef> controls; // in layout order
    };

    /** The findings of a preset image, in this order: clashes, keybed zones, Min above Max, bytes out
        of range, the name. Empty when the preset has none. */
    static std::vector<Finding> check (const juce::Array<juce::uint8>& image);
};
