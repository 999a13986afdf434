#include "app/DocumentHistory.h"
#include "support/FakeMidiDeviceLayer.h"
#include "support/TestRig.h"

#include <gtest/gtest.h>

// The unsaved mark of a document follows its preset through edits, undo and redo, and a slot's
// image clears it only when the image is the preset's own: each flip of the mark is told once.
TEST (DocumentHistoryTest, UnsavedMarkFollowsEditsUndoAndTheImageASlotHolds)
{
    FakeMidiDeviceLayer layer;
    MidiManager manager (layer);
    auto engine = TestRig::createEngine (manager);
    int flips = 0;
    DocumentHistory history (engine, [&] { ++flips; });
    const auto imageBefore = TestRig::getImage (*engine);

    EXPECT_FALSE (history.hasUnsavedChanges());
    EXPECT_FALSE (history.getUndoManager().canUndo());

    // Two edits made as one action are one step, named after it.
    const auto firstCC = engine->getControls (Knob)[0]->getValue ("CC");
    const auto secondCC = engine->getControls (Knob)[1]->getValue ("CC");
    juce::Array<ZKEditorEngine::ParameterEdit> paste;
    paste.add ({ Knob, 0, "CC", firstCC, (juce::uint8) (firstCC + 1) });
    paste.add ({ Knob, 1, "CC", secondCC, (juce::uint8) (secondCC + 1) });
    ASSERT_EQ (engine->editParameters ("Paste Settings to Knob 1", paste), 2);
    EXPECT_TRUE (history.hasUnsavedChanges());
    EXPECT_EQ (flips, 1);
    EXPECT_EQ (history.getUndoManager().getUndoDescription(), "Paste Settings to Knob 1");
    EXPECT_TRUE (history.getUndoManager().undo());
    EXPECT_FALSE (history.getUndoManager().canUndo());
    EXPECT_FALSE (history.hasUnsavedChanges());
    EXPECT_EQ (TestRig::getImage (*engine), imageBefore);
    EXPECT_TRUE (history.getUndoManager().redo());
    EXPECT_TRUE (history.hasUnsavedChanges());
    EXPECT_EQ (flips, 3);

    // A slot that holds the old image leaves the edits unsaved; one that holds the edited image
    // clears the mark.
    history.markAsUnchanged (imageBefore);
    EXPECT_TRUE (history.hasUnsavedChanges());
    history.markAsUnchanged (TestRig::getImage (*engine));
    EXPECT_FALSE (history.hasUnsavedChanges());
    EXPECT_EQ (flips, 4);

    // An edit of its own is a step named after the control and the parameter.
    ASSERT_TRUE (engine->editParameter (Knob, 2, "CC", 99, nullptr));
    EXPECT_TRUE (history.hasUnsavedChanges());
    EXPECT_EQ (history.getUndoManager().getUndoDescription(), "Knob 3 CC");
}
