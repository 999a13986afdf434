#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The commands of the application and of the document windows. One list for both, so that a
    shortcut or menu entry names the same command wherever it is routed. */
enum CommandIDs
{
    newWindow = 0x200010,
    open = 0x200020,
    closeWindow = 0x200030,
    save = 0x200040,
    saveAs = 0x200050,
    compareWithFile = 0x200051,
    compareWithSlot = 0x200052,
    quit = 0x200060,
    getPreset = 0x200070,
    sendPreset = 0x200071,
    setInternalSync = 0x200072,
    setExternalSync = 0x200073,
    backUpAllSlots = 0x200074,
    restoreAllSlots = 0x200075,
    undo = 0x200080,
    redo = 0x200081,
    copyControlSettings = 0x200082,
    pasteControlSettings = 0x200083,
    pasteControlSettingsToAll = 0x200084,
    numberControlsAscending = 0x200085,
    about = 0x200090,
    deviceSetup = 0x200310,
    verifyAfterSend = 0x200320,
    minimise = 0x200410,
    bringAllToFront = 0x200420,
    openUserGuide = 0x200510
};

/** The short name and default key of a command, the same wherever the command is registered; every
    command is in the category "General", has no description and is active. */
inline void fillCommandInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result)
{
    const auto command = juce::ModifierKeys::commandModifier;

    switch (commandID)
    {
        case CommandIDs::newWindow:
            result.setInfo ("New Window ", {}, "General", 0);
            result.addDefaultKeypress ('n', command);
            break;
        case CommandIDs::open:
            result.setInfo ("Open", {}, "General", 0);
            result.addDefaultKeypress ('o', command);
            break;
        case CommandIDs::closeWindow:
            result.setInfo ("Close Window", {}, "General", 0);
            result.addDefaultKeypress ('w', command);
            break;
        case CommandIDs::save:
            result.setInfo ("Save", {}, "General", 0);
            result.addDefaultKeypress ('s', command);
            break;
        case CommandIDs::saveAs:
            result.setInfo ("Save As", {}, "General", 0);
            break;
        case CommandIDs::compareWithFile:
            result.setInfo ("Compare With File...", {}, "General", 0);
            break;
        case CommandIDs::compareWithSlot:
            result.setInfo ("Compare With Slot...", {}, "General", 0);
            break;
        case CommandIDs::quit:
            result.setInfo ("Quit", {}, "General", 0);
            result.addDefaultKeypress ('q', command);
            break;
        case CommandIDs::getPreset:
            result.setInfo ("Get Preset", {}, "General", 0);
            break;
        case CommandIDs::sendPreset:
            result.setInfo ("Send Preset", {}, "General", 0);
            break;
        case CommandIDs::setInternalSync:
            result.setInfo ("Set Internal Sync", {}, "General", 0);
            break;
        case CommandIDs::setExternalSync:
            result.setInfo ("Set External Sync", {}, "General", 0);
            break;
        case CommandIDs::backUpAllSlots:
            result.setInfo ("Back Up All Slots...", {}, "General", 0);
            break;
        case CommandIDs::restoreAllSlots:
            result.setInfo ("Restore All Slots...", {}, "General", 0);
            break;
        case CommandIDs::verifyAfterSend:
            result.setInfo ("Verify After Send", {}, "General", 0);
            break;
        case CommandIDs::undo:
            result.setInfo ("Undo", {}, "General", 0);
            result.addDefaultKeypress ('z', command);
            break;
        case CommandIDs::redo:
            result.setInfo ("Redo", {}, "General", 0);
            result.addDefaultKeypress ('z', command | juce::ModifierKeys::shiftModifier);
            break;
        case CommandIDs::copyControlSettings:
            result.setInfo ("Copy Settings", {}, "General", 0);
            break;
        case CommandIDs::pasteControlSettings:
            result.setInfo ("Paste Settings", {}, "General", 0);
            break;
        case CommandIDs::pasteControlSettingsToAll:
            result.setInfo ("Paste Settings to All", {}, "General", 0);
            break;
        case CommandIDs::numberControlsAscending:
            result.setInfo ("Number Ascending From Here", {}, "General", 0);
            break;
        case CommandIDs::about:
            result.setInfo ("About", {}, "General", 0);
            break;
        case CommandIDs::deviceSetup:
            result.setInfo ("Device Setup", {}, "General", 0);
            break;
        case CommandIDs::minimise:
            result.setInfo ("Minimize", {}, "General", 0);
            result.addDefaultKeypress ('m', command);
            break;
        case CommandIDs::bringAllToFront:
            result.setInfo ("Bring All to Front", {}, "General", 0);
            break;
        case CommandIDs::openUserGuide:
            result.setInfo ("Open User Guide", {}, "General", 0);
            result.addDefaultKeypress ('h', command);
            break;
        default:
            break;
    }
}
