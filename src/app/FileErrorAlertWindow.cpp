#include "app/FileErrorAlertWindow.h"

FileErrorAlertWindow::FileErrorAlertWindow (const juce::String& messageToShow)
    : message (messageToShow)
{
    // The framework takes ownership of this object as the box's callback.
    juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::NoIcon, "File Error", message, "OK", nullptr,
                                            this);
}

juce::String FileErrorAlertWindow::getOpenErrorMessage (const juce::String& fileName)
{
    return "Error Opening " + fileName + "\r\n" + " Invalid Preset Data";
}

juce::String FileErrorAlertWindow::getSaveErrorMessage (const juce::String& fileName)
{
    return "Error Saving " + fileName + "\r\n" + " File Could Not Be Written";
}
