#include "app/CommandIDs.h"
#include "engine/SlotBackup.h"
#include "engine/ZKSysEx.h"
#include "support/AppTestHelpers.h"
#include "support/FakeMidiDeviceLayer.h"
#include "support/MessageLoop.h"
#include "support/ViewTestHelpers.h"
#include "widgets/ControlSettings.h"
#include "widgets/NumberBox.h"

using apptest::ApplicationTest;
using apptest::perform;
using apptest::pump;
using apptest::ScratchFolder;
using Answer = EditorWindow::SaveChangesAnswer;

namespace
{
/** The name under which the window shows a command in its menu, and whether it is enabled. */
juce::String commandName (EditorWindow& window, juce::CommandID command)
{
    juce::ApplicationCommandInfo info (command);
    window.getCommandInfo (command, info);
    return (info.flags & juce::ApplicationCommandInfo::isDisabled) != 0 ? info.shortName + " (disabled)"
                                                                        : info.shortName;
}

/** A number box of a knob view, shown in the window, as the user finds it. */
NumberBox& knobBox (EditorWindow& window, int knobNumber, const juce::String& name)
{
    auto* editor = window.getEditorComponent();
    editor->viewSelected (EditorComponent::knobsView);
    auto* view = ViewTestHelpers::findTitled (*editor->getView (EditorComponent::knobsView),
                                              "Knob " + juce::String (knobNumber));
    return *ViewTestHelpers::findNamed<NumberBox> (*view, name);
}

juce::uint8 knobValue (EditorWindow& window, int knobIndex, const juce::String& name)
{
    return window.getEngine()->getControls (ControlType::Knob)[knobIndex]->getValue (name);
}

/** A preset file that holds the window's preset with knob 1's "CC" changed. */
juce::File writePresetWithKnobOneCc (EditorWindow& window, const juce::File& file, juce::uint8 cc)
{
    auto dump = window.getEngine()->createPresetData (0);
    auto* knob = window.getEngine()->getControls (ControlType::Knob)[0];
    dump.set (ZKSysEx::dumpImageOffset + knob->getOffset() + knob->getIndex ("CC"), cc);
    file.replaceWithData (dump.getRawDataPointer(), (size_t) dump.size());
    return file;
}

/** A question step that gives the answer and counts the questions. */
struct QuestionAnswerer
{
    EditorWindow::SaveChangesQuestion answer (Answer given)
    {
        return [this, given] (const juce::String& name)
        {
            ++questions;
            lastName = name;
            return given;
        };
    }

    int questions = 0;
    juce::String lastName;
};

/** The application with a window on fake MIDI devices that are open, whose controller the test plays. */
class FakeControllerTest : public apptest::FakeDeviceTest
{
protected:
    /** Answers a Get's requests with the given preset's image. */
    void answerGet (const juce::Array<juce::uint8>& dump)
    {
        for (int index = 0; index < TestRig::imageLength; ++index)
            layer.deliver (TestRig::createReply (index, dump[TestRig::imageOffset + index]));
    }
};
} // namespace

