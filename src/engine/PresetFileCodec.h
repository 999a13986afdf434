#pragma once

#include <juce_core/juce_core.h>

/** The bytes of a preset dump, which is also the whole content of a preset file: F0, the maker's
    bytes, the model's bytes (device ID, dump command, length), the slot, the preset image and F7.
    Builds dumps from images and reads the image out of a file, with no engine and no MIDI device:
    the engine uses it for its documents, the zkm program for its file commands. */
class PresetFileCodec
{
public:
    /** The codec of a model whose messages carry that device ID and whose image has that length. */
    PresetFileCodec (juce::uint8 deviceId, int imageLength);

    /** The codec of the ZKM. */
    static PresetFileCodec forZKM();

    //==============================================================================
    /** The length of a preset image: 465 for this model. */
    int getImageLength() const noexcept { return imageLength; }

    /** The length of a preset dump and of a preset file: 476 for this model. */
    int getDumpLength() const noexcept;

    //==============================================================================
    /** The preset dump of an image for that slot. */
    juce::Array<juce::uint8> createDump (juce::uint8 slot, const juce::Array<juce::uint8>& image) const;

    /** The image of a dump: the head and the closing byte dropped unseen, as a file is judged by
        its size alone. A dump shorter than the head gives an empty image. */
    static juce::Array<juce::uint8> getImageOfDump (const juce::Array<juce::uint8>& dump);

    /** The image of a preset file if the file is accepted as one (the size of a preset dump, every
        image byte a data byte); empty otherwise. */
    juce::Array<juce::uint8> readPresetFileImage (const juce::File& file) const;

    /** Whether a preset file is framed as this model's preset dump: F0, the maker's bytes, the
        model's bytes (device ID, dump command and length), then F7 as its last byte. On failure the
        message says what is wrong ("it does not begin with F0"). readPresetFileImage does not ask
        this, so that older files framed otherwise still open; a caller may warn or refuse. */
    juce::Result checkPresetFileFrame (const juce::File& file) const;

private:
    juce::uint8 deviceId;
    int imageLength;
};
