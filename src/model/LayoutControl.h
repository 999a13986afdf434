#pragma once

#include "model/Control.h"
#include "model/PresetLayout.h"

/** A control whose names, bytes and maxima are those of its type in the preset layout: the names in
    table order, each addressing its byte of the block, with the range of its entry or, for a name that
    the type does not have, of the first name family that it belongs to. */
class LayoutControl : public Control
{
public:
    LayoutControl (ControlType type, int offset);
    ~LayoutControl() override = default;

    //==============================================================================
    /** The largest value accepted under that name, 0 for a name outside the type's table and families. */
    juce::uint8 getMaximum (juce::String parameterName) override;

    /** The position in the block of the byte that the name addresses, -1 for a name of another type. */
    int getIndex (juce::String parameterName) override;

private:
    const ControlType type;

    JUCE_LEAK_DETECTOR (LayoutControl)
};
