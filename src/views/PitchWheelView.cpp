#include "views/PitchWheelView.h"

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
PitchWheelView::PitchWheelView (ZKEditorEngine::Ptr editorEngine)
    : engine (std::move (editorEngine))
{
    setSize (viewWidth, viewHeight);

    title = std::make_unique<juce::Label> ("Pitch Wheel", "Pitch Wheel");
    ColumnLayout::addTitle (*this, *title, titleBounds, titleFontHeight);

    // The label stays short; the parameter carries the wheel's name.
    channelBox = std::make_unique<SingleParameterControllerComboBox> (engine, "MIDI Channel", ControlType::Wheels,
                                                                      WheelChannels::entries());
    channelBox->setParameterName ("Pitch Wheel MIDI Channel");

    const auto dinButtonY = ColumnLayout::addColumn (*this, { channelBox.get() },
                                                     title->getHeight() + ColumnLayout::gapBelowTitle, widgetHeight);

    dinButton = std::make_unique<ControlToMidiControllerButton> (engine, "Pitch Wheel Midi To DIN");
    ColumnLayout::addDinButton (*this, *dinButton, dinButtonY);
}

PitchWheelView::~PitchWheelView() = default;
