#include "views/ModWheelView.h"

#include "model/ControlType.h"
#include "views/ColumnLayout.h"
#include "views/WheelChannels.h"

namespace
{
constexpr int viewWidth = 300;
constexpr int viewHeight = 200;
const juce::Rectangle<int> titleBounds{ 70, 0, 300, 20 };
constexpr float titleFontHeight = 18.0f;
constexpr int widgetHeight = 18;
} // namespace

//==============================================================================
ModWheelView::ModWheelView (ZKEditorEngine::Ptr editorEngine)
    : engine (std::move (editorEngine))
{
    setSize (viewWidth, viewHeight);

    title = std::make_unique<juce::Label> ("Mod Wheel", "Mod Wheel");
    ColumnLayout::addTitle (*this, *title, titleBounds, titleFontHeight);

    // The labels stay short; the parameters carry the wheel's name.
    channelBox = std::make_unique<SingleParameterControllerComboBox> (engine, "MIDI Channel", ControlType::Wheels,
                                                                      WheelChannels::entries());
    channelBox->setParameterName ("Mod Wheel MIDI Channel");

    ccBox = std::make_unique<SingleParameterControllerNumberBox> (engine, "CC", ControlType::Wheels, 0, 127, 0);
    ccBox->setParameterName ("Mod Wheel CC");

    minimumBox = std::make_unique<SingleParameterControllerNumberBox> (engine, "Min", ControlType::Wheels, 0, 127, 0);
    minimumBox->setParameterName ("Mod Wheel Min");

    maximumBox = std::make_unique<SingleParameterControllerNumberBox> (engine, "Max", ControlType::Wheels, 0, 127, 0);
    maximumBox->setParameterName ("Mod Wheel Max");

    const auto dinButtonY =
        ColumnLayout::addColumn (*this, { channelBox.get(), ccBox.get(), minimumBox.get(), maximumBox.get() },
                                 title->getHeight() + ColumnLayout::gapBelowTitle, widgetHeight);

    dinButton = std::make_unique<ControlToMidiControllerButton> (engine, "Mod Wheel Midi To DIN");
    ColumnLayout::addDinButton (*this, *dinButton, dinButtonY);
}

ModWheelView::~ModWheelView() = default;
