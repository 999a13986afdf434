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

juce::String SendOutcomeReport::reportVerification (const ZKEditorEngine::Verification& verification)
{
    const auto slot = verification.slot;
    const auto& sentImage = verification.sentImage;
    const auto slotText = juce::String (slot + 1);

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

    const auto differences = PresetDifferences::describe (PresetDifferences::find (sentImage, verification.readBack));
    lastVerifyFailure = describeVerifyFailure (slot, differences);
    const juce::WeakReference<SendOutcomeReport> self (this);
    const auto options = juce::MessageBoxOptions()
                             .withIconType (juce::MessageBoxIconType::WarningIcon)
                             .withTitle ("Verify Failed")
                             .withMessage (lastVerifyFailure)
                             .withButton ("Send Again")
                             .withButton ("OK");

    // The answer comes later; once the window (and this report with it) went, it does nothing.
    juce::AlertWindow::showAsync (options,
                                  [self, slot, sentImage] (int button)
                                  {
                                      if (self != nullptr && button == 1) // "Send Again": the same preset as before
                                          self->engine->startSend (slot, sentImage);
                                  });
    return {};
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

juce::String SendOutcomeReport::getSendCancelledTitle() { return "Send Cancelled"; }

juce::String SendOutcomeReport::getSendCancelledMessage (juce::uint8 slot)
{
    return "Slot " + juce::String (slot + 1) + " now holds part of the new preset and part of the old one.";
}
