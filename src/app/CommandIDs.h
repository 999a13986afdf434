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
    sendWholePreset = 0x200076,
    forgetSlotMemory = 0x200077,
    liveEditSlot = 0x200078,
    showSlots = 0x200079,
    undo = 0x200080,
    redo = 0x200081,
    copyControlSettings = 0x200082,
    pasteControlSettings = 0x200083,
    pasteControlSettingsToAll = 0x200084,
    numberControlsAscending = 0x200085,
    checkPreset = 0x200088,
    zoomIn = 0x2000a0,
    zoomOut = 0x2000a1,
    actualSize = 0x2000a2,
    about = 0x200090,
    deviceSetup = 0x200310,
    verifyAfterSend = 0x200320,
    sendChangesOnly = 0x200321,
    followController = 0x200326,
    checkBeforeSend = 0x200327,
    minimise = 0x200410,
    bringAllToFront = 0x200420,
    slotsWindow = 0x200430,
    midiMonitor = 0x200435,
    virtualControllerPanel = 0x200440,
    openUserGuide = 0x200510
};

/** The short name and default key of a command, the same wherever the command is registered; every
    command is in the category "General", has no description and is active. */
inline void fillCommandInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result)
{
    constexpr int command = juce::ModifierKeys::commandModifier;
    constexpr int shift = juce::ModifierKeys::shiftModifier;

    struct Entry
    {
        CommandIDs commandID;
        const char* shortName;
        int key; // 0: no default key
        int modifiers;
    };

    static const Entry entries[] = {
        { newWindow, "New Window ", 'n', command },
        { open, "Open", 'o', command },
        { closeWindow, "Close Window", 'w', command },
        { save, "Save", 's', command },
        { saveAs, "Save As", 0, 0 },
        { compareWithFile, "Compare With File...", 0, 0 },
        { compareWithSlot, "Compare With Slot...", 0, 0 },
        { quit, "Quit", 'q', command },
        { getPreset, "Get Preset", 0, 0 },
        { sendPreset, "Send Preset", 0, 0 },
        { sendWholePreset, "Send Whole Preset...", 0, 0 },
        { forgetSlotMemory, "Forget What the Slots Hold", 0, 0 },
        { setInternalSync, "Set Internal Sync", 0, 0 },
        { setExternalSync, "Set External Sync", 0, 0 },
        { backUpAllSlots, "Back Up All Slots...", 0, 0 },
        { restoreAllSlots, "Restore All Slots...", 0, 0 },
        { liveEditSlot, "Live Edit Slot...", 0, 0 },
        { showSlots, "Show Slots", 0, 0 },
        { verifyAfterSend, "Verify After Send", 0, 0 },
        { sendChangesOnly, "Send Changes Only", 0, 0 },
        { undo, "Undo", 'z', command },
        { redo, "Redo", 'z', command | shift },
        { copyControlSettings, "Copy Settings", 0, 0 },
        { pasteControlSettings, "Paste Settings", 0, 0 },
        { pasteControlSettingsToAll, "Paste Settings to All", 0, 0 },
        { numberControlsAscending, "Number Ascending From Here", 0, 0 },
        { checkPreset, "Check Preset", 0, 0 },
        { zoomIn, "Zoom In", '=', command },
        { zoomOut, "Zoom Out", '-', command },
        { actualSize, "Actual Size", '0', command },
        { followController, "Follow the Controller", 0, 0 },
        { checkBeforeSend, "Check Before Send", 0, 0 },
        { about, "About", 0, 0 },
        { deviceSetup, "Device Setup", 0, 0 },
        { minimise, "Minimize", 'm', command },
        { bringAllToFront, "Bring All to Front", 0, 0 },
        { slotsWindow, "Slots", 0, 0 },
        { midiMonitor, "MIDI Monitor", 0, 0 },
        { virtualControllerPanel, "Virtual Controller", 0, 0 },
        { openUserGuide, "Open User Guide", 'h', command },
    };

    for (const auto& entry : entries)
    {
        if (entry.commandID != commandID)
            continue;

        result.setInfo (entry.shortName, {}, "General", 0);

        if (entry.key != 0)
            result.addDefaultKeypress (entry.key, juce::ModifierKeys (entry.modifiers));

        // "+" zooms in too: a key of its own on some keyboards, Shift and "=" on others.
        if (commandID == zoomIn)
        {
            result.addDefaultKeypress ('+', juce::ModifierKeys (command));
            result.addDefaultKeypress ('+', juce::ModifierKeys (command | shift));
        }

        return;
    }
}
