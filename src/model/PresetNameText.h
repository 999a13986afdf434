#pragma once

#include <juce_core/juce_core.h>

/** The preset's name as a user reads and types it. The sixteen bytes hold the characters of the
    name, and blanks or zeros after the last one when the name is shorter: the controller pads its
    own names with blanks, and a preset file may hold zeros. A byte that is not printable ASCII
    before that padding shows as "·", so that every other character keeps its place; typed back
    unchanged in the same place, it keeps its byte. */
class PresetNameText
{
public:
    static constexpr int length = 16;

    /** The character that stands for a byte that is not printable. */
    static constexpr juce::juce_wchar hiddenByte = 0xb7;

    static bool isPrintable (juce::juce_wchar character) noexcept { return character >= 32 && character <= 126; }

    /** What fills the bytes after the last character of a shorter name. The controller pads its
        names with blanks: its display shows all sixteen characters, where a zero may show as a
        glyph. */
    enum class Padding
    {
        blanks,
        zeros
    };

    /** The name shown for these bytes (at most sixteen are read), without the blanks or zeros that
        pad it. */
    static juce::String toText (const juce::Array<juce::uint8>& bytes);

    /** The same with the blanks at its end kept, as the name field shows the name it edits: there
        a blank typed at the end is a character of the name. */
    static juce::String toTextWithBlanks (const juce::Array<juce::uint8>& bytes);

    /** The sixteen bytes of a typed name: each character's code, the old byte where a "·" stands
        for a byte that is not printable, the padding after the last character. Empty when the text
        is longer than sixteen characters or holds a character that cannot be stored. */
    static juce::Array<juce::uint8> toBytes (const juce::String& text, const juce::Array<juce::uint8>& oldBytes = {},
                                             Padding padding = Padding::blanks);

    /** A file name for a preset of that name (without extension): the name without the characters
        that file names cannot hold and without blanks at either end; empty when nothing is left. */
    static juce::String toFileName (const juce::String& name);
};
