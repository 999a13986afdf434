#include "views/KeybedParameterView.h"

#include "model/ControlType.h"
#include "views/ColumnLayout.h"

namespace
{
constexpr int viewWidth = 300;
constexpr int viewHeight = 200;
const juce::Rectangle<int> titleBounds{ 60, 0, 300, 20 };
constexpr float titleFontHeight = 20.0f;
constexpr int widgetHeight = 22;

// Transpose is stored 0 to 24 and shown -12 to +12.
constexpr int transposeRange = 12;
} // namespace

//==============================================================================
KeybedParameterView::KeybedParameterView (const juce::String& zoneName, ZKEditorEngine::Ptr editorEngine)
    : engine (std::move (editorEngine))
{
    setSize (viewWidth, viewHeight);

    title = std::make_unique<juce::Label> (zoneName, zoneName);
    ColumnLayout::addTitle (*this, *title, titleBounds, titleFontHeight);

    auto* keybed = engine->getControls (ControlType::Keybed).getFirst();
    const auto octaveMaximum = (int) keybed->getMaximum ("Keybed Octave");

    struct Box
    {
        const char* label;
        int minimum, maximum, displayOffset;
    };

    const Box boxes[] = {
        { "MIDI Channel", 1, 16, 1 },
        { "Transpose", -transposeRange, transposeRange, -transposeRange },
        { "Octave", 0, octaveMaximum, 0 },
        { "Curve", 1, 8, 1 },
    };

    juce::Array<juce::Component*> column;

    for (const auto& box : boxes)
    {
        auto* controller = controllers.add (std::make_unique<SingleParameterControllerNumberBox> (
            engine, box.label, ControlType::Keybed, box.minimum, box.maximum, box.displayOffset));
        // The label stays short; the parameter carries the zone's name.
        controller->setParameterName (zoneName + " " + box.label);
        column.add (controller);
    }

    const auto dinButtonY =
        ColumnLayout::addColumn (*this, column, title->getHeight() + ColumnLayout::gapBelowTitle, widgetHeight);

    dinButton = std::make_unique<ControlToMidiControllerButton> (engine, zoneName + " Midi To DIN");
    ColumnLayout::addDinButton (*this, *dinButton, dinButtonY);
}

KeybedParameterView::~KeybedParameterView() = default;
