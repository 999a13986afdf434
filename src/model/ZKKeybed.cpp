#include "model/ZKKeybed.h"

//==============================================================================
ZKKeybed::ZKKeybed (juce::uint8 splitPointMax, juce::uint8 octaveMax)
    : LayoutControl (Keybed, PresetLayout::getFirstOffset (Keybed))
    , splitPointMaximum (splitPointMax)
    , octaveMaximum (octaveMax)
{
}

//==============================================================================
juce::uint8 ZKKeybed::getMaximum (juce::String parameterName)
{
    const auto* range = PresetLayout::findRange (Keybed, parameterName);

    if (range == &PresetLayout::splitPointRange)
        return splitPointMaximum;

    if (range == &PresetLayout::octaveRange)
        return octaveMaximum;

    return LayoutControl::getMaximum (parameterName);
}
