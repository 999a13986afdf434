#pragma once

#include "app/DeviceManagerComponent.h"
#include "engine/ControllerFinder.h"
#include "engine/DeviceSettings.h"
#include "engine/MidiManager.h"
#include "engine/ZKEditorEngine.h"
#include "model/ZKMModel.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The device setup dialog: shows the MIDI devices that can be chosen now, marks those that the
    MidiManager uses, and hands the chosen names to it on "OK" or "Apply", which also remember them
    in the settings. "Find Controller" asks every device pair for the controller and selects the
    pair that answered; the user still applies it. It deletes itself on "OK" and "Cancel"; the
    application holds it by weak reference. */
class DeviceManagerWindow
    : public juce::ResizableWindow
    , public juce::Button::Listener
{
public:
    static constexpr juce::uint8 defaultDeviceId = ZKMModel::deviceId;

    /** The manager and the settings are not owned and must outlive the window; without settings
        nothing is remembered. The finder waits findTimeoutMs for the controller's answer. */
    DeviceManagerWindow (const juce::String& title, MidiManager* midiManager, DeviceSettings* settings = nullptr,
                         juce::uint8 deviceId = defaultDeviceId,
                         int findTimeoutMs = ZKEditorEngine::Pacing().replyTimeoutMs);
    ~DeviceManagerWindow() override;

    //==============================================================================
    /** Passes the selected input and output names to the MidiManager, the input first. An empty
        name matches no device, so the manager keeps what it has for that direction. The names the
        manager then holds are stored in the settings. */
    void applyDeviceSelection();

    /** Unless a search runs already. */
    void findController();

    bool isFindingController() const noexcept { return finder.isProbing(); }

    void buttonClicked (juce::Button* button) override;
    void buttonStateChanged (juce::Button*) override {}

    DeviceManagerComponent& getDeviceManagerComponent() const;

    static const juce::String searchingText;
    static const juce::String foundText;
    static const juce::String noAnswerText;

private:
    void controllerSearchFinished (const ControllerFinder::Result& result);

    MidiManager* midiManager;
    DeviceSettings* settings;
    ControllerFinder finder;

    JUCE_DECLARE_WEAK_REFERENCEABLE (DeviceManagerWindow)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DeviceManagerWindow)
};
