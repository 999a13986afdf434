#pragma once

#include <juce_core/juce_core.h>

/** The parameters whose values differ between two preset images, named and shown as the editor
    shows them: "Knob 3", "CC", "21" and "74". The layout of the image (which control and which
    parameter a byte belongs to) is the preset layout's. */
class PresetDifferences
{
public:
    struct Difference
    {
        int controlType = 0;
        int controlIndex = 0;
        int imageIndex = 0;               // the position of the byte in the image (the name's first that differs)
        juce::String controlName;         // "Knob 3"
        juce::String parameterName;       // "CC"; empty for the preset's name
        juce::String firstValue;          // as shown, "21"
        juce::String secondValue;         // as shown, "74"
        juce::String secondParameterName; // set where the second image's mode names the byte otherwise

        /** "CC 21 / 74", "Fixed 0 / Toggle On 100", or "Init / Lead" for the name. */
        juce::String describeValues() const;

        /** "Knob 3: CC 21 / 74" */
        juce::String toString() const;
    };

    /** Compares two images of 465 bytes, in the order of the image. A byte of a knob, pad or switch
        is named after the parameter of each image's mode that uses it (after its first name when
        that mode does not use it), both names shown where they differ. The preset's name counts as
        one difference, shown as two texts. */
    static juce::Array<Difference> find (const juce::Array<juce::uint8>& first, const juce::Array<juce::uint8>& second);

    /** One line per difference, at most maxLines and then "and N more". */
    static juce::String describe (const juce::Array<Difference>& differences, int maxLines = 12);
};
