#include "support/WidgetTestHelpers.h"
#include "widgets/NumberBox.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace WidgetTestHelpers;

namespace
{
/** A box as its owner prepares it: range first, then the first number. */
struct BoxOnDesktop
{
    BoxOnDesktop (double minimum, double maximum, double first)
    {
        box.setBounds (0, 0, 100, 18);
        box.minimum = minimum;
        box.maximum = maximum;
        box.setNumber (first);
        box.addListener (&listener);
    }

    NumberBox box;
    RecordingNumberBoxListener listener;
    DesktopHost host{ box };
};
} // namespace

TEST (NumberBox, TypedNumberOutsideTheRangeIsRefusedAndThePreviousComesBack)
{
    BoxOnDesktop b (1, 16, 5);

    typeIntoBox (b.box, "17");
    EXPECT_EQ (b.box.getValue(), 5.0);
    EXPECT_EQ (b.box.getText(), "5");
    EXPECT_TRUE (b.listener.values.empty());
    EXPECT_FALSE (b.box.isBeingEdited());

    typeIntoBox (b.box, "0");
    EXPECT_EQ (b.box.getValue(), 5.0);
    EXPECT_TRUE (b.listener.values.empty());

    typeIntoBox (b.box, "16");
    EXPECT_EQ (b.box.getValue(), 16.0);
    EXPECT_EQ (b.box.getText(), "16");
    ASSERT_EQ (b.listener.values.size(), 1u);
    EXPECT_EQ (b.listener.values[0], 16.0);
}

TEST (NumberBox, EmptyFieldChangesNothingAndTellsNoListener)
{
    BoxOnDesktop b (1, 16, 5);

    typeIntoBox (b.box, "");
    EXPECT_EQ (b.box.getValue(), 5.0);
    EXPECT_EQ (b.box.getText(), "5");
    EXPECT_TRUE (b.listener.values.empty());
}

TEST (NumberBox, LoneMinusReadsAsZero)
{
    BoxOnDesktop wide (0, 127, 40);
    typeIntoBox (wide.box, "-");
    EXPECT_EQ (wide.box.getValue(), 0.0);
    EXPECT_EQ (wide.box.getText(), "0");
    ASSERT_EQ (wide.listener.values.size(), 1u);
    EXPECT_EQ (wide.listener.values[0], 0.0);

    BoxOnDesktop channel (1, 16, 3);
    typeIntoBox (channel.box, "-");
    EXPECT_EQ (channel.box.getValue(), 3.0);
    EXPECT_TRUE (channel.listener.values.empty());
}

TEST (NumberBox, SignsAreAcceptedInANegativeRange)
{
    BoxOnDesktop b (-12, 12, 0);

    typeIntoBox (b.box, "-12");
    EXPECT_EQ (b.box.getValue(), -12.0);
    EXPECT_EQ (b.box.getText(), "-12");

    typeIntoBox (b.box, "+3");
    EXPECT_EQ (b.box.getValue(), 3.0);
    EXPECT_EQ (b.box.getText(), "3");

    typeIntoBox (b.box, "-13");
    EXPECT_EQ (b.box.getValue(), 3.0);
    EXPECT_EQ (b.box.getText(), "3");

    EXPECT_EQ (b.listener.values, (std::vector<double>{ -12.0, 3.0 }));
}

TEST (NumberBox, MinusZeroIsStoredAsPlainZero)
{
    BoxOnDesktop b (-12, 12, 7);

    typeIntoBox (b.box, "-0");
    EXPECT_EQ (b.box.getValue(), 0.0);
    EXPECT_FALSE (std::signbit (b.box.getValue()));
    EXPECT_EQ (b.box.getText(), "0");
    EXPECT_EQ (b.listener.values.size(), 1u);
}

TEST (NumberBox, LettersCannotBeTyped)
{
    BoxOnDesktop b (0, 127, 1);

    auto* editor = openEditor (b.box);
    ASSERT_NE (editor, nullptr);
    editor->selectAll();
    typeKeys (*editor, "1a2b.x3");
    EXPECT_EQ (editor->getText(), "123");

    editor->insertTextAtCaret ("e4 ");
    EXPECT_EQ (editor->getText(), "1234");

    editor->setText ("", false);
    typeKeys (*editor, "x9");
    pressReturn (*editor);
    EXPECT_EQ (b.box.getValue(), 9.0);
}

