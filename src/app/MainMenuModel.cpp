#include "app/MainMenuModel.h"

#include "app/CommandIDs.h"

MainMenuModel::MainMenuModel (juce::ApplicationCommandManager* commandManagerToWatch)
    : commandManager (commandManagerToWatch)
{
    setApplicationCommandManagerToWatch (commandManager);
}

juce::StringArray MainMenuModel::getMenuBarNames() { return { "File", "Edit", "View", "Options", "Window", "Help" }; }

juce::PopupMenu MainMenuModel::getMenuForIndex (int, const juce::String& menuName)
{
    juce::PopupMenu menu;

    if (menuName == "File")
    {
        juce::PopupMenu hardware;
        hardware.addCommandItem (commandManager, CommandIDs::getPreset);
        hardware.addCommandItem (commandManager, CommandIDs::sendPreset);
        hardware.addCommandItem (commandManager, CommandIDs::sendWholePreset);
        hardware.addCommandItem (commandManager, CommandIDs::liveEditSlot);
        hardware.addSeparator();
        hardware.addCommandItem (commandManager, CommandIDs::setInternalSync);
        hardware.addCommandItem (commandManager, CommandIDs::setExternalSync);
        hardware.addSeparator();
        hardware.addCommandItem (commandManager, CommandIDs::backUpAllSlots);
        hardware.addCommandItem (commandManager, CommandIDs::restoreAllSlots);
        hardware.addSeparator();
        hardware.addCommandItem (commandManager, CommandIDs::forgetSlotMemory);
        hardware.addSeparator();
        hardware.addCommandItem (commandManager, CommandIDs::showSlots);

        menu.addCommandItem (commandManager, CommandIDs::newWindow);
        menu.addCommandItem (commandManager, CommandIDs::open);
        menu.addCommandItem (commandManager, CommandIDs::closeWindow);
        menu.addCommandItem (commandManager, CommandIDs::save);
        menu.addCommandItem (commandManager, CommandIDs::saveAs);
        menu.addCommandItem (commandManager, CommandIDs::compareWithFile);
        menu.addCommandItem (commandManager, CommandIDs::compareWithSlot);
        menu.addSubMenu ("Hardware", hardware);
        menu.addSeparator();
        menu.addCommandItem (commandManager, CommandIDs::quit);
    }
    else if (menuName == "Edit")
    {
        menu.addCommandItem (commandManager, CommandIDs::undo);
        menu.addCommandItem (commandManager, CommandIDs::redo);
        menu.addSeparator();
        menu.addCommandItem (commandManager, CommandIDs::copyControlSettings);
        menu.addCommandItem (commandManager, CommandIDs::pasteControlSettings);
        menu.addCommandItem (commandManager, CommandIDs::pasteControlSettingsToAll);
        menu.addCommandItem (commandManager, CommandIDs::numberControlsAscending);
        menu.addSeparator();
        menu.addCommandItem (commandManager, CommandIDs::checkPreset);
    }
    else if (menuName == "View")
    {
        menu.addCommandItem (commandManager, CommandIDs::zoomIn);
        menu.addCommandItem (commandManager, CommandIDs::zoomOut);
        menu.addCommandItem (commandManager, CommandIDs::actualSize);
    }
    else if (menuName == "Options")
    {
        menu.addCommandItem (commandManager, CommandIDs::deviceSetup);
        menu.addCommandItem (commandManager, CommandIDs::verifyAfterSend);
        menu.addCommandItem (commandManager, CommandIDs::sendChangesOnly);
        menu.addCommandItem (commandManager, CommandIDs::followController);
        menu.addCommandItem (commandManager, CommandIDs::checkBeforeSend);
    }
    else if (menuName == "Window")
    {
        menu.addCommandItem (commandManager, CommandIDs::minimise);
        menu.addCommandItem (commandManager, CommandIDs::bringAllToFront);
        menu.addSeparator();
        menu.addCommandItem (commandManager, CommandIDs::slotsWindow);
        menu.addCommandItem (commandManager, CommandIDs::midiMonitor);
        menu.addCommandItem (commandManager, CommandIDs::virtualControllerPanel);
    }
    else if (menuName == "Help")
    {
        menu.addCommandItem (commandManager, CommandIDs::openUserGuide);
        menu.addSeparator();
        menu.addCommandItem (commandManager, CommandIDs::about);
    }

    return menu;
}
