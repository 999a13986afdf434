#include "cli/SlotCommands.h"

#include "cli/CliFailure.h"
#include "cli/DeviceCommands.h"
#include "cli/DeviceSession.h"
#include "cli/PresetFiles.h"
#include "cli/PresetJson.h"
#include "engine/PresetFileWriter.h"
#include "engine/SlotCopier.h"
#include "engine/SlotNameReader.h"
#include "model/PresetNameText.h"
#include "model/ZKMModel.h"

#include <iostream>

namespace
{
using Stage = ZKEditorEngine::TransferStatus::Stage;

/** Hears how one transfer of the engine ends, and the image that a read of a whole slot brought. */
struct TransferEnd : public ZKEditorEngine::Listener
{
    explicit TransferEnd (ZKEditorEngine& engineToHear)
        : engine (engineToHear)
    {
        engine.addListener (this);
    }

    ~TransferEnd() override { engine.removeListener (this); }

    void transferEnded (const ZKEditorEngine::TransferStatus& status) override
    {
        if (status.id == id)
            end = status;
    }

    void slotRead (const ZKEditorEngine::TransferStatus& read, const juce::Array<juce::uint8>& readImage) override
    {
        if (read.id == id)
            image = readImage;
    }

    bool isOver() const noexcept { return end.kind != ZKEditorEngine::TransferStatus::Kind::none; }

    ZKEditorEngine& engine;
    int id = 0;
    ZKEditorEngine::TransferStatus end;
    juce::Array<juce::uint8> image;
};

/** "Slot 03 before swap.zkp" in the working folder, or with " (2)" and on when that is taken. */
juce::File freeFileForSlot (int slot)
{
    const auto folder = juce::File::getCurrentWorkingDirectory();
    const auto stem = "Slot " + juce::String (slot + 1).paddedLeft ('0', 2) + " before swap";
    auto file = folder.getChildFile (stem + ".zkp");

    for (int number = 2; file.exists(); ++number)
        file = folder.getChildFile (stem + " (" + juce::String (number) + ").zkp");

    return file;
}

/** Reads the first slot of a swap and keeps its preset in a free file of the working folder before
    anything is written, so that no way of ending the program, not even one that leaves it no time
    to say so, loses it. Nothing has been written when this ends the command. The image read is
    left in readImage. */
juce::File keepBeforeSwap (DeviceSession& session, int slot, juce::Array<juce::uint8>& readImage)
{
    auto& engine = session.getEngine();
    TransferEnd read (engine);
    read.id = engine.startBackupRead ((juce::uint8) slot);

    if (read.id == 0)
        CliFailure::fail (CliFailure::deviceFailure, "the swap could not start");

    session.runUntil ([&read] { return read.isOver(); }, [&engine, &read] { engine.cancelTransfer (read.id); });

    if (read.end.stage == Stage::cancelled)
        CliFailure::fail (CliFailure::deviceFailure, "Cancelled: nothing was written");

    if (read.image.isEmpty())
        session.failTransfer ("Slot " + juce::String (slot + 1) + " did not answer; nothing was written");

    readImage = read.image;
    const auto file = freeFileForSlot (slot);
    const auto written = PresetFileWriter (engine.getFileCodec()).write (read.image, file);

    if (written.failed())
        CliFailure::fail (CliFailure::rejectedFile, "slot " + juce::String (slot + 1)
                                                        + "'s preset could not be kept before the swap, so nothing "
                                                          "was written: "
                                                        + written.getErrorMessage());

    return file;
}

int copyOrSwap (const juce::ArgumentList& arguments, SlotCopier::Operation operation)
{
    const auto isSwap = operation == SlotCopier::Operation::swap;
    const auto command = juce::String (isSwap ? "swap" : "copy");
    const CommandArguments words (arguments, DeviceCommands::deviceSyntax (command, {}, {}, 2));
    const auto first = words.getSlot (0), second = words.getSlot (1);

    if (first == second)
        CliFailure::fail (CliFailure::wrongUsage,
                          command + ": the two slots must differ (both are " + juce::String (first + 1) + ")");

    // Where the first slot's preset is kept during a swap is checked before the device is opened.
    if (isSwap)
        PresetFiles::checkWritable (freeFileForSlot (first));

    DeviceSession session (words.hasFlag ("--quiet"));
    session.openDevices (words);
    auto& engine = session.getEngine();

    // The file stays where the swap leaves the first slot's old preset in no slot, and goes otherwise.
    juce::Array<juce::uint8> firstRead;
    const auto keptFile = isSwap ? keepBeforeSwap (session, first, firstRead) : juce::File();

    // The read above is the copier's own: what the file keeps is what the swap moves.
    SlotCopier copier (engine, operation, first, second);
    copier.setFirstSlotAsRead (firstRead);

    if (! copier.start())
    {
        keptFile.deleteFile();
        CliFailure::fail (CliFailure::deviceFailure, "the " + command + " could not start");
    }

    // An interrupt stops the copier, which then says what each slot holds.
    session.runUntil ([&copier] { return copier.isFinished(); }, [&copier] { copier.cancel(); });

    if (copier.getPresetNoSlotHolds().isEmpty())
        keptFile.deleteFile();

    if (copier.succeeded())
    {
        std::cout << copier.getSummary() << std::endl;
        return 0;
    }

    auto message = copier.getSummary();

    if (! copier.getPresetNoSlotHolds().isEmpty())
        message << "; it is saved to " << keptFile.getFullPathName();

    CliFailure::fail (CliFailure::deviceFailure, message);
}
} // namespace

