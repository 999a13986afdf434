#include "cli/DeviceSession.h"

#include "cli/CliFailure.h"
#include "engine/DeviceSettings.h"
#include "engine/MidiDeviceLayerFactory.h"
#include "engine/VirtualControllerSlotFile.h"
#include "engine/ZKMEngineFactory.h"

#include <atomic>
#include <csignal>
#include <iostream>
#include <unistd.h>

namespace
{
constexpr int loopSliceMs = 20;

/** The signals that end a command as Ctrl+C does: Ctrl+C itself, a kill (SIGTERM) and a closed
    terminal (SIGHUP). Each stops the transfer between two messages, so that the command can still
    say what it left behind and keep what no slot holds. */
constexpr int stoppingSignals[] = { SIGINT, SIGTERM, SIGHUP };

std::atomic<bool> interrupted{ false };

extern "C" void noteInterrupt (int) { interrupted = true; }

using Status = ZKEditorEngine::TransferStatus;

/** What a transfer stopped by an interrupt left in its slot, from its status as the interrupt came
    (before) and the ends that the cancel brought: the last end of its kind under its id tells how
    many writes were made, exactly, since a transfer stops only between two messages. */
juce::String describeInterrupted (const Status& before, const juce::Array<Status>& ends)
{
    using Kind = Status::Kind;
    using Stage = Status::Stage;
    const auto slot = juce::String (before.slot + 1);
    auto end = before;

    for (const auto& ended : ends)
        if (ended.id == before.id && ended.kind == before.kind)
            end = ended;

    // While a Send reads the slot first, done counts the bytes read, not written.
    const auto wroteAll =
        end.total > 0 && ! end.readingFirst && (end.stage == Stage::completed || end.done == end.total);
    const auto wroteSome = end.done > 0 && ! end.readingFirst;

    if (before.kind == Kind::verify)
        return "cancelled while reading slot " + slot + " back: the slot holds the whole new preset, not verified";

    if (before.kind == Kind::send)
        return wroteAll    ? "cancelled: slot " + slot + " was written but not verified"
               : wroteSome ? "cancelled: slot " + slot + " now holds part of the new preset and part of the old one"
               : before.readingFirst ? "cancelled while reading slot " + slot + ": nothing was written"
                                     : juce::String ("cancelled: nothing was written");

    if (before.kind == Kind::rename)
        return wroteAll    ? "cancelled while reading slot " + slot + " back: the name was written but not verified"
               : wroteSome ? "cancelled: the name of slot " + slot + " may be partly written"
                           : juce::String ("cancelled: nothing was written");

    return "cancelled";
}

/** The name of a device the user asked for, checked against the list. */
void checkListed (MidiManager& manager, const juce::StringArray& names, const juce::String& name,
                  const juce::String& direction)
{
    if (names.contains (name))
        return;

    juce::StringArray quoted;

    for (const auto& listed : names)
        quoted.add (listed.quoted());

    // The hint at ALSA only where the system's devices are missing, not for a name that is simply
    // not among them.
    const auto listing = names.isEmpty() ? "there are no MIDI " + direction + "s"
                                         : "the " + direction + "s are " + quoted.joinIntoString (", ");
    const auto hint = manager.isMidiServiceAvailable()
                          ? juce::String()
                          : "; the system's MIDI devices are missing: is ALSA's sequencer loaded?";

    CliFailure::fail (CliFailure::deviceFailure,
                      "no MIDI " + direction + " named " + name.quoted() + " (" + listing + ")" + hint);
}

/** The program's device layer; ends the command when the virtual controller's slot file is in use
    by another program, whose writes and this one's would otherwise overwrite each other. */
std::unique_ptr<MidiDeviceLayer> createDeviceLayer()
{
    const auto setting = juce::SystemStats::getEnvironmentVariable (virtualControllerVariable, {});
    const auto slotFile = getVirtualControllerSlotFile (setting);

    if (slotFile != juce::File() && VirtualControllerSlotFile::isInUse (slotFile))
        CliFailure::fail (CliFailure::deviceFailure, "the virtual controller's slot file " + slotFile.getFullPathName()
                                                         + " is in use by another program (the editor or another "
                                                           "zkm); try again when it has ended");

    return createMidiDeviceLayer (setting);
}
} // namespace

//==============================================================================
/** The progress of a transfer on the standard error output: one line, drawn again in place, while
    the standard error output is a terminal; nothing when it is not (a log, a pipe) or when the user
    asked for quiet, so that scripts see only results and errors. */
class DeviceSession::ProgressLine
{
public:
    explicit ProgressLine (bool quiet)
        : enabled (! quiet && isatty (STDERR_FILENO) != 0)
    {
    }

    ~ProgressLine() { clear(); }

    /** "Getting slot 5  [########............]  200 of 465" */
    void show (const juce::String& what, int done, int total, const juce::String& note = {})
    {
        if (! enabled)
            return;

        const auto filled = total > 0 ? juce::jlimit (0, barWidth, done * barWidth / total) : 0;
        auto line = what + "  [" + juce::String::repeatedString ("#", filled)
                    + juce::String::repeatedString (".", barWidth - filled) + "]  " + juce::String (done) + " of "
                    + juce::String (total);

        if (note.isNotEmpty())
            line << " (" << note << ")";

        std::cerr << '\r' << line.substring (0, lineWidth).paddedRight (' ', lineWidth) << std::flush;
        shown = true;
    }

    /** Clears the line, so that what comes next starts on a clean line. */
    void clear()
    {
        if (! shown)
            return;

        std::cerr << '\r' << juce::String::repeatedString (" ", lineWidth) << '\r' << std::flush;
        shown = false;
    }

private:
    static constexpr int barWidth = 20;
    static constexpr int lineWidth = 79;

