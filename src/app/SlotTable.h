#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** The 24 rows of the Slots window: slot number, preset name and what the editor knows of the
    slot. A row can be dragged onto another, and preset files can be dropped onto a row, from the
    file manager or from the preset folder list. The table asks its owner for each row's texts and
    tells it what the user did. */
class SlotTable
    : public juce::Component
    , public juce::DragAndDropTarget
    , public juce::FileDragAndDropTarget
    , private juce::TableListBoxModel
{
public:
    /** The description of a drag that carries a row: "slot:" and the slot, 0 to 23. */
    static int slotOfDragDescription (const juce::var& description);

    SlotTable();
    ~SlotTable() override;

    /** The slot (0 to 23) selected, -1 when none is. */
    int getSelectedSlot() const;
    void selectSlot (int slot);

    /** Fetches every row's texts again. */
    void refresh();

    juce::TableListBox& getListBox() noexcept { return table; }

    /** The row under a point of this component, -1 when none is. */
    int getSlotAt (juce::Point<int> position) const;

    //==============================================================================
    std::function<juce::String (int slot)> getNameText;
    std::function<juce::String (int slot)> getStateText;

    std::function<void()> onSelectionChanged;
    std::function<void (int slot)> onDoubleClick;
    std::function<void (int slot)> onRightClick;
    std::function<void (int slot, const juce::StringArray& files)> onFilesDropped;
    std::function<void (int fromSlot, int toSlot)> onSlotDropped;

    /** A drag this table does not know: the slot it was dropped on and its description; true when
        the owner took it. */
    std::function<bool (const juce::var& description)> isInterestedInOtherDrag;
    std::function<void (int slot, const juce::var& description)> onOtherDrop;

    //==============================================================================
    void resized() override;

    bool isInterestedInDragSource (const SourceDetails& details) override;
    void itemDragMove (const SourceDetails& details) override;
    void itemDragExit (const SourceDetails& details) override;
    void itemDropped (const SourceDetails& details) override;

    bool isInterestedInFileDrag (const juce::StringArray& files) override;
    void fileDragMove (const juce::StringArray& files, int x, int y) override;
    void fileDragExit (const juce::StringArray& files) override;
    void filesDropped (const juce::StringArray& files, int x, int y) override;

    void paintOverChildren (juce::Graphics& g) override;

private:
    int getNumRows() override;
    void paintRowBackground (juce::Graphics& g, int row, int width, int height, bool selected) override;
    void paintCell (juce::Graphics& g, int row, int column, int width, int height, bool selected) override;
    void cellDoubleClicked (int row, int column, const juce::MouseEvent& event) override;
    void cellClicked (int row, int column, const juce::MouseEvent& event) override;
    void selectedRowsChanged (int lastRowSelected) override;
    juce::var getDragSourceDescription (const juce::SparseSet<int>& rowsToDescribe) override;

    void showDropTarget (int slot);

    juce::TableListBox table{ "Slots", this };
    int dropTarget = -1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SlotTable)
};
