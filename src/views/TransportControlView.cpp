#include "views/TransportControlView.h"

#include "engine/ParameterDescriptions.h"
#include "model/ControlType.h"
#include "views/ColumnLayout.h"

namespace
{
constexpr int viewWidth = 300;
constexpr int viewHeight = 200;
const juce::Rectangle<int> titleBounds{ 70, 0, 300, 20 };
constexpr float titleFontHeight = 18.0f;
constexpr int widgetHeight = 22;
} // namespace

//==============================================================================
TransportControlView::TransportControlView (ZKEditorEngine::Ptr engine, unsigned int buttonIndex,
                                            const juce::String& buttonName)
{
    setSize (viewWidth, viewHeight);

    title = std::make_unique<juce::Label> (buttonName, buttonName);
    ColumnLayout::addTitle (*this, *title, titleBounds, titleFontHeight);

    // Value 0 is "Momentary" here, the other way round from the roll mode's list.
    functionBox = std::make_unique<TransportControllerComboBox> (engine, "Function", buttonIndex,
                                                                 ParameterDescriptions::getListEntries (ControlType::Transport, "Function"));
    ccBox = std::make_unique<TransportControllerNumberBox> (engine, "CC", buttonIndex, 0, 127);

    ColumnLayout::addColumn (*this, { functionBox.get(), ccBox.get() },
                             title->getHeight() + ColumnLayout::gapBelowTitle, widgetHeight);

    controlSettings =
        std::make_unique<ControlSettings> (engine, ControlType::Transport, (int) buttonIndex, buttonName, *title);
}

TransportControlView::~TransportControlView() = default;
