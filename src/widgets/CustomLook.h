#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The editor's look: white lists with a blue arrow, blue pop-up menus, rounded light buttons,
    transparent text fields, outlined labels and toggle buttons drawn as plain coloured areas.
    Alert windows are the platform's own. The colours of the code-drawn widgets are in
    EditorColours.h; the tabs and the other pictures are PNGs whose colours live only in
    scripts/make_artwork.py. */
class CustomLook : public juce::LookAndFeel_V3
{
public:
    //==============================================================================
    CustomLook();

    //==============================================================================
    void drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour,
                               bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
    void drawToggleButton (juce::Graphics&, juce::ToggleButton&, bool shouldDrawButtonAsHighlighted,
                           bool shouldDrawButtonAsDown) override;

    void fillTextEditorBackground (juce::Graphics&, int width, int height, juce::TextEditor&) override;
    void drawTextEditorOutline (juce::Graphics&, int width, int height, juce::TextEditor&) override;

    void drawPopupMenuBackground (juce::Graphics&, int width, int height) override;
    void drawPopupMenuItem (juce::Graphics&, const juce::Rectangle<int>& area, bool isSeparator, bool isActive,
                            bool isHighlighted, bool isTicked, bool hasSubMenu, const juce::String& text,
                            const juce::String& shortcutKeyText, const juce::Drawable* icon,
                            const juce::Colour* textColour) override;
    void drawMenuBarItem (juce::Graphics&, int width, int height, int itemIndex, const juce::String& itemText,
                          bool isMouseOverItem, bool isMenuOpen, bool isMouseOverBar, juce::MenuBarComponent&) override;

    void drawComboBox (juce::Graphics&, int width, int height, bool isButtonDown, int buttonX, int buttonY, int buttonW,
                       int buttonH, juce::ComboBox&) override;

    /** The list text uses the box's whole width up to the arrow, in a font that fits the longest
        mode names ("Program Change") into the editor's 100-pixel lists. */
    juce::Font getComboBoxFont (juce::ComboBox&) override;
    void positionComboBoxText (juce::ComboBox& box, juce::Label& label) override;

    void drawLabel (juce::Graphics&, juce::Label&) override;

    //==============================================================================
    static const juce::Colour buttonColour;
    static const juce::Colour buttonOverColour;
    static const juce::Colour buttonDownColour;
    static const juce::Colour buttonOutlineColour;

    static constexpr float buttonCornerSize = 4.0f;
    static constexpr float comboBoxCornerSize = 2.0f;

    /** The list box arrow: its tip stands arrowTipX in from the right edge, arrowHalfWidth either side,
        arrowDepth below the middle. */
    static constexpr int arrowTipX = 10;
    static constexpr int arrowHalfWidth = 5;
    static constexpr int arrowDepth = 4;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CustomLook)
};
