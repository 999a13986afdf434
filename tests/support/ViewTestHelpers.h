#pragma once

#include "BinaryData.h"
#include "engine/MidiManager.h"
#include "engine/ZKEditorEngine.h"
#include "model/Control.h"
#include "model/ControlType.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** Helpers of the editor view tests: an engine as a document window makes it, the embedded default
    preset, the message-loop pump, finding components by name and clicking them with mouse events. */
namespace ViewTestHelpers
{
/** The model constants that the application passes to every engine and editor. */
constexpr int numKnobs = 16;
constexpr int numPads = 16;
constexpr int numSwitches = 48;

/** The engine of one document, with nothing loaded yet; the manager must outlive it. */
inline ZKEditorEngine::Ptr createEngine (MidiManager& manager)
{
    return new ZKEditorEngine (0x40, &manager, "*.zkp", 60, 10, numKnobs, numPads, numSwitches);
}

/** The embedded default preset dump. */
inline juce::Array<juce::uint8> defaultPresetData()
{
    const auto* bytes = reinterpret_cast<const juce::uint8*> (BinaryData::ZKM_DefaultPreset_zkp);
    return juce::Array<juce::uint8> (bytes, BinaryData::ZKM_DefaultPreset_zkpSize);
}

/** Delivers the pending asynchronous messages, such as the change messages of the lists. */
inline void pumpMessages (int milliseconds = 50)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
}

/** Loads a preset dump as a file, a fetch or the start-up would, and lets the lists catch up. */
inline void loadPreset (ZKEditorEngine& engine, const juce::Array<juce::uint8>& presetData)
{
    engine.loadPresetData (presetData);
    pumpMessages();
}

/** A copy of a preset dump with one parameter changed. */
inline juce::Array<juce::uint8> withParameter (juce::Array<juce::uint8> presetData, ZKEditorEngine& engine,
                                               int controlType, int instance, const juce::String& parameterName,
                                               juce::uint8 value)
{
    // A dump carries a head before the image; the control knows where its byte lies in the image.
    constexpr int dumpHeadLength = 10;
    auto* control = engine.getControls (controlType)[instance];
    presetData.set (dumpHeadLength + control->getOffset() + control->getIndex (parameterName), value);
    return presetData;
}

/** The default preset with one parameter changed. */
inline juce::Array<juce::uint8> defaultPresetWith (ZKEditorEngine& engine, int controlType, int instance,
                                                   const juce::String& parameterName, juce::uint8 value)
{
    return withParameter (defaultPresetData(), engine, controlType, instance, parameterName, value);
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

/** True when the component and every parent up to the root are visible. */
inline bool isShownWithin (const juce::Component& component, const juce::Component& root)
{
    for (auto* c = &component; c != nullptr; c = c->getParentComponent())
    {
        if (!c->isVisible())
            return false;

        if (c == &root)
            return true;
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
