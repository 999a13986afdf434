#include "views/RollModeControlView.h"

#include "engine/ParameterDescriptions.h"
#include "model/ControlType.h"
#include "views/ColumnLayout.h"

namespace
{
constexpr int viewWidth = 300;
constexpr int viewHeight = 200;
const juce::Rectangle<int> titleBounds{ 60, 0, 300, 20 };
constexpr float titleFontHeight = 18.0f;
constexpr int widgetHeight = 20;
const int gateDisplayOffset = ParameterDescriptions::getDisplayOffset (ControlType::RollMode, "Gate");
constexpr int gateMaximum = 99;
const int swingDisplayOffset = ParameterDescriptions::getDisplayOffset (ControlType::RollMode, "Swing");
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
        ParameterDescriptions::getListEntries (ControlType::RollMode, "Time Div"));
    // Value 0 is "Toggle" here, the other way round from the transport buttons' list.
    functionBox = std::make_unique<SingleParameterControllerComboBox> (
        engine, "Function", ControlType::RollMode, ParameterDescriptions::getListEntries (ControlType::RollMode, "Function"));

    ColumnLayout::addColumn (*this, { functionBox.get(), timeDivisionBox.get(), gateBox, swingBox },
                             title->getHeight() + ColumnLayout::gapBelowTitle, widgetHeight);
}

RollModeControlView::~RollModeControlView() = default;
