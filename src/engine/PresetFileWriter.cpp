#include "engine/PresetFileWriter.h"

#include "engine/SafeFileWriter.h"

PresetFileWriter::PresetFileWriter (const PresetFileCodec& codecToUse)
    : codec (codecToUse)
{
}

juce::Result PresetFileWriter::write (const juce::Array<juce::uint8>& image, const juce::File& file) const
{
    // An image of another length would make a file that no reader takes for a preset.
    if (image.size() != codec.getImageLength())
        return juce::Result::fail (file.getFullPathName() + ": a preset image holds "
                                   + juce::String (codec.getImageLength()) + " bytes, not "
                                   + juce::String (image.size()));

    const auto dump = codec.createDump (fileSlot, image);
    SafeFileWriter writer (file);

    // Any step that fails leaves its reason in the writer's result.
    if (writer.write (dump.getRawDataPointer(), (size_t) dump.size()))
        writer.commit();

    return writer.getResult();
}
