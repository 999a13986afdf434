#include "app/FileErrorAlertWindow.h"

FileErrorAlertWindow::FileErrorAlertWindow (const juce::String& messageToShow)
    : message (messageToShow)
{
    // The framework takes ownership of this object as the box's callback.
    juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::NoIcon, "File Error", message, "OK", nullptr,
                                            this);
}
