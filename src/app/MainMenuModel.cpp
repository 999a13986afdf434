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
    if (menuName == "File")
    {
        auto menu = makeMenu ({ CommandIDs::newWindow, CommandIDs::open, CommandIDs::closeWindow, CommandIDs::save,
                                CommandIDs::saveAs, CommandIDs::compareWithFile, CommandIDs::compareWithSlot });
        menu.addSubMenu ("Hardware", makeMenu ({ CommandIDs::getPreset, CommandIDs::sendPreset,
                                                 CommandIDs::sendWholePreset, CommandIDs::liveEditSlot, separator,
                                                 CommandIDs::setInternalSync, CommandIDs::setExternalSync, separator,
                                                 CommandIDs::backUpAllSlots, CommandIDs::restoreAllSlots, separator,
                                                 CommandIDs::forgetSlotMemory, separator, CommandIDs::showSlots }));
        menu.addSeparator();
        menu.addCommandItem (commandManager, CommandIDs::quit);
        return menu;
    }

    if (menuName == "Edit")
        return makeMenu ({ CommandIDs::undo, CommandIDs::redo, separator, CommandIDs::copyControlSettings,
                           CommandIDs::pasteControlSettings, CommandIDs::pasteControlSettingsToAll,
                           CommandIDs::numberControlsAscending, separator, CommandIDs::checkPreset });

    if (menuName == "View")
        return makeMenu ({ CommandIDs::zoomIn, CommandIDs::zoomOut, CommandIDs::actualSize });

    if (menuName == "Options")
        return makeMenu ({ CommandIDs::deviceSetup, CommandIDs::verifyAfterSend, CommandIDs::sendChangesOnly,
                           CommandIDs::followController, CommandIDs::checkBeforeSend });

    if (menuName == "Window")
        return makeMenu ({ CommandIDs::minimise, CommandIDs::bringAllToFront, separator, CommandIDs::slotsWindow,
                           CommandIDs::midiMonitor, CommandIDs::virtualControllerPanel });

    if (menuName == "Help")
        return makeMenu ({ CommandIDs::openUserGuide, separator, CommandIDs::about });

    return {};
}

juce::PopupMenu MainMenuModel::makeMenu (std::initializer_list<juce::CommandID> commands) const
{
    juce::PopupMenu menu;

    for (const auto commandID : commands)
    {
        if (commandID == separator)
            menu.addSeparator();
        else
            menu.addCommandItem (commandManager, commandID);
    }

    return menu;
}
