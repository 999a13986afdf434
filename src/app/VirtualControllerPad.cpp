#include "app/VirtualControllerPad.h"

#include "app/VirtualControllerColours.h"

namespace
{
/** The softest hit, at a pad's bottom edge; its top edge plays 127. */
constexpr int softestVelocity = 40;
constexpr int hardestVelocity = 127;
constexpr int maximumPressure = 127;
} // namespace

//==============================================================================
VirtualControllerPad::VirtualControllerPad (const juce::String& name, Style styleToUse)
    : juce::Component (name)
    , style (styleToUse)
{
}

void VirtualControllerPad::setOn (bool shouldBeOn)
{
    if (on != shouldBeOn)
    {
        on = shouldBeOn;
        repaint();
    }
}

//==============================================================================
void VirtualControllerPad::paint (juce::Graphics& g)
{
    const auto area = getLocalBounds().toFloat().reduced (1.5f);
    const auto lit = isLit();
    const auto corner = style == Style::pad ? 6.0f : 3.0f;

    if (style == Style::pedal)
    {
        // A pedal seen from above, narrowing towards its far end.
        juce::Path pedal;
        pedal.addQuadrilateral (area.getX() + 6.0f, area.getY(), area.getRight() - 6.0f, area.getY(), area.getRight(),
                                area.getBottom(), area.getX(), area.getBottom());
        g.setColour (lit ? VirtualControllerColours::lit.darker (0.3f) : VirtualControllerColours::capBottom);
        g.fillPath (pedal);
        g.setColour (VirtualControllerColours::edge);
        g.strokePath (pedal, juce::PathStrokeType (1.0f));
    }
    else
    {
        const auto top = lit ? VirtualControllerColours::lit : VirtualControllerColours::capTop;
        const auto bottom = lit ? VirtualControllerColours::accent : VirtualControllerColours::capBottom;
        g.setGradientFill (juce::ColourGradient (top, area.getTopLeft(), bottom, area.getBottomLeft(), false));
        g.fillRoundedRectangle (area, corner);
        g.setColour (VirtualControllerColours::edge);
        g.drawRoundedRectangle (area, corner, 1.0f);
    }

    g.setColour (lit ? VirtualControllerColours::text : VirtualControllerColours::label);
    g.setFont (style == Style::switchKey ? 10.0f : 11.0f);
    const auto text = style == Style::pedal ? juce::String ("Sustain") : getName().replace ("Switch ", "");
    g.drawFittedText (text, getLocalBounds().reduced (3), juce::Justification::centred, 2);
}

//==============================================================================
void VirtualControllerPad::mouseDown (const juce::MouseEvent& event)
{
    held = true;
    pressure = 0;
    repaint();

    const auto height = juce::jmax (1, getHeight());
    const auto fromBottom = juce::jlimit (0.0f, 1.0f, 1.0f - event.position.y / (float) height);
    const auto velocity = softestVelocity + juce::roundToInt ((hardestVelocity - softestVelocity) * fromBottom);

    if (onPress != nullptr)
        onPress (velocity);

    if (style == Style::pad)
        startTimer (pressureIntervalMs);
}

void VirtualControllerPad::mouseUp (const juce::MouseEvent&) { releaseIfHeld(); }

void VirtualControllerPad::releaseIfHeld()
{
    if (! held)
        return;

    stopTimer();
    held = false;
    repaint();

    if (pressure > 0 && onPressure != nullptr)
        onPressure (0);

    pressure = 0;

    if (onRelease != nullptr)
        onRelease();
}

void VirtualControllerPad::timerCallback()
{
    if (pressure >= maximumPressure)
        return;

    pressure = juce::jmin (maximumPressure, pressure + pressureStep);

    if (onPressure != nullptr)
        onPressure (pressure);
}
