#include "app/CommandIDs.h"
#include "support/AppTestHelpers.h"

using apptest::ApplicationTest;

namespace
{
struct ExpectedCommand
{
    juce::CommandID id;
    const char* shortName;
    int keyCode;            // 0: no default key
    int extraModifiers = 0; // beside the command modifier
};

const ExpectedCommand applicationCommands[] = {
    { CommandIDs::about, "About", 0 },
    { CommandIDs::newWindow, "New Window ", 'n' },
    { CommandIDs::open, "Open", 'o' },
    { CommandIDs::deviceSetup, "Device Setup", 0 },
    { CommandIDs::closeWindow, "Close Window", 'w' },
    { CommandIDs::minimise, "Minimize", 'm' },
    { CommandIDs::bringAllToFront, "Bring All to Front", 0 },
    { CommandIDs::openUserGuide, "Open User Guide", 'h' },
    { CommandIDs::quit, "Quit", 'q' },
    { CommandIDs::verifyAfterSend, "Verify After Send", 0 },
    { CommandIDs::sendChangesOnly, "Send Changes Only", 0 },
    { CommandIDs::forgetSlotMemory, "Forget What the Slots Hold", 0 },
    { CommandIDs::showSlots, "Show Slots", 0 },
    { CommandIDs::slotsWindow, "Slots", 0 },
    { CommandIDs::midiMonitor, "MIDI Monitor", 0 },
    { CommandIDs::virtualControllerPanel, "Virtual Controller", 0 },
    { CommandIDs::followController, "Follow the Controller", 0 },
    { CommandIDs::checkBeforeSend, "Check Before Send", 0 },
    { CommandIDs::zoomIn, "Zoom In", '=' },
    { CommandIDs::zoomOut, "Zoom Out", '-' },
    { CommandIDs::actualSize, "Actual Size", '0' },
};

const ExpectedCommand windowCommands[] = {
    { CommandIDs::save, "Save", 's' },
    { CommandIDs::saveAs, "Save As", 0 },
    { CommandIDs::getPreset, "Get Preset", 0 },
    { CommandIDs::sendPreset, "Send Preset", 0 },
    { CommandIDs::closeWindow, "Close Window", 'w' },
    { CommandIDs::setInternalSync, "Set Internal Sync", 0 },
    { CommandIDs::setExternalSync, "Set External Sync", 0 },
    { CommandIDs::undo, "Undo", 'z' },
    { CommandIDs::redo, "Redo", 'z', juce::ModifierKeys::shiftModifier },
    { CommandIDs::copyControlSettings, "Copy Settings", 0 },
    { CommandIDs::pasteControlSettings, "Paste Settings", 0 },
    { CommandIDs::pasteControlSettingsToAll, "Paste Settings to All", 0 },
    { CommandIDs::numberControlsAscending, "Number Ascending From Here", 0 },
    { CommandIDs::backUpAllSlots, "Back Up All Slots...", 0 },
    { CommandIDs::restoreAllSlots, "Restore All Slots...", 0 },
    { CommandIDs::compareWithFile, "Compare With File...", 0 },
    { CommandIDs::compareWithSlot, "Compare With Slot...", 0 },
    { CommandIDs::sendWholePreset, "Send Whole Preset...", 0 },
    { CommandIDs::liveEditSlot, "Live Edit Slot...", 0 },
    { CommandIDs::checkPreset, "Check Preset", 0 },
};

void expectCommands (juce::ApplicationCommandTarget& target, const ExpectedCommand* expected, int numExpected)
{
    juce::Array<juce::CommandID> commands;
    target.getAllCommands (commands);
    ASSERT_EQ (commands.size(), numExpected);

    for (int i = 0; i < numExpected; ++i)
    {
        SCOPED_TRACE (expected[i].shortName);
        EXPECT_EQ (commands[i], expected[i].id);

        juce::ApplicationCommandInfo info (commands[i]);
        target.getCommandInfo (commands[i], info);
        EXPECT_EQ (info.shortName, juce::String (expected[i].shortName));
        EXPECT_EQ (info.categoryName, juce::String ("General"));
        EXPECT_TRUE (info.description.isEmpty());
        // With nothing done yet, there is nothing to undo or redo; with no field focused, no control's
        // settings to copy, paste or number. "Verify After Send" and "Send Changes Only" are ticked until
        // the user turns them off, and so is "Follow the Controller"; "Check Before Send" is off.
        const auto needsHistoryOrFocus = expected[i].id == CommandIDs::undo || expected[i].id == CommandIDs::redo
                                         || expected[i].id == CommandIDs::copyControlSettings
                                         || expected[i].id == CommandIDs::pasteControlSettings
                                         || expected[i].id == CommandIDs::pasteControlSettingsToAll
                                         || expected[i].id == CommandIDs::numberControlsAscending
                                         // started without the virtual controller, nothing to play
                                         || expected[i].id == CommandIDs::virtualControllerPanel
                                         // at the actual size already
                                         || expected[i].id == CommandIDs::actualSize;
        const auto expectedFlags = needsHistoryOrFocus ? juce::ApplicationCommandInfo::isDisabled
                                   : expected[i].id == CommandIDs::verifyAfterSend
                                           || expected[i].id == CommandIDs::sendChangesOnly
                                           || expected[i].id == CommandIDs::followController
                                       ? juce::ApplicationCommandInfo::isTicked
                                       : 0;
        EXPECT_EQ (info.flags, expectedFlags);

        if (expected[i].keyCode == 0)
        {
            EXPECT_TRUE (info.defaultKeypresses.isEmpty());
        }
        else
        {
            // The first key is the one the menu shows ("Zoom In" has "+" as well).
            ASSERT_FALSE (info.defaultKeypresses.isEmpty());
            EXPECT_EQ (info.defaultKeypresses.size(), expected[i].id == CommandIDs::zoomIn ? 3 : 1);
            EXPECT_EQ (info.defaultKeypresses[0],
                       juce::KeyPress (expected[i].keyCode,
                                       juce::ModifierKeys::commandModifier | expected[i].extraModifiers, 0));
        }
    }
}

/** The command identifiers of a menu, 0 for a separator, -1 for a sub-menu. */
juce::Array<int> menuEntries (const juce::PopupMenu& menu, juce::StringArray* subMenuNames = nullptr)
{
    juce::Array<int> entries;

    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
    {
        const auto& item = it.getItem();

        if (item.isSeparator)
            entries.add (0);
        else if (item.subMenu != nullptr)
        {
            entries.add (-1);

            if (subMenuNames != nullptr)
                subMenuNames->add (item.text);
        }
        else
            entries.add (item.itemID);
    }

    return entries;
}
} // namespace

