#include "views/RollModeControlView.h"

#include "engine/ParameterDescriptions.h"
#include "model/PresetLayout.h"
#include "widgets/SingleParameterControllerComboBox.h"
#include "widgets/SingleParameterControllerNumberBox.h"

namespace
{
constexpr int rollModeWidgetHeight = 20;
const int gateDisplayOffset = ParameterDescriptions::getDisplayOffset (ControlType::RollMode, "Gate");
constexpr int gateMaximum = 99;
const int swingDisplayOffset = ParameterDescriptions::getDisplayOffset (ControlType::RollMode, "Swing");
} // namespace

//==============================================================================
RollModeControlView::RollModeControlView (ZKEditorEngine::Ptr engine)
    : ColumnControlView ("Roll Mode", nearTitleX)
{
    auto* gateBox = own (std::make_unique<SingleParameterControllerNumberBox> (
        engine, "Gate", ControlType::RollMode, gateDisplayOffset, gateMaximum, gateDisplayOffset));
    // The swing box stops where the model does, so that every number it shows can be stored.
    auto* swingBox = own (std::make_unique<SingleParameterControllerNumberBox> (
        engine, "Swing", ControlType::RollMode, swingDisplayOffset, swingMaximum, swingDisplayOffset));

    auto* timeDivisionBox = own (std::make_unique<SingleParameterControllerComboBox> (
        engine, "Time Div", ControlType::RollMode,
        ParameterDescriptions::getListEntries (ControlType::RollMode, "Time Div")));
    // Value 0 is "Toggle" here, the other way round from the transport buttons' list.
    auto* functionBox = own (std::make_unique<SingleParameterControllerComboBox> (
        engine, "Function", ControlType::RollMode,
        ParameterDescriptions::getListEntries (ControlType::RollMode, "Function")));

    addColumn ({ functionBox, timeDivisionBox, gateBox, swingBox }, rollModeWidgetHeight);
}
