#include "model/LayoutControl.h"

//==============================================================================
LayoutControl::LayoutControl (ControlType controlType, int offset)
    : Control (PresetLayout::getBlockLength (controlType), offset)
    , type (controlType)
{
    for (const auto& parameter : PresetLayout::getParameters (type))
        parameterNames.add (parameter.name);
}

//==============================================================================
juce::uint8 LayoutControl::getMaximum (juce::String parameterName)
{
    return PresetLayout::getMaximum (type, parameterName);
}

int LayoutControl::getIndex (juce::String parameterName) { return PresetLayout::getByte (type, parameterName); }
