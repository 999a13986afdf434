#include "views/SustainControlView.h"

#include "engine/ParameterDescriptions.h"
#include "model/PresetLayout.h"
#include "views/ColumnLayout.h"

//==============================================================================
SustainControlView::SustainControlView (ZKEditorEngine::Ptr editorEngine)
    : engine (std::move (editorEngine))
{
    title = ColumnLayout::addTitledFrame (*this, "Sustain Pedal");

    juce::Array<juce::Component*> column;

    for (auto* name : { "MIDI Channel", "CC", "Pressed", "Released" })
    {
        const auto range = ParameterDescriptions::getNumberRange (ControlType::Sustain, name);
        column.add (numberBoxes.add (std::make_unique<SingleParameterControllerNumberBox> (
            engine, name, ControlType::Sustain, range.minimum, range.maximum, range.displayOffset)));
    }

    ColumnLayout::addColumn (*this, column, ColumnLayout::columnTop, ColumnLayout::widgetHeight);
}

SustainControlView::~SustainControlView() = default;