//==============================================================================
TEST (CommandIDs, HaveTheirFixedValues)
{
    EXPECT_EQ (CommandIDs::newWindow, 0x200010);
    EXPECT_EQ (CommandIDs::open, 0x200020);
    EXPECT_EQ (CommandIDs::closeWindow, 0x200030);
    EXPECT_EQ (CommandIDs::save, 0x200040);
    EXPECT_EQ (CommandIDs::saveAs, 0x200050);
    EXPECT_EQ (CommandIDs::quit, 0x200060);
    EXPECT_EQ (CommandIDs::getPreset, 0x200070);
    EXPECT_EQ (CommandIDs::sendPreset, 0x200071);
    EXPECT_EQ (CommandIDs::setInternalSync, 0x200072);
    EXPECT_EQ (CommandIDs::setExternalSync, 0x200073);
    EXPECT_EQ (CommandIDs::about, 0x200090);
    EXPECT_EQ (CommandIDs::deviceSetup, 0x200310);
    EXPECT_EQ (CommandIDs::minimise, 0x200410);
    EXPECT_EQ (CommandIDs::bringAllToFront, 0x200420);
    EXPECT_EQ (CommandIDs::openUserGuide, 0x200510);
}

TEST_F (ApplicationTest, ApplicationRegistersItsCommandsWithNamesAndKeysInOrder)
{
    expectCommands (*application, applicationCommands, juce::numElementsInArray (applicationCommands));

    EXPECT_EQ (application->getApplicationName(), juce::String ("Quenlo ZKM Editor"));
    EXPECT_EQ (application->getApplicationVersion(), juce::String ("1.0.2"));
    // One editor per user and display is kept by RunningInstance, not by the framework's lock.
    EXPECT_TRUE (application->moreThanOneInstanceAllowed());
    EXPECT_EQ (application->getNextCommandTarget(), nullptr);
}

