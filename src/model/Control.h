#pragma once

#include <juce_core/juce_core.h>

/** One control group of the hardware: a block of parameter bytes at a fixed offset of the preset
    image, addressed by parameter names. Several names may address one byte. */
class Control
{
public:
    /** Anything that wants to hear about loaded values. */
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void controlValueChanged (juce::String parameterName, juce::uint8 value) = 0;
    };

    //==============================================================================
    Control (int blockLength, int offset);

    //==============================================================================
    /** Stores one parameter if the value lies within its range; optionally notifies every listener,
        whether or not the value was stored. */
    virtual void setValue (juce::String parameterName, juce::uint8 value, bool notifyListeners);

    /** Stores a value that a user entered, if it lies within the parameter's range, and then tells
        every listener but the writer what the byte holds, under every name that addresses that byte,
        so that every other widget of it follows while the writer is not told its own value back.
        Returns false, telling no one, when the value is refused. */
    bool setValueFromUser (const juce::String& parameterName, juce::uint8 value, Listener* writer);

    /** The stored byte of that parameter, 0 for a name that the class does not know. */
    virtual juce::uint8 getValue (juce::String parameterName);

    /** A copy of the whole block. */
    virtual juce::Array<juce::uint8> getValues();

    /** Replaces the block without range checks, then notifies every name in list order. */
    virtual void setValues (const juce::Array<juce::uint8>& newValues);

    /** Takes the control's block out of a whole preset image; missing bytes read as 0. */
    virtual void loadFromImage (const juce::Array<juce::uint8>& image);

    virtual ~Control() = default;

    virtual juce::uint8 getMinimum (juce::String parameterName);
    virtual juce::uint8 getMaximum (juce::String parameterName);
    virtual int getIndex (juce::String parameterName) = 0;

    //==============================================================================
    /** Registers a listener unless it is registered already. Listeners are not owned. */
    void addListener (Listener* listener);

    /** Unregisters a listener; safe to call from inside a notification. A listener that is destroyed
        before its control must remove itself first. */
    void removeListener (Listener* listener);

    /** The names of the control's parameters, in the order of their notifications. */
    const juce::StringArray& getParameterNames() const noexcept { return parameterNames; }

    /** The position of the control's block in the preset image. */
    int getOffset() const noexcept { return offset; }

protected:
    /** The name-list lookup used by classes without their own getIndex. */
    int getIndexFromNameList (const juce::String& parameterName) const;

    /** Calls every listener but the excluded one, from the most recently added to the first. */
    void callListeners (const juce::String& parameterName, juce::uint8 value, Listener* excluded = nullptr);

    //==============================================================================
    juce::Array<juce::uint8> values;
    juce::StringArray parameterNames;
    juce::Array<Listener*> listeners;
    int offset = 0;

private:
    /** The byte of every name, in list order, looked up once: names and bytes are fixed once the
        subclass has been constructed, and a load would otherwise search every name twice. */
    const std::vector<int>& getNameBytes();

    std::vector<int> nameBytes;

    JUCE_DECLARE_NON_COPYABLE (Control)
};
