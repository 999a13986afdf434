#include "cli/PresetFiles.h"

#include "cli/CliFailure.h"
#include "engine/SafeFileWriter.h"

namespace
{
// No preset document comes near this size; a larger file is a mistake.
constexpr juce::int64 largestTextFile = 16 * 1024 * 1024;

void checkReadable (const juce::File& file)
{
    if (file.isDirectory())
        CliFailure::fail (CliFailure::rejectedFile, file.getFullPathName() + " is a folder, not a file");

    if (! file.existsAsFile())
        CliFailure::fail (CliFailure::rejectedFile, file.getFullPathName() + " does not exist");

    if (! file.hasReadAccess())
        CliFailure::fail (CliFailure::rejectedFile, file.getFullPathName() + " cannot be read");
}
} // namespace

namespace PresetFiles
{
juce::Array<juce::uint8> readImage (ZKEditorEngine& layout, const juce::File& file)
{
    checkReadable (file);
    auto image = layout.readPresetFileImage (file);

    if (image.isEmpty() && file.getSize() != layout.getPresetDataSize())
        CliFailure::fail (CliFailure::rejectedFile,
                          file.getFullPathName() + " is not a preset file (a preset file holds "
                              + juce::String (layout.getPresetDataSize()) + " bytes; this one holds "
                              + juce::String (file.getSize()) + ")");

    if (image.isEmpty())
        CliFailure::fail (CliFailure::rejectedFile,
                          file.getFullPathName() + " is not a preset file (it holds bytes that no preset can hold)");

    return image;
}

void writeImage (ZKEditorEngine& layout, const juce::Array<juce::uint8>& image, const juce::File& file)
{
    writeDump (layout.createPresetData (PresetFiles::fileSlot, image), file);
}

void writeDump (const juce::Array<juce::uint8>& dump, const juce::File& file)
{
    SafeFileWriter writer (file);

    if (! writer.write (dump.getRawDataPointer(), (size_t) dump.size()) || ! writer.commit())
        CliFailure::fail (CliFailure::rejectedFile,
                          "could not write " + file.getFullPathName() + ": " + writer.getResult().getErrorMessage());
}

juce::MemoryBlock readDocument (const juce::File& file)
{
    checkReadable (file);

    if (file.getSize() > largestTextFile)
        CliFailure::fail (CliFailure::rejectedFile, file.getFullPathName() + " is too large for a preset document");

    juce::MemoryBlock content;

    if (! file.loadFileAsData (content))
        CliFailure::fail (CliFailure::rejectedFile, file.getFullPathName() + " cannot be read");

    return content;
}
} // namespace PresetFiles
