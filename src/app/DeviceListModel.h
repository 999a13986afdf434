#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The device names that one list of the device setup dialog shows, in the order the device layer
    lists them. */
class DeviceListModel : public juce::ListBoxModel
{
public:
    int getNumRows() override;

    /** A selected row is white with black text; the others show white text on the list field. */
    void paintListBoxItem (int row, juce::Graphics& g, int width, int height, bool rowIsSelected) override;

    juce::StringArray names;
};