TEST (NumberBox, FieldOpensWithTheNumberInWhiteWithoutFrameOrScrollBars)
{
    BoxOnDesktop b (0, 127, 42);

    auto* editor = openEditor (b.box);
    ASSERT_NE (editor, nullptr);
    EXPECT_EQ (editor->getText(), "42");
    EXPECT_TRUE (editor->hasKeyboardFocus (false));
    EXPECT_FALSE (editor->isMultiLine());
    EXPECT_FALSE (editor->areScrollbarsShown());
    EXPECT_TRUE (editor->isCaretVisible());
    EXPECT_NE (dynamic_cast<NumberBox::LookAndFeel*> (&editor->getLookAndFeel()), nullptr);

    // Typing replaces the whole number.
    typeKeys (*editor, "7");
    EXPECT_EQ (editor->getText(), "7");
    pressReturn (*editor);
    EXPECT_EQ (b.box.getValue(), 7.0);

    auto image = blankImage (40, 18);
    juce::Graphics g (image);
    juce::TextEditor field;
    NumberBox::LookAndFeel look;
    look.fillTextEditorBackground (g, 40, 18, field);
    look.drawTextEditorOutline (g, 40, 18, field);
    EXPECT_EQ (areaOfColour (image, juce::Colours::white), juce::Rectangle<int> (0, 0, 40, 18));
}

TEST (NumberBox, EditEndsAlsoWhenTheFieldIsClosedElsewhere)
{
    BoxOnDesktop b (0, 127, 10);

    auto* editor = openEditor (b.box);
    ASSERT_NE (editor, nullptr);
    editor->selectAll();
    typeKeys (*editor, "-0");
    b.box.hideEditor (false);

    EXPECT_EQ (b.box.getValue(), 0.0);
    // The label's own text follows the number, not what was typed.
    EXPECT_EQ (b.box.getText(), "0");
    EXPECT_EQ (b.listener.values.size(), 1u);

    editor = openEditor (b.box);
    ASSERT_NE (editor, nullptr);
    editor->selectAll();
    typeKeys (*editor, "+5");
    b.box.hideEditor (false);
    EXPECT_EQ (b.box.getText(), "5");
}

TEST (NumberBox, EveryAcceptedNumberIsToldAlsoAnUnchangedOne)
{
    NumberBox box;
    box.minimum = 0;
    box.maximum = 127;
    box.setNumber (0);

    RecordingNumberBoxListener first, second;
    std::vector<int> order;

    struct OrderListener : public NumberBox::Listener
    {
        OrderListener (std::vector<int>& o, int n)
            : order (o)
            , number (n)
        {
        }
        void numberBoxValueChanged (NumberBox*) override { order.push_back (number); }
        std::vector<int>& order;
        int number;
    } one (order, 1), two (order, 2);

    box.addListener (&one);
    box.addListener (&two);
    box.addListener (&one);

    box.setNumber (12);
    box.setNumber (12);
    EXPECT_EQ (order, (std::vector<int>{ 2, 1, 2, 1 }));
    EXPECT_EQ (box.getText(), "12");

    box.setNumber (128);
    box.setNumber (-1);
    box.setNumber (std::nan (""));
    EXPECT_EQ (order.size(), 4u);
    EXPECT_EQ (box.getValue(), 12.0);
    EXPECT_EQ (box.getText(), "12");
}

TEST (NumberBox, NumberSetWhileEditingAbandonsTheEdit)
{
    BoxOnDesktop b (0, 127, 10);

    auto* editor = openEditor (b.box);
    ASSERT_NE (editor, nullptr);
    editor->selectAll();
    typeKeys (*editor, "99");

    b.box.setNumber (3);
    pump();

    EXPECT_FALSE (b.box.isBeingEdited());
    EXPECT_EQ (b.box.getValue(), 3.0);
    EXPECT_EQ (b.box.getText(), "3");
    EXPECT_EQ (b.listener.values, (std::vector<double>{ 3.0 }));
}

TEST (NumberBox, BoxClosedWhileEditingTellsNobody)
{
    RecordingNumberBoxListener listener;
    juce::Component parent;
    parent.setBounds (0, 0, 120, 40);
    DesktopHost host (parent);

    {
        NumberBox box;
        box.setBounds (0, 0, 100, 18);
        box.minimum = 0;
        box.maximum = 127;
        box.setNumber (4);
        box.addListener (&listener);
        parent.addAndMakeVisible (box);

        auto* editor = openEditor (box);
        ASSERT_NE (editor, nullptr);
        typeKeys (*editor, "8");
    }

    pump();
    EXPECT_TRUE (listener.values.empty());
    EXPECT_EQ (parent.getNumChildComponents(), 0);
}