TEST_F (ApplicationTest, DocumentWindowRegistersItsCommandsWithNamesAndKeysInOrder)
{
    expectCommands (window (0), windowCommands, juce::numElementsInArray (windowCommands));
}

TEST_F (ApplicationTest, CommandManagerKnowsEveryCommandAndItsShortcut)
{
    auto* commandManager = application->getCommandManager();
    ASSERT_NE (commandManager, nullptr);

    for (const auto& command : applicationCommands)
        EXPECT_NE (commandManager->getCommandForID (command.id), nullptr) << command.shortName;

    for (const auto& command : windowCommands)
        EXPECT_NE (commandManager->getCommandForID (command.id), nullptr) << command.shortName;

    const auto saveKeys = commandManager->getKeyMappings()->getKeyPressesAssignedToCommand (CommandIDs::save);
    ASSERT_EQ (saveKeys.size(), 1);
    EXPECT_EQ (saveKeys[0], juce::KeyPress ('s', juce::ModifierKeys::commandModifier, 0));
}

TEST_F (ApplicationTest, PerformAnswersTrueForEveryCommand)
{
    juce::ApplicationCommandTarget::InvocationInfo info (CommandIDs::closeWindow);
    EXPECT_TRUE (application->perform (info));
    EXPECT_EQ (windowManager().getWindows().size(), 1); // the application does nothing with it

    info.commandID = 0x123456;
    EXPECT_TRUE (application->perform (info));
}

TEST_F (ApplicationTest, MenuBarHasSixMenusWithTheirCommandsInOrder)
{
    auto* model = application->getMainMenuModel();
    ASSERT_NE (model, nullptr);
    EXPECT_EQ (model->getMenuBarNames(), juce::StringArray ("File", "Edit", "View", "Options", "Window", "Help"));

    juce::StringArray subMenuNames;
    EXPECT_EQ (menuEntries (model->getMenuForIndex (0, "File"), &subMenuNames),
               juce::Array<int> ({ CommandIDs::newWindow, CommandIDs::open, CommandIDs::closeWindow, CommandIDs::save,
                                   CommandIDs::saveAs, CommandIDs::compareWithFile, CommandIDs::compareWithSlot, -1, 0,
                                   CommandIDs::quit }));
    EXPECT_EQ (subMenuNames, juce::StringArray ("Hardware"));

    EXPECT_EQ (menuEntries (model->getMenuForIndex (1, "Edit")),
               juce::Array<int> ({ CommandIDs::undo, CommandIDs::redo, 0, CommandIDs::copyControlSettings,
                                   CommandIDs::pasteControlSettings, CommandIDs::pasteControlSettingsToAll,
                                   CommandIDs::numberControlsAscending, 0, CommandIDs::checkPreset }));
    EXPECT_EQ (menuEntries (model->getMenuForIndex (2, "View")),
               juce::Array<int> ({ CommandIDs::zoomIn, CommandIDs::zoomOut, CommandIDs::actualSize }));
    EXPECT_EQ (menuEntries (model->getMenuForIndex (3, "Options")),
               juce::Array<int> ({ CommandIDs::deviceSetup, CommandIDs::verifyAfterSend, CommandIDs::sendChangesOnly,
                                   CommandIDs::followController, CommandIDs::checkBeforeSend }));
    EXPECT_EQ (menuEntries (model->getMenuForIndex (4, "Window")),
               juce::Array<int> ({ CommandIDs::minimise, CommandIDs::bringAllToFront, 0, CommandIDs::slotsWindow,
                                   CommandIDs::midiMonitor, CommandIDs::virtualControllerPanel }));
    EXPECT_EQ (menuEntries (model->getMenuForIndex (5, "Help")),
               juce::Array<int> ({ CommandIDs::openUserGuide, 0, CommandIDs::about }));
}

