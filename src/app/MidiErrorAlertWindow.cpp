#include "app/MidiErrorAlertWindow.h"

#include "app/AlertText.h"

namespace
{
// The result of the box's first button, "Device Setup...".
constexpr int deviceSetupResult = 1;
} // namespace

const juce::String MidiErrorAlertWindow::deviceSetupButtonText ("Device Setup...");

//==============================================================================
MidiErrorAlertWindow::MidiErrorAlertWindow()
{
    // The framework takes ownership of this object as the box's callback.
    juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::NoIcon, "MIDI Error",
                                            AlertText::keepLinesWhole (getMessage()), "OK", nullptr, this);
}

MidiErrorAlertWindow::MidiErrorAlertWindow (std::function<void()> openDeviceSetupToCall)
    : openDeviceSetup (std::move (openDeviceSetupToCall))
{
    // The framework takes ownership of this object as the box's callback.
    juce::AlertWindow::showOkCancelBox (juce::MessageBoxIconType::NoIcon, "MIDI Error",
                                        AlertText::keepLinesWhole (getMessage()), deviceSetupButtonText, "OK", nullptr,
                                        this);
}

void MidiErrorAlertWindow::modalStateFinished (int result)
{
    if (result == deviceSetupResult && openDeviceSetup != nullptr)
        openDeviceSetup();
}

juce::String MidiErrorAlertWindow::getMessage()
{
    return juce::String ("MIDI Communication Unsuccessful.") + "\r\n" + "Verify MIDI Connection and Device Settings."
           + "\r\n" + "Verify no other applications are using the MIDI Port.";
}