//==============================================================================
TEST_F (FakeControllerTest, UndoAndRedoStepThroughWidgetEditsALoadAndAGet)
{
    ScratchFolder scratch;
    auto engine = makeQuickEngine (manager);
    engine->loadPresetData (ViewTestHelpers::defaultPresetDump());
    auto& window = openDocumentOn (engine);
    const auto original = engine->createPresetData (0);
    EXPECT_EQ (commandName (window, CommandIDs::undo), "Undo (disabled)");

    // Two edits through the boxes, each one step.
    knobBox (window, 3, "CC").setNumber (90);
    EXPECT_EQ (commandName (window, CommandIDs::undo), "Undo Knob 3 CC");
    knobBox (window, 3, "MIDI Channel").setNumber (7);
    EXPECT_EQ (commandName (window, CommandIDs::undo), "Undo Knob 3 MIDI Channel");
    const auto edited = engine->createPresetData (0);

    // A load is one step.
    const auto file = writePresetWithKnobOneCc (window, scratch.getFile ("loaded.zkp"), 11);
    ASSERT_TRUE (window.loadFile (file));
    EXPECT_EQ (knobValue (window, 0, "CC"), 11);
    EXPECT_EQ (commandName (window, CommandIDs::undo), "Undo Load From File");
    const auto loaded = engine->createPresetData (0);

    // A Get is one step.
    auto fetchedDump = original;
    fetchedDump.set (ZKSysEx::dumpImageOffset + 55 + 1, 33); // knob 1's "CC"
    engine->getPreset (4);
    answerGet (fetchedDump);
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! engine->isGetInProgress(); }, 5000));
    EXPECT_EQ (knobValue (window, 0, "CC"), 33);
    EXPECT_EQ (commandName (window, CommandIDs::undo), "Undo Get From Hardware");

    // Undo walks back through the steps, and every box shows each preset again.
    perform (window, CommandIDs::undo);
    EXPECT_EQ (engine->createPresetData (0), loaded);
    EXPECT_EQ (knobBox (window, 1, "CC").getText(), "11");
    EXPECT_EQ (commandName (window, CommandIDs::redo), "Redo Get From Hardware");

    perform (window, CommandIDs::undo);
    EXPECT_EQ (engine->createPresetData (0), edited);
    perform (window, CommandIDs::undo);
    EXPECT_EQ (knobBox (window, 3, "MIDI Channel").getText(), "1");
    EXPECT_EQ (knobBox (window, 3, "CC").getText(), "90");
    perform (window, CommandIDs::undo);
    EXPECT_EQ (engine->createPresetData (0), original);
    EXPECT_NE (knobValue (window, 2, "CC"), 90);
    EXPECT_EQ (knobBox (window, 3, "CC").getText(), juce::String (knobValue (window, 2, "CC")));
    EXPECT_EQ (commandName (window, CommandIDs::undo), "Undo (disabled)");
    pump();
    EXPECT_EQ (engine->createPresetData (0), original); // no list wrote anything back

    // Redo walks forward to the fetched preset.
    for (int i = 0; i < 4; ++i)
        perform (window, CommandIDs::redo);

    EXPECT_EQ (knobValue (window, 0, "CC"), 33);
    EXPECT_EQ (knobBox (window, 1, "CC").getText(), "33");
    EXPECT_EQ (commandName (window, CommandIDs::redo), "Redo (disabled)");

    // A new edit after an undo drops what could have been redone.
    perform (window, CommandIDs::undo);
    knobBox (window, 2, "Max").setNumber (64);
    EXPECT_EQ (commandName (window, CommandIDs::redo), "Redo (disabled)");
    EXPECT_EQ (commandName (window, CommandIDs::undo), "Undo Knob 2 Max");
}

TEST_F (ApplicationTest, TitleIsMarkedWhileThePresetDiffersFromTheSavedOne)
{
    ScratchFolder scratch;
    auto& editor = window (0);
    EXPECT_FALSE (editor.hasUnsavedChanges());
    EXPECT_EQ (editor.getName(), "Quenlo ZKM Editor - Untitled 1");

    knobBox (editor, 1, "Min").setNumber (5);
    EXPECT_TRUE (editor.hasUnsavedChanges());
    EXPECT_EQ (editor.getName(), "*Quenlo ZKM Editor - Untitled 1");

    // Undoing back to the unchanged preset clears the mark; redo sets it again.
    perform (editor, CommandIDs::undo);
    EXPECT_FALSE (editor.hasUnsavedChanges());
    EXPECT_EQ (editor.getName(), "Quenlo ZKM Editor - Untitled 1");
    perform (editor, CommandIDs::redo);
    EXPECT_EQ (editor.getName(), "*Quenlo ZKM Editor - Untitled 1");

    editor.chooseFile = answerWith (scratch.getFile ("kept.zkp"));
    perform (editor, CommandIDs::save);
    EXPECT_FALSE (editor.hasUnsavedChanges());
    EXPECT_EQ (editor.getName(), "Quenlo ZKM Editor - kept");

    // Undoing past the save marks the document as changed: the file holds the later preset.
    perform (editor, CommandIDs::undo);
    EXPECT_EQ (editor.getName(), "*Quenlo ZKM Editor - kept");
}

