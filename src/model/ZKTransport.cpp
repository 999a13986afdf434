#include "model/ZKTransport.h"

namespace
{
constexpr juce::uint8 functionMaximum = 1; // 0 momentary, 1 toggle
} // namespace

//==============================================================================
ZKTransport::ZKTransport (int offset)
    : Control (blockLength, offset)
{
    parameterNames.addArray ({ "Function", "CC" });
}

//==============================================================================
juce::uint8 ZKTransport::getMaximum (juce::String parameterName)
{
    if (parameterName.contains ("Function"))
        return functionMaximum;

    return Control::getMaximum (parameterName);
}

int ZKTransport::getIndex (juce::String parameterName) { return getIndexFromNameList (parameterName); }
