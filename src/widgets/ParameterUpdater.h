#pragma once

#include "engine/ZKEditorEngine.h"
#include "model/Control.h"
#include "widgets/UIParameterInterface.h"

/** Binds a widget to one named parameter of one control: a loaded value is shown in the widget, plus
    a display offset, and a user's change is written back, less the offset, through the engine's
    editParameter, which tells every other widget of that byte but not this one. */
class ParameterUpdater : public Control::Listener
{
public:
    //==============================================================================
    ParameterUpdater (UIParameterInterface* ui, ZKEditorEngine::Ptr engine, const juce::String& parameterName);
    ~ParameterUpdater() override;

    //==============================================================================
    /** Shows the value plus the display offset when the name is the bound one. */
    void controlValueChanged (juce::String changedParameterName, juce::uint8 value) override;

    /** Writes the shown value, less the display offset, into the bound parameter as a user's edit. */
    virtual void updateParameter (int shownValue) = 0;

    //==============================================================================
    /** Binds the widget to another name of the same control; a label keeps its text. */
    void setParameterName (const juce::String& newParameterName);
    const juce::String& getParameterName() const noexcept { return parameterName; }

protected:
    //==============================================================================
    /** The control that holds the bound parameter; nullptr only if the engine has no such control. */
    virtual Control* getBoundControl() = 0;

    /** What is added to a stored value to show it. */
    virtual int getDisplayOffset() const { return 0; }

    /** Registers with the control that holds the bound parameter; the registration ends with the
        controller, since the engine, and with it the control, may outlive the widget (a slot dialog
        holds the engine of a window that was closed). */
    void observe (Control* control);

    /** After a write from the widget: if the control refused the value, the widget shows the control's
        value again instead of one that the preset does not hold. */
    void showStoredValueIfRefused (int shownValue);

    //==============================================================================
    UIParameterInterface* ui = nullptr;
    ZKEditorEngine::Ptr engine;
    juce::String parameterName;

private:
    Control* observedControl = nullptr;

    JUCE_DECLARE_NON_COPYABLE (ParameterUpdater)
};
