#include "views/ColumnControlView.h"

#include "widgets/EditorColours.h"

//==============================================================================
ColumnControlView::ColumnControlView (const juce::String& titleText, int titleX, float titleFontHeight)
{
    setSize (ControlViewSizes::viewWidth, ControlViewSizes::viewHeight);

    title = std::make_unique<juce::Label> (titleText, titleText);
    title->setBounds (titleX, 0, ControlViewSizes::titleWidth, titleHeight);
    title->setColour (juce::Label::textColourId, EditorColours::white);
    title->setFont (juce::Font (titleFontHeight, juce::Font::plain));
    addAndMakeVisible (*title);
}

ColumnControlView::~ColumnControlView() = default;

//==============================================================================
int ColumnControlView::addColumn (const juce::Array<juce::Component*>& column, int rowHeight)
{
    auto y = columnTop;

    for (auto* widget : column)
    {
        widget->setBounds (0, y, ControlViewSizes::widgetWidth, rowHeight);
        addAndMakeVisible (widget);
        y = widget->getBottom() + ControlViewSizes::gapBetweenWidgets;
    }

    return y;
}

void ColumnControlView::addColumnAndDinButton (const juce::Array<juce::Component*>& column, int rowHeight,
                                               ZKEditorEngine::Ptr engine, const juce::String& dinFlagName)
{
    dinButton = std::make_unique<ControlToMidiControllerButton> (std::move (engine), dinFlagName);
    dinButton->setBounds (dinButtonX, addColumn (column, rowHeight), dinButtonWidth, dinButtonHeight);
    addAndMakeVisible (*dinButton);
}
