#pragma once

#include "app/ConnectionStatusLabel.h"
#include "app/GetPresetWindow.h"
#include "app/MidiErrorAlertWindow.h"
#include "app/SendPresetWindow.h"

#include <functional>

/** A document window's dialogs and notices about the controller: its Get and Send dialogs (one of
    each at a time), the "MIDI Error" notice (one at a time, offering Device Setup when a port is
    not open), and the connection status beside the preset buttons. Owned by the window; the
    dialogs still open go with it. */
class ControllerDialogs
{
public:
    explicit ControllerDialogs (ZKEditorEngine::Ptr engine);
    ~ControllerDialogs();

    /** Unless it is open already. */
    void showGetPresetWindow();

    /** Unless it is open already for the same kind of Send; a whole one writes every byte of the
        slot whatever the "Send Changes Only" option says. */
    void showSendPresetWindow (bool sendWhole = false);

    /** Shows the connection status in that view (when there is one), and lets the "MIDI Error"
        notice offer Device Setup. The manager must outlive this. */
    void showConnectionStatus (juce::Component* view, MidiManager& midiManager, std::function<void()> openDeviceSetup);

    /** Unless one shows already. */
    void showMidiError();

    /** Asked by each Send dialog before it writes; null lets every Send go ahead. */
    std::function<bool()> confirmSend;

    GetPresetWindow* getGetPresetWindow() const { return getPresetWindow.get(); }
    SendPresetWindow* getSendPresetWindow() const { return sendPresetWindow.get(); }
    MidiErrorAlertWindow* getMidiErrorAlert() const { return midiErrorAlert.get(); }
    ConnectionStatusLabel* getConnectionStatus() const noexcept { return connectionStatus.get(); }

private:
    ZKEditorEngine::Ptr engine;
    juce::WeakReference<SendPresetWindow> sendPresetWindow;
    juce::WeakReference<GetPresetWindow> getPresetWindow;
    juce::WeakReference<MidiErrorAlertWindow> midiErrorAlert;
    MidiManager* statusMidiManager = nullptr;
    std::function<void()> openDeviceSetup;
    std::unique_ptr<ConnectionStatusLabel> connectionStatus;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ControllerDialogs)
};
