#include "views/SustainControlView.h"

#include "engine/ParameterDescriptions.h"
#include "model/PresetLayout.h"
#include "widgets/SingleParameterControllerNumberBox.h"

//==============================================================================
SustainControlView::SustainControlView (ZKEditorEngine::Ptr engine)
    : ColumnControlView ("Sustain Pedal")
{
    juce::Array<juce::Component*> column;

    for (auto* name : { "MIDI Channel", "CC", "Pressed", "Released" })
    {
        const auto range = ParameterDescriptions::getNumberRange (ControlType::Sustain, name);
        column.add (own (std::make_unique<SingleParameterControllerNumberBox> (
            engine, name, ControlType::Sustain, range.minimum, range.maximum, range.displayOffset)));
    }

    addColumn (column, widgetHeight);
}