TEST (NumberBox, PaintsTheNumberInItsTextColourOnWhite)
{
    NumberBox box;
    box.setBounds (0, 0, 100, 18);
    box.minimum = 0;
    box.maximum = 127;
    box.setNumber (88);
    box.setColour (juce::Label::textColourId, juce::Colour (0xFF117FC6));

    auto image = box.createComponentSnapshot (box.getLocalBounds(), true, 1.0f);

    const auto ink = areaOfPixelsOtherThan (image, juce::Colours::white);
    EXPECT_FALSE (ink.isEmpty());
    EXPECT_GE (ink.getX(), 5);
    EXPECT_LT (ink.getRight(), 40);
    EXPECT_GT (countPixelsNear (image, image.getBounds(), juce::Colour (0xFF117FC6)), 5);
    EXPECT_EQ (argb (image, 0, 0), 0xFFFFFFFFu);
    EXPECT_EQ (argb (image, 99, 17), 0xFFFFFFFFu);

    // The box paints its number, not a label text that someone else wrote.
    box.setText ("1", juce::dontSendNotification);
    auto after = box.createComponentSnapshot (box.getLocalBounds(), true, 1.0f);
    EXPECT_EQ (areaOfPixelsOtherThan (after, juce::Colours::white), ink);
}

TEST (NumberBox, NewBoxEditsOnASingleClick)
{
    NumberBox box;
    EXPECT_TRUE (box.isEditableOnSingleClick());
    EXPECT_FALSE (box.isEditableOnDoubleClick());
    EXPECT_FALSE (box.doesLossOfFocusDiscardChanges());
    EXPECT_TRUE (box.getText().isEmpty());
    EXPECT_TRUE (box.getName().isEmpty());
}

TEST (NumberBox, AClickIntoAnotherWindowReachesItAndTakesTheTypedNumber)
{
    BoxOnDesktop b (0, 127, 10);

    struct OtherWindow : public juce::Component
    {
        void mouseDown (const juce::MouseEvent&) override { ++clicks; }
        int clicks = 0;
    } other;
    other.setBounds (600, 300, 120, 60);
    other.addToDesktop (0);
    other.setVisible (true);
    pump();

    auto* editor = openEditor (b.box);
    ASSERT_NE (editor, nullptr);
    typeKeys (*editor, "42");
    pump();

    // The other window is not held behind the box's window, nor blocked, while the field is open.
    EXPECT_FALSE (other.isCurrentlyBlockedByAnotherModalComponent());
    other.toFront (true); // what the platform does with a window that is clicked
    auto& desktop = juce::Desktop::getInstance();
    EXPECT_EQ (desktop.getComponent (desktop.getNumComponents() - 1), &other);

    // The first click reaches the other window, and the typed number is taken.
    auto* peer = other.getPeer();
    ASSERT_NE (peer, nullptr);
    const auto now = juce::Time::currentTimeMillis();
    peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, { 20.0f, 20.0f },
                            juce::ModifierKeys::leftButtonModifier, juce::MouseInputSource::defaultPressure,
                            juce::MouseInputSource::defaultOrientation, now);
    peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, { 20.0f, 20.0f }, juce::ModifierKeys(),
                            juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                            now + 10);
    EXPECT_EQ (other.clicks, 1);
    EXPECT_FALSE (b.box.isBeingEdited());
    EXPECT_EQ (b.box.getValue(), 42.0);
    EXPECT_EQ (b.listener.values, (std::vector<double>{ 42.0 }));

    other.removeFromDesktop();
}

namespace
{
/** A mouse event on the box: the pointer at (x, y), the press at (x, pressY). */
juce::MouseEvent mouseOn (NumberBox& box, float y, float pressY, juce::ModifierKeys modifiers = {})
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), { 10.0f, y }, modifiers,
                             juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                             juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
                             juce::MouseInputSource::defaultTiltY, &box, &box, now, { 10.0f, pressY }, now, 1,
                             y != pressY);
}

