#include "app/MidiErrorAlertWindow.h"

MidiErrorAlertWindow::MidiErrorAlertWindow()
{
    // The framework takes ownership of this object as the box's callback.
    juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::NoIcon, "MIDI Error", getMessage(), "OK", nullptr,
                                            this);
}

juce::String MidiErrorAlertWindow::getMessage()
{
    return juce::String ("MIDI Communication Unsuccessful.") + "\r\n" + "Verify MIDI Connection and Device Settings."
           + "\r\n" + "Verify no other applications are using the MIDI Port.";
}
