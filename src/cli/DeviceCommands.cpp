#include "cli/DeviceCommands.h"

#include "cli/CliFailure.h"
#include "cli/CommandArguments.h"
#include "cli/DeviceSession.h"
#include "cli/PresetFiles.h"
#include "engine/PresetDifferences.h"
#include "engine/SlotBackup.h"
#include "engine/SlotRestore.h"
#include "model/ZKMModel.h"

#include <iostream>

namespace
{
constexpr int differencesOnOneLine = 4;

/** Hears what the engine tells about the end of a Get, a Send and its read-back. */
struct TransferOutcome : public ZKEditorEngine::Listener
{
    explicit TransferOutcome (ZKEditorEngine& engineToHear)
        : engine (engineToHear)
    {
        engine.addListener (this);
    }

    ~TransferOutcome() override { engine.removeListener (this); }

    void presetFetched (juce::uint8) override { fetched = true; }
    void presetSent (juce::uint8, const juce::Array<juce::uint8>&) override { sent = true; }

    void sendCompleted (const ZKEditorEngine::TransferStatus& send, const juce::Array<juce::uint8>&) override
    {
        bytesWritten = send.total;
    }

    void presetVerified (juce::uint8, const juce::Array<juce::uint8>&, const juce::Array<juce::uint8>& image) override
    {
        readBack = image;
    }

    ZKEditorEngine& engine;
    bool fetched = false, sent = false;
    int bytesWritten = 0;
    juce::Array<juce::uint8> readBack;
};

void printDevices (const juce::String& heading, const juce::StringArray& names)
{
    std::cout << heading << ":\n";

    for (const auto& name : names)
        std::cout << "  " << name << "\n";

    if (names.isEmpty())
        std::cout << "  (none)\n";
}
} // namespace

