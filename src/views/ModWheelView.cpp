#include "views/ModWheelView.h"

#include "model/PresetLayout.h"
#include "views/WheelChannels.h"
#include "widgets/SingleParameterControllerNumberBox.h"

//==============================================================================
ModWheelView::ModWheelView (ZKEditorEngine::Ptr engine)
    : ColumnControlView ("Mod Wheel")
{
    auto* channelBox = own (WheelChannels::createBox (engine, "Mod Wheel"));

    // The labels stay short; the parameters carry the wheel's name.
    const auto createNumberBox = [this, &engine] (const juce::String& label)
    {
        auto* box =
            own (std::make_unique<SingleParameterControllerNumberBox> (engine, label, ControlType::Wheels, 0, 127, 0));
        box->setParameterName ("Mod Wheel " + label);
        return box;
    };

    addColumnAndDinButton ({ channelBox, createNumberBox ("CC"), createNumberBox ("Min"), createNumberBox ("Max") },
                           WheelChannels::widgetHeight, engine, "Mod Wheel Midi To DIN");
}
