#include "support/WidgetTestHelpers.h"
#include "widgets/ComboBoxWithLabel.h"
#include "widgets/CustomLook.h"

#include <gtest/gtest.h>

using namespace WidgetTestHelpers;

namespace
{
const juce::Colour editorBlue (0xFF117FC6);

juce::Image drawButton (CustomLook& look, bool over, bool down)
{
    juce::TextButton button ("Get");
    button.setBounds (0, 0, 100, 30);
    auto image = blankImage (100, 30);
    juce::Graphics g (image);
    look.drawButtonBackground (g, button, juce::Colours::red, over, down);
    return image;
}
} // namespace

TEST (CustomLook, SwitchesNativeAlertWindowsOn)
{
    CustomLook look;

#if JUCE_LINUX || JUCE_BSD
    // The framework has no native alert windows here and reports them off whatever the look asks for.
    EXPECT_FALSE (look.isUsingNativeAlertWindows());
    EXPECT_FALSE (juce::LookAndFeel_V3().isUsingNativeAlertWindows());
#else
    EXPECT_TRUE (look.isUsingNativeAlertWindows());
    EXPECT_FALSE (juce::LookAndFeel_V3().isUsingNativeAlertWindows());
#endif
}

TEST (CustomLook, ListBoxIsWhiteWithABlueArrowAtItsRightEnd)
{
    CustomLook look;
    juce::ComboBox box;
    box.setBounds (0, 0, 100, 18);
    box.setColour (juce::ComboBox::arrowColourId, editorBlue);

    auto image = blankImage (100, 18);
    {
        juce::Graphics g (image);
        look.drawComboBox (g, 100, 18, false, 0, 0, 100, 18, box);
    }

    // Every pixel of the arrow, blended or not, lies between x 85 and 95 and y 9 and 13.
    const auto arrow =
        areaOfPixelsOtherThan (image.getClippedImage ({ 3, 3, 94, 12 }), juce::Colours::white).translated (3, 3);
    EXPECT_EQ (arrow.getX(), 85);
    EXPECT_EQ (arrow.getRight(), 95);
    EXPECT_EQ (arrow.getY(), 9);
    EXPECT_EQ (arrow.getBottom(), 13);
    EXPECT_EQ (image.getPixelAt (90, 9), editorBlue);
    EXPECT_EQ (image.getPixelAt (90, 10), editorBlue);

    // The tip: the last row of the arrow is reached only around x 90.
    EXPECT_NE (image.getPixelAt (90, 12), juce::Colours::white);
    EXPECT_EQ (image.getPixelAt (86, 12), juce::Colours::white);
    EXPECT_EQ (image.getPixelAt (90, 13), juce::Colours::white);

    // White elsewhere, rounded corners.
    EXPECT_EQ (argb (image, 50, 9), 0xFFFFFFFFu);
    EXPECT_EQ (argb (image, 10, 1), 0xFFFFFFFFu);
    EXPECT_LT (image.getPixelAt (0, 0).getAlpha(), 255);

    // The arrow takes the list's own arrow colour.
    box.setColour (juce::ComboBox::arrowColourId, juce::Colours::red);
    auto red = blankImage (100, 18);
    {
        juce::Graphics g (red);
        look.drawComboBox (g, 100, 18, false, 0, 0, 100, 18, box);
    }
    EXPECT_EQ (red.getPixelAt (90, 10), juce::Colours::red);
}

TEST (CustomLook, ListWidgetDrawsItsArrowInTheEditorBlue)
{
    CustomLook look;
    ComboBoxWithLabel widget ({ "1/4", "1/8" }, "Time Div");
    widget.setBounds (0, 0, 200, 18);
    widget.setLookAndFeel (&look);

    auto image = widget.createComponentSnapshot (widget.getLocalBounds(), true, 1.0f);
    EXPECT_EQ (image.getPixelAt (190, 10), editorBlue);
    EXPECT_EQ (image.getPixelAt (180, 10), juce::Colours::white);
    // The entry text in blue on the list's left, the label text in white on the widget's left.
    EXPECT_GT (countPixelsNear (image, { 100, 0, 60, 18 }, editorBlue), 5);
    EXPECT_GT (countPixelsNear (image, { 0, 0, 100, 16 }, juce::Colours::white), 10);

    // For a look by eye: ZKM_WIDGET_SNAPSHOT_DIR names a folder that receives the picture.
    const auto snapshotFolder = juce::SystemStats::getEnvironmentVariable ("ZKM_WIDGET_SNAPSHOT_DIR", {});

    if (snapshotFolder.isNotEmpty())
    {
        const auto file = juce::File (snapshotFolder).getChildFile ("ListWidget.png");
        file.deleteFile();
        juce::FileOutputStream out (file);
        // On a dark ground, as in the editor, so that the white label shows.
        juce::Image picture (juce::Image::ARGB, 800, 72, true);
        juce::Graphics g (picture);
        g.fillAll (juce::Colour (0xFF303030));
        g.drawImage (image, picture.getBounds().toFloat());
        juce::PNGImageFormat().writeImageToStream (picture, out);
    }

    widget.setLookAndFeel (nullptr);
}

