#pragma once

#include "engine/PresetFileCodec.h"

/** Writes preset files, for the editor's Save, for backups and for the zkm program alike: the
    preset dump of an image, naming slot 0 whatever slot the preset came from (a file's name tells
    its slot where that matters), replaced as a whole or not at all through SafeFileWriter. A
    read-only file is refused, and a file that is replaced keeps its permissions. */
class PresetFileWriter
{
public:
    /** The slot that the dump of every preset file names. */
    static constexpr juce::uint8 fileSlot = 0;

    explicit PresetFileWriter (const PresetFileCodec& codec);

    /** Writes an image of the codec's length as the whole content of the file. On failure the
        file keeps its old content and the message names the file and the step that failed
        ("/home/me/a.zkp: is read-only"). */
    juce::Result write (const juce::Array<juce::uint8>& image, const juce::File& file) const;

private:
    const PresetFileCodec codec;
};
