#pragma once

#include "engine/PresetParameters.h"

/** A preset as one JSON document, for scripts and for keeping presets as text:

        { "format": "ZKM preset", "version": 1,
          "controls": { "Preset Name": { "Name": "Init" },
                        "Knob 1": { "Mode": "CC", "MIDI Channel": 1, "CC": 21, ... }, ... } }

    Controls come in the order of the preset image, their parameters likewise; values are shown as
    the editor shows them (list entries as text, numbers with their display offset). Every byte of
    the image has exactly one place, also the bytes that the current mode of a knob, pad or switch
    does not use, so that reading a document back gives the same image byte for byte. */
namespace PresetJson
{
/** The preset's name is shown, set and kept in the document as one parameter of this name of the
    control "Preset Name", rather than as sixteen character codes. */
constexpr const char* nameParameter = "Name";

juce::String toJsonText (const juce::Array<juce::uint8>& image);

/** The image of a document read from a file: its bytes must be UTF-8 text (JUCE's strings and
    its JSON reader assume valid UTF-8 and read past the end of a broken sequence), then as
    fromJsonText. */
juce::Result fromJsonData (const juce::MemoryBlock& data, juce::Array<juce::uint8>& image);

/** The image of a document: every control and parameter must be there exactly once and every value
    must lie within the range that the editor accepts for it. On failure the image is left as it
    was and the result names the first problem. */
juce::Result fromJsonText (const juce::String& text, juce::Array<juce::uint8>& image);

juce::Array<juce::uint8> getNameBytes (const juce::Array<PresetParameters::Parameter>& parameters);

/** Writes a name of at most 16 printable ASCII characters into the image, padded with zero bytes;
    fails, changing nothing, for any other text. */
juce::Result setName (const juce::String& name, const juce::Array<PresetParameters::Parameter>& parameters,
                      juce::Array<juce::uint8>& image);

/** Whether the name's bytes read as a text: printable characters, then only zero bytes. A name
    that does not is written as its list of character codes. */
bool isPrintableName (const juce::Array<juce::uint8>& nameBytes);

/** The characters of a printable name up to its first zero byte; empty for any other name. */
juce::String getPrintableName (const juce::Array<juce::uint8>& nameBytes);

/** The name's bytes as a list of numbers, as a document holds a name that is not printable. */
juce::Array<juce::var> getCharacterCodes (const juce::Array<juce::uint8>& nameBytes);
} // namespace PresetJson
