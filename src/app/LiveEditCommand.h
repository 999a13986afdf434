#pragma once

#include "engine/ZKEditorEngine.h"
#include "model/Control.h"

#include <juce_gui_basics/juce_gui_basics.h>

class EditorWindow;

/** "Live Edit Slot..." of one document window: once the chosen slot holds the window's preset
    (a Send that writes the changes where the slot is known, read back), every change of the preset
    is written into that slot as it is made, until Stop, a failed write or anything else that uses
    the slot or replaces the controller's content ends it. A byte written live is sent, not saved:
    the unsaved mark and the undo history are the window's as before. Owned by the window. */
class LiveEditCommand
    : private ZKEditorEngine::Listener
    , private Control::Listener
    , private SlotHolds::Holder
    , private juce::AsyncUpdater
{
public:
    explicit LiveEditCommand (EditorWindow& window);
    ~LiveEditCommand() override;

    /** Without an argument it asks for the slot (the window's chooseLiveEditSlot); false when
        cancelled or nothing could be started. The slot is read and brought to the preset first
        (only the bytes that differ are written, and read back), and goes live once it holds the
        preset. From then on the window holds the slot: another write into it ends Live Edit
        first, with the "Live Edit Ended" notice naming that write. */
    bool start();
    bool start (juce::uint8 slot);

    /** Ends Live Edit, or the Send that leads to it; a write under way finishes, nothing more is
        written. */
    void stop();

    bool isLive() const noexcept { return liveSlot >= 0; }

    /** While the Send that brings the slot to the preset runs. */
    bool isStarting() const noexcept { return startingSendId != 0; }

    /** The slot (0 to 23) written live; -1 when not live. */
    int getLiveSlot() const noexcept { return liveSlot; }

    /** What the last "Live Edit Ended" alert said; empty before the first. */
    const juce::String& getLastEndMessage() const noexcept { return lastEndMessage; }

    static juce::String getEndedTitle() { return "Live Edit Ended"; }

    /** The alert's message after a failed write of those image indexes into that slot; an empty
        list means the slot's content was no longer known. afterStop: the write was still under
        way or waiting when Live Edit was stopped. */
    static juce::String describeFailure (juce::uint8 slot, const juce::Array<juce::uint8>& image,
                                         const juce::Array<int>& imageIndexes, bool afterStop = false);

    /** The alert's message when another write into the slot ended Live Edit; whatWrites says
        what writes ("a Send from window "Lead""). */
    static juce::String describeTakeOver (int slot, const juce::String& whatWrites);

    /** The default chooseLiveEditSlot step. */
    static int runSlotChooser();

private:
    void begin (juce::uint8 slot);
    void end();
    void watchControls (bool shouldWatch);

    void verificationEnded (const ZKEditorEngine::Verification& verification) override;
    void liveEditFailed (juce::uint8 slot, const juce::Array<int>& imageIndexes) override;
    void transferProgressed (const ZKEditorEngine::TransferStatus& status) override;
    void transferEnded (const ZKEditorEngine::TransferStatus& status) override;
    void controlValueChanged (juce::String parameterName, juce::uint8 value) override;
    void slotTakenOver (int slot, const juce::String& whatWrites, const void* writer) override;
    void showEnded (const juce::String& message);
    void handleAsyncUpdate() override;

    EditorWindow& window;
    ZKEditorEngine::Ptr engine;
    int liveSlot = -1;
    int startingSlot = -1;
    int startingSendId = 0;
    juce::String lastEndMessage;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LiveEditCommand)
};
