#pragma once

#include "cli/CommandArguments.h"
#include "engine/ZKEditorEngine.h"

#include <csignal>
#include <vector>

/** The controller as the zkm program reaches it: the system's MIDI devices (and the virtual
    controller beside them when ZKM_EDITOR_VIRTUAL_CONTROLLER is set, as for the editor), a MIDI
    manager with the chosen input and output open, and an engine whose transfers run on the same
    queue, with the same requests, pacing and retries as the editor's. The message loop runs here
    while a transfer does; Ctrl+C, SIGTERM and SIGHUP cancel the transfer and end the command. */
class DeviceSession : private ZKEditorEngine::Listener
{
public:
    explicit DeviceSession (bool quiet);
    ~DeviceSession() override;

    //==============================================================================
    MidiManager& getMidiManager() noexcept { return *manager; }
    ZKEditorEngine& getEngine() noexcept { return *engine; }

    /** Opens the devices that --device, or --midi-in and --midi-out, name exactly; without them the
        devices last chosen in the editor. Ends the command when a device is not there. */
    void openDevices (const CommandArguments& arguments);

    /** Runs the message loop until every transfer of the engine is over, showing their progress
        ("Getting slot 5 [####....] 200 of 465"), and keeps the failure of the last transfer that
        failed, as the editor reports it; a Ctrl+C ends the command. */
    void runTransfers();

    /** Ends the command as a device failure: with the failure that the last runTransfers kept, or
        with this message when no transfer failed. */
    [[noreturn]] void failTransfer (const juce::String& otherwise) const;

    /** Runs the message loop until the condition holds, with Ctrl+C as above, then clears the
        progress line. Given onInterrupt, a Ctrl+C calls it instead and the loop runs on until the
        condition holds: for a job that must say itself what it left behind. */
    void runUntil (const std::function<bool()>& isDone, const std::function<void()>& onInterrupt = nullptr);

private:
    class ProgressLine;

    //==============================================================================
    void midiCommunicationFailed (const juce::String& message) override;
    void transferProgressed (const ZKEditorEngine::TransferStatus& status) override;
    void transferEnded (const ZKEditorEngine::TransferStatus& status) override;

    //==============================================================================
    std::unique_ptr<MidiManager> manager;
    ZKEditorEngine::Ptr engine;
    std::unique_ptr<ProgressLine> progress;
    juce::String failure;
    juce::Array<ZKEditorEngine::TransferStatus> endsHeard; // while an interrupt cancels the transfers
    bool hearingEnds = false;
    std::vector<struct sigaction> formerHandlers; // of the signals that interrupt a command

    JUCE_DECLARE_NON_COPYABLE (DeviceSession)
};
