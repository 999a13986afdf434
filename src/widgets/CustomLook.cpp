#include "widgets/CustomLook.h"

#include "widgets/EditorColours.h"

namespace
{
constexpr float disabledAlpha = 0.5f;
constexpr float pressedToggleBrightening = 0.4f;
constexpr float hoverToggleShade = 0.1f;
constexpr float brightnessMiddle = 0.5f;
} // namespace

const juce::Colour CustomLook::buttonColour{ 0xFFF5F5F5 };
const juce::Colour CustomLook::buttonOverColour{ 0xFFFFFFFF };
const juce::Colour CustomLook::buttonDownColour{ 0xFFD3D3D3 };
const juce::Colour CustomLook::buttonOutlineColour{ 0xFF000000 };

//==============================================================================
CustomLook::CustomLook() { setUsingNativeAlertWindows (true); }

//==============================================================================
void CustomLook::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                       bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown)
{
    const auto area = button.getLocalBounds().toFloat();

    if (shouldDrawButtonAsDown)
        g.setColour (buttonDownColour);
    else if (shouldDrawButtonAsHighlighted)
        g.setColour (buttonOverColour);
    else
        g.setColour (buttonColour);

    g.fillRoundedRectangle (area, buttonCornerSize);

    g.setColour (buttonOutlineColour);
    g.drawRoundedRectangle (area, buttonCornerSize, 1.0f);
}

void CustomLook::drawToggleButton (juce::Graphics& g, juce::ToggleButton& button, bool shouldDrawButtonAsHighlighted,
                                   bool shouldDrawButtonAsDown)
{
    auto colour = button.findColour (juce::ToggleButton::textColourId);

    if (shouldDrawButtonAsHighlighted)
    {
        if (shouldDrawButtonAsDown)
            colour = colour.brighter (pressedToggleBrightening);
        else if (colour.getBrightness() > brightnessMiddle)
            colour = colour.darker (hoverToggleShade);
        else
            colour = colour.brighter (hoverToggleShade);
    }

    g.setColour (colour);
    g.fillRect (0, 0, button.getWidth(), button.getHeight());
}

//==============================================================================
// Text fields are transparent and unframed.
void CustomLook::fillTextEditorBackground (juce::Graphics&, int, int, juce::TextEditor&) {}

void CustomLook::drawTextEditorOutline (juce::Graphics&, int, int, juce::TextEditor&) {}

//==============================================================================
void CustomLook::drawPopupMenuBackground (juce::Graphics& g, int width, int height)
{
    g.setColour (EditorColours::blue);
    g.fillRect (0, 0, width, height);
}

void CustomLook::drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator, bool,
                                    bool isHighlighted, bool, bool, const juce::String& text, const juce::String&,
                                    const juce::Drawable*, const juce::Colour*)
{
    if (isSeparator)
        return;

    if (isHighlighted)
    {
        g.setColour (EditorColours::white);
        g.fillRect (area);
        g.setColour (EditorColours::blue);
    }
    else
    {
        g.setColour (EditorColours::white);
    }

    g.drawText (text, 0, 0, area.getWidth(), area.getHeight(), juce::Justification::left, false);
}

void CustomLook::drawMenuBarItem (juce::Graphics& g, int width, int height, int itemIndex, const juce::String& itemText,
                                  bool isMouseOverItem, bool isMenuOpen, bool, juce::MenuBarComponent& menuBar)
{
    if (! menuBar.isEnabled())
    {
        g.fillAll (EditorColours::white);
        g.setColour (menuBar.findColour (juce::PopupMenu::textColourId).withMultipliedAlpha (disabledAlpha));
    }
    else if (isMenuOpen || isMouseOverItem)
    {
        g.fillAll (menuBar.findColour (juce::PopupMenu::highlightedBackgroundColourId));
        g.setColour (menuBar.findColour (juce::PopupMenu::highlightedTextColourId));
    }
    else
    {
        g.setColour (menuBar.findColour (juce::PopupMenu::textColourId));
    }

    g.setFont (getMenuBarFont (menuBar, itemIndex, itemText));
    g.drawFittedText (itemText, 0, 0, width, height, juce::Justification::centred, 1);
}

//==============================================================================
void CustomLook::drawComboBox (juce::Graphics& g, int width, int height, bool, int, int, int, int, juce::ComboBox& box)
{
    g.setColour (EditorColours::white);
    g.fillRoundedRectangle (0.0f, 0.0f, (float) width, (float) height, comboBoxCornerSize);

    const auto middle = height / 2;
    juce::Path arrow;
    arrow.addTriangle ((float) (width - arrowTipX), (float) (middle + arrowDepth),
                       (float) (width - arrowTipX + arrowHalfWidth), (float) middle,
                       (float) (width - arrowTipX - arrowHalfWidth), (float) middle);

    g.setColour (box.findColour (juce::ComboBox::arrowColourId));
    g.fillPath (arrow);

    // The list that Tab reached is framed, as a number box is.
    if (box.hasKeyboardFocus (false))
    {
        g.setColour (EditorColours::blue);
        g.drawRoundedRectangle (1.0f, 1.0f, (float) width - 2.0f, (float) height - 2.0f, comboBoxCornerSize, 2.0f);
    }
}

//==============================================================================
void CustomLook::drawLabel (juce::Graphics& g, juce::Label& label)
{
    g.fillAll (label.findColour (juce::Label::backgroundColourId));

    if (! label.isBeingEdited())
    {
        const auto alpha = label.isEnabled() ? 1.0f : disabledAlpha;

        g.setColour (label.findColour (juce::Label::textColourId).withMultipliedAlpha (alpha));
        g.setFont (getLabelFont (label));
        if (label.getMinimumHorizontalScale() > 0.0f && label.getMinimumHorizontalScale() < 1.0f)
        {
            // The text of a list: squeezed a little rather than cut, so that long entries stay whole.
            const auto border = label.getBorderSize();
            g.drawFittedText (label.getText(), border.subtractedFrom (label.getLocalBounds()),
                              juce::Justification::centredLeft, 1, label.getMinimumHorizontalScale());
        }
        else
        {
            g.drawText (label.getText(), 0, 0, label.getWidth(), label.getHeight(), juce::Justification::centredLeft,
                        true);
        }

        g.setColour (label.findColour (juce::Label::outlineColourId).withMultipliedAlpha (alpha));
    }
    else if (label.isEnabled())
    {
        g.setColour (label.findColour (juce::Label::outlineColourId));
    }

    g.drawRect (label.getLocalBounds(), 1);
}

//==============================================================================
juce::Font CustomLook::getComboBoxFont (juce::ComboBox& box)
{
    return juce::Font (juce::jmin (13.0f, (float) box.getHeight() * 0.75f));
}

void CustomLook::positionComboBoxText (juce::ComboBox& box, juce::Label& label)
{
    // Leaves room for the arrow, which stands in the last 15 pixels.
    label.setBounds (1, 1, box.getWidth() - 16, box.getHeight() - 2);
    label.setBorderSize ({ 1, 3, 1, 1 });
    label.setMinimumHorizontalScale (0.75f);
    label.setFont (getComboBoxFont (box));
}
