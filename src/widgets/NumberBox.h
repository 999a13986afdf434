#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A single-line box that shows a whole number and, when clicked, turns into a text field that accepts
    only digits and signs. A typed number outside the box's range is refused and the previous number
    comes back; every accepted number is told to the listeners.

    Only a number that the user typed is taken: Escape abandons the edit, and a field closed with the
    text it opened with (by Tab, a click elsewhere or Return) changes nothing and tells no one. A
    number shown from outside (showNumber) that lies outside the range is shown as it is, marked in
    the warning colour with a tooltip that names the range.

    The number can also be stepped: the mouse wheel and the up and down keys (while the box has the
    keyboard focus) step it by 1, with shift by 10, and a vertical drag by one for every 4 pixels.
    Every step keeps to the range and is told to the listeners as a typed number is. Tab leaves the
    field closed and marks the focused box with a frame; Return or a typed digit opens it. */
class NumberBox : public juce::Label
{
public:
    /** Hears of every accepted number, also of an unchanged one. */
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
    /** As a typed number: a number outside the range is refused and the current one shown again. */
    void setNumber (double newNumber);

    /** Shows a number that the owner holds, without telling the listeners; an open edit is
        abandoned. A number outside the range is shown all the same, marked, so that the box never
        shows a number other than the one it stands for. */
    void showNumber (double number);

    /** Kept within the range, so a number shown outside it steps to the nearest end. A step that
        changes nothing tells no one. */
    void stepNumber (int steps);

    double getValue() const noexcept { return value; }
    bool isOutOfRange() const noexcept { return ! (value >= minimum && value <= maximum); }

    /** Unless registered already. Listeners are not owned. */
    void addListener (Listener* listener);

    //==============================================================================
    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
    bool keyPressed (const juce::KeyPress&) override;

    /** Tab only marks the box; unlike a label, it does not open the field. */
    void focusGained (FocusChangeType) override;
    void focusLost (FocusChangeType) override;

    /** Tab follows the order of the box's owner, in which the box's open field stands for the box. */
    std::unique_ptr<juce::ComponentTraverser> createKeyboardFocusTraverser() override;

    static constexpr int pixelsPerDragStep = 4;
    static constexpr const char* allowedCharacters = "0123456789-+";

    /** The number is painted this far in from the left edge. */
    static constexpr int textIndent = 5;

    /** Frames the area of a box, or of a field drawn as one, that has the keyboard focus, so that the
        keyboard's place can be seen. */
    static void drawFocusFrame (juce::Graphics&, juce::Rectangle<int> area);

    // The owner writes the range directly, before it sets the first number.
    double minimum = 0.0;
    double maximum = 0.0;

protected:
    //==============================================================================
    void editorShown (juce::TextEditor*) override;
    void editorAboutToBeHidden (juce::TextEditor*) override;

    /** Nothing is written, whatever the field holds. */
    void textEditorEscapeKeyPressed (juce::TextEditor&) override;

private:
    //==============================================================================
    static juce::String asWholeNumber (double number);

    /** Writes the text without a change message, and without taking an open field's text as an edit. */
    void showText (const juce::String& text);

    void updateRangeMark();

    /** Ends the edit as Return would when the mouse is pressed anywhere outside the open field. The
        label makes itself modal while its field is open, which would keep every other window
        behind the editor's and swallow the first click into it; the box leaves that state and
        watches the clicks itself instead. */
    class OutsideClickWatcher : public juce::MouseListener
    {
    public:
        explicit OutsideClickWatcher (NumberBox& owner);
        ~OutsideClickWatcher() override;
        void mouseDown (const juce::MouseEvent& event) override;

    private:
        NumberBox& box;
    };

    // Made when the box is first edited: a window holds hundreds of boxes, and a look of its own for
    // each would cost every box a full colour table while almost none is ever edited.
    std::unique_ptr<LookAndFeel> editorLook;
    juce::Array<Listener*> listeners;
    double value = 0.0;

    // True while the box replaces its own text: closing an open field then abandons the edit.
    bool isSettingText = false;

    // What the open field showed when it opened, and whether Escape abandoned the edit.
    juce::String textWhenOpened;
    bool editAbandoned = false;

    std::unique_ptr<OutsideClickWatcher> outsideClickWatcher;

    double valueAtDragStart = 0.0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NumberBox)
};
