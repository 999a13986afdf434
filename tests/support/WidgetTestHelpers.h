#pragma once

#include "BinaryData.h"
#include "engine/MidiManager.h"
#include "engine/ZKEditorEngine.h"
#include "model/Control.h"
#include "model/ControlType.h"
#include "widgets/NumberBox.h"

#include <cstdlib>
#include <juce_gui_basics/juce_gui_basics.h>
#include <utility>
#include <vector>

/** Helpers of the widget tests: a document engine with the default preset, presets with changed bytes,
    a window on the desktop, typing into a number box, and pixels of rendered drawings. */
namespace WidgetTestHelpers
{
//==============================================================================
/** Runs the message loop for a while, so that asynchronous list changes and key messages arrive. */
inline void pump (int milliseconds = 30) { juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds); }

//==============================================================================
/** The preset dump starts with ten bytes of head; the image follows. */
constexpr int dumpHeadLength = 10;

inline juce::Array<juce::uint8> defaultPresetDump()
{
    const auto* bytes = reinterpret_cast<const juce::uint8*> (BinaryData::ZKM_DefaultPreset_zkp);
    return juce::Array<juce::uint8> (bytes, BinaryData::ZKM_DefaultPreset_zkpSize);
}

/** The default preset with some image bytes replaced: pairs of (image index, value). */
inline juce::Array<juce::uint8> presetWith (std::initializer_list<std::pair<int, juce::uint8>> changes)
{
    auto dump = defaultPresetDump();

    for (const auto& change : changes)
        dump.set (dumpHeadLength + change.first, change.second);

    return dump;
}

//==============================================================================
/** The engine of one document, on a MIDI manager that finds no devices here. Widgets bound to it must
    be destroyed before it, since controls keep their listeners to the end. */
struct TestDocument
{
    TestDocument()
        : engine (new ZKEditorEngine (deviceId, &manager, "*.zkp", splitPointMaximum, octaveMaximum, numKnobs, numPads,
                                      numSwitches))
    {
    }

    void loadDefaultPreset() { engine->loadPresetData (defaultPresetDump()); }
    void load (const juce::Array<juce::uint8>& dump) { engine->loadPresetData (dump); }

    Control& control (int controlType, int index = 0) { return *engine->getControls (controlType)[index]; }

    static constexpr juce::uint8 deviceId = 0x40;
    static constexpr juce::uint8 splitPointMaximum = 60;
    static constexpr juce::uint8 octaveMaximum = 10;
    static constexpr int numKnobs = 16;
    static constexpr int numPads = 16;
    static constexpr int numSwitches = 48;

    MidiManager manager;
    ZKEditorEngine::Ptr engine;
};

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
