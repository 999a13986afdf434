#pragma once

#include "app/PresetFolderPanel.h"
#include "app/SlotJobs.h"
#include "app/SlotTable.h"
#include "app/TransferStatusBar.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <optional>

/** The content of the Slots window: the 24 slots of the controller with their names and what the
    editor knows of them, the actions on a slot, the job under way with "Cancel" or how the last
    one ended, and the preset folder beside them. Presets are dragged from the folder, from the file
    manager or from another row onto a slot. Every question is a replaceable step, as in the
    document windows, and the window may close while one is open. */
class SlotsComponent
    : public juce::Component
    , public juce::DragAndDropContainer
    , private juce::Timer
{
public:
    /** The engine is the window's own; settings keep the preset folder. */
    SlotsComponent (ZKEditorEngine::Ptr engine, juce::PropertySet& settings);
    ~SlotsComponent() override;

    //==============================================================================
    /** The steps that ask the user, replaceable by tests. A slot is 0 to 23, -1 when cancelled
        (the chooser shows suggestedSlot at first); a question answers the index of the button
        pressed, -1 when it was closed. */
    std::function<int (const juce::String& title, const juce::String& message, const juce::String& action,
                       int suggestedSlot)>
        chooseSlot;
    std::function<std::optional<juce::String> (const juce::String& slotTitle, const juce::String& name)> askName;
    std::function<int (const juce::String& title, const juce::String& message, const juce::StringArray& buttons)>
        askQuestion;
    std::function<juce::File (const juce::String& title, const juce::File& startFolder, const juce::String& pattern,
                              bool forSaving)>
        chooseFile;

    /** What the application does for the window: open a slot or a file in a new document window,
        and tell the preset of the active document window (empty when there is none) and its name. */
    std::function<void (int slot)> onOpenSlot;
    std::function<void (const juce::File& file)> onOpenFile;
    std::function<juce::Array<juce::uint8>()> getActiveWindowImage;

    /** The folder of the last backup, to tell the slots that still hold what it holds. */
    std::function<juce::File()> getBackupFolder;

    //==============================================================================
    void readNames();
    void openSlot (int slot);
    void sendActiveWindowTo (int slot);
    void copySlot (int slot);
    void swapSlot (int slot);
    void renameSlot (int slot);
    void backUpSlot (int slot);

    /** Files dropped onto a slot: one preset file is sent there once the user agrees. */
    void dropFiles (int slot, const juce::StringArray& files);

    /** A row dropped onto another: the user picks Copy or Swap. */
    void dropSlot (int fromSlot, int toSlot);

    /** The texts of a slot's row. */
    juce::String getNameText (int slot) const;
    juce::String getStateText (int slot) const;

    /** Reads the backup folder's files again, to compare the slots with them. */
    void refreshBackup();

    SlotJobs& getJobs() noexcept { return jobs; }
    SlotTable& getTable() noexcept { return table; }
    TransferStatusBar& getStatusBar() noexcept { return statusBar; }
    PresetFolderPanel& getFolderPanel() noexcept { return folderPanel; }
    juce::TextButton* findButton (const juce::String& name);

    //==============================================================================
    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    void timerCallback() override;
    void reportIfNotStarted (bool started);
    void jobChanged();
    void jobFinished();
    void updateButtons();
    void showSlotMenu (int slot);
    void sendFile (int slot, const juce::File& file);

    /** Copy To Slot... or Swap With Slot...: asks for the other slot, then starts the job. */
    void pairWithSlot (int slot, bool swap);
    juce::String describeSlot (int slot) const;

    ZKEditorEngine::Ptr engine;
    SlotJobs jobs;
    SlotTable table;
    TransferStatusBar statusBar;
    PresetFolderPanel folderPanel;
    juce::TextButton readNamesButton{ "Read Names" };
    juce::OwnedArray<juce::TextButton> actionButtons;

    juce::File backupFolder;
    juce::Array<juce::Array<juce::uint8>> backupImages;
    juce::Array<juce::Time> backupTimes;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SlotsComponent)
};
