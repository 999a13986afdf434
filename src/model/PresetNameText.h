#pragma once

#include <juce_core/juce_core.h>

/** The preset's name as a user reads and types it. The sixteen bytes hold the characters of the
    name, and zeros after the last one when the name is shorter. A byte that is not printable ASCII
    before that padding shows as "·", so that every other character keeps its place; typed back
    unchanged in the same place, it keeps its byte. */
class PresetNameText
{
public:
    static constexpr int length = 16;

    /** The character that stands for a byte that is not printable. */
    static constexpr juce::juce_wchar hiddenByte = 0xb7;

    static bool isPrintable (juce::juce_wchar character) noexcept { return character >= 32 && character <= 126; }

    /** The name shown for these bytes (at most sixteen are read). */
    static juce::String toText (const juce::Array<juce::uint8>& bytes);

    /** The sixteen bytes of a typed name: each character's code, the old byte where a "·" stands
        for a byte that is not printable, zeros after the last character. Empty when the text is
        longer than sixteen characters or holds a character that cannot be stored. */
    static juce::Array<juce::uint8> toBytes (const juce::String& text, const juce::Array<juce::uint8>& oldBytes = {});

    /** A file name for a preset of that name (without extension): the name without the characters
        that file names cannot hold and without blanks at either end; empty when nothing is left. */
    static juce::String toFileName (const juce::String& name);
};
