#pragma once

#include "views/ColumnControlView.h"
#include "widgets/SingleParameterControllerNumberBox.h"

/** The MIDI settings of one keybed zone: "Keybed", "Lower Keybed" or "Upper Keybed". Its widgets show
    short labels and edit the parameters named with the zone word in front. */
class KeybedParameterView : public ColumnControlView
{
public:
    KeybedParameterView (const juce::String& zoneName, ZKEditorEngine::Ptr engine);

    //==============================================================================
    /** "MIDI Channel", "Transpose", "Octave" and "Curve", in this order. */
    const juce::Array<SingleParameterControllerNumberBox*>& getNumberBoxes() const noexcept { return numberBoxes; }

private:
    //==============================================================================
    juce::Array<SingleParameterControllerNumberBox*> numberBoxes;
};
