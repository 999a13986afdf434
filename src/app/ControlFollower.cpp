#include "app/ControlFollower.h"

#include "app/EditorWindow.h"

namespace
{
// How often a match that waits looks whether the field being typed in has closed.
constexpr int editCheckMs = 100;

/** The index by which the editor names a control: for the keybed, the zone view. */
int getViewIndex (const PresetMessages::ControlRef& control)
{
    if (control.controlType != ControlType::Keybed)
        return control.controlIndex;

    switch (control.zone)
    {
        case PresetMessages::ControlRef::Zone::lower:
            return 1;
        case PresetMessages::ControlRef::Zone::upper:
            return 2;
        default:
            return 0;
    }
}
} // namespace

//==============================================================================
ControlFollower::ControlFollower (EditorWindow& windowToUse)
    : window (windowToUse)
    , engine (window.getEngine())
{
    // Every edit, load, fetch and undo reaches the controls' listeners: the cheapest sure sign
    // that what the preset sends must be read again.
    for (int type = 0; type < numControlTypes; ++type)
        for (auto* control : engine->getControls (type))
            control->addListener (this);
}

ControlFollower::~ControlFollower()
{
    stopTimer();

    for (int type = 0; type < numControlTypes; ++type)
        for (auto* control : engine->getControls (type))
            control->removeListener (this);
}

//==============================================================================
const PresetMessages& ControlFollower::getPresetMessages()
{
    if (presetChanged.exchange (false) || presetMessages == nullptr)
        presetMessages = std::make_unique<PresetMessages> (engine->getPresetImage());

    return *presetMessages;
}

void ControlFollower::follow (const juce::MidiMessage& message)
{
    const auto& messages = getPresetMessages();
    const auto controls = messages.findSenders (message);

    if (controls.isEmpty())
        return;

    const auto clash = controls.size() > 1 ? messages.describeClash (message) : juce::String();
    auto* editor = window.getEditorComponent();

    // Typing is never interrupted: the latest match waits for the field to close.
    if (editor != nullptr && editor->isEditingText())
    {
        waitingControls = controls;
        waitingClash = clash;
        startTimer (editCheckMs);
        return;
    }

    show (controls, clash);
}

void ControlFollower::timerCallback()
{
    auto* editor = window.getEditorComponent();

    if (editor != nullptr && editor->isEditingText())
        return;

    stopTimer();
    const auto controls = std::move (waitingControls);
    waitingControls.clear();
    show (controls, waitingClash);
}

void ControlFollower::show (const juce::Array<PresetMessages::ControlRef>& controls, const juce::String& clash)
{
    auto* editor = window.getEditorComponent();

    if (editor == nullptr || controls.isEmpty())
        return;

    showAndFlash (*editor, controls);

    // The strip shows a transfer first; a clash waits for the next message then.
    if (clash.isNotEmpty() && ! engine->isTransferInProgress())
        window.getTransferStrip().showEndMessage (clash);
}

void ControlFollower::showAndFlash (EditorComponent& editor, const juce::Array<PresetMessages::ControlRef>& controls)
{
    if (controls.isEmpty())
        return;

    // The first control's page is shown; the others flash where they show on it too.
    editor.showControl (controls.getFirst().controlType, getViewIndex (controls.getFirst()));

    for (const auto& control : controls)
        editor.flashControl (control.controlType, getViewIndex (control));
}
