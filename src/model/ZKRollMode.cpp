#include "model/ZKRollMode.h"

namespace
{
constexpr juce::uint8 functionMaximum = 1;     // 0 toggle, 1 momentary
constexpr juce::uint8 timeDivisionMaximum = 7; // 1/4, 1/4T ... 1/32T
constexpr juce::uint8 gateMaximum = 98;        // shown 1 to 99
constexpr juce::uint8 swingMaximum = 24;       // shown 50 to 74
} // namespace

//==============================================================================
ZKRollMode::ZKRollMode()
    : Control (blockLength, fixedOffset)
{
    parameterNames.addArray ({ "Function", "Time Div", "Gate", "Swing" });
}

//==============================================================================
juce::uint8 ZKRollMode::getMaximum (juce::String parameterName)
{
    if (parameterName == "Function")
        return functionMaximum;

    if (parameterName == "Time Div")
        return timeDivisionMaximum;

    if (parameterName == "Gate")
        return gateMaximum;

    if (parameterName == "Swing")
        return swingMaximum;

    return Control::getMaximum (parameterName);
}

int ZKRollMode::getIndex (juce::String parameterName) { return getIndexFromNameList (parameterName); }
