#pragma once

#include "model/Control.h"
#include "model/PresetLayout.h"
#include "support/TestRig.h"

#include <juce_gui_basics/juce_gui_basics.h>
#include <ostream>

/** Helpers of the editor view tests: presets with a changed parameter, finding components by name
    and clicking them with mouse events. The engines, presets and the pump are the shared rig's. */
namespace ViewTestHelpers
{
using namespace TestRig;

/** A copy of a preset dump with one parameter changed. */
inline juce::Array<juce::uint8> withParameter (juce::Array<juce::uint8> presetData, ZKEditorEngine& engine,
                                               int controlType, int instance, const juce::String& parameterName,
                                               juce::uint8 value)
{
    // A dump carries a head before the image; the control knows where its byte lies in the image.
    auto* control = engine.getControls (controlType)[instance];
    presetData.set (dumpHeadLength + control->getOffset() + control->getIndex (parameterName), value);
    return presetData;
}

/** The default preset with one parameter changed. */
inline juce::Array<juce::uint8> defaultPresetWith (ZKEditorEngine& engine, int controlType, int instance,
                                                   const juce::String& parameterName, juce::uint8 value)
{
    return withParameter (defaultPresetDump(), engine, controlType, instance, parameterName, value);
}

inline Control& controlOf (ZKEditorEngine& engine, int controlType, int instance = 0)
{
    return *engine.getControls (controlType)[instance];
}

//==============================================================================
/** Every descendant of the given class, depth first in child order. */
template <typename ComponentClass>
juce::Array<ComponentClass*> findAll (juce::Component& root)
{
    juce::Array<ComponentClass*> found;

    for (auto* child : root.getChildren())
    {
        if (auto* match = dynamic_cast<ComponentClass*> (child))
            found.add (match);

        found.addArray (findAll<ComponentClass> (*child));
    }

    return found;
}

/** The first descendant of the given class with that component name, or null. */
template <typename ComponentClass = juce::Component>
ComponentClass* findNamed (juce::Component& root, const juce::String& name)
{
    for (auto* candidate : findAll<ComponentClass> (root))
        if (candidate->getName() == name)
            return candidate;

    return nullptr;
}

/** The view whose title label reads that text, or null. */
inline juce::Component* findTitled (juce::Component& root, const juce::String& title)
{
    for (auto* label : findAll<juce::Label> (root))
        if (label->getText() == title)
            return label->getParentComponent();

    return nullptr;
}

/** True when the component and every parent below the root are visible; the root is what a window
    would show. */
inline bool isShownWithin (const juce::Component& component, const juce::Component& root)
{
    for (auto* c = &component; c != nullptr; c = c->getParentComponent())
    {
        if (c == &root)
            return true;

        if (! c->isVisible())
            return false;
    }

    return false;
}

/** The texts of the visible labels below the root that are shown, in child order. */
inline juce::StringArray shownLabelTexts (juce::Component& root)
{
    juce::StringArray texts;

    for (auto* label : findAll<juce::Label> (root))
        if (isShownWithin (*label, root))
            texts.add (label->getText());

    return texts;
}

//==============================================================================
/** A press and release of the left mouse button at a point of the root, delivered as mouse events
    to the component that the root's own hit testing finds there, as the mouse would reach it.
    Returns that component, or null when the point hits nothing. */
inline juce::Component* clickAt (juce::Component& root, juce::Point<int> pointInRoot)
{
    // Hit testing finds nothing in an invisible component; the root is shown, as its window would.
    root.setVisible (true);
    auto* target = root.getComponentAt (pointInRoot);

    if (target == nullptr)
        return nullptr;

    const auto position = target->getLocalPoint (&root, pointInRoot).toFloat();
    const auto source = juce::Desktop::getInstance().getMainMouseSource();
    const auto now = juce::Time::getCurrentTime();

    auto makeEvent = [&] (juce::ModifierKeys modifiers)
    {
        return juce::MouseEvent (source, position, modifiers, juce::MouseInputSource::defaultPressure,
                                 juce::MouseInputSource::defaultOrientation, juce::MouseInputSource::defaultRotation,
                                 juce::MouseInputSource::defaultTiltX, juce::MouseInputSource::defaultTiltY, target,
                                 target, now, position, now, 1, false);
    };

    juce::Component::SafePointer<juce::Component> watcher (target);
    target->mouseEnter (makeEvent ({}));
    target->mouseDown (makeEvent (juce::ModifierKeys::leftButtonModifier));

    if (watcher != nullptr)
        target->mouseUp (makeEvent (juce::ModifierKeys::leftButtonModifier));

    if (watcher != nullptr)
        target->mouseExit (makeEvent ({}));

    return target;
}

/** Clicks the middle of a component, through the root's hit testing. */
inline juce::Component* clickCentreOf (juce::Component& root, juce::Component& component)
{
    return clickAt (root, root.getLocalPoint (&component, component.getLocalBounds().getCentre()));
}

/** Picks a list entry as a user would; the list tells its listeners at once. */
inline void chooseEntry (juce::ComboBox& comboBox, const juce::String& entryText)
{
    for (int i = 0; i < comboBox.getNumItems(); ++i)
        if (comboBox.getItemText (i) == entryText)
            comboBox.setSelectedId (comboBox.getItemId (i), juce::sendNotificationSync);
}
} // namespace ViewTestHelpers

// Readable failure messages for the JUCE values that the view tests compare.
namespace juce
{
inline void PrintTo (const String& text, std::ostream* stream) { *stream << '"' << text << '"'; }

inline void PrintTo (const StringArray& texts, std::ostream* stream)
{
    *stream << "{ \"" << texts.joinIntoString ("\", \"") << "\" }";
}

template <typename ValueType>
void PrintTo (const Rectangle<ValueType>& area, std::ostream* stream)
{
    *stream << "(" << area.toString() << ")";
}

template <typename ValueType>
void PrintTo (const Point<ValueType>& point, std::ostream* stream)
{
    *stream << "(" << point.toString() << ")";
}

inline void PrintTo (const Array<int>& numbers, std::ostream* stream)
{
    *stream << "{";

    for (auto number : numbers)
        *stream << " " << number;

    *stream << " }";
}
} // namespace juce
