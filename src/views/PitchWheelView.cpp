#include "views/PitchWheelView.h"

#include "views/ColumnLayout.h"
#include "views/WheelChannels.h"

//==============================================================================
PitchWheelView::PitchWheelView (ZKEditorEngine::Ptr editorEngine)
    : engine (std::move (editorEngine))
{
    title = ColumnLayout::addTitledFrame (*this, "Pitch Wheel");
    channelBox = WheelChannels::createBox (engine, "Pitch Wheel");

    dinButton = std::make_unique<ControlToMidiControllerButton> (engine, "Pitch Wheel Midi To DIN");
    ColumnLayout::addColumnAndDinButton (*this, { channelBox.get() }, WheelChannels::widgetHeight, *dinButton);
}

PitchWheelView::~PitchWheelView() = default;
