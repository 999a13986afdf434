#include "app/VirtualControllerDial.h"

#include "app/VirtualControllerColours.h"

namespace
{
/** How far the mouse moves for one step of the position: a knob's whole range in 254 pixels. */
constexpr float pixelsPerStep = 2.0f;

/** The knob's travel, from the lowest to the highest position, as on the controller. */
constexpr float knobStartAngle = juce::MathConstants<float>::pi * 1.25f;
constexpr float knobEndAngle = juce::MathConstants<float>::pi * 2.75f;

constexpr float labelHeight = 16.0f;
} // namespace

//==============================================================================
VirtualControllerDial::VirtualControllerDial (const juce::String& name, Style styleToUse, int initialPosition)
    : juce::Component (name)
    , style (styleToUse)
    , position (juce::jlimit (0, maximumPosition, initialPosition))
{
}

//==============================================================================
void VirtualControllerDial::paint (juce::Graphics& g)
{
    if (style == Style::knob)
        paintKnob (g);
    else
        paintWheel (g);
}

void VirtualControllerDial::paintKnob (juce::Graphics& g)
{
    auto area = getLocalBounds().toFloat();
    const auto label = area.removeFromBottom (labelHeight);
    const auto diameter = juce::jmin (area.getWidth(), area.getHeight()) - 4.0f;
    const auto cap = area.withSizeKeepingCentre (diameter, diameter);
    const auto centre = cap.getCentre();
    const auto radius = diameter / 2.0f;
    const auto angle = knobStartAngle + (knobEndAngle - knobStartAngle) * (float) position / (float) maximumPosition;

    // The travel as a ring around the cap, lit up to the position.
    juce::Path travel, lit;
    travel.addCentredArc (centre.x, centre.y, radius, radius, 0.0f, knobStartAngle, knobEndAngle, true);
    lit.addCentredArc (centre.x, centre.y, radius, radius, 0.0f, knobStartAngle, angle, true);
    g.setColour (VirtualControllerColours::groove);
    g.strokePath (travel, juce::PathStrokeType (3.0f));
    g.setColour (VirtualControllerColours::accent);
    g.strokePath (lit, juce::PathStrokeType (3.0f));

    const auto capArea = cap.reduced (6.0f);
    g.setGradientFill (juce::ColourGradient (VirtualControllerColours::capTop, capArea.getTopLeft(),
                                             VirtualControllerColours::capBottom, capArea.getBottomRight(), false));
    g.fillEllipse (capArea);
    g.setColour (VirtualControllerColours::edge);
    g.drawEllipse (capArea, 1.0f);

    const auto pointerEnd = centre.getPointOnCircumference (capArea.getWidth() / 2.0f - 2.0f, angle);
    const auto pointerStart = centre.getPointOnCircumference (capArea.getWidth() / 6.0f, angle);
    g.setColour (VirtualControllerColours::text);
    g.drawLine ({ pointerStart, pointerEnd }, 2.5f);

    g.setColour (VirtualControllerColours::label);
    g.setFont (12.0f);
    g.drawText (getName(), label, juce::Justification::centred);
}

void VirtualControllerDial::paintWheel (juce::Graphics& g)
{
    auto area = getLocalBounds().toFloat();
    const auto label = area.removeFromBottom (labelHeight);
    const auto slot = area.reduced (4.0f);

    g.setColour (VirtualControllerColours::groove);
    g.fillRoundedRectangle (slot, 4.0f);

    const auto wheel = slot.reduced (4.0f);
    g.setGradientFill (juce::ColourGradient (VirtualControllerColours::capBottom, wheel.getTopLeft(),
                                             VirtualControllerColours::capTop, wheel.getCentre(), true));
    g.fillRoundedRectangle (wheel, 3.0f);

    // The ridge that shows where the wheel stands: the top for the highest position.
    const auto y = wheel.getBottom() - wheel.getHeight() * (float) position / (float) maximumPosition;
    g.setColour (VirtualControllerColours::accent);
    g.fillRect (juce::Rectangle<float> (wheel.getX(), y - 2.0f, wheel.getWidth(), 4.0f));

    g.setColour (VirtualControllerColours::label);
    g.setFont (11.0f);
    g.drawText (style == Style::springWheel ? "Pitch" : "Mod", label, juce::Justification::centred);
}

//==============================================================================
void VirtualControllerDial::mouseDown (const juce::MouseEvent& event)
{
    dragStartY = event.position.y;
    dragStartPosition = position;
}

void VirtualControllerDial::mouseDrag (const juce::MouseEvent& event)
{
    // Up turns up, as on the controller.
    const auto steps = (int) std::round ((dragStartY - event.position.y) / pixelsPerStep);
    moveTo (dragStartPosition + steps);
}

void VirtualControllerDial::mouseUp (const juce::MouseEvent&)
{
    if (style == Style::springWheel)
        moveTo (centrePosition);
}

void VirtualControllerDial::moveTo (int newPosition)
{
    newPosition = juce::jlimit (0, maximumPosition, newPosition);

    if (newPosition == position)
        return;

    position = newPosition;
    repaint();

    if (onTurn != nullptr)
        onTurn (position);
}
