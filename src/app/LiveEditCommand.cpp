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

    if (engine->getKnownSlotImage (slot) == engine->getPresetImage())
    {
        begin (slot);
        return true;
    }

    // A live write needs a slot whose content is known, which only a read-back makes so: the Send
    // that brings the slot to the preset is read back whatever the verify option says.
    startingSendId =
        engine->startSend (slot, engine->getPresetImage(), ZKEditorEngine::SendOptions{ true, true, false });
    startingSlot = startingSendId != 0 ? slot : -1;
    return startingSendId != 0;
}

void LiveEditCommand::stop()
{
    // A Send that brings the slot to the preset runs to its end, so that the slot is not left
    // half written; it just does not lead to Live Edit any more.
    startingSendId = 0;
    startingSlot = -1;

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
}

void LiveEditCommand::liveEditFailed (juce::uint8 slot, const juce::Array<int>& imageIndexes)
{
    // A write that was under way when Live Edit stopped leaves nothing to end.
    if (liveSlot != (int) slot)
        return;

    end();
    lastEndMessage = describeFailure (slot, engine->getPresetImage(), imageIndexes);
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
                                               const juce::Array<int>& imageIndexes)
{
    const auto slotText = juce::String (slot + 1);

    if (imageIndexes.isEmpty())
        return "Live Edit of slot " + slotText
               + " has ended: the slot's content is no longer known; start Live Edit again.";

    juce::StringArray names;

    for (const auto& parameter : PresetParameters::list (image))
        if (imageIndexes.contains (parameter.imageIndex))
            names.addIfNotAlreadyThere (parameter.controlName + ": " + parameter.label);

    return "Live Edit of slot " + slotText + " has ended. These parameters may not hold in the slot what the window "
           + "shows:\n" + names.joinIntoString ("\n");
}

int LiveEditCommand::runSlotChooser()
{
    return PlatformDialogs::runSlotChooser (
        "Live Edit Slot", "Write every change of this window's preset into a slot of the controller as it is made.",
        "Start");
}
