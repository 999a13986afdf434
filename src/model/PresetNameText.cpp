#include "model/PresetNameText.h"

namespace
{
constexpr juce::uint8 zero = 0;
constexpr juce::uint8 blank = ' ';

/** The number of bytes before the padding of a shorter name: the zeros, and the blanks too unless
    they are kept. */
int usedLength (const juce::Array<juce::uint8>& bytes, bool keepBlanks)
{
    auto used = juce::jmin (bytes.size(), PresetNameText::length);

    while (used > 0 && (bytes[used - 1] == zero || (! keepBlanks && bytes[used - 1] == blank)))
        --used;

    return used;
}

juce::String textOf (const juce::Array<juce::uint8>& bytes, bool keepBlanks)
{
    juce::String text;

    for (int i = 0; i < usedLength (bytes, keepBlanks); ++i)
        text += juce::String::charToString (PresetNameText::isPrintable (bytes[i]) ? (juce::juce_wchar) bytes[i]
                                                                                   : PresetNameText::hiddenByte);

    return text;
}
} // namespace

juce::String PresetNameText::toText (const juce::Array<juce::uint8>& bytes) { return textOf (bytes, false); }

juce::String PresetNameText::toTextWithBlanks (const juce::Array<juce::uint8>& bytes) { return textOf (bytes, true); }

juce::Array<juce::uint8> PresetNameText::toBytes (const juce::String& text, const juce::Array<juce::uint8>& oldBytes,
                                                  Padding padding)
{
    if (text.length() > length)
        return {};

    juce::Array<juce::uint8> bytes;

    for (int i = 0; i < text.length(); ++i)
    {
        const auto character = text[i];

        if (isPrintable (character))
            bytes.add ((juce::uint8) character);
        else if (character == hiddenByte && i < oldBytes.size() && ! isPrintable (oldBytes[i]))
            bytes.add (oldBytes[i]);
        else
            return {};
    }

    while (bytes.size() < length)
        bytes.add (padding == Padding::blanks ? blank : zero);

    return bytes;
}

juce::String PresetNameText::toFileName (const juce::String& name)
{
    return juce::File::createLegalFileName (name.removeCharacters (juce::String::charToString (hiddenByte)))
        .trim()
        .trimCharactersAtEnd (".");
}
