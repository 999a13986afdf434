#include "app/SendOutcomeReport.h"

#include "engine/PresetDifferences.h"

//==============================================================================
SendOutcomeReport::SendOutcomeReport (ZKEditorEngine::Ptr engineToUse)
    : engine (std::move (engineToUse))
{
}

juce::String SendOutcomeReport::describeUnverifiedSend (juce::uint8 slot)
{
    return "Sent to slot " + juce::String (slot + 1) + " (not verified)";
}

juce::String SendOutcomeReport::describeUnverifiedSend (const ZKEditorEngine::TransferStatus& send)
{
    if (! send.changesOnly)
        return describeUnverifiedSend (send.slot);

    // Nothing was written because the editor remembers the slot holding the preset; without a
    // read-back that is a memory, which an edit on the controller may have made old.
    if (send.total == 0)
        return "Nothing sent to slot " + juce::String (send.slot + 1)
               + ": it held this preset when last seen (not checked)";

    return "Sent to slot " + juce::String (send.slot + 1) + " (" + describeBytesWritten (send.total)
           + ", not verified)";
}

juce::String SendOutcomeReport::describeSlotHeldPreset (juce::uint8 slot)
{
    return "Slot " + juce::String (slot + 1) + " already holds this preset";
}

juce::String SendOutcomeReport::describeBytesWritten (int numBytes)
{
    return juce::String (numBytes) + (numBytes == 1 ? " byte written" : " bytes written");
}

juce::String SendOutcomeReport::reportVerification (const ZKEditorEngine::Verification& verification)
{
    const auto slot = verification.slot;
    const auto& sentImage = verification.sentImage;
    const auto slotText = juce::String (slot + 1);

    if (verification.matches() && verification.changesOnly && verification.writtenBytes.isEmpty())
        return describeSlotHeldPreset (slot);

    if (verification.matches() && verification.changesOnly)
        return "Sent to slot " + slotText + " and verified (" + describeBytesWritten (verification.writtenBytes.size())
               + ")";

    if (verification.matches())
        return "Sent to slot " + slotText + " and verified";

    if (verification.controllerGone)
        return "Sent to slot " + slotText + "; not verified: " + ZKEditorEngine::getControllerGoneText();

    if (verification.readBack.isEmpty())
    {
        lastVerifyFailure = "Slot " + slotText + " did not answer when it was read back: the Send is not verified.";
        juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::WarningIcon, "Verify Failed",
                                                lastVerifyFailure, "OK");
        return {};
    }

    const auto differences = PresetDifferences::find (sentImage, verification.readBack);
    const auto changedUnseen = verification.getBytesChangedUnseen();

    if (changedUnseen.isEmpty())
    {
        lastVerifyFailure = describeVerifyFailure (slot, PresetDifferences::describe (differences));
        showVerifyFailure (slot, sentImage, false);
        return {};
    }

    // Bytes the Send left alone because the editor thought the slot held them already: the slot
    // was edited on the controller, and only a whole Send brings every byte back.
    juce::Array<PresetDifferences::Difference> written, unseen;

    for (const auto& difference : differences)
        (changedUnseen.contains (difference.imageIndex) ? unseen : written).add (difference);

    lastVerifyFailure = (written.isEmpty() ? "Slot " + slotText + " does not hold what was sent."
                                           : describeVerifyFailure (slot, PresetDifferences::describe (written)))
                        + "\n\n" + getChangedUnseenHeading() + "\n" + PresetDifferences::describe (unseen);
    showVerifyFailure (slot, sentImage, true);
    return {};
}

void SendOutcomeReport::showVerifyFailure (juce::uint8 slot, const juce::Array<juce::uint8>& sentImage, bool sendWhole)
{
    const juce::WeakReference<SendOutcomeReport> self (this);
    const auto options = juce::MessageBoxOptions()
                             .withIconType (juce::MessageBoxIconType::WarningIcon)
                             .withTitle ("Verify Failed")
                             .withMessage (lastVerifyFailure)
                             .withButton (sendWhole ? "Send Whole Preset" : "Send Again")
                             .withButton ("OK");

    // The answer comes later; once the window (and this report with it) went, it does nothing.
    juce::AlertWindow::showAsync (options,
                                  [self, slot, sentImage, sendWhole] (int button)
                                  {
                                      if (self == nullptr || button != 1)
                                          return;

                                      // The same preset as before; a whole one is read back.
                                      if (sendWhole)
                                          self->engine->startSend (slot, sentImage, { true, false, false });
                                      else
                                          self->engine->startSend (slot, sentImage);
                                  });
}

void SendOutcomeReport::reportTransferEnded (const ZKEditorEngine::TransferStatus& status)
{
    using Stage = ZKEditorEngine::TransferStatus::Stage;

    if (status.kind == ZKEditorEngine::TransferStatus::Kind::send && status.stage == Stage::cancelled && status.done > 0
        && status.done < status.total)
        juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::NoIcon, getSendCancelledTitle(),
                                                getSendCancelledMessage (status.slot), "OK");
}

juce::String SendOutcomeReport::describeVerifyFailure (juce::uint8 slot, const juce::String& differences)
{
    return "Slot " + juce::String (slot + 1) + " does not hold what was sent (sent / read back):\n" + differences;
}

juce::String SendOutcomeReport::getChangedUnseenHeading()
{
    return "Changed on the controller since the editor last read the slot (sent / read back):";
}

juce::String SendOutcomeReport::getSendCancelledTitle() { return "Send Cancelled"; }

juce::String SendOutcomeReport::getSendCancelledMessage (juce::uint8 slot)
{
    return "Slot " + juce::String (slot + 1) + " now holds part of the new preset and part of the old one.";
}
