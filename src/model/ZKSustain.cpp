#include "model/ZKSustain.h"

//==============================================================================
ZKSustain::ZKSustain()
    : Control (blockLength, fixedOffset)
{
    // "Pressed" and "Released" are the values sent when the pedal goes down and up.
    parameterNames.addArray ({ "CC", "Pressed", "Released", "MIDI Channel" });
}

//==============================================================================
int ZKSustain::getIndex (juce::String parameterName) { return getIndexFromNameList (parameterName); }
