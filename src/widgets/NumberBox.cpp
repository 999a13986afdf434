#include "widgets/NumberBox.h"

#include "model/ListenerWalk.h"
#include "widgets/EditorColours.h"

namespace
{
// The frame of the box that has the keyboard focus.
constexpr int focusFrameThickness = 2;
constexpr int focusFrameInset = 1;

// A step with shift held.
constexpr int largeStep = 10;

/** The Tab order of the box's owner, in which the box's open text field stands for the box, so that
    Tab from the field goes on to the box's neighbour. */
class FieldStandsForBox : public juce::ComponentTraverser
{
public:
    FieldStandsForBox (juce::Component& numberBox, std::unique_ptr<juce::ComponentTraverser> ownersOrder)
        : box (numberBox)
        , order (std::move (ownersOrder))
    {
    }

    juce::Component* getDefaultComponent (juce::Component* parent) override
    {
        return order->getDefaultComponent (container (parent));
    }

    juce::Component* getNextComponent (juce::Component* current) override
    {
        return order->getNextComponent (standIn (current));
    }

    juce::Component* getPreviousComponent (juce::Component* current) override
    {
        return order->getPreviousComponent (standIn (current));
    }

    std::vector<juce::Component*> getAllComponents (juce::Component* parent) override
    {
        return order->getAllComponents (container (parent));
    }

private:
    juce::Component* standIn (juce::Component* current) const { return box.isParentOf (current) ? &box : current; }

    juce::Component* container (juce::Component* parent) const
    {
        if (parent != &box)
            return parent;

        auto* outer = box.findKeyboardFocusContainer();
        return outer != nullptr ? outer : box.getParentComponent();
    }

    juce::Component& box;
    std::unique_ptr<juce::ComponentTraverser> order;
};
} // namespace

//==============================================================================
void NumberBox::LookAndFeel::fillTextEditorBackground (juce::Graphics& g, int width, int height, juce::TextEditor&)
{
    g.setColour (juce::Colours::white);
    g.fillRect (0, 0, width, height);
}

void NumberBox::LookAndFeel::drawTextEditorOutline (juce::Graphics&, int, int, juce::TextEditor&) {}

//==============================================================================
NumberBox::NumberBox()
    : juce::Label ({}, {})
{
    setEditable (true, false, false);
}

NumberBox::~NumberBox()
{
    outsideClickWatcher.reset();

    // The label deletes an open field only after editorLook is gone; the field must not keep it.
    if (auto* editor = getCurrentTextEditor())
        editor->setLookAndFeel (nullptr);
}

//==============================================================================
void NumberBox::setNumber (double newNumber)
{
    // Written so that a NaN is refused as well.
    if (! (newNumber >= minimum && newNumber <= maximum))
    {
        showText (asWholeNumber (value));
        return;
    }

    // A typed "-0" is stored as plain 0.
    if (newNumber == 0.0)
        newNumber = 0.0;

    value = newNumber;
    showText (asWholeNumber (value));
    updateRangeMark();

    ListenerWalk::newestFirst (listeners, [this] (auto* listener) { listener->numberBoxValueChanged (this); });
}

void NumberBox::showNumber (double number)
{
    value = (number == 0.0) ? 0.0 : number;
    showText (asWholeNumber (value));
    updateRangeMark();
    repaint();
}

void NumberBox::stepNumber (int steps)
{
    // From a number outside the range the first step lands on the nearer end.
    const auto target = juce::jlimit (minimum, maximum, std::round (value) + steps);

    if (target != value)
        setNumber (target);
}

void NumberBox::addListener (Listener* listener) { listeners.addIfNotAlreadyThere (listener); }

//==============================================================================
void NumberBox::paint (juce::Graphics& g)
{
    const auto outOfRange = isOutOfRange();
    g.fillAll (outOfRange ? EditorColours::warningBackground : juce::Colours::white);
    g.setColour (outOfRange ? EditorColours::warning : findColour (textColourId));
    g.drawText (asWholeNumber (value), textIndent, 0, getWidth(), getHeight(), juce::Justification::left, false);

    if (hasKeyboardFocus (false))
        drawFocusFrame (g, getLocalBounds());
}

void NumberBox::drawFocusFrame (juce::Graphics& g, juce::Rectangle<int> area)
{
    g.setColour (EditorColours::blue);
    // Inside a white margin, so that it stands out from the blue around the box.
    g.drawRect (area.reduced (focusFrameInset), focusFrameThickness);
}

void NumberBox::mouseDown (const juce::MouseEvent& event)
{
    valueAtDragStart = value;
    juce::Label::mouseDown (event);
}

void NumberBox::mouseDrag (const juce::MouseEvent& event)
{
    if (isBeingEdited() || event.mods.isPopupMenu())
        return;

    // Upwards counts up; the label opens no field on release once the mouse has moved.
    const auto steps = -event.getDistanceFromDragStartY() / pixelsPerDragStep;
    const auto target = juce::jlimit (minimum, maximum, std::round (valueAtDragStart) + steps);

    if (steps != 0 && target != value)
        setNumber (target);
}

