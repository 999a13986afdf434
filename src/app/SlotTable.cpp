#include "app/SlotTable.h"

#include "app/DarkTable.h"
#include "model/ZKMModel.h"
#include "widgets/EditorColours.h"

namespace
{
const juce::String slotDragPrefix = "slot:";

enum Column
{
    slotColumn = 1,
    nameColumn,
    stateColumn
};

const juce::Colour textColour{ 0xffe8e8e8 };
const juce::Colour quietTextColour{ 0xff9aa3ad };
} // namespace

int SlotTable::slotOfDragDescription (const juce::var& description)
{
    const auto text = description.toString();

    if (! text.startsWith (slotDragPrefix))
        return -1;

    const auto number = text.substring (slotDragPrefix.length());
    const auto slot = number.getIntValue();
    return number.containsOnly ("0123456789") && juce::isPositiveAndBelow (slot, ZKMModel::numberOfSlots) ? slot : -1;
}

SlotTable::SlotTable()
{
    auto& header = table.getHeader();
    header.addColumn ("Slot", slotColumn, 44, 44, 44, juce::TableHeaderComponent::notResizableOrSortable);
    header.addColumn ("Name", nameColumn, 170, 100, 300, juce::TableHeaderComponent::notSortable);
    header.addColumn ("State", stateColumn, 190, 100, 400, juce::TableHeaderComponent::notSortable);
    header.setStretchToFitActive (true);
    header.setColour (juce::TableHeaderComponent::backgroundColourId, EditorColours::listHeader);
    header.setColour (juce::TableHeaderComponent::textColourId, EditorColours::white);
    header.setColour (juce::TableHeaderComponent::outlineColourId, EditorColours::listAlternateRow);

    table.setRowHeight (20);
    table.setColour (juce::ListBox::backgroundColourId, EditorColours::listAlternateRow);
    table.setColour (juce::ListBox::outlineColourId, EditorColours::listHeader);
    table.setOutlineThickness (1);
    addAndMakeVisible (table);
}

SlotTable::~SlotTable() = default;

int SlotTable::getSelectedSlot() const { return table.getSelectedRow(); }

void SlotTable::selectSlot (int slot) { table.selectRow (slot); }

void SlotTable::refresh()
{
    table.updateContent();
    table.repaint();
}

int SlotTable::getSlotAt (juce::Point<int> position) const
{
    const auto inTable = table.getLocalPoint (this, position);
    const auto row = table.getRowContainingPosition (inTable.x, inTable.y);
    return juce::isPositiveAndBelow (row, ZKMModel::numberOfSlots) ? row : -1;
}

void SlotTable::resized() { table.setBounds (getLocalBounds()); }

//==============================================================================
int SlotTable::getNumRows() { return ZKMModel::numberOfSlots; }

void SlotTable::paintRowBackground (juce::Graphics& g, int row, int, int, bool selected)
{
    DarkTable::paintRowBackground (g, row, selected);
}

void SlotTable::paintCell (juce::Graphics& g, int row, int column, int width, int height, bool selected)
{
    juce::String text;

    if (column == slotColumn)
        text = juce::String (row + 1);
    else if (column == nameColumn && getNameText != nullptr)
        text = getNameText (row);
    else if (column == stateColumn && getStateText != nullptr)
        text = getStateText (row);

    g.setColour (column == stateColumn && ! selected ? quietTextColour : textColour);
    g.setFont (juce::Font (14.0f, column == nameColumn ? juce::Font::bold : juce::Font::plain));
    g.drawText (text, 6, 0, width - 10, height,
                column == slotColumn ? juce::Justification::centredRight : juce::Justification::centredLeft, true);
}

void SlotTable::cellClicked (int row, int, const juce::MouseEvent& event)
{
    if (event.mods.isPopupMenu() && onRightClick != nullptr)
        onRightClick (row);
}

void SlotTable::cellDoubleClicked (int row, int, const juce::MouseEvent&)
{
    if (onDoubleClick != nullptr)
        onDoubleClick (row);
}

void SlotTable::selectedRowsChanged (int)
{
    if (onSelectionChanged != nullptr)
        onSelectionChanged();
}

juce::var SlotTable::getDragSourceDescription (const juce::SparseSet<int>& rowsToDescribe)
{
    return rowsToDescribe.size() == 1 ? juce::var (slotDragPrefix + juce::String (rowsToDescribe[0])) : juce::var();
}

//==============================================================================
bool SlotTable::isInterestedInDragSource (const SourceDetails& details)
{
    return slotOfDragDescription (details.description) >= 0
           || (isInterestedInOtherDrag != nullptr && isInterestedInOtherDrag (details.description));
}

void SlotTable::itemDragMove (const SourceDetails& details) { showDropTarget (getSlotAt (details.localPosition)); }

void SlotTable::itemDragExit (const SourceDetails&) { showDropTarget (-1); }

void SlotTable::itemDropped (const SourceDetails& details)
{
    showDropTarget (-1);
    const auto target = getSlotAt (details.localPosition);

    if (target < 0)
        return;

    const auto source = slotOfDragDescription (details.description);

    if (source >= 0)
    {
        if (source != target && onSlotDropped != nullptr)
            onSlotDropped (source, target);
    }
    else if (onOtherDrop != nullptr)
    {
        onOtherDrop (target, details.description);
    }
}

bool SlotTable::isInterestedInFileDrag (const juce::StringArray&) { return true; }

void SlotTable::fileDragMove (const juce::StringArray&, int x, int y) { showDropTarget (getSlotAt ({ x, y })); }

void SlotTable::fileDragExit (const juce::StringArray&) { showDropTarget (-1); }

void SlotTable::filesDropped (const juce::StringArray& files, int x, int y)
{
    showDropTarget (-1);
    const auto target = getSlotAt ({ x, y });

    if (target >= 0 && onFilesDropped != nullptr)
        onFilesDropped (target, files);
}

void SlotTable::showDropTarget (int slot)
{
    if (slot == dropTarget)
        return;

    dropTarget = slot;
    repaint();
}

void SlotTable::paintOverChildren (juce::Graphics& g)
{
    if (dropTarget < 0)
        return;

    // The row a drop would land on, framed.
    const auto rowArea = table.getRowPosition (dropTarget, true);
    const auto area = getLocalArea (&table, rowArea).reduced (1);
    g.setColour (EditorColours::blue.brighter (0.4f));
    g.drawRect (area, 2);
}
