#include "views/TransportControlView.h"

#include "engine/ParameterDescriptions.h"
#include "model/PresetLayout.h"
#include "widgets/TransportControllerComboBox.h"
#include "widgets/TransportControllerNumberBox.h"

//==============================================================================
TransportControlView::TransportControlView (ZKEditorEngine::Ptr engine, unsigned int buttonIndex,
                                            const juce::String& buttonName)
    : ColumnControlView (buttonName)
{
    // Value 0 is "Momentary" here, the other way round from the roll mode's list.
    auto* functionBox = own (std::make_unique<TransportControllerComboBox> (
        engine, "Function", buttonIndex, ParameterDescriptions::getListEntries (ControlType::Transport, "Function")));
    auto* ccBox = own (std::make_unique<TransportControllerNumberBox> (engine, "CC", buttonIndex, 0, 127));
    addColumn ({ functionBox, ccBox }, widgetHeight);

    controlSettings = std::make_unique<ControlSettings> (engine, ControlType::Transport, (int) buttonIndex, buttonName,
                                                         getTitleLabel());
}

TransportControlView::~TransportControlView() = default;