    const bool enabled;
    bool shown = false;
};

//==============================================================================
DeviceSession::DeviceSession (bool quiet)
    : manager (std::make_unique<MidiManager> (createDeviceLayer()))
    , engine (ZKMEngineFactory::createEngine (*manager))
    , progress (std::make_unique<ProgressLine> (quiet))
{
    engine->addListener (this);

    // The engine notes the start of each Get on the standard output, where this program prints its
    // results alone: the notes are dropped.
    engine->setDiagnosticsSink (nullptr);

    // A Ctrl+C, a kill or a closed terminal while a transfer runs stops it between two messages,
    // as Cancel does in the editor.
    interrupted = false;
    struct sigaction noting = {};
    noting.sa_handler = noteInterrupt;
    sigemptyset (&noting.sa_mask);
    formerHandlers.resize (std::size (stoppingSignals));

    for (size_t i = 0; i < formerHandlers.size(); ++i)
        sigaction (stoppingSignals[i], &noting, &formerHandlers[i]);
}

DeviceSession::~DeviceSession()
{
    for (size_t i = 0; i < formerHandlers.size(); ++i)
        sigaction (stoppingSignals[i], &formerHandlers[i], nullptr);

    engine->cancelTransfer();
    engine->removeListener (this);

    // The engine unregisters from the manager, so it goes first.
    engine = nullptr;
    manager.reset();
}

//==============================================================================
void DeviceSession::openDevices (const CommandArguments& arguments)
{
    auto inputName = arguments.getValue ("--midi-in");
    auto outputName = arguments.getValue ("--midi-out");
    const auto both = arguments.getValue ("--device");

    if (both.isNotEmpty())
    {
        inputName = inputName.isEmpty() ? both : inputName;
        outputName = outputName.isEmpty() ? both : outputName;
    }

    // Without names, the devices the editor remembers.
    if (inputName.isEmpty() || outputName.isEmpty())
    {
        DeviceSettings settings (DeviceSettings::getDefaultFile());
        inputName = inputName.isEmpty() ? settings.getInputName() : inputName;
        outputName = outputName.isEmpty() ? settings.getOutputName() : outputName;
    }

    if (inputName.isEmpty() || outputName.isEmpty())
        CliFailure::fail (CliFailure::wrongUsage,
                          "no MIDI device chosen: name one with --device NAME (see \"zkm devices\")");

    checkListed (*manager, manager->getAvailableInputNames(), inputName, "input");
    checkListed (*manager, manager->getAvailableOutputNames(), outputName, "output");

    manager->setInputDevice (inputName);
    manager->setOutputDevice (outputName);

    if (! manager->isInputOpen())
        CliFailure::fail (CliFailure::deviceFailure, "the MIDI input " + inputName.quoted() + " could not be opened");

    if (! manager->isOutputOpen())
        CliFailure::fail (CliFailure::deviceFailure, "the MIDI output " + outputName.quoted() + " could not be opened");
}

void DeviceSession::runTransfers()
{
    failure.clear();
    runUntil ([this] { return ! engine->isTransferInProgress(); });
}

void DeviceSession::failTransfer (const juce::String& otherwise) const
{
    CliFailure::fail (CliFailure::deviceFailure, failure.isNotEmpty() ? failure : otherwise);
}

void DeviceSession::runUntil (const std::function<bool()>& isDone, const std::function<void()>& onInterrupt)
{
    auto* messageManager = juce::MessageManager::getInstance();

    while (! isDone())
    {
        messageManager->runDispatchLoopUntil (loopSliceMs);

        if (interrupted && onInterrupt)
        {
            interrupted = false;
            onInterrupt();
        }
        else if (interrupted)
        {
            // The ends that the cancel brings tell exactly how far the transfer got.
            const auto before = engine->getTransferStatus();
            endsHeard.clear();
            hearingEnds = true;

            // By its id first: a Send that completes meanwhile queues its read-back under it.
            if (before.id != 0)
                engine->cancelTransfer (before.id);

            engine->cancelTransfer();
            hearingEnds = false;
            progress->clear();
            CliFailure::fail (CliFailure::deviceFailure, describeInterrupted (before, endsHeard));
        }
    }

    progress->clear();
}

//==============================================================================
void DeviceSession::transferEnded (const ZKEditorEngine::TransferStatus& status)
{
    if (hearingEnds)
        endsHeard.add (status);
}

void DeviceSession::midiCommunicationFailed (const juce::String& message)
{
    // The editor's alert text, on one line.
    failure = message.replaceCharacters ("\r\n", "  ").trim();
}

void DeviceSession::transferProgressed (const ZKEditorEngine::TransferStatus& status)
{
    using Kind = ZKEditorEngine::TransferStatus::Kind;
    using Stage = ZKEditorEngine::TransferStatus::Stage;

    const auto slot = juce::String (status.slot + 1);
    // A Send with --changes-only reads the slot before it writes anything.
    const auto title = status.kind == Kind::send ? (status.readingFirst ? "Reading slot " : "Sending to slot ") + slot
                       : status.kind == Kind::verify   ? "Verifying slot " + slot
                       : status.kind == Kind::backup   ? "Backing up slot " + slot
                       : status.kind == Kind::nameRead ? "Reading the names, slot " + slot
                       : status.kind == Kind::rename   ? "Renaming slot " + slot
                       : status.kind == Kind::slotWrite
                           ? (status.readingFirst ? "Reading slot " : "Writing slot ") + slot
                           : "Getting slot " + slot;

    if (status.stage == Stage::waiting)
        progress->show (title, 0, status.total, "waiting for the controller");
    else if (status.stage == Stage::running)
        progress->show (title, status.done, status.total,
                        status.retries > 0 ? "retry " + juce::String (status.retries) : juce::String());
}