namespace DeviceCommands
{
CommandArguments::Syntax deviceSyntax (const juce::String& command, juce::StringArray flags,
                                       juce::StringArray valueOptions, int positional)
{
    // "--input" is the older spelling of "--midi-in"; "--output" names a file everywhere.
    flags.add ("--quiet|-q");
    valueOptions.addArray ({ "--device|-d", "--midi-in|--input|-i", "--midi-out" });
    return { command, flags, valueOptions, positional, positional };
}

int devices (const juce::ArgumentList& arguments)
{
    const CommandArguments words (arguments, { "devices", {}, {}, 0, 0 });
    DeviceSession session (true);
    auto& manager = session.getMidiManager();

    const auto inputs = manager.getAvailableInputNames();
    const auto outputs = manager.getAvailableOutputNames();

    if (inputs.isEmpty() && outputs.isEmpty() && ! manager.isMidiServiceAvailable())
        std::cerr << "zkm: No MIDI system found: is ALSA's sequencer loaded?" << std::endl;

    printDevices ("Inputs", inputs);
    printDevices ("Outputs", outputs);
    std::cout << std::flush;
    return 0;
}

int get (const juce::ArgumentList& arguments)
{
    const CommandArguments words (arguments, deviceSyntax ("get", {}, { "--output|-o" }, 1));
    const auto slot = words.getSlot (0);
    const auto file = words.getFile ("--output");

    if (file == juce::File())
        CliFailure::fail (CliFailure::wrongUsage, "get: the preset file to write is missing (-o FILE)");

    PresetFiles::checkWritable (file);

    DeviceSession session (words.hasFlag ("--quiet"));
    session.openDevices (words);
    auto& engine = session.getEngine();
    TransferOutcome outcome (engine);

    if (! engine.startGet (slot))
        CliFailure::fail (CliFailure::deviceFailure, "the Get of slot " + juce::String (slot + 1) + " could not start");

    session.runTransfers();

    if (! outcome.fetched)
        session.failTransfer ("slot " + juce::String (slot + 1) + " did not arrive");

    PresetFiles::writeImage (engine.getPresetImage(), file);
    std::cout << "Slot " << slot + 1 << " saved to " << file.getFullPathName() << std::endl;
    return 0;
}

int send (const juce::ArgumentList& arguments)
{
    const CommandArguments words (arguments,
                                  deviceSyntax ("send", { "--no-verify", "--force", "--changes-only" }, {}, 2));
    const auto slot = words.getSlot (1);
    const auto slotText = juce::String (slot + 1);
    const auto force = words.hasFlag ("--force");
    DeviceSession session (words.hasFlag ("--quiet"));
    auto& engine = session.getEngine();

    // The file is checked before any device is touched.
    const auto file = words.getPositionalFile (0);
    const auto image = PresetFiles::readImage (file, force);
    const auto outOfRange = PresetFiles::findValuesOutOfRange (image);

    if (! outOfRange.isEmpty() && ! force)
        CliFailure::fail (CliFailure::rejectedFile,
                          file.getFileName() + " holds values that the editor would not accept, so nothing was sent ("
                              + outOfRange[0]
                              + (outOfRange.size() > 1 ? " and " + juce::String (outOfRange.size() - 1) + " more" : "")
                              + "); --force sends them all the same");

    session.openDevices (words);

    const auto verify = ! words.hasFlag ("--no-verify");
    engine.setVerifyAfterSend (verify);
    TransferOutcome outcome (engine);

    // A new program knows nothing of the slot: changes only means reading it first.
    const auto changesOnly = words.hasFlag ("--changes-only");

    if (! engine.startSend (slot, image, ZKEditorEngine::SendOptions{ verify, changesOnly, changesOnly }))
        CliFailure::fail (CliFailure::deviceFailure, "the Send to slot " + slotText + " could not start");

    session.runTransfers();

    if (! outcome.sent)
        session.failTransfer ("slot " + slotText + " was not written");

    const auto written = changesOnly ? " (" + juce::String (outcome.bytesWritten)
                                           + (outcome.bytesWritten == 1 ? " byte written)" : " bytes written)")
                                     : juce::String();

    if (changesOnly && outcome.bytesWritten == 0)
    {
        std::cout << "Slot " << slotText << " already holds this preset" << std::endl;
        return 0;
    }

    if (! verify)
    {
        std::cout << "Sent to slot " << slotText << written << std::endl;
        return 0;
    }

    if (outcome.readBack.isEmpty())
        CliFailure::fail (CliFailure::deviceFailure,
                          "slot " + slotText + " did not answer when it was read back: the Send is not verified");

    if (outcome.readBack != image)
    {
        const auto differences = PresetDifferences::find (image, outcome.readBack);
        CliFailure::fail (CliFailure::deviceFailure,
                          "slot " + slotText + " does not hold what was sent (sent / read back): "
                              + PresetDifferences::describe (differences, differencesOnOneLine).replace ("\n", "; "));
    }

    std::cout << "Sent to slot " << slotText << " and verified" << written << std::endl;
    return 0;
}

int backup (const juce::ArgumentList& arguments)
{
    const CommandArguments words (arguments, deviceSyntax ("backup", { "--force" }, {}, 1));
    const auto folder = words.getPositionalFile (0);

    if (folder.existsAsFile())
        CliFailure::fail (CliFailure::rejectedFile, folder.getFullPathName() + " is a file, not a folder");

    if (SlotBackup::folderHoldsBackup (folder, ZKMModel::modelName) && ! words.hasFlag ("--force"))
        CliFailure::fail (CliFailure::rejectedFile,
                          folder.getFullPathName() + " already holds a backup; add --force to replace it");

    // Where the files go is checked before the half-minute transfer, not after it.
    auto existing = folder;

    while (! existing.exists() && existing.getParentDirectory() != existing)
        existing = existing.getParentDirectory();

    if (! existing.isDirectory())
        CliFailure::fail (CliFailure::rejectedFile, "cannot make the folder " + folder.getFullPathName() + ": "
                                                        + existing.getFullPathName() + " is a file");

    // A real file made and removed there: permissions alone say nothing for root, whom an
    // immutable folder or a read-only file system still refuses.
    if (const auto probe = SlotBackup::checkFolderCanBeWritten (existing); probe.failed())
        CliFailure::fail (CliFailure::rejectedFile, probe.getErrorMessage());

    DeviceSession session (words.hasFlag ("--quiet"));
    session.openDevices (words);

    if (! folder.isDirectory() && folder.createDirectory().failed())
        CliFailure::fail (CliFailure::rejectedFile, "could not make the folder " + folder.getFullPathName());

    SlotBackup slotBackup (session.getEngine(), folder, ZKMModel::modelName);

    if (! slotBackup.start())
        CliFailure::fail (CliFailure::deviceFailure, "the backup could not start");

    session.runUntil ([&slotBackup] { return slotBackup.isFinished(); });

    if (! slotBackup.getUnwrittenSlots().isEmpty())
        CliFailure::fail (CliFailure::rejectedFile, slotBackup.getSummary());

    if (! slotBackup.getFailedSlots().isEmpty())
        CliFailure::fail (CliFailure::deviceFailure, slotBackup.getSummary());

    std::cout << slotBackup.getSummary() << std::endl;
    return 0;
}

int restore (const juce::ArgumentList& arguments)
{
    const CommandArguments words (arguments, deviceSyntax ("restore", {}, {}, 1));
    const auto folder = words.getPositionalFile (0);

    if (! folder.isDirectory())
        CliFailure::fail (CliFailure::rejectedFile, folder.getFullPathName() + " is not a folder");

    DeviceSession session (words.hasFlag ("--quiet"));
    SlotRestore slotRestore (session.getEngine(), folder, ZKMModel::modelName);

    // Every file is checked before any device is touched, and nothing is sent unless all are good.
    const auto problems = slotRestore.check();

    if (! problems.isEmpty())
        CliFailure::fail (CliFailure::rejectedFile, "nothing was sent: " + problems.joinIntoString ("; "));

    session.openDevices (words);

    if (! slotRestore.start())
        CliFailure::fail (CliFailure::deviceFailure, "the restore could not start");

    session.runUntil ([&slotRestore] { return slotRestore.isFinished(); });

    if (slotRestore.getVerifiedSlots().size() != ZKMModel::numberOfSlots)
        CliFailure::fail (CliFailure::deviceFailure, slotRestore.getSummary());

    std::cout << slotRestore.getSummary() << std::endl;
    return 0;
}
} // namespace DeviceCommands