void turnWheel (NumberBox& box, float deltaY, juce::ModifierKeys modifiers = {})
{
    juce::MouseWheelDetails wheel{};
    wheel.deltaY = deltaY;
    box.mouseWheelMove (mouseOn (box, 9.0f, 9.0f, modifiers), wheel);
}

/** Presses the mouse, drags it by dy pixels (up is negative) in steps of one pixel and lets go. */
void drag (NumberBox& box, int dy)
{
    box.mouseDown (mouseOn (box, 9.0f, 9.0f));

    for (int moved = 1; moved <= std::abs (dy); ++moved)
        box.mouseDrag (mouseOn (box, 9.0f + (float) (dy < 0 ? -moved : moved), 9.0f));

    static_cast<juce::Component&> (box).mouseUp (mouseOn (box, 9.0f + (float) dy, 9.0f));
}

void pressKey (NumberBox& box, int keyCode, juce::ModifierKeys modifiers = {})
{
    EXPECT_TRUE (box.keyPressed (juce::KeyPress (keyCode, modifiers, 0)));
}
} // namespace

TEST (NumberBox, WheelKeysAndDragStepTheNumberAndStopAtTheRangeEnds)
{
    BoxOnDesktop b (1, 16, 5);
    const auto shift = juce::ModifierKeys (juce::ModifierKeys::shiftModifier);

    turnWheel (b.box, 0.25f);
    turnWheel (b.box, 0.25f, shift);
    turnWheel (b.box, 0.25f); // at the top: nothing changes, no one is told
    EXPECT_EQ (b.listener.values, (std::vector<double>{ 6, 16 }));

    pressKey (b.box, juce::KeyPress::downKey);
    pressKey (b.box, juce::KeyPress::downKey, shift);
    pressKey (b.box, juce::KeyPress::upKey);
    EXPECT_EQ (b.listener.values, (std::vector<double>{ 6, 16, 15, 5, 6 }));

    // Up by 20 pixels is five steps, told one by one; a drag opens no field.
    b.listener.values.clear();
    drag (b.box, -20);
    EXPECT_EQ (b.listener.values, (std::vector<double>{ 7, 8, 9, 10, 11 }));
    EXPECT_FALSE (b.box.isBeingEdited());

    // Far down stops at the bottom.
    drag (b.box, 200);
    EXPECT_EQ (b.box.getValue(), 1.0);
    EXPECT_EQ (b.listener.values.back(), 1.0);
    turnWheel (b.box, -0.25f);
    EXPECT_EQ (b.listener.values.back(), 1.0);
    EXPECT_EQ (b.box.getText(), "1");

    // A number shown outside the range steps to the range's end on the first step, either way.
    b.box.showNumber (40);
    turnWheel (b.box, 0.25f);
    EXPECT_EQ (b.box.getValue(), 16.0);
    EXPECT_FALSE (b.box.isOutOfRange());
    b.box.showNumber (0);
    pressKey (b.box, juce::KeyPress::downKey);
    EXPECT_EQ (b.box.getValue(), 1.0);
}

TEST (NumberBox, TabFromTheOpenFieldTakesTheNumberAndFocusesTheNextBoxWithoutOpeningIt)
{
    juce::Component row;
    row.setBounds (0, 0, 220, 18);
    NumberBox first, second;

    for (auto* box : { &first, &second })
    {
        box->minimum = 0;
        box->maximum = 127;
        box->setNumber (1);
        row.addAndMakeVisible (box);
    }

    first.setBounds (0, 0, 100, 18);
    second.setBounds (110, 0, 100, 18);
    DesktopHost host (row);

    // Keyboard focus moves only within the focused window; the X server may take a moment to give
    // it, more so while other tests' windows come and go.
    for (int attempt = 0; attempt < 100 && ! host.window.getPeer()->isFocused(); ++attempt)
    {
        host.window.toFront (true);
        pump (30);
    }

    ASSERT_TRUE (host.window.getPeer()->isFocused());

    auto* editor = openEditor (first);
    ASSERT_NE (editor, nullptr);
    editor->grabKeyboardFocus();
    editor->selectAll();
    typeKeys (*editor, "7");

    // What the window does with a Tab that the field did not use.
    editor->moveKeyboardFocusToSibling (true);
    pump();

    EXPECT_EQ (first.getValue(), 7.0);
    EXPECT_TRUE (second.hasKeyboardFocus (false));
    EXPECT_FALSE (second.isBeingEdited());
}
