#include "model/ZKPresetName.h"

namespace
{
// "Preset Name 1" addresses the first character, "Preset Name 16" the last.
const char* const namePrefix = "Preset Name ";
constexpr juce::uint8 characterCodeMaximum = 127;
} // namespace

//==============================================================================
ZKPresetName::ZKPresetName()
    : Control (blockLength, fixedOffset)
{
    for (int position = 1; position <= blockLength; ++position)
        parameterNames.add (namePrefix + juce::String (position));
}

//==============================================================================
juce::uint8 ZKPresetName::getMaximum (juce::String)
{
    // Every name answers with the character range; a name without a byte is still refused by
    // setValue, which finds no position for it.
    return characterCodeMaximum;
}

int ZKPresetName::getIndex (juce::String parameterName) { return getIndexFromNameList (parameterName); }
