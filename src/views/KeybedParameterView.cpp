#include "views/KeybedParameterView.h"

#include "engine/ParameterDescriptions.h"
#include "model/PresetLayout.h"
#include "views/ColumnLayout.h"

//==============================================================================
KeybedParameterView::KeybedParameterView (const juce::String& zoneName, ZKEditorEngine::Ptr editorEngine)
    : engine (std::move (editorEngine))
{
    title =
        ColumnLayout::addTitledFrame (*this, zoneName, ColumnLayout::nearTitleX, ColumnLayout::keybedTitleFontHeight);

    auto* keybed = engine->getControls (ControlType::Keybed).getFirst();
    juce::Array<juce::Component*> column;

    for (const juce::String label : { "MIDI Channel", "Transpose", "Octave", "Curve" })
    {
        // The label stays short; the parameter carries the zone's name.
        const auto parameterName = zoneName + " " + label;
        auto range = ParameterDescriptions::getNumberRange (ControlType::Keybed, parameterName);

        // How many octaves the keybed shifts is the model's to say.
        if (label == "Octave")
            range.maximum = (int) keybed->getMaximum (parameterName);

        auto* controller = controllers.add (std::make_unique<SingleParameterControllerNumberBox> (
            engine, label, ControlType::Keybed, range.minimum, range.maximum, range.displayOffset));
        controller->setParameterName (parameterName);
        column.add (controller);
    }

    dinButton = std::make_unique<ControlToMidiControllerButton> (engine, zoneName + " Midi To DIN");
    ColumnLayout::addColumnAndDinButton (*this, column, ColumnLayout::widgetHeight, *dinButton);
}

KeybedParameterView::~KeybedParameterView() = default;
