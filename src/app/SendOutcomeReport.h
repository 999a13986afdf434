#pragma once

#include "engine/ZKEditorEngine.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** Tells the user how a document window's own Send ended: the line for the transfer strip after a
    Send that was not read back or whose read-back matched, the "Verify Failed" alert (with "Send
    Again") when the read-back found differences or no answer, and the "Send Cancelled" notice after a
    Send cut off halfway. Whether the preset counts as saved in the slot stays the window's call.
    Owned by its window: an answer that comes after the window went does nothing. */
class SendOutcomeReport
{
public:
    explicit SendOutcomeReport (ZKEditorEngine::Ptr engine);

    static juce::String describeUnverifiedSend (juce::uint8 slot);

    /** The strip's line after a read-back that matched or found the controller gone; otherwise an
        empty text, and the "Verify Failed" alert is shown. */
    juce::String reportVerification (const ZKEditorEngine::Verification& verification);

    /** Shows the "Send Cancelled" notice for a Send cancelled after it had written part of its
        slot. */
    void reportTransferEnded (const ZKEditorEngine::TransferStatus& status);

    static juce::String describeVerifyFailure (juce::uint8 slot, const juce::String& differences);

    /** Empty before the first "Verify Failed" alert. */
    const juce::String& getLastVerifyFailure() const noexcept { return lastVerifyFailure; }

    static juce::String getSendCancelledTitle();
    static juce::String getSendCancelledMessage (juce::uint8 slot);

private:
    ZKEditorEngine::Ptr engine;
    juce::String lastVerifyFailure;

    JUCE_DECLARE_WEAK_REFERENCEABLE (SendOutcomeReport)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SendOutcomeReport)
};
