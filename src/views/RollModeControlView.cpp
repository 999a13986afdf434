#include "views/RollModeControlView.h"

#include "model/ControlType.h"
#include "views/ColumnLayout.h"

namespace
{
constexpr int viewWidth = 300;
constexpr int viewHeight = 200;
const juce::Rectangle<int> titleBounds{ 60, 0, 300, 20 };
constexpr float titleFontHeight = 18.0f;
constexpr int widgetHeight = 20;
constexpr int gateDisplayOffset = 1;
constexpr int gateMaximum = 99;
constexpr int swingDisplayOffset = 50;
} // namespace

//==============================================================================
RollModeControlView::RollModeControlView (ZKEditorEngine::Ptr editorEngine)
    : engine (std::move (editorEngine))
{
    setSize (viewWidth, viewHeight);

    title = std::make_unique<juce::Label> ("Roll Mode", "Roll Mode");
    ColumnLayout::addTitle (*this, *title, titleBounds, titleFontHeight);

    auto* gateBox = numberBoxes.add (std::make_unique<SingleParameterControllerNumberBox> (
        engine, "Gate", ControlType::RollMode, gateDisplayOffset, gateMaximum, gateDisplayOffset));
    // The swing box stops where the model does, so that every number it shows can be stored.
    auto* swingBox = numberBoxes.add (std::make_unique<SingleParameterControllerNumberBox> (
        engine, "Swing", ControlType::RollMode, swingDisplayOffset, swingMaximum, swingDisplayOffset));

    timeDivisionBox = std::make_unique<SingleParameterControllerComboBox> (
        engine, "Time Div", ControlType::RollMode,
        juce::StringArray{ "1/4", "1/4T", "1/8", "1/8T", "1/16", "1/16T", "1/32", "1/32T" });
    // Value 0 is "Toggle" here, the other way round from the transport buttons' list.
    functionBox = std::make_unique<SingleParameterControllerComboBox> (engine, "Function", ControlType::RollMode,
                                                                       juce::StringArray{ "Toggle", "Momentary" });

    ColumnLayout::addColumn (*this, { functionBox.get(), timeDivisionBox.get(), gateBox, swingBox },
                             title->getHeight() + ColumnLayout::gapBelowTitle, widgetHeight);
}

RollModeControlView::~RollModeControlView() = default;