TEST (CustomLook, PressedButtonFillsLightGreyAndEveryButtonHasABlackRoundedOutline)
{
    CustomLook look;

    auto pressed = drawButton (look, true, true);
    EXPECT_EQ (argb (pressed, 50, 15), 0xFFD3D3D3u);

    auto over = drawButton (look, true, false);
    EXPECT_EQ (argb (over, 50, 15), 0xFFFFFFFFu);

    auto normal = drawButton (look, false, false);
    EXPECT_EQ (argb (normal, 50, 15), 0xFFF5F5F5u);
    EXPECT_EQ (argb (normal, 2, 15), 0xFFF5F5F5u);

    // Outline: the edges are dark, the corners rounded by 4.
    EXPECT_LT (normal.getPixelAt (50, 0).getBrightness(), 0.6f);
    EXPECT_LT (normal.getPixelAt (0, 15).getBrightness(), 0.6f);
    EXPECT_LT (normal.getPixelAt (99, 15).getBrightness(), 0.6f);
    EXPECT_LT (normal.getPixelAt (0, 0).getAlpha(), 128);

    // A real button drawn with the look.
    juce::TextButton button ("Send");
    button.setBounds (0, 0, 80, 24);
    button.setLookAndFeel (&look);
    auto snapshot = button.createComponentSnapshot (button.getLocalBounds(), true, 1.0f);
    EXPECT_EQ (argb (snapshot, 5, 12), 0xFFF5F5F5u);
    button.setLookAndFeel (nullptr);
}

TEST (CustomLook, TextFieldsAreTransparentAndUnframed)
{
    CustomLook look;
    juce::TextEditor field;
    auto image = blankImage (60, 20);
    {
        juce::Graphics g (image);
        look.fillTextEditorBackground (g, 60, 20, field);
        look.drawTextEditorOutline (g, 60, 20, field);
    }
    EXPECT_TRUE (areaOfPixelsOtherThan (image, juce::Colours::transparentBlack).isEmpty());
}

TEST (CustomLook, PopupMenusAreBlueWithWhiteTextAndAWhiteHighlight)
{
    CustomLook look;

    auto background = blankImage (80, 40);
    {
        juce::Graphics g (background);
        look.drawPopupMenuBackground (g, 80, 40);
    }
    EXPECT_EQ (areaOfColour (background, editorBlue), juce::Rectangle<int> (0, 0, 80, 40));

    auto item = blankImage (80, 20);
    {
        juce::Graphics g (item);
        look.drawPopupMenuItem (g, { 0, 0, 80, 20 }, false, true, false, true, true, "Omni", "Ctrl+O", nullptr,
                                nullptr);
    }
    // Only white text on the left; no tick, arrow or shortcut on the right.
    const auto ink = areaOfPixelsOtherThan (item, juce::Colours::transparentBlack);
    EXPECT_FALSE (ink.isEmpty());
    EXPECT_LT (ink.getX(), 3);
    EXPECT_LT (ink.getRight(), 45);
    EXPECT_GT (countPixelsNear (item, item.getBounds(), juce::Colours::white), 5);

    auto highlighted = blankImage (80, 20);
    {
        juce::Graphics g (highlighted);
        look.drawPopupMenuItem (g, { 0, 0, 80, 20 }, false, true, true, false, false, "Omni", {}, nullptr, nullptr);
    }
    EXPECT_EQ (argb (highlighted, 70, 10), 0xFFFFFFFFu);
    EXPECT_EQ (argb (highlighted, 0, 0), 0xFFFFFFFFu);
    EXPECT_GT (countPixelsNear (highlighted, highlighted.getBounds(), editorBlue), 5);

    auto separator = blankImage (80, 20);
    {
        juce::Graphics g (separator);
        look.drawPopupMenuItem (g, { 0, 0, 80, 20 }, true, false, false, false, false, {}, {}, nullptr, nullptr);
    }
    EXPECT_TRUE (areaOfPixelsOtherThan (separator, juce::Colours::transparentBlack).isEmpty());
}

