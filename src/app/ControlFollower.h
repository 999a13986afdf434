#pragma once

#include "engine/PresetMessages.h"
#include "engine/ZKEditorEngine.h"
#include "views/EditorComponent.h"

#include <atomic>
#include <juce_gui_basics/juce_gui_basics.h>

class EditorWindow;

/** Follow the Controller in one document window: a message from the controller that a control of
    the window's preset sends selects that control's tab and bank and flashes its frame; when two or
    more controls send it, all of them flash and the transfer strip says which clash. While the user
    types into a box or the name field nothing moves: the last control matched meanwhile is shown
    once the field closes. What the preset's controls send is read again only after the preset has
    changed. Owned by the window; used on the message thread. */
class ControlFollower
    : private Control::Listener
    , private juce::Timer
{
public:
    explicit ControlFollower (EditorWindow& window);
    ~ControlFollower() override;

    /** Shows the controls of the window's preset that send that message; nothing when none does. */
    void follow (const juce::MidiMessage& message);

    /** True while a matched control waits for the field being typed in to close. */
    bool isWaitingForEdit() const noexcept { return ! waitingControls.isEmpty(); }

    /** What the controls of the window's preset send, read again if the preset changed. */
    const PresetMessages& getPresetMessages();

    /** Selects the tab and bank of the control and flashes it; for the keybed, the zone's part. */
    static void showAndFlash (EditorComponent& editor, const juce::Array<PresetMessages::ControlRef>& controls);

private:
    void controlValueChanged (juce::String, juce::uint8) override { presetChanged = true; }
    void timerCallback() override;
    void show (const juce::Array<PresetMessages::ControlRef>& controls, const juce::String& clash);

    EditorWindow& window;
    ZKEditorEngine::Ptr engine;
    std::unique_ptr<PresetMessages> presetMessages;
    std::atomic<bool> presetChanged{ true };
    juce::Array<PresetMessages::ControlRef> waitingControls;
    juce::String waitingClash;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ControlFollower)
};
