#pragma once

#include "engine/ZKEditorEngine.h"

/** Reading and writing preset files for the zkm program, with the editor's own checks: a file is
    read whole or refused, and written safely as the editor saves it (the preset dump of slot 0),
    the old content kept on any failure. A failure ends the command as a rejected file. */
namespace PresetFiles
{
/** The slot that a preset file's dump names: files carry slot 0, whatever slot they came from. */
constexpr juce::uint8 fileSlot = 0;

/** The image of a preset file; ends the command when the file is missing or not a preset file. */
juce::Array<juce::uint8> readImage (ZKEditorEngine& layout, const juce::File& file);

/** Writes an image as the editor saves a preset; ends the command when the file cannot be written. */
void writeImage (ZKEditorEngine& layout, const juce::Array<juce::uint8>& image, const juce::File& file);

/** Writes a preset dump as a preset file, safely; ends the command when it cannot be written. */
void writeDump (const juce::Array<juce::uint8>& dump, const juce::File& file);

/** Reads a whole file of a document; ends the command when it is missing, unreadable or too large
    to be a document. */
juce::MemoryBlock readDocument (const juce::File& file);
} // namespace PresetFiles