namespace SlotCommands
{
int names (const juce::ArgumentList& arguments)
{
    const CommandArguments words (arguments, DeviceCommands::deviceSyntax ("names", { "--json" }, {}, 0));
    DeviceSession session (words.hasFlag ("--quiet"));
    session.openDevices (words);
    SlotNameReader reader (session.getEngine());

    if (! reader.start())
        CliFailure::fail (CliFailure::deviceFailure, "the names could not be read");

    session.runUntil ([&reader] { return reader.isFinished(); }, [&reader] { reader.cancel(); });

    if (reader.wasCancelled())
        CliFailure::fail (CliFailure::deviceFailure, reader.getSummary());

    juce::Array<juce::var> list;

    for (int slot = 0; slot < ZKMModel::numberOfSlots; ++slot)
    {
        const auto bytes = reader.getNameBytes (slot);
        const auto text = PresetNameText::toText (bytes);

        if (! words.hasFlag ("--json"))
        {
            std::cout << juce::String (slot + 1).paddedLeft (' ', 3) << "  "
                      << (bytes.isEmpty() ? juce::String ("(did not answer)") : text) << "\n";
            continue;
        }

        auto* entry = new juce::DynamicObject();
        entry->setProperty ("slot", slot + 1);
        entry->setProperty ("name", bytes.isEmpty() ? juce::var() : juce::var (text));

        if (! bytes.isEmpty() && ! PresetJson::isPrintableName (bytes))
            entry->setProperty ("bytes", PresetJson::getCharacterCodes (bytes));

        list.add (juce::var (entry));
    }

    // One slot a line, so that the list reads as easily as the text one.
    if (words.hasFlag ("--json"))
    {
        juce::StringArray lines;

        for (const auto& entry : list)
            lines.add ("  " + juce::JSON::toString (entry, true));

        std::cout << "[\n" << lines.joinIntoString (",\n") << "\n]\n";
    }

    std::cout << std::flush;

    if (! reader.getFailedSlots().isEmpty())
        CliFailure::fail (CliFailure::deviceFailure, reader.getSummary());

    return 0;
}

int rename (const juce::ArgumentList& arguments)
{
    const CommandArguments words (arguments, DeviceCommands::deviceSyntax ("rename", {}, {}, 2));
    const auto slot = words.getSlot (0);
    const auto& name = words.getPositional (1);

    // Taken as typed: what the controller shows is exactly what was given, or nothing changes.
    for (auto character : name)
        if (! PresetNameText::isPrintable (character))
            CliFailure::fail (CliFailure::wrongUsage, "rename: a name holds printable ASCII characters only (letters, "
                                                      "digits, punctuation and spaces): "
                                                          + name.quoted() + " does not");

    if (name.length() > PresetNameText::length)
        CliFailure::fail (CliFailure::wrongUsage, "rename: a name is at most 16 characters long; " + name.quoted()
                                                      + " has " + juce::String (name.length()));

    const auto nameBytes = PresetNameText::toBytes (name);
    DeviceSession session (words.hasFlag ("--quiet"));
    session.openDevices (words);
    auto& engine = session.getEngine();
    TransferEnd outcome (engine);
    outcome.id = engine.startRename (slot, nameBytes);
    const auto slotText = juce::String (slot + 1);

    if (outcome.id == 0)
        CliFailure::fail (CliFailure::deviceFailure, "the rename of slot " + slotText + " could not start");

    session.runTransfers();

    if (outcome.end.stage != Stage::completed)
        session.failTransfer ("slot " + slotText + " did not read back the new name: the rename is not verified");

    std::cout << "Slot " << slotText << " renamed to " << name.quoted() << ", verified" << std::endl;
    return 0;
}

int copy (const juce::ArgumentList& arguments) { return copyOrSwap (arguments, SlotCopier::Operation::copy); }
int swap (const juce::ArgumentList& arguments) { return copyOrSwap (arguments, SlotCopier::Operation::swap); }
} // namespace SlotCommands
