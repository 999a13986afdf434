#include "views/SustainControlView.h"

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
SustainControlView::SustainControlView (ZKEditorEngine::Ptr editorEngine)
    : engine (std::move (editorEngine))
{
    setSize (viewWidth, viewHeight);

    title = std::make_unique<juce::Label> ("Sustain Pedal", "Sustain Pedal");
    ColumnLayout::addTitle (*this, *title, titleBounds, titleFontHeight);

    struct Box
    {
        const char* name;
        int minimum, maximum, displayOffset;
    };

    const Box boxes[] = {
        { "MIDI Channel", 1, 16, 1 },
        { "CC", 0, 127, 0 },
        { "Pressed", 0, 127, 0 },
        { "Released", 0, 127, 0 },
    };

    juce::Array<juce::Component*> column;

    for (const auto& box : boxes)
        column.add (numberBoxes.add (std::make_unique<SingleParameterControllerNumberBox> (
            engine, box.name, ControlType::Sustain, box.minimum, box.maximum, box.displayOffset)));

    ColumnLayout::addColumn (*this, column, title->getHeight() + ColumnLayout::gapBelowTitle, widgetHeight);
}

SustainControlView::~SustainControlView() = default;
