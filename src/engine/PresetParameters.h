#pragma once

#include <juce_core/juce_core.h>

/** Every byte of a preset image as a parameter a user can read and write: which control it belongs
    to, the name it is shown under and the value as the editor shows it. A byte of a knob, pad or
    switch is named after the parameter of the image's own mode that uses it (after its first name
    when that mode does not use it), so one listing of an image names every byte exactly once.
    The layout of the image is the preset layout's. */
class PresetParameters
{
public:
    struct Parameter
    {
        int controlType = 0;
        int controlIndex = 0;
        int imageIndex = 0;        // the position of the byte in the image
        juce::String controlName;  // "Knob 3"
        juce::String name;         // the control's own name of the byte: "MIDI Channel", "Mod Wheel CC"
        juce::String label;        // as the editor labels it: "MIDI Channel", "CC"
        juce::uint8 value = 0;     // the stored byte
        juce::String displayValue; // as shown: "3" for channel byte 2, "Toggle", "1/8T"

        /** False for a byte the editor does not show: one that the mode of its knob, pad or switch
            does not use. */
        bool shownInEditor = true;

        /** The entries of the list that shows it; empty for a number. */
        juce::StringArray listEntries;

        /** The lowest and highest value as shown, and what is added to the stored byte to show it. */
        int displayMinimum = 0, displayMaximum = 0, displayOffset = 0;
    };

    /** The length of the preset image: 465 bytes. */
    static int getImageLength();

    /** Every byte of every control of an image of 465 bytes, in the order of the image; a shorter image
        lists the bytes that it has. */
    static juce::Array<Parameter> list (const juce::Array<juce::uint8>& image);

    /** The stored byte for a value as a user writes it, range checked as the editor's boxes and
        lists check it: an entry of the list (or its number) for a list, a whole number between
        the shown minimum and maximum otherwise. Fails with a message that names the range. */
    static juce::Result parseDisplayValue (const Parameter& parameter, const juce::String& text,
                                           juce::uint8& storedValue);
};