TEST_F (ApplicationTest, ClosingAChangedWindowAsksAndFollowsTheAnswer)
{
    ScratchFolder scratch;
    QuestionAnswerer answerer;
    application->openNewWindow();
    auto* editor = &window (0);
    editor->askToSaveChanges = answerer.answer (Answer::cancel);

    // An unchanged window closes without a question.
    window (1).askToSaveChanges = answerer.answer (Answer::cancel);
    window (1).closeButtonPressed();
    EXPECT_EQ (answerer.questions, 0);
    ASSERT_EQ (windowManager().getWindows().size(), 1);

    // "Cancel" keeps the window and its edit.
    knobBox (*editor, 1, "Max").setNumber (100);
    editor->closeButtonPressed();
    EXPECT_EQ (answerer.questions, 1);
    EXPECT_EQ (answerer.lastName, "Untitled 1");
    ASSERT_EQ (windowManager().getWindows().size(), 1);
    EXPECT_EQ (knobValue (*editor, 0, "Max"), 100);

    // "Save" goes through Save: an untitled window asks for a file; cancelling it keeps the window.
    editor->askToSaveChanges = answerer.answer (Answer::save);
    editor->chooseFile = answerWith ({});
    perform (*editor, CommandIDs::closeWindow);
    EXPECT_EQ (chooserCalls, 1);
    ASSERT_EQ (windowManager().getWindows().size(), 1);

    // "Save" with a file chosen writes it and closes; "Discard" closes without writing.
    application->openNewWindow();
    const auto target = scratch.getFile ("saved on close.zkp");
    editor->chooseFile = answerWith (target);
    editor->closeButtonPressed();
    EXPECT_EQ (answerer.questions, 3);
    ASSERT_EQ (windowManager().getWindows().size(), 1);
    ASSERT_TRUE (target.existsAsFile());
    juce::MemoryBlock bytes;
    target.loadFileAsData (bytes);
    auto* knob = window (0).getEngine()->getControls (ControlType::Knob)[0]; // the same layout in every window
    EXPECT_EQ (static_cast<const juce::uint8*> (
                   bytes.getData())[ZKSysEx::dumpImageOffset + knob->getOffset() + knob->getIndex ("Max")],
               100);

    editor = &window (0);
    editor->askToSaveChanges = answerer.answer (Answer::discard);
    knobBox (*editor, 1, "Max").setNumber (90);
    application->openNewWindow();
    editor->closeButtonPressed();
    EXPECT_EQ (answerer.questions, 4);
    EXPECT_EQ (windowManager().getWindows().size(), 1);
}

TEST_F (ApplicationTest, QuittingAsksEveryChangedWindowAndCancelKeepsAllOpen)
{
    QuestionAnswerer answerer;
    application->openNewWindow();
    application->openNewWindow();
    knobBox (window (0), 1, "Min").setNumber (3);
    knobBox (window (2), 1, "Min").setNumber (4);

    for (int i = 0; i < 3; ++i)
        window (i).askToSaveChanges = answerer.answer (Answer::cancel);

    // "Cancel" at the first changed window: nothing closes and the program goes on.
    application->systemRequestedQuit();
    EXPECT_EQ (answerer.questions, 1);
    EXPECT_FALSE (application->isQuitRequested());
    EXPECT_EQ (windowManager().getWindows().size(), 3);

    // "Discard" at the first, "Cancel" at the third: still nothing closes.
    window (0).askToSaveChanges = answerer.answer (Answer::discard);
    application->systemRequestedQuit();
    EXPECT_EQ (answerer.questions, 3);
    EXPECT_FALSE (application->isQuitRequested());

    // "Discard" at both changed windows quits; the unchanged one is not asked.
    window (2).askToSaveChanges = answerer.answer (Answer::discard);
    application->systemRequestedQuit();
    EXPECT_EQ (answerer.questions, 5);
    EXPECT_TRUE (application->isQuitRequested());
}

