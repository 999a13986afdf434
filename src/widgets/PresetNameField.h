#pragma once

#include "engine/ZKEditorEngine.h"
#include "model/Control.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The preset's name as a text field, with the label "Preset Name" on its left. It shows the
    sixteen bytes of the name control as PresetNameText shows them and follows every load of them.
    What the user types is stored when the field is left or Return is pressed, as one edit
    "Rename Preset" of the bytes that changed; Escape shows the stored name again.

    The field takes printable characters and "·" only, at most sixteen. A "·" where the name holds
    no hidden byte cannot be stored: the field keeps the text, marked in the warning colour with a
    tooltip that says why, until it is mended, abandoned with Escape or replaced by a load. */
class PresetNameField
    : public juce::Component
    , private juce::TextEditor::Listener
    , private Control::Listener
{
public:
    //==============================================================================
    /** Registers with the engine's name control at once and shows its name. */
    explicit PresetNameField (ZKEditorEngine::Ptr engine);
    ~PresetNameField() override;

    //==============================================================================
    /** Stores the typed name, as Return does. False when it cannot be stored (the field keeps it
        marked); true otherwise, also when nothing was typed or no byte changed (no edit is made
        then). */
    bool commit();

    /** Drops what was typed and shows the stored name, as Escape does. */
    void revert();

    /** Whether the user changed the text since the field last showed the stored name. */
    bool hasUncommittedText() const;

    /** Whether the shown text cannot be stored. */
    bool isMarkedAsRefused() const noexcept { return refused; }

    juce::TextEditor& getTextEditor() noexcept { return textEditor; }
    juce::Label& getLabel() noexcept { return *label; }

    //==============================================================================
    void paint (juce::Graphics&) override;
    void resized() override;
    void focusOfChildComponentChanged (FocusChangeType) override { repaint(); }

    //==============================================================================
    static constexpr const char* labelText = "Preset Name";
    static constexpr const char* actionName = "Rename Preset";

    /** Why a marked text cannot be stored, as its tooltip says. */
    static juce::String getRefusedText();

    /** Where the field stands, right of the label; wide enough for sixteen of the widest characters. */
    static constexpr int fieldX = 100;
    static constexpr int fieldWidth = 220;
    static constexpr int fieldHeight = 18;

private:
    //==============================================================================
    void textEditorTextChanged (juce::TextEditor&) override;
    void textEditorReturnKeyPressed (juce::TextEditor&) override;
    void textEditorEscapeKeyPressed (juce::TextEditor&) override;
    void textEditorFocusLost (juce::TextEditor&) override;

    void controlValueChanged (juce::String parameterName, juce::uint8 value) override;

    /** The sixteen bytes that the shown text stands for; empty when it cannot be stored. */
    juce::Array<juce::uint8> getTypedBytes() const;

    void showStoredName();
    void setRefused (bool shouldBeMarked);

    //==============================================================================
    ZKEditorEngine::Ptr engine;
    Control* const nameControl;
    std::unique_ptr<juce::Label> label;
    juce::TextEditor textEditor;
    juce::String shownName; // the stored name as the field last showed it
    bool refused = false;

    // True while the field stores its own edit: the control tells of every byte on the way.
    bool committing = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetNameField)
};
