#include "model/PresetNameText.h"
#include "support/ViewTestHelpers.h"
#include "support/WidgetTestHelpers.h"
#include "views/MainSectionView.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace ViewTestHelpers;

namespace
{
const juce::String middleDot = juce::String::charToString (PresetNameText::hiddenByte);

/** Hears the user's edits and the actions they were made in. */
struct EditRecorder : public ZKEditorEngine::EditListener
{
    void parameterEdited (const ZKEditorEngine::ParameterEdit& edit) override { edits.push_back (edit); }
    void editGroupEnded (const juce::String& actionName) override { actions.add (actionName); }

    std::vector<ZKEditorEngine::ParameterEdit> edits;
    juce::StringArray actions;
};

class PresetNameFieldTest : public ::testing::Test
{
protected:
    void SetUp() override { engine->addEditListener (&recorder); }
    void TearDown() override { engine->removeEditListener (&recorder); }

    /** Loads the default preset with these sixteen name bytes, as a file or a Get would. */
    void loadName (const juce::Array<juce::uint8>& bytes)
    {
        auto dump = defaultPresetDump();

        for (int i = 0; i < bytes.size(); ++i)
            dump.set (dumpHeadLength + i, bytes[i]);

        loadPreset (*engine, dump);
    }

    juce::Array<juce::uint8> storedName() { return controlOf (*engine, ControlType::PresetName).getValues(); }

    PresetNameField& field() { return view.getPresetNameField(); }
    juce::TextEditor& text() { return field().getTextEditor(); }

    /** Selects the characters from start to end, as a drag over them would, and types over them. */
    void typeOver (int start, int end, const juce::String& keys)
    {
        text().setHighlightedRegion ({ start, end });
        WidgetTestHelpers::typeKeys (text(), keys);
        pump();
    }

    Document document;
    ZKEditorEngine::Ptr engine = document.engine;
    MainSectionView view{ engine };
    EditRecorder recorder;
};

/** Sixteen name bytes from a text, a byte per character, zeros after it. */
juce::Array<juce::uint8> nameBytes (const char* text)
{
    juce::Array<juce::uint8> bytes;

    for (int i = 0; i < PresetNameText::length; ++i)
        bytes.add (i < (int) std::strlen (text) ? (juce::uint8) text[i] : 0);

    return bytes;
}
} // namespace

//==============================================================================
TEST_F (PresetNameFieldTest, StandsLabelledBesideTheSecondPresetButtonAndFollowsEveryLoad)
{
    EXPECT_TRUE (field().isVisible());
    EXPECT_EQ (field().getParentComponent(), &view);
    EXPECT_EQ (field().getLabel().getText(), "Preset Name");
    const auto sendButton = view.getPresetButtons()[1]->getBounds();
    EXPECT_EQ (field().getBounds().getCentreY(), sendButton.getCentreY());
    EXPECT_GT (field().getX(), sendButton.getRight());

    // Sixteen of the widest characters fit the field.
    const auto widest = juce::String::repeatedString ("W", PresetNameText::length);
    EXPECT_LE (text().getFont().getStringWidthFloat (widest) + (float) text().getLeftIndent(),
               (float) text().getWidth());

    // A name with blanks, a byte that cannot be shown and zeros after it shows as stored.
    auto bytes = nameBytes ("Lead  x Pad");
    bytes.set (6, 0x01);
    loadName (bytes);
    EXPECT_EQ (text().getText(), "Lead  " + middleDot + " Pad");

    // A load replaces a name that is still being typed.
    typeOver (0, 4, "Bass");
    loadName (nameBytes ("Strings 1       "));
    EXPECT_EQ (text().getText(), "Strings 1       ");
    EXPECT_FALSE (field().hasUncommittedText());
    EXPECT_TRUE (recorder.edits.empty());
}

TEST_F (PresetNameFieldTest, AHiddenByteKeepsItsByteWhenAnotherCharacterIsEdited)
{
    auto bytes = nameBytes ("ABxCD");
    bytes.set (2, 0x01);
    loadName (bytes);
    ASSERT_EQ (text().getText(), "AB" + middleDot + "CD");

    // The user types over the "C" and presses Return: that byte alone changes, in one action.
    typeOver (3, 4, "X");
    text().keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    pump();

    bytes.set (3, 'X');
    EXPECT_EQ (storedName(), bytes);
    ASSERT_EQ (recorder.edits.size(), 1u);
    EXPECT_EQ (recorder.edits[0].parameterName, "Preset Name 4");
    EXPECT_EQ (recorder.edits[0].newValue, 'X');
    EXPECT_EQ (recorder.actions, juce::StringArray ("Rename Preset"));
    EXPECT_EQ (text().getText(), "AB" + middleDot + "XD");

    // Typed back as it is, the name changes nothing and makes no action.
    typeOver (0, text().getText().length(), "AB" + middleDot + "XD");
    text().keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    pump();
    EXPECT_EQ (storedName(), bytes);
    EXPECT_EQ (recorder.edits.size(), 1u);
    EXPECT_EQ (recorder.actions.size(), 1);
}

TEST_F (PresetNameFieldTest, AMarkWithoutAHiddenByteIsRefusedAndTheTypedTextIsKept)
{
    loadName (nameBytes ("Piano"));

    // Neither a character outside printable ASCII nor a seventeenth character is taken.
    const auto blanks = juce::String::repeatedString (" ", PresetNameText::length - 5);
    typeOver (5, 5, juce::String::charToString (0xe9) + blanks + "xyz");
    EXPECT_EQ (text().getText(), "Piano" + blanks);

    // A "·" where the name holds a printable byte cannot be stored: the field says so and keeps it.
    typeOver (0, 1, middleDot);
    EXPECT_TRUE (field().isMarkedAsRefused());
    EXPECT_EQ (text().getTooltip(), PresetNameField::getRefusedText());
    text().keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    pump();
    EXPECT_EQ (storedName(), nameBytes ("Piano"));
    EXPECT_EQ (text().getText(), middleDot + "iano" + blanks);
    EXPECT_TRUE (recorder.edits.empty());

    // Escape shows the stored name again, unmarked.
    text().keyPressed (juce::KeyPress (juce::KeyPress::escapeKey));
    pump();
    EXPECT_EQ (text().getText(), "Piano");
    EXPECT_FALSE (field().isMarkedAsRefused());
    EXPECT_TRUE (text().getTooltip().isEmpty());
    EXPECT_TRUE (recorder.edits.empty());
}

TEST_F (PresetNameFieldTest, LeavingTheFieldStoresTheTypedName)
{
    loadName (nameBytes ("Piano"));
    typeOver (0, text().getText().length(), "Organ");
    EXPECT_EQ (storedName(), nameBytes ("Piano"));

    // Told as the framework tells it when the keyboard focus moves elsewhere: a window of another
    // program may hold the display's focus while the tests run, so the focus itself is not moved.
    text().focusLost (juce::Component::focusChangedByTabKey);
    pump();
    EXPECT_EQ (storedName(), nameBytes ("Organ"));
    EXPECT_EQ (recorder.actions, juce::StringArray ("Rename Preset"));
}
