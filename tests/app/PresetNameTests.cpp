#include "app/CommandIDs.h"
#include "model/PresetNameText.h"
#include "support/AppTestHelpers.h"
#include "support/WidgetTestHelpers.h"

using apptest::ApplicationTest;
using apptest::perform;
using apptest::pump;
using apptest::ScratchFolder;

namespace
{
/** The name field of the window's first view, as the user finds it there. */
juce::TextEditor& nameField (EditorWindow& window)
{
    auto* mainSection = dynamic_cast<MainSectionView*> (window.getEditorComponent()->getView (0));
    return mainSection->getPresetNameField().getTextEditor();
}

/** Clicks into the field, selects its whole text and types the keys over it. */
void typeName (juce::TextEditor& field, const juce::String& keys)
{
    field.grabKeyboardFocus();
    field.selectAll();
    WidgetTestHelpers::typeKeys (field, keys);
}

/** Sixteen name bytes: the characters of the text, then zeros. */
juce::Array<juce::uint8> nameBytes (const juce::String& text)
{
    juce::Array<juce::uint8> bytes;

    for (int i = 0; i < PresetNameText::length; ++i)
        bytes.add (i < text.length() ? (juce::uint8) text[i] : 0);

    return bytes;
}

juce::Array<juce::uint8> storedName (EditorWindow& window)
{
    return window.getEngine()->getControls (ControlType::PresetName)[0]->getValues();
}

/** The Undo entry of the Edit menu, and whether it is enabled. */
juce::String undoEntry (EditorWindow& window)
{
    juce::ApplicationCommandInfo info (CommandIDs::undo);
    window.getCommandInfo (CommandIDs::undo, info);
    return (info.flags & juce::ApplicationCommandInfo::isDisabled) != 0 ? info.shortName + " (disabled)"
                                                                        : info.shortName;
}
} // namespace

//==============================================================================
TEST_F (ApplicationTest, ATypedNameIsStoredAsOneStepThatUndoTakesBack)
{
    auto& editor = window (0);
    auto& field = nameField (editor);
    const auto oldName = storedName (editor);
    ASSERT_EQ (field.getText(), PresetNameText::toText (oldName));

    typeName (field, "Warm Pad");
    field.keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    pump();

    EXPECT_EQ (storedName (editor), nameBytes ("Warm Pad"));
    EXPECT_TRUE (editor.hasUnsavedChanges());
    EXPECT_TRUE (editor.getName().startsWith ("*"));
    EXPECT_EQ (undoEntry (editor), "Undo Rename Preset");

    // One Undo brings the whole old name back, in the field as well, and nothing is left to undo.
    perform (editor, CommandIDs::undo);
    EXPECT_EQ (storedName (editor), oldName);
    EXPECT_EQ (field.getText(), PresetNameText::toText (oldName));
    EXPECT_FALSE (editor.hasUnsavedChanges());
    EXPECT_FALSE (editor.getName().startsWith ("*"));
    EXPECT_TRUE (undoEntry (editor).endsWith ("(disabled)"));

    perform (editor, CommandIDs::redo);
    EXPECT_EQ (field.getText(), "Warm Pad");
    EXPECT_EQ (storedName (editor), nameBytes ("Warm Pad"));
}

TEST_F (ApplicationTest, SaveAsOffersTheNameOfThePresetAsTheFileName)
{
    ScratchFolder scratch;
    auto& editor = window (0);
    const auto folder = scratch.getFolder ("presets");
    editor.chooseFile = answerWith (folder.getChildFile ("first.zkp"));
    ASSERT_TRUE (editor.saveAs());

    // A name still being typed is taken first; its blank at the end stays in the name only.
    typeName (nameField (editor), "Warm Pad ");
    editor.chooseFile = answerWith ({});
    perform (editor, CommandIDs::saveAs);
    EXPECT_EQ (storedName (editor), nameBytes ("Warm Pad "));
    EXPECT_EQ (lastChooserStart, folder.getChildFile ("Warm Pad.zkp"));
    EXPECT_TRUE (lastChooserWasForSaving);

    // A name that makes no file name offers the folder alone; opening a file offers no name.
    typeName (nameField (editor), "<>?");
    perform (editor, CommandIDs::saveAs);
    EXPECT_EQ (lastChooserStart, folder);
    editor.loadPreset();
    EXPECT_EQ (lastChooserStart, folder);
    EXPECT_EQ (editor.getCurrentFile(), folder.getChildFile ("first.zkp"));
}
