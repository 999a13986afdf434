#pragma once

#include <juce_core/juce_core.h>

/** Reading and writing the ZKM's preset files for the zkm program, with the editor's own checks and
    no MIDI device: a file is read whole or refused through PresetFileCodec, and written by
    PresetFileWriter as the editor saves it, the old content kept on any failure. A failure ends the
    command as a rejected file. */
namespace PresetFiles
{
/** The image of a preset file; ends the command when the file is missing or not a preset file, and
    when it is not framed as a preset dump (F0, the maker's and the model's bytes, F7) unless
    acceptAnyFrame is set (--force): the editor opens such files, as older files may be framed so. */
juce::Array<juce::uint8> readImage (const juce::File& file, bool acceptAnyFrame);

/** A line for every value of the image that the editor would not accept, naming its range. */
juce::StringArray findValuesOutOfRange (const juce::Array<juce::uint8>& image);

/** Ends the command, naming the file or folder, when the file could not be written there. Checked
    before a transfer starts, so that its result does not come to nothing at the end. */
void checkWritable (const juce::File& file);

/** Writes an image as the editor saves a preset; ends the command when the file cannot be written. */
void writeImage (const juce::Array<juce::uint8>& image, const juce::File& file);

/** Reads a whole file of a document through a stream; ends the command when it is missing,
    unreadable or too large to be a document (also a stream without end, such as /dev/zero). */
juce::MemoryBlock readDocument (const juce::File& file);
} // namespace PresetFiles
