#include "model/PresetNameText.h"

namespace
{
/** The number of bytes before the zeros that pad a shorter name. */
int usedLength (const juce::Array<juce::uint8>& bytes)
{
    auto used = juce::jmin (bytes.size(), PresetNameText::length);

    while (used > 0 && bytes[used - 1] == 0)
        --used;

    return used;
}
} // namespace

juce::String PresetNameText::toText (const juce::Array<juce::uint8>& bytes)
{
    juce::String text;

    for (int i = 0; i < usedLength (bytes); ++i)
        text += juce::String::charToString (isPrintable (bytes[i]) ? (juce::juce_wchar) bytes[i] : hiddenByte);

    return text;
}

juce::Array<juce::uint8> PresetNameText::toBytes (const juce::String& text, const juce::Array<juce::uint8>& oldBytes)
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
        bytes.add (0);

    return bytes;
}

juce::String PresetNameText::toFileName (const juce::String& name)
{
    return juce::File::createLegalFileName (name.removeCharacters (juce::String::charToString (hiddenByte)))
        .trim()
        .trimCharactersAtEnd (".");
}
