#pragma once

#include "engine/ZKEditorEngine.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** Tells the user how a document window's own Send ended: the line for the transfer strip after a
    Send that was not read back or whose read-back matched, the "Verify Failed" alert (with "Send
    Again") when the read-back found differences or no answer, and the "Send Cancelled" notice after a
    Send cut off halfway. A Send of only the changes whose read-back finds bytes changed on the
    controller itself names them and offers "Send Whole Preset" instead. Whether the preset counts as saved in the slot stays the window's call.
    Owned by its window: an answer that comes after the window went does nothing. */
class SendOutcomeReport
{
public:
    explicit SendOutcomeReport (ZKEditorEngine::Ptr engine);

    static juce::String describeUnverifiedSend (juce::uint8 slot);

    /** The same for any Send that completed: one that knew the slot says how many bytes it wrote,
        or that it wrote nothing because the slot held the preset when last seen (not checked). */
    static juce::String describeUnverifiedSend (const ZKEditorEngine::TransferStatus& send);

    /** "Slot 5 already holds this preset" */
    static juce::String describeSlotHeldPreset (juce::uint8 slot);

    /** "1 byte written", "12 bytes written" */
    static juce::String describeBytesWritten (int numBytes);

    /** The strip's line after a read-back that matched or found the controller gone; otherwise an
        empty text, and the "Verify Failed" alert is shown. */
    juce::String reportVerification (const ZKEditorEngine::Verification& verification);

    /** Shows the "Send Cancelled" notice for a Send cancelled after it had written part of its
        slot. */
    void reportTransferEnded (const ZKEditorEngine::TransferStatus& status);

    static juce::String describeVerifyFailure (juce::uint8 slot, const juce::String& differences);

    /** The line above the bytes that a changes-only Send found changed on the controller. */
    static juce::String getChangedUnseenHeading();

    /** Empty before the first "Verify Failed" alert. */
    const juce::String& getLastVerifyFailure() const noexcept { return lastVerifyFailure; }

    static juce::String getSendCancelledTitle();
    static juce::String getSendCancelledMessage (juce::uint8 slot);

private:
    void showVerifyFailure (juce::uint8 slot, const juce::Array<juce::uint8>& sentImage, bool sendWhole);

    ZKEditorEngine::Ptr engine;
    juce::String lastVerifyFailure;

    JUCE_DECLARE_WEAK_REFERENCEABLE (SendOutcomeReport)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SendOutcomeReport)
};
