#include "views/PitchWheelView.h"

#include "views/WheelChannels.h"

//==============================================================================
PitchWheelView::PitchWheelView (ZKEditorEngine::Ptr engine)
    : ColumnControlView ("Pitch Wheel")
{
    addColumnAndDinButton ({ own (WheelChannels::createBox (engine, "Pitch Wheel")) }, WheelChannels::widgetHeight,
                           engine, "Pitch Wheel Midi To DIN");
}
