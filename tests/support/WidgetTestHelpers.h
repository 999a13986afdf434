#pragma once

#include "model/Control.h"
#include "model/PresetLayout.h"
#include "support/TestRig.h"
#include "widgets/NumberBox.h"

#include <cstdlib>
#include <juce_gui_basics/juce_gui_basics.h>
#include <utility>
#include <vector>

/** Helpers of the widget tests: a window on the desktop, typing into a number box, and pixels of
    rendered drawings. The document engines, presets and the pump are the shared rig's. */
namespace WidgetTestHelpers
{
using namespace TestRig;

/** Image offsets of the blocks that the widget tests change. */
namespace ImageOffset
{
    constexpr int keybed = 16;
    constexpr int transport = 34;
    constexpr int wheels = 46;
    constexpr int knobs = 55;
    constexpr int pads = 135;
    constexpr int switches = 215;
    constexpr int midiToDin = 455;
    constexpr int blockLength = 5;
} // namespace ImageOffset

//==============================================================================
/** Hears every notification of a control. Register it only with controls that it outlives. */
struct RecordingControlListener : public Control::Listener
{
    void controlValueChanged (juce::String name, juce::uint8 value) override { calls.push_back ({ name, value }); }

    std::vector<std::pair<juce::String, juce::uint8>> calls;
};

/** Hears every number that a box accepts. */
struct RecordingNumberBoxListener : public NumberBox::Listener
{
    void numberBoxValueChanged (NumberBox* box) override { values.push_back (box->getValue()); }

    std::vector<double> values;
};

//==============================================================================
/** Puts a component into a window of its own on the desktop, so that it can take the keyboard focus
    as in the editor. */
class DesktopHost
{
public:
    explicit DesktopHost (juce::Component& content)
    {
        window.setBounds (content.getRight() + 20, content.getBottom() + 20, 400, 300);
        window.addAndMakeVisible (content);
        window.addToDesktop (juce::ComponentPeer::windowIsTemporary);
        window.setVisible (true);
        window.toFront (true);
        pump (100);
    }

    ~DesktopHost()
    {
        window.removeFromDesktop();
        window.removeAllChildren();
    }

    juce::Component window;
};

//==============================================================================
/** Opens the box's text field as a click does. */
inline juce::TextEditor* openEditor (NumberBox& box)
{
    box.showEditor();
    return box.getCurrentTextEditor();
}

/** Types each character as a key press into the field. */
inline void typeKeys (juce::TextEditor& editor, const juce::String& keys)
{
    for (auto character : keys)
        editor.keyPressed (juce::KeyPress ((int) character, juce::ModifierKeys(), character));
}

/** Ends the edit with the Return key and lets its message arrive. */
inline void pressReturn (juce::TextEditor& editor)
{
    editor.keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    pump();
}

/** Clicks into the box, replaces the number by typing, and presses Return. */
inline void typeIntoBox (NumberBox& box, const juce::String& keys)
{
    auto* editor = openEditor (box);

    if (editor == nullptr)
        return;

    editor->selectAll();
    editor->keyPressed (juce::KeyPress (juce::KeyPress::deleteKey));
    typeKeys (*editor, keys);
    pressReturn (*editor);
}

//==============================================================================
/** A transparent image to draw into. */
inline juce::Image blankImage (int width, int height) { return juce::Image (juce::Image::ARGB, width, height, true); }

inline juce::uint32 argb (const juce::Image& image, int x, int y) { return image.getPixelAt (x, y).getARGB(); }

/** The area of the pixels of that exact colour. */
inline juce::Rectangle<int> areaOfColour (const juce::Image& image, juce::Colour colour)
{
    juce::Rectangle<int> area;

    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt (x, y) == colour)
                area = area.isEmpty() ? juce::Rectangle<int> (x, y, 1, 1)
                                      : area.getUnion (juce::Rectangle<int> (x, y, 1, 1));

    return area;
}

/** The area of every pixel that differs from the given background. */
inline juce::Rectangle<int> areaOfPixelsOtherThan (const juce::Image& image, juce::Colour background)
{
    juce::Rectangle<int> area;

    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt (x, y) != background)
                area = area.isEmpty() ? juce::Rectangle<int> (x, y, 1, 1)
                                      : area.getUnion (juce::Rectangle<int> (x, y, 1, 1));

    return area;
}

/** Counts the pixels of an area whose colour is near the given one (each channel within the tolerance). */
inline int countPixelsNear (const juce::Image& image, juce::Rectangle<int> area, juce::Colour colour,
                            int tolerance = 40)
{
    int count = 0;

    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
        {
            const auto pixel = image.getPixelAt (x, y);

            if (pixel.getAlpha() > 200 && std::abs (pixel.getRed() - colour.getRed()) <= tolerance
                && std::abs (pixel.getGreen() - colour.getGreen()) <= tolerance
                && std::abs (pixel.getBlue() - colour.getBlue()) <= tolerance)
                ++count;
        }

    return count;
}
} // namespace WidgetTestHelpers
