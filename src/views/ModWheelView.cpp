#include "views/ModWheelView.h"

#include "model/PresetLayout.h"
#include "views/ColumnLayout.h"
#include "views/WheelChannels.h"

//==============================================================================
ModWheelView::ModWheelView (ZKEditorEngine::Ptr editorEngine)
    : engine (std::move (editorEngine))
{
    title = ColumnLayout::addTitledFrame (*this, "Mod Wheel");
    channelBox = WheelChannels::createBox (engine, "Mod Wheel");

    // The labels stay short; the parameters carry the wheel's name.
    const auto createNumberBox = [this] (const juce::String& label)
    {
        auto box = std::make_unique<SingleParameterControllerNumberBox> (engine, label, ControlType::Wheels, 0, 127, 0);
        box->setParameterName ("Mod Wheel " + label);
        return box;
    };

    ccBox = createNumberBox ("CC");
    minimumBox = createNumberBox ("Min");
    maximumBox = createNumberBox ("Max");

    dinButton = std::make_unique<ControlToMidiControllerButton> (engine, "Mod Wheel Midi To DIN");
    ColumnLayout::addColumnAndDinButton (*this, { channelBox.get(), ccBox.get(), minimumBox.get(), maximumBox.get() },
                                         WheelChannels::widgetHeight, *dinButton);
}

ModWheelView::~ModWheelView() = default;
