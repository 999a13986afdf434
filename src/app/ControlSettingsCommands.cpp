#include "app/ControlSettingsCommands.h"

#include "app/CommandIDs.h"

//==============================================================================
ControlSettingsCommands::ControlSettingsCommands (juce::Component& windowToFollow)
    : window (windowToFollow)
{
    juce::Desktop::getInstance().addFocusChangeListener (this);
}

ControlSettingsCommands::~ControlSettingsCommands() { juce::Desktop::getInstance().removeFocusChangeListener (this); }

bool ControlSettingsCommands::handles (juce::CommandID commandID)
{
    return commandID == CommandIDs::copyControlSettings || commandID == CommandIDs::pasteControlSettings
           || commandID == CommandIDs::pasteControlSettingsToAll || commandID == CommandIDs::numberControlsAscending;
}

void ControlSettingsCommands::fillInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result) const
{
    // These entries name the control whose widget has the focus, and act on it.
    auto* settings = getFocusedControlSettings();
    result.setActive (settings != nullptr);

    if (settings == nullptr)
        return;

    if (commandID == CommandIDs::copyControlSettings)
    {
        result.shortName = settings->getCopyText();
    }
    else if (commandID == CommandIDs::pasteControlSettings)
    {
        result.shortName = settings->getPasteText();
        result.setActive (settings->canPaste());
    }
    else if (commandID == CommandIDs::pasteControlSettingsToAll)
    {
        result.shortName = settings->getPasteToAllText();
        result.setActive (settings->canPaste());
    }
    else
    {
        result.shortName = settings->getFillText();
        result.setActive (settings->getNumToFill() > 0);
    }
}

void ControlSettingsCommands::perform (juce::CommandID commandID)
{
    if (auto* settings = getFocusedControlSettings())
        settings->perform (commandID == CommandIDs::copyControlSettings         ? ControlSettings::copyItem
                           : commandID == CommandIDs::pasteControlSettings      ? ControlSettings::pasteItem
                           : commandID == CommandIDs::pasteControlSettingsToAll ? ControlSettings::pasteToAllItem
                                                                                : ControlSettings::fillItem);
}

ControlSettings* ControlSettingsCommands::getFocusedControlSettings() const
{
    auto* focused = juce::Component::getCurrentlyFocusedComponent();

    if (focused != nullptr && window.isParentOf (focused))
        if (auto* settings = ControlSettings::findFor (focused))
            return settings;

    if (lastFocusedControl != nullptr && lastFocusedControl->isShowing())
        return ControlSettings::findFor (lastFocusedControl.getComponent());

    return nullptr;
}

void ControlSettingsCommands::globalFocusChanged (juce::Component* focusedComponent)
{
    if (focusedComponent == nullptr || ! window.isParentOf (focusedComponent))
        return;

    for (auto* c = focusedComponent; c != nullptr && c != &window; c = c->getParentComponent())
        if (dynamic_cast<ControlSettings::Holder*> (c) != nullptr)
        {
            lastFocusedControl = c;
            return;
        }
}
