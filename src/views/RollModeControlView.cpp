#include "views/RollModeControlView.h"

#include "engine/ParameterDescriptions.h"
#include "model/PresetLayout.h"
#include "views/ColumnLayout.h"

namespace
{
constexpr int widgetHeight = 20;
const int gateDisplayOffset = ParameterDescriptions::getDisplayOffset (ControlType::RollMode, "Gate");
constexpr int gateMaximum = 99;
const int swingDisplayOffset = ParameterDescriptions::getDisplayOffset (ControlType::RollMode, "Swing");
} // namespace

//==============================================================================
RollModeControlView::RollModeControlView (ZKEditorEngine::Ptr editorEngine)
    : engine (std::move (editorEngine))
{
    title = ColumnLayout::addTitledFrame (*this, "Roll Mode", ColumnLayout::nearTitleX);

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
        engine, "Function", ControlType::RollMode,
        ParameterDescriptions::getListEntries (ControlType::RollMode, "Function"));

    ColumnLayout::addColumn (*this, { functionBox.get(), timeDivisionBox.get(), gateBox, swingBox },
                             ColumnLayout::columnTop, widgetHeight);
}

RollModeControlView::~RollModeControlView() = default;
