#include "widgets/PresetNameField.h"

#include "model/PresetLayout.h"
#include "model/PresetNameText.h"
#include "widgets/EditorColours.h"
#include "widgets/NumberBox.h"
#include "widgets/UIParameterInterface.h"

namespace
{
constexpr int textTop = 1;
constexpr float textFontHeight = 15.0f;

/** The characters the field takes: printable ASCII and the mark of a hidden byte. */
juce::String allowedCharacters()
{
    juce::String characters;

    for (juce::juce_wchar character = 0; character < 128; ++character)
        if (PresetNameText::isPrintable (character))
            characters += juce::String::charToString (character);

    return characters + juce::String::charToString (PresetNameText::hiddenByte);
}
} // namespace

//==============================================================================
PresetNameField::PresetNameField (ZKEditorEngine::Ptr engineToUse)
    : engine (std::move (engineToUse))
    , nameControl (engine->getControls (ControlType::PresetName)[0])
{
    // Made as every labelled widget makes its label.
    label = UIParameterInterface::createLabel (labelText);
    addAndMakeVisible (*label);

    // The field itself is transparent: the component draws the box behind it, as the editor's look
    // draws no text field of its own.
    textEditor.setName (labelText);
    textEditor.setMultiLine (false);
    textEditor.setInputRestrictions (PresetNameText::length, allowedCharacters());
    textEditor.setFont (juce::Font (textFontHeight));
    // The name is drawn as a number box draws its number: a little in from the left edge.
    textEditor.setIndents (NumberBox::textIndent, textTop);
    textEditor.setColour (juce::TextEditor::backgroundColourId, juce::Colours::transparentBlack);
    textEditor.setColour (juce::TextEditor::outlineColourId, juce::Colours::transparentBlack);
    textEditor.setColour (juce::TextEditor::focusedOutlineColourId, juce::Colours::transparentBlack);
    textEditor.setColour (juce::TextEditor::textColourId, EditorColours::blue);
    textEditor.setColour (juce::TextEditor::highlightColourId, EditorColours::blue.withAlpha (0.25f));
    textEditor.setColour (juce::TextEditor::highlightedTextColourId, EditorColours::blue);
    textEditor.setColour (juce::CaretComponent::caretColourId, EditorColours::blue);
    textEditor.addListener (this);
    addAndMakeVisible (textEditor);

    if (nameControl != nullptr)
        nameControl->addListener (this);

    showStoredName();
    setSize (fieldX + fieldWidth, fieldHeight);
}

PresetNameField::~PresetNameField()
{
    // The engine, and with it the control, may outlive the field.
    if (nameControl != nullptr)
        nameControl->removeListener (this);

    textEditor.removeListener (this);
}

//==============================================================================
bool PresetNameField::commit()
{
    // Only what the user typed is stored: a field left as it was shown writes nothing, whatever
    // the control holds meanwhile.
    if (nameControl == nullptr || ! hasUncommittedText())
        return true;

    const auto typed = getTypedBytes();

    if (typed.isEmpty())
    {
        setRefused (true);
        return false;
    }

    // Only the bytes that change are edited, so a name typed back as it was makes no step.
    const auto stored = nameControl->getValues();
    const auto& names = nameControl->getParameterNames();
    juce::Array<ZKEditorEngine::ParameterEdit> edits;

    for (int i = 0; i < typed.size() && i < names.size(); ++i)
        if (typed[i] != stored[i])
            edits.add ({ ControlType::PresetName, 0, names[i], stored[i], typed[i] });

    if (! edits.isEmpty())
    {
        const juce::ScopedValueSetter<bool> storing (committing, true);
        engine->editParameters (actionName, edits);
    }

    showStoredName();
    return true;
}

void PresetNameField::revert() { showStoredName(); }

juce::String PresetNameField::getRefusedText()
{
    return "A \"" + juce::String::charToString (PresetNameText::hiddenByte)
           + "\" stands only where the name holds a byte that cannot be shown: type another character in "
             "its place, or press Escape";
}

bool PresetNameField::hasUncommittedText() const { return textEditor.getText() != shownName; }

//==============================================================================
void PresetNameField::paint (juce::Graphics& g)
{
    const auto box = textEditor.getBounds();
    g.setColour (refused ? EditorColours::warningBackground : EditorColours::white);
    g.fillRect (box);

    // The field that has the keyboard focus is framed as a number box is.
    if (textEditor.hasKeyboardFocus (true))
        NumberBox::drawFocusFrame (g, box);
}

void PresetNameField::resized()
{
    label->setBounds (0, 0, fieldX, getHeight());
    textEditor.setBounds (fieldX, 0, getWidth() - fieldX, getHeight());
}

//==============================================================================
void PresetNameField::textEditorTextChanged (juce::TextEditor&)
{
    // The mark follows the text as it is typed, so that the user sees at once what cannot be stored.
    setRefused (hasUncommittedText() && getTypedBytes().isEmpty());
}

void PresetNameField::textEditorReturnKeyPressed (juce::TextEditor&)
{
    // As a number box closes on Return, the field gives up the keyboard, so that the next undo
    // reaches the document rather than the typing.
    if (commit())
        textEditor.giveAwayKeyboardFocus();
}

void PresetNameField::textEditorEscapeKeyPressed (juce::TextEditor&)
{
    revert();
    textEditor.giveAwayKeyboardFocus();
}

void PresetNameField::textEditorFocusLost (juce::TextEditor&) { commit(); }

void PresetNameField::controlValueChanged (juce::String, juce::uint8)
{
    // A load tells of every byte in turn; the field shows the name once the last has arrived as
    // well, each time. Its own edit is shown when it is complete.
    if (! committing)
        showStoredName();
}

//==============================================================================
juce::Array<juce::uint8> PresetNameField::getTypedBytes() const
{
    if (nameControl == nullptr)
        return {};

    // The field stores what it shows: a name typed shorter is padded with zeros, which the field
    // does not show, so that the stored name shows as it was typed; blanks it shows are characters.
    return PresetNameText::toBytes (textEditor.getText(), nameControl->getValues(), PresetNameText::Padding::zeros);
}

void PresetNameField::showStoredName()
{
    if (nameControl != nullptr)
        shownName = PresetNameText::toTextWithBlanks (nameControl->getValues());

    textEditor.setText (shownName, false);

    setRefused (false);
}

void PresetNameField::setRefused (bool shouldBeMarked)
{
    if (refused == shouldBeMarked)
        return;

    refused = shouldBeMarked;
    textEditor.setColour (juce::TextEditor::textColourId, refused ? EditorColours::warning : EditorColours::blue);
    textEditor.applyColourToAllText (refused ? EditorColours::warning : EditorColours::blue);
    textEditor.setTooltip (refused ? getRefusedText() : juce::String());
    repaint();
}