TEST_F (ApplicationTest, HardwareSubMenuHoldsGetSendTheTwoSyncCommandsBackUpRestoreAndLiveEdit)
{
    const auto fileMenu = application->getMainMenuModel()->getMenuForIndex (0, "File");
    const juce::PopupMenu* hardware = nullptr;

    for (juce::PopupMenu::MenuItemIterator it (fileMenu); it.next();)
        if (it.getItem().subMenu != nullptr)
            hardware = it.getItem().subMenu.get();

    ASSERT_NE (hardware, nullptr);
    EXPECT_EQ (menuEntries (*hardware), juce::Array<int> ({ CommandIDs::getPreset, CommandIDs::sendPreset,
                                                            CommandIDs::sendWholePreset, CommandIDs::liveEditSlot, 0,
                                                            CommandIDs::setInternalSync, CommandIDs::setExternalSync, 0,
                                                            CommandIDs::backUpAllSlots, CommandIDs::restoreAllSlots, 0,
                                                            CommandIDs::forgetSlotMemory, 0, CommandIDs::showSlots }));

    // Entries are command items that show the command's name and carry the command manager.
    for (juce::PopupMenu::MenuItemIterator it (*hardware); it.next();)
    {
        if (! it.getItem().isSeparator)
        {
            EXPECT_EQ (it.getItem().commandManager, application->getCommandManager());
        }
    }

    juce::PopupMenu::MenuItemIterator first (*hardware);
    ASSERT_TRUE (first.next());
    EXPECT_EQ (first.getItem().text, juce::String ("Get Preset"));
}

TEST_F (ApplicationTest, BothSlotsCommandsShowTheOneSlotsWindow)
{
    EXPECT_EQ (application->getSlotsWindow(), nullptr);
    EXPECT_TRUE (application->perform (juce::ApplicationCommandTarget::InvocationInfo (CommandIDs::slotsWindow)));
    auto* slots = application->getSlotsWindow();
    ASSERT_NE (slots, nullptr);
    EXPECT_EQ (slots->getName(), "Slots");

    EXPECT_TRUE (application->perform (juce::ApplicationCommandTarget::InvocationInfo (CommandIDs::showSlots)));
    EXPECT_EQ (application->getSlotsWindow(), slots);

    slots->closeButtonPressed();
    EXPECT_EQ (application->getSlotsWindow(), nullptr);
}

TEST_F (ApplicationTest, DocumentCommandsReachTheDocumentWindowAndOthersTheApplication)
{
    auto& editor = window (0);
    auto* commandManager = application->getCommandManager();

    // What the command manager falls back to when the focus lies in a document window.
    EXPECT_EQ (juce::ApplicationCommandManager::findTargetForComponent (editor.getContentComponent())
                   ->getTargetForCommand (CommandIDs::save),
               &editor);
    EXPECT_EQ (editor.getTargetForCommand (CommandIDs::newWindow), application.get());
    EXPECT_EQ (editor.getTargetForCommand (CommandIDs::closeWindow), &editor);
    EXPECT_NE (commandManager->getCommandForID (CommandIDs::sendPreset), nullptr);
}