TEST_F (ApplicationTest, QuittingWithSaveWritesTheChangedWindowFirst)
{
    ScratchFolder scratch;
    QuestionAnswerer answerer;
    auto& editor = window (0);
    editor.askToSaveChanges = answerer.answer (Answer::save);
    knobBox (editor, 1, "Min").setNumber (9);

    // The chooser is cancelled: no file, so the program stays.
    editor.chooseFile = answerWith ({});
    application->systemRequestedQuit();
    EXPECT_FALSE (application->isQuitRequested());

    const auto target = scratch.getFile ("on quit.zkp");
    editor.chooseFile = answerWith (target);
    application->systemRequestedQuit();
    EXPECT_TRUE (application->isQuitRequested());
    EXPECT_EQ (target.getSize(), 476);
    EXPECT_FALSE (editor.hasUnsavedChanges());
}

namespace
{
/** The bytes of a preset dump outside the blocks of the controls [first, last] of a kind. */
juce::Array<juce::uint8> outsideBlocks (juce::Array<juce::uint8> dump, ZKEditorEngine& engine, int controlType,
                                        int first, int last)
{
    auto& controls = engine.getControls (controlType);
    const auto begin = ZKSysEx::dumpImageOffset + controls[first]->getOffset();
    const auto end = ZKSysEx::dumpImageOffset + controls[last]->getOffset() + controls[last]->getValues().size();
    dump.removeRange (begin, end - begin);
    return dump;
}

juce::StringArray menuTexts (const juce::PopupMenu& menu)
{
    juce::StringArray texts;

    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
        texts.add (it.getItem().text + (it.getItem().isEnabled ? "" : " (disabled)"));

    return texts;
}
} // namespace

TEST_F (ApplicationTest, SteppingANumberBoxIsOneEditAsATypedNumberIs)
{
    auto& editor = window (0);
    auto& channel = knobBox (editor, 3, "MIDI Channel");
    juce::MouseWheelDetails wheel{};
    wheel.deltaY = 0.25f;

    channel.mouseWheelMove (apptest::makeMouseUp (channel), wheel);
    EXPECT_EQ (channel.getText(), "2");
    EXPECT_EQ (knobValue (editor, 2, "MIDI Channel"), 1); // shown 2, stored 1
    EXPECT_EQ (commandName (editor, CommandIDs::undo), "Undo Knob 3 MIDI Channel");

    perform (editor, CommandIDs::undo);
    EXPECT_EQ (knobValue (editor, 2, "MIDI Channel"), 0);
    EXPECT_EQ (commandName (editor, CommandIDs::undo), "Undo (disabled)");
}

