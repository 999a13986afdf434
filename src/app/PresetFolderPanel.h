#pragma once

#include "engine/PresetFolder.h"
#include "widgets/CustomLook.h"

#include <functional>
#include <juce_gui_basics/juce_gui_basics.h>

/** The side panel of preset files: the folder the user picked, a search box and a table of the
    presets in that folder (name, file name, date). A double-click opens a file; dragging a row
    starts an internal drag that names the file, for a parent that is a juce::DragAndDropContainer.
    While it shows, the panel looks at the folder about once a second and follows the files that
    come, change and go, keeping the selection and the search.

    The folder is read on a thread of the panel's own, so that a folder of many thousand files
    never holds up the window: its list shows once the first scan ends, and a look at a folder that
    has not changed since reads nothing. */
class PresetFolderPanel
    : public juce::Component
    , private juce::TableListBoxModel
    , private juce::Timer
{
public:
    using FolderChooser = std::function<juce::File (const juce::String& title, const juce::File& startFolder)>;

    enum ColumnIds
    {
        nameColumn = 1,
        fileColumn,
        dateColumn
    };

    //==============================================================================
    /** A panel on the folder remembered in the settings, or on the default folder; the chooser
        answers "Choose Folder..." (juce::File() when cancelled). */
    explicit PresetFolderPanel (juce::PropertySet& settings, FolderChooser chooseFolder = {});
    ~PresetFolderPanel() override;

    //==============================================================================
    /** Lists that folder from now on and remembers it in the settings. The folder is not created. */
    void setFolder (const juce::File& folder);
    const juce::File& getFolder() const noexcept { return folder; }

    /** Looks at the folder now rather than at the next tick; the list follows when the look ends. */
    void refresh();

    /** The entries shown, those that match the search, in the table's order. */
    const PresetFolder::Entries& getShownEntries() const noexcept { return *shownEntries; }

    /** The file of the selected row; juce::File() when none is selected. */
    juce::File getSelectedFile() const;

    /** Called with the file of a row that is double-clicked. */
    std::function<void (const juce::File&)> onOpenFile;

    //==============================================================================
    /** The description of a drag of that file, and the file such a description names
        (juce::File() for a description that is not one of these). */
    static juce::var createDragDescription (const juce::File& file);
    static juce::File fileOfDragDescription (const juce::var& description);

    /** The folder listed until the user picks another: "ZKM Presets" in the documents folder. */
    static juce::File getDefaultFolder();

    static constexpr const char* settingsKey = "presetFolder";
    static constexpr const char* dragPrefix = "preset-file:";
    static constexpr int rescanIntervalMs = 1000;

    //==============================================================================
    void paint (juce::Graphics&) override;
    void resized() override;

private:
    //==============================================================================
    int getNumRows() override;
    void paintRowBackground (juce::Graphics&, int row, int width, int height, bool isSelected) override;
    void paintCell (juce::Graphics&, int row, int columnId, int width, int height, bool isSelected) override;
    void cellDoubleClicked (int row, int columnId, const juce::MouseEvent&) override;
    juce::var getDragSourceDescription (const juce::SparseSet<int>& selectedRows) override;

    void timerCallback() override;

    //==============================================================================
    class Scanner;

    void chooseFolder();
    void applySearch();
    void showFolder (const juce::File& folderToShow);
    void showEntries (const juce::File& scannedFolder, std::shared_ptr<const PresetFolder::Entries> entries);

    juce::PropertySet& settings;
    FolderChooser folderChooser;
    juce::File folder;

    /** The last list of the folder that the scan handed over; nullptr until the first one comes. */
    std::shared_ptr<const PresetFolder::Entries> allEntries;
    std::shared_ptr<const PresetFolder::Entries> shownEntries = std::make_shared<const PresetFolder::Entries>();

    CustomLook look;
    juce::Label folderLabel;
    juce::TextButton chooseButton{ "Choose Folder..." };
    juce::TextEditor searchBox;
    juce::TableListBox table;
    juce::Label emptyNotice;

    // Last, so that it goes first: the scan stops before anything it could tell goes.
    std::unique_ptr<Scanner> scanner;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetFolderPanel)
};
