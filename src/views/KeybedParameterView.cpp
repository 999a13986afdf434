#include "views/KeybedParameterView.h"

#include "engine/ParameterDescriptions.h"
#include "model/PresetLayout.h"

//==============================================================================
KeybedParameterView::KeybedParameterView (const juce::String& zoneName, ZKEditorEngine::Ptr engine)
    : ColumnControlView (zoneName, nearTitleX, keybedTitleFontHeight)
{
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

        auto* box = own (std::make_unique<SingleParameterControllerNumberBox> (
            engine, label, ControlType::Keybed, range.minimum, range.maximum, range.displayOffset));
        box->setParameterName (parameterName);
        numberBoxes.add (box);
        column.add (box);
    }

    addColumnAndDinButton (column, widgetHeight, engine, zoneName + " Midi To DIN");
}