TEST_F (ApplicationTest, PasteToAllAndFillAscendingAreOneStepEachAndChangeOnlyTheirControls)
{
    ControlSettings::clearClipboard();
    auto& editor = window (0);
    auto engine = editor.getEngine();
    knobBox (editor, 2, "CC").setNumber (70);
    knobBox (editor, 2, "MIDI Channel").setNumber (5);
    knobBox (editor, 2, "Min").setNumber (3);
    const auto knobTwo = engine->getControls (ControlType::Knob)[1]->getValues();

    // The title's menu of knob 2; nothing to paste yet.
    auto* settings = ControlSettings::findFor (&knobBox (editor, 2, "CC"));
    ASSERT_NE (settings, nullptr);
    EXPECT_EQ (
        menuTexts (settings->createMenu()),
        juce::StringArray ({ "Copy Knob 2 Settings", "Paste Settings to Knob 2 (disabled)",
                             "Paste Settings to All Knobs (disabled)", "Number CC Ascending From Here (14 Knobs)" }));

    settings->copy();
    const auto beforePaste = engine->createPresetData (0);
    settings->perform (ControlSettings::pasteToAllItem);

    for (auto* knob : engine->getControls (ControlType::Knob))
        EXPECT_EQ (knob->getValues(), knobTwo);

    EXPECT_EQ (outsideBlocks (engine->createPresetData (0), *engine, ControlType::Knob, 0, 15),
               outsideBlocks (beforePaste, *engine, ControlType::Knob, 0, 15));
    EXPECT_EQ (knobBox (editor, 1, "CC").getText(), "70"); // the widgets follow
    EXPECT_EQ (knobBox (editor, 4, "MIDI Channel").getText(), "5");
    EXPECT_EQ (commandName (editor, CommandIDs::undo), "Undo Paste to All Knobs");

    perform (editor, CommandIDs::undo);
    EXPECT_EQ (engine->createPresetData (0), beforePaste);
    EXPECT_EQ (commandName (editor, CommandIDs::undo), "Undo Knob 2 Min");

    // From knob 2's CC 70, knobs 3 to 16 are numbered 71 to 84; knobs 1 and 2 keep theirs.
    settings->perform (ControlSettings::fillItem);

    for (int i = 2; i < 16; ++i)
        EXPECT_EQ (knobValue (editor, i, "CC"), 70 + (i - 1)) << "knob " << i + 1;

    EXPECT_EQ (outsideBlocks (engine->createPresetData (0), *engine, ControlType::Knob, 2, 15),
               outsideBlocks (beforePaste, *engine, ControlType::Knob, 2, 15));
    EXPECT_EQ (knobBox (editor, 3, "CC").getText(), "71");
    EXPECT_EQ (commandName (editor, CommandIDs::undo), "Undo Number CC Ascending");
    perform (editor, CommandIDs::undo);
    EXPECT_EQ (engine->createPresetData (0), beforePaste);

    // Pad notes stop at the top: from 125 only two pads can follow.
    juce::Label padTitle;
    ControlSettings padTen (engine, ControlType::Pad, 9, "Pad 10", padTitle);
    ASSERT_TRUE (engine->editParameter (ControlType::Pad, 9, "Note", 125, nullptr));
    const auto beforeFill = engine->createPresetData (0);
    EXPECT_EQ (padTen.getFillText(), "Number Notes Ascending From Here (2 Pads)");
    EXPECT_EQ (padTen.fillAscending(), 2);
    EXPECT_EQ (engine->getControls (ControlType::Pad)[10]->getValue ("Note"), 126);
    EXPECT_EQ (engine->getControls (ControlType::Pad)[11]->getValue ("Note"), 127);
    EXPECT_EQ (outsideBlocks (engine->createPresetData (0), *engine, ControlType::Pad, 10, 11),
               outsideBlocks (beforeFill, *engine, ControlType::Pad, 10, 11));
    EXPECT_EQ (commandName (editor, CommandIDs::undo), "Undo Number Notes Ascending");

    // A transport button's settings go to one other button; a knob's cannot be pasted there.
    juce::Label playTitle, recordTitle;
    ControlSettings play (engine, ControlType::Transport, 3, "Play", playTitle);
    ControlSettings record (engine, ControlType::Transport, 5, "Record", recordTitle);
    EXPECT_FALSE (record.canPaste());
    ASSERT_TRUE (engine->editParameter (ControlType::Transport, 3, "Function", 1, nullptr));
    ASSERT_TRUE (engine->editParameter (ControlType::Transport, 3, "CC", 99, nullptr));
    play.copy();
    EXPECT_EQ (record.pasteHere(), 2);
    EXPECT_EQ (engine->getControls (ControlType::Transport)[5]->getValues(),
               engine->getControls (ControlType::Transport)[3]->getValues());
    EXPECT_EQ (commandName (editor, CommandIDs::undo), "Undo Paste to Record");
    ControlSettings::clearClipboard();
}

