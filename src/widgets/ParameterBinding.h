#pragma once

#include "engine/ZKEditorEngine.h"
#include "model/Control.h"
#include "widgets/UIParameterInterface.h"

/** Binds a widget to one named parameter of one control, the instance at controlIndex of a
    ControlType (index 0 for the controls of which there is one). A loaded value is shown in the
    widget plus a display offset; a user's change is written back, less the offset, through the
    engine's editParameter, which tells every other widget of that byte but not this one.

    The widget that owns the binding forwards its own events to write; the binding calls the
    widget's setDisplayedValue. */
class ParameterBinding : private Control::Listener
{
public:
    //==============================================================================
    /** Registers with the control at once; the views bind only controls that the engine holds.
        The widget keeps its initial state until the control next notifies. */
    ParameterBinding (UIParameterInterface& widget, ZKEditorEngine::Ptr engine, const juce::String& parameterName,
                      int controlType, int controlIndex, int displayOffset);

    /** The registration ends with the binding, since the engine, and with it the control, may
        outlive the widget (a slot dialog holds the engine of a window that was closed). */
    ~ParameterBinding() override;

    //==============================================================================
    /** Writes the shown value, less the display offset and taken as a byte, as a user's edit; a
        value that the control refuses changes nothing. */
    void write (int shownValue);

    /** After a write: if the control refused the value, the widget shows the control's value again
        instead of one that the preset does not hold. */
    void showStoredValueIfRefused (int shownValue);

    /** Both of the above. */
    void writeFromUser (int shownValue);

    //==============================================================================
    /** Binds the widget to another name of the same control; a label keeps its text. */
    void setParameterName (const juce::String& newParameterName) { parameterName = newParameterName; }
    const juce::String& getParameterName() const noexcept { return parameterName; }

private:
    //==============================================================================
    void controlValueChanged (juce::String changedParameterName, juce::uint8 value) override;

    //==============================================================================
    UIParameterInterface& widget;
    ZKEditorEngine::Ptr engine;
    juce::String parameterName;
    const int controlType, controlIndex, displayOffset;
    Control* const control;

    JUCE_DECLARE_NON_COPYABLE (ParameterBinding)
};
