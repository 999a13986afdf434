#pragma once

#include "widgets/EditorColours.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The dark tables of the MIDI monitor and the preset folder: rows, outline and header in the list
    shades of the editor's colours, and resizable columns stretched to the table's width. */
namespace DarkTable
{
struct Column
{
    const char* name;
    int id;
    int width;
};

inline void style (juce::TableListBox& table, int rowHeight, int minimumColumnWidth,
                   std::initializer_list<Column> columns)
{
    table.setRowHeight (rowHeight);
    table.setColour (juce::ListBox::backgroundColourId, EditorColours::listRow);
    table.setColour (juce::ListBox::outlineColourId, EditorColours::listHeader);
    table.setOutlineThickness (1);

    auto& header = table.getHeader();
    const auto flags = juce::TableHeaderComponent::visible | juce::TableHeaderComponent::resizable;

    for (const auto& column : columns)
        header.addColumn (column.name, column.id, column.width, minimumColumnWidth, -1, flags);

    header.setStretchToFitActive (true);
    header.setColour (juce::TableHeaderComponent::backgroundColourId, EditorColours::listHeader);
    header.setColour (juce::TableHeaderComponent::textColourId, EditorColours::white);
    header.setColour (juce::TableHeaderComponent::outlineColourId, EditorColours::listPanel);
    header.setColour (juce::TableHeaderComponent::highlightColourId, EditorColours::blue);
}

/** A row's background: blue when selected, otherwise the two row shades in turn. */
inline void paintRowBackground (juce::Graphics& g, int row, bool isSelected)
{
    if (isSelected)
        g.fillAll (EditorColours::blue);
    else
        g.fillAll (row % 2 == 0 ? EditorColours::listRow : EditorColours::listAlternateRow);
}
} // namespace DarkTable