TEST_F (ApplicationTest, EditMenuEntriesActOnTheControlOfTheFocusedField)
{
    auto& editor = window (0);
    EXPECT_EQ (commandName (editor, CommandIDs::copyControlSettings), "Copy Settings (disabled)");

    auto& cc = knobBox (editor, 3, "CC");
    // The window may need a moment to be given the focus by the X server.
    ASSERT_TRUE (pumpMessagesUntil (
        [&]
        {
            if (! cc.hasKeyboardFocus (false))
            {
                editor.toFront (true);
                cc.grabKeyboardFocus();
            }

            return cc.hasKeyboardFocus (false);
        },
        3000));
    pump(); // the focus is told to its listeners asynchronously
    EXPECT_EQ (commandName (editor, CommandIDs::copyControlSettings), "Copy Knob 3 Settings");
    EXPECT_EQ (commandName (editor, CommandIDs::numberControlsAscending), "Number CC Ascending From Here (13 Knobs)");

    // A click on the menu bar closes an open field and takes the focus: the entries still act on
    // the control that had it while it is shown.
    juce::Component::unfocusAllComponents();
    pump();
    EXPECT_EQ (commandName (editor, CommandIDs::copyControlSettings), "Copy Knob 3 Settings");

    perform (editor, CommandIDs::numberControlsAscending);
    EXPECT_EQ (knobValue (editor, 15, "CC"), knobValue (editor, 2, "CC") + 13);
    EXPECT_EQ (commandName (editor, CommandIDs::undo), "Undo Number CC Ascending");

    editor.getEditorComponent()->viewSelected (EditorComponent::mainView);
    EXPECT_EQ (commandName (editor, CommandIDs::copyControlSettings), "Copy Settings (disabled)");
}

//==============================================================================
// The window manager delivers a close request even while a modal question is up; so can a second
// quit. Each case below makes that request from inside the question.
TEST_F (ApplicationTest, CloseAndQuitRequestsDuringAQuestionAreIgnoredAndTheQuestionGoesOn)
{
    ScratchFolder scratch;
    const auto backup = scratch.getFolder ("backup");

    for (int slot = 0; slot < SlotBackup::numberOfSlots; ++slot)
        SlotBackup::getSlotFile (backup, ZKMModel::modelName, slot)
            .replaceWithData (TestRig::defaultPresetDump().getRawDataPointer(), (size_t) TestRig::dumpLength);

    application->openNewWindow();
    juce::Component::SafePointer<EditorWindow> first (&window (0));
    int questions = 0;

    // The restore question: the window stays, and so does the engine its restore listens to.
    first->chooseFolder = [backup] (const juce::String&, const juce::File&) { return backup; };
    first->askToRestore = [&] (const juce::File&)
    {
        ++questions;
        first->closeButtonPressed();
        application->systemRequestedQuit();
        return false;
    };
    EXPECT_FALSE (first->getRestoreCommand().start());
    EXPECT_EQ (questions, 1);
    ASSERT_NE (first, nullptr);
    EXPECT_EQ (windowManager().getWindows().size(), 2);

    // The save question: a second close request asks nothing more, and "Discard" closes it once.
    knobBox (*first, 1, "Min").setNumber (5);
    first->askToSaveChanges = [&] (const juce::String&)
    {
        if (++questions == 2)
        {
            first->closeButtonPressed();
            application->systemRequestedQuit();
        }

        return Answer::discard;
    };
    first->closeButtonPressed();
    EXPECT_EQ (questions, 2);
    EXPECT_EQ (first, nullptr);
    ASSERT_EQ (windowManager().getWindows().size(), 1);
    EXPECT_FALSE (application->isQuitRequested());

    // Quit: a window that closes during another window's question is skipped, not read after it
    // went, and every window still there is asked once.
    application->openNewWindow();
    application->openNewWindow();
    knobBox (window (0), 1, "Min").setNumber (6);
    knobBox (window (2), 1, "Min").setNumber (7);
    juce::Component::SafePointer<EditorWindow> unchanged (&window (1));
    window (0).askToSaveChanges = [&] (const juce::String&)
    {
        ++questions;
        unchanged->closeButtonPressed();
        application->systemRequestedQuit();
        return Answer::discard;
    };
    window (2).askToSaveChanges = [&] (const juce::String&)
    {
        ++questions;
        return Answer::cancel;
    };
    application->systemRequestedQuit();
    EXPECT_EQ (questions, 4);
    EXPECT_EQ (unchanged, nullptr);
    EXPECT_EQ (windowManager().getWindows().size(), 2);
    EXPECT_FALSE (application->isQuitRequested());
}
