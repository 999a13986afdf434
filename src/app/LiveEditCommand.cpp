#include "app/LiveEditCommand.h"

#include "app/EditorWindow.h"
#include "app/PlatformDialogs.h"
#include "engine/PresetParameters.h"
#include "model/PresetLayout.h"

//==============================================================================
LiveEditCommand::LiveEditCommand (EditorWindow& windowToUse)
    : window (windowToUse)
    , engine (window.getEngine())
{
    engine->addListener (this);
}

LiveEditCommand::~LiveEditCommand()
{
    cancelPendingUpdate();
    watchControls (false);
    engine->releaseSlot (*this);
    engine->removeListener (this);
}

bool LiveEditCommand::start()
{
    const auto slot = window.askForSlot (window.chooseLiveEditSlot);
    return slot.has_value() && start (*slot);
}

bool LiveEditCommand::start (juce::uint8 slot)
{
    window.commitOpenEdits();
    stop();

    // A live write needs a slot whose content is known, which only a read makes so: the editor's
    // memory of the slot may be older than an edit on the controller. The Send that brings the
    // slot to the preset reads it first and is read back whatever the verify option says; a slot
    // that held the preset already goes live after that read alone.
    startingSendId =
        engine->startSend (slot, engine->getPresetImage(), ZKEditorEngine::SendOptions{ true, true, true });
    startingSlot = startingSendId != 0 ? slot : -1;

    // Held from now on, so that another write queued behind this Send ends the start as well.
    if (startingSendId != 0)
        engine->holdSlot (slot, *this);

    return startingSendId != 0;
}

void LiveEditCommand::stop()
{
    // A Send that brings the slot to the preset runs to its end, so that the slot is not left
    // half written; it just does not lead to Live Edit any more.
    startingSendId = 0;
    startingSlot = -1;
    engine->releaseSlot (*this);

    if (isLive())
        end();
}

//==============================================================================
void LiveEditCommand::begin (juce::uint8 slot)
{
    liveSlot = slot;
    watchControls (true);
    window.getTransferStrip().setLiveSlot (slot);
    window.refreshTitle();

    // Edits made while the slot was being brought to the preset are written by the first write.
    if (engine->getKnownSlotImage (slot) != engine->getPresetImage())
        triggerAsyncUpdate();
}

void LiveEditCommand::end()
{
    cancelPendingUpdate();
    watchControls (false);
    engine->releaseSlot (*this);
    liveSlot = -1;
    window.getTransferStrip().setLiveSlot (-1);
    window.refreshTitle();
}

void LiveEditCommand::watchControls (bool shouldWatch)
{
    for (int type = 0; type < numControlTypes; ++type)
        for (auto* control : engine->getControls (type))
            if (shouldWatch)
                control->addListener (this);
            else
                control->removeListener (this);
}

//==============================================================================
void LiveEditCommand::verificationEnded (const ZKEditorEngine::Verification& verification)
{
    if (startingSendId == 0 || verification.sendId != startingSendId)
        return;

    // A read-back that did not match is reported by the window as any Send's is; nothing goes live.
    const auto slot = (juce::uint8) startingSlot;
    startingSendId = 0;
    startingSlot = -1;

    if (verification.matches())
        begin (slot);
    else
        engine->releaseSlot (*this);
}

void LiveEditCommand::liveEditFailed (juce::uint8 slot, const juce::Array<int>& imageIndexes)
{
    // A write still under way or waiting when Live Edit stopped leaves nothing to end, but its
    // change did not reach the slot: the user hears of it all the same.
    const auto stillLive = liveSlot == (int) slot;

    if (stillLive)
        end();

    showEnded (describeFailure (slot, engine->getPresetImage(), imageIndexes, ! stillLive));
}

void LiveEditCommand::slotTakenOver (int slot, const juce::String& whatWrites, const void* writer)
{
    if (liveSlot != slot && startingSlot != slot)
        return;

    // The other write is queued behind every live write made so far, so it lands last and stays;
    // nothing more is written live. A write of this window's own (its Send) ends Live Edit as Stop
    // does: the user asked for it here.
    stop();

    if (writer != engine.get())
        showEnded (describeTakeOver (slot, whatWrites));
}

void LiveEditCommand::showEnded (const juce::String& message)
{
    lastEndMessage = message;
    juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::WarningIcon, getEndedTitle(), lastEndMessage,
                                            "OK");
}

void LiveEditCommand::transferProgressed (const ZKEditorEngine::TransferStatus& status)
{
    // A Get replaces the preset: it must not be written into the live slot.
    if (status.kind == ZKEditorEngine::TransferStatus::Kind::get)
        stop();
}

void LiveEditCommand::transferEnded (const ZKEditorEngine::TransferStatus& status)
{
    // A Send that failed or was cancelled has no read-back to wait for.
    if (startingSendId != 0 && status.id == startingSendId && status.kind == ZKEditorEngine::TransferStatus::Kind::send
        && status.stage != ZKEditorEngine::TransferStatus::Stage::completed)
    {
        startingSendId = 0;
        startingSlot = -1;
        engine->releaseSlot (*this);
    }
}

void LiveEditCommand::controlValueChanged (juce::String, juce::uint8)
{
    // A load tells every byte of every control: one write follows, of the preset as it is then.
    if (isLive())
        triggerAsyncUpdate();
}

void LiveEditCommand::handleAsyncUpdate()
{
    if (! isLive())
        return;

    // Without ports (the controller went away, which has been reported) the slot is no longer
    // known either: Live Edit ends rather than report the same failure at every step.
    if (engine->startLiveWrite ((juce::uint8) liveSlot) == 0)
        liveEditFailed ((juce::uint8) liveSlot, {});
}

//==============================================================================
juce::String LiveEditCommand::describeFailure (juce::uint8 slot, const juce::Array<juce::uint8>& image,
                                               const juce::Array<int>& imageIndexes, bool afterStop)
{
    const auto slotText = juce::String (slot + 1);
    const auto opening = afterStop ? "The last change written live into slot " + slotText
                                         + ", after Live Edit had ended, did not reach it"
                                   : "Live Edit of slot " + slotText + " has ended";

    if (imageIndexes.isEmpty())
        return opening + ": the slot's content is no longer known; start Live Edit again.";

    juce::StringArray names;

    for (const auto& parameter : PresetParameters::list (image))
        if (imageIndexes.contains (parameter.imageIndex))
            names.addIfNotAlreadyThere (parameter.controlName + ": " + parameter.label);

    return opening + ". These parameters may not hold in the slot what the window shows:\n"
           + names.joinIntoString ("\n");
}

juce::String LiveEditCommand::describeTakeOver (int slot, const juce::String& whatWrites)
{
    const auto slotText = juce::String (slot + 1);
    return "Live Edit of slot " + slotText + " has ended: " + whatWrites + " writes into slot " + slotText
           + ". The slot keeps what that write puts there, which may differ from this window's preset.";
}

int LiveEditCommand::runSlotChooser()
{
    return PlatformDialogs::runSlotChooser (
        "Live Edit Slot", "Write every change of this window's preset into a slot of the controller as it is made.",
        "Start");
}
