#include "cli/PresetFiles.h"

#include "cli/CliFailure.h"
#include "engine/PresetFileWriter.h"
#include "engine/PresetParameters.h"
#include "engine/SafeFileWriter.h"
#include "model/PresetLayout.h"

namespace
{
// A preset document is some 20 kB; anything larger is a mistake, or a stream without an end
// (/dev/zero, a pipe), whose size the file system gives as 0.
constexpr size_t largestDocument = 1024 * 1024;
constexpr int readBlockSize = 16 * 1024;

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
juce::Array<juce::uint8> readImage (const juce::File& file, bool acceptAnyFrame)
{
    checkReadable (file);
    const auto codec = PresetFileCodec::forZKM();
    auto image = codec.readPresetFileImage (file);

    if (image.isEmpty() && file.getSize() != codec.getDumpLength())
        CliFailure::fail (CliFailure::rejectedFile,
                          file.getFullPathName() + " is not a preset file (a preset file holds "
                              + juce::String (codec.getDumpLength()) + " bytes; this one holds "
                              + juce::String (file.getSize()) + ")");

    if (image.isEmpty())
        CliFailure::fail (CliFailure::rejectedFile,
                          file.getFullPathName() + " is not a preset file (it holds bytes that no preset can hold)");

    const auto frame = codec.checkPresetFileFrame (file);

    if (frame.failed() && ! acceptAnyFrame)
        CliFailure::fail (CliFailure::rejectedFile, file.getFullPathName() + " is not a preset file: "
                                                        + frame.getErrorMessage() + " (--force takes it all the same)");

    return image;
}

juce::StringArray findValuesOutOfRange (const juce::Array<juce::uint8>& image)
{
    juce::StringArray problems;

    // Checked as the editor checks what the user types; the name's characters have no range, and a
    // byte that the mode of its control does not use means nothing to the controller.
    for (const auto& parameter : PresetParameters::list (image))
    {
        if (parameter.controlType == PresetName || ! parameter.shownInEditor)
            continue;

        const auto shown = (int) parameter.value + (parameter.listEntries.isEmpty() ? parameter.displayOffset : 0);
        juce::uint8 stored = 0;
        const auto checked = PresetParameters::parseDisplayValue (parameter, juce::String (shown), stored);

        if (checked.failed())
            problems.add (checked.getErrorMessage());
    }

    return problems;
}

void checkWritable (const juce::File& file)
{
    const auto checked = SafeFileWriter::checkTarget (file);

    if (checked.failed())
        CliFailure::fail (CliFailure::rejectedFile, "cannot write " + checked.getErrorMessage());
}

void writeImage (const juce::Array<juce::uint8>& image, const juce::File& file)
{
    const auto written = PresetFileWriter (PresetFileCodec::forZKM()).write (image, file);

    if (written.failed())
        CliFailure::fail (CliFailure::rejectedFile, "could not write " + written.getErrorMessage());
}

juce::MemoryBlock readDocument (const juce::File& file)
{
    checkReadable (file);
    juce::FileInputStream stream (file);

    if (! stream.openedOk())
        CliFailure::fail (CliFailure::rejectedFile, file.getFullPathName() + " cannot be read");

    // Read to its end, whatever size the file system gives, but never past the limit.
    juce::MemoryBlock content;
    juce::HeapBlock<char> block (readBlockSize);

    for (;;)
    {
        const auto numRead = stream.read (block.get(), readBlockSize);

        if (numRead < 0)
            CliFailure::fail (CliFailure::rejectedFile, file.getFullPathName() + " cannot be read");

        if (numRead == 0)
            break;

        if (content.getSize() + (size_t) numRead > largestDocument)
            CliFailure::fail (CliFailure::rejectedFile, file.getFullPathName()
                                                            + " is not a preset document: it holds more than "
                                                            + juce::String ((int) (largestDocument / 1024)) + " kB");

        content.append (block.get(), (size_t) numRead);
    }

    return content;
}
} // namespace PresetFiles