TEST (CustomLook, MenuBarItemsFillByState)
{
    CustomLook look;
    juce::MenuBarComponent bar;
    bar.setBounds (0, 0, 300, 20);
    bar.setLookAndFeel (&look);
    bar.setColour (juce::PopupMenu::highlightedBackgroundColourId, juce::Colours::orange);
    bar.setColour (juce::PopupMenu::textColourId, juce::Colours::black);

    auto draw = [&] (bool over, bool open)
    {
        auto image = blankImage (60, 20);
        juce::Graphics g (image);
        look.drawMenuBarItem (g, 60, 20, 0, "File", over, open, over, bar);
        return image;
    };

    auto normal = draw (false, false);
    EXPECT_EQ (normal.getPixelAt (1, 1).getAlpha(), 0);
    EXPECT_GT (countPixelsNear (normal, normal.getBounds(), juce::Colours::black), 3);

    auto open = draw (false, true);
    EXPECT_EQ (open.getPixelAt (1, 1), juce::Colours::orange);

    auto over = draw (true, false);
    EXPECT_EQ (over.getPixelAt (1, 1), juce::Colours::orange);

    // The text stands in the middle of the item.
    const auto ink = areaOfPixelsOtherThan (normal, juce::Colours::transparentBlack);
    EXPECT_NEAR (ink.getCentreX(), 30, 3);

    bar.setEnabled (false);
    auto disabled = draw (true, true);
    EXPECT_EQ (argb (disabled, 1, 1), 0xFFFFFFFFu);
    // Half-alpha black text on white gives grey, not black.
    EXPECT_EQ (countPixelsNear (disabled, disabled.getBounds(), juce::Colours::black, 60), 0);
    EXPECT_GT (countPixelsNear (disabled, disabled.getBounds(), juce::Colour (0xFF808080), 30), 0);

    bar.setLookAndFeel (nullptr);
}

TEST (CustomLook, LabelsAreFilledWrittenLeftAndOutlined)
{
    CustomLook look;
    juce::Label label ("title", "Knob 3");
    label.setBounds (0, 0, 120, 20);
    label.setJustificationType (juce::Justification::centredRight);
    label.setColour (juce::Label::backgroundColourId, juce::Colours::black);
    label.setColour (juce::Label::textColourId, juce::Colours::white);
    label.setColour (juce::Label::outlineColourId, juce::Colours::red);

    auto image = blankImage (120, 20);
    {
        juce::Graphics g (image);
        look.drawLabel (g, label);
    }
    EXPECT_EQ (image.getPixelAt (60, 0), juce::Colours::red);
    EXPECT_EQ (image.getPixelAt (0, 10), juce::Colours::red);
    EXPECT_EQ (image.getPixelAt (119, 10), juce::Colours::red);
    EXPECT_EQ (image.getPixelAt (110, 10), juce::Colours::black);

    // Left and centred vertically, whatever the label's own justification.
    const auto ink =
        areaOfPixelsOtherThan (image.getClippedImage ({ 1, 1, 118, 18 }), juce::Colours::black).translated (1, 1);
    EXPECT_LT (ink.getX(), 6);
    EXPECT_LT (ink.getRight(), 70);
    EXPECT_NEAR (ink.getCentreY(), 10, 2);
    EXPECT_GT (countPixelsNear (image, { 1, 1, 60, 18 }, juce::Colours::white, 10), 10);

    // Disabled: the text and the outline at half alpha.
    label.setEnabled (false);
    auto disabled = blankImage (120, 20);
    {
        juce::Graphics g (disabled);
        look.drawLabel (g, label);
    }
    EXPECT_EQ (countPixelsNear (disabled, { 1, 1, 60, 18 }, juce::Colours::white, 10), 0);
    const auto outline = disabled.getPixelAt (60, 0);
    EXPECT_NEAR (outline.getRed(), 128, 2);
    EXPECT_EQ (outline.getGreen(), 0);

    // Being edited: the outline in full colour, no text.
    label.setEnabled (true);
    label.showEditor();
    ASSERT_TRUE (label.isBeingEdited());
    auto editing = blankImage (120, 20);
    {
        juce::Graphics g (editing);
        look.drawLabel (g, label);
    }
    EXPECT_EQ (editing.getPixelAt (60, 0), juce::Colours::red);
    EXPECT_EQ (countPixelsNear (editing, { 1, 1, 60, 18 }, juce::Colours::white, 10), 0);
    label.hideEditor (true);
}

TEST (CustomLook, ToggleButtonIsAPlainAreaOfItsTextColour)
{
    CustomLook look;
    juce::ToggleButton toggle ("Sync");
    toggle.setBounds (0, 0, 40, 20);

    auto draw = [&] (bool over, bool down)
    {
        auto image = blankImage (40, 20);
        juce::Graphics g (image);
        look.drawToggleButton (g, toggle, over, down);
        return image;
    };

    const juce::Colour bright (0xFFE0E0E0), dark (0xFF202060);

    toggle.setColour (juce::ToggleButton::textColourId, bright);
    EXPECT_EQ (areaOfColour (draw (false, false), bright), juce::Rectangle<int> (0, 0, 40, 20));
    EXPECT_EQ (draw (true, false).getPixelAt (20, 10), bright.darker (0.1f));
    EXPECT_EQ (draw (true, true).getPixelAt (20, 10), bright.brighter (0.4f));
    EXPECT_EQ (draw (false, true).getPixelAt (20, 10), bright);

    toggle.setColour (juce::ToggleButton::textColourId, dark);
    EXPECT_EQ (draw (true, false).getPixelAt (20, 10), dark.brighter (0.1f));
    EXPECT_EQ (areaOfColour (draw (false, false), dark), juce::Rectangle<int> (0, 0, 40, 20));
}