void NumberBox::mouseWheelMove (const juce::MouseEvent& event, const juce::MouseWheelDetails& wheel)
{
    if (isBeingEdited() || wheel.deltaY == 0.0f)
    {
        juce::Label::mouseWheelMove (event, wheel);
        return;
    }

    const auto size = event.mods.isShiftDown() ? largeStep : 1;
    stepNumber (wheel.deltaY > 0.0f ? size : -size);
}

bool NumberBox::keyPressed (const juce::KeyPress& key)
{
    const auto size = key.getModifiers().isShiftDown() ? largeStep : 1;

    if (key.isKeyCode (juce::KeyPress::upKey) || key.isKeyCode (juce::KeyPress::downKey))
    {
        stepNumber (key.isKeyCode (juce::KeyPress::upKey) ? size : -size);
        return true;
    }

    if (key.isKeyCode (juce::KeyPress::returnKey))
    {
        showEditor();
        return true;
    }

    // A digit or sign typed on the closed box opens the field with it.
    const auto character = key.getTextCharacter();

    if (character != 0 && juce::String (allowedCharacters).containsChar (character)
        && ! key.getModifiers().isCommandDown())
    {
        showEditor();

        if (auto* editor = getCurrentTextEditor())
            editor->insertTextAtCaret (juce::String::charToString (character));

        return true;
    }

    return juce::Label::keyPressed (key);
}

void NumberBox::focusGained (FocusChangeType) { repaint(); }

void NumberBox::focusLost (FocusChangeType) { repaint(); }

std::unique_ptr<juce::ComponentTraverser> NumberBox::createKeyboardFocusTraverser()
{
    if (auto* parent = getParentComponent())
        return std::make_unique<FieldStandsForBox> (*this, parent->createKeyboardFocusTraverser());

    return juce::Label::createKeyboardFocusTraverser();
}

void NumberBox::editorShown (juce::TextEditor* editor)
{
    editor->setInputRestrictions (0, allowedCharacters);
    editor->setMultiLine (false);
    editor->setScrollbarsShown (false);
    editor->setCaretVisible (true);
    if (editorLook == nullptr)
        editorLook = std::make_unique<LookAndFeel>();

    editor->setLookAndFeel (editorLook.get());
    textWhenOpened = asWholeNumber (value);
    editAbandoned = false;
    editor->setText (textWhenOpened, false);

    // Whatever is typed first replaces the whole number.
    editor->selectAll();

    // The label enters its modal state right after this call; the box leaves it again once the
    // field is open, and ends the edit on a click elsewhere itself.
    outsideClickWatcher = std::make_unique<OutsideClickWatcher> (*this);
    juce::MessageManager::callAsync (
        [safeBox = juce::Component::SafePointer<NumberBox> (this)]
        {
            if (safeBox != nullptr && safeBox->isCurrentlyModal (false))
                safeBox->exitModalState (0);
        });
}

void NumberBox::editorAboutToBeHidden (juce::TextEditor* editor)
{
    outsideClickWatcher.reset();

    // The box is replacing its own text: the unfinished edit is abandoned.
    if (isSettingText)
        return;

    const auto typed = editor->getText();

    // Only a number that the user typed is taken: a field left as it opened writes nothing, so a
    // box never writes a number merely because it showed it.
    if (typed.isNotEmpty() && typed != textWhenOpened && ! editAbandoned)
        setNumber (typed.getDoubleValue());
    else
        showText (asWholeNumber (value));

    // The label takes the field's text as its own once the field closes, so the field must hold the
    // number that the box shows, not what was typed.
    editor->setText (asWholeNumber (value), false);
}

void NumberBox::textEditorEscapeKeyPressed (juce::TextEditor& editor)
{
    editAbandoned = true;
    juce::Label::textEditorEscapeKeyPressed (editor);
}

//==============================================================================
NumberBox::OutsideClickWatcher::OutsideClickWatcher (NumberBox& owner)
    : box (owner)
{
    juce::Desktop::getInstance().addGlobalMouseListener (this);
}

NumberBox::OutsideClickWatcher::~OutsideClickWatcher()
{
    juce::Desktop::getInstance().removeGlobalMouseListener (this);
}

void NumberBox::OutsideClickWatcher::mouseDown (const juce::MouseEvent& event)
{
    auto* clicked = event.originalComponent;

    if (clicked != &box && ! box.isParentOf (clicked))
        box.hideEditor (false); // deletes this watcher
}

//==============================================================================
juce::String NumberBox::asWholeNumber (double number) { return juce::String (number, 0); }

void NumberBox::showText (const juce::String& text)
{
    const juce::ScopedValueSetter<bool> settingText (isSettingText, true);
    setText (text, juce::dontSendNotification);
}

void NumberBox::updateRangeMark()
{
    setTooltip (isOutOfRange()
                    ? "Outside the range " + asWholeNumber (minimum) + " to " + asWholeNumber (maximum) + " of this box"
                    : juce::String());
}
