#include "app/DeviceListModel.h"

namespace
{
constexpr float fontHeightPerRowHeight = 0.7f;
constexpr int textIndent = 5;
} // namespace

int DeviceListModel::getNumRows() { return names.size(); }

void DeviceListModel::paintListBoxItem (int row, juce::Graphics& g, int width, int height, bool rowIsSelected)
{
    if (rowIsSelected)
    {
        g.fillAll (juce::Colours::white);
        g.setColour (juce::Colours::black);
    }
    else
    {
        g.setColour (juce::Colours::white);
    }

    g.setFont (static_cast<float> (height) * fontHeightPerRowHeight);
    g.drawText (names[row], textIndent, 0, width, height, juce::Justification::centredLeft, true);
}
