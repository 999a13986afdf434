#include "views/TransportControlView.h"

#include "engine/ParameterDescriptions.h"
#include "model/PresetLayout.h"
#include "views/ColumnLayout.h"

//==============================================================================
TransportControlView::TransportControlView (ZKEditorEngine::Ptr engine, unsigned int buttonIndex,
                                            const juce::String& buttonName)
{
    title = ColumnLayout::addTitledFrame (*this, buttonName);

    // Value 0 is "Momentary" here, the other way round from the roll mode's list.
    functionBox = std::make_unique<TransportControllerComboBox> (
        engine, "Function", buttonIndex, ParameterDescriptions::getListEntries (ControlType::Transport, "Function"));
    ccBox = std::make_unique<TransportControllerNumberBox> (engine, "CC", buttonIndex, 0, 127);

    ColumnLayout::addColumn (*this, { functionBox.get(), ccBox.get() }, ColumnLayout::columnTop,
                             ColumnLayout::widgetHeight);

    controlSettings =
        std::make_unique<ControlSettings> (engine, ControlType::Transport, (int) buttonIndex, buttonName, *title);
}

TransportControlView::~TransportControlView() = default;
