#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A single-line box that shows a whole number and, when clicked, turns into a text field that accepts
    only digits and signs. A typed number outside the box's range is refused and the previous number
    comes back; every accepted number is told to the listeners. */
class NumberBox : public juce::Label
{
public:
    /** Hears of every number that the box accepts, also of an unchanged one. */
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void numberBoxValueChanged (NumberBox* box) = 0;
    };

    /** The look of the text field while the box is being edited: opaque white and unframed. */
    class LookAndFeel : public juce::LookAndFeel_V3
    {
    public:
        void fillTextEditorBackground (juce::Graphics&, int width, int height, juce::TextEditor&) override;
        void drawTextEditorOutline (juce::Graphics&, int width, int height, juce::TextEditor&) override;
    };

    //==============================================================================
    NumberBox();
    ~NumberBox() override;

    //==============================================================================
    /** Shows and stores the number if it lies within the range and tells the listeners; a number
        outside the range is refused and the current number is shown again. */
    void setNumber (double newNumber);

    /** The current number. */
    double getValue() const noexcept { return value; }

    /** Registers a listener unless it is registered already. Listeners are not owned. */
    void addListener (Listener* listener);

    //==============================================================================
    void paint (juce::Graphics&) override;

    /** The characters that can be typed into the field. */
    static constexpr const char* allowedCharacters = "0123456789-+";

    // The owner writes the range directly, before it sets the first number.
    double minimum = 0.0;
    double maximum = 0.0;

protected:
    //==============================================================================
    void editorShown (juce::TextEditor*) override;
    void editorAboutToBeHidden (juce::TextEditor*) override;

private:
    //==============================================================================
    static juce::String asWholeNumber (double number);

    /** Writes the text without a change message, and without taking an open field's text as an edit. */
    void showText (const juce::String& text);

    // Made when the box is first edited: a window holds hundreds of boxes, and a look of its own for
    // each would cost every box a full colour table while almost none is ever edited.
    std::unique_ptr<LookAndFeel> editorLook;
    juce::Array<Listener*> listeners;
    double value = 0.0;

    // True while the box replaces its own text: closing an open field then abandons the edit.
    bool isSettingText = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NumberBox)
};
