#include "app/CommandIDs.h"
#include "support/AppTestHelpers.h"
#include "support/ScopedFileSizeLimit.h"
#include "support/ViewTestHelpers.h"
#include "support/WidgetTestHelpers.h"

using apptest::ApplicationTest;
using apptest::countAlerts;
using apptest::dismissAlerts;
using apptest::perform;
using apptest::presetButton;
using apptest::pump;
using apptest::ScratchFolder;

namespace
{
juce::MemoryBlock readBytes (const juce::File& file)
{
    juce::MemoryBlock bytes;
    file.loadFileAsData (bytes);
    return bytes;
}

/** A preset file that differs from the default preset in its name bytes. */
juce::File writeOtherPreset (EditorWindow& window, const juce::File& file)
{
    auto dump = window.getEngine()->createPresetData (0);
    dump.set (20, static_cast<juce::uint8> ('Q'));
    file.replaceWithData (dump.getRawDataPointer(), static_cast<size_t> (dump.size()));
    return file;
}

/** Knob 1's "CC" box, on its view shown in the window. */
NumberBox& knobOneCcBox (EditorWindow& window)
{
    auto* editor = window.getEditorComponent();
    editor->viewSelected (EditorComponent::knobsView);
    auto* knobView = ViewTestHelpers::findTitled (*editor->getView (EditorComponent::knobsView), "Knob 1");
    return *ViewTestHelpers::findNamed<NumberBox> (*knobView, "CC");
}

/** The stored byte of Knob 1's "CC" in a preset file. */
juce::uint8 knobOneCcInFile (EditorWindow& window, const juce::File& file)
{
    auto* knob = window.getEngine()->getControls (ControlType::Knob)[0];
    const auto bytes = readBytes (file);
    return static_cast<const juce::uint8*> (
        bytes.getData())[WidgetTestHelpers::dumpHeadLength + knob->getOffset() + knob->getIndex ("CC")];
}

class CommandLineTest : public ApplicationTest
{
protected:
    void SetUp() override {}
};
} // namespace

//==============================================================================
TEST_F (ApplicationTest, SaveAsksForAFileFirstAndThenWritesWithoutAsking)
{
    ScratchFolder scratch;
    auto& editor = window (0);
    const auto target = scratch.getFolder ("presets").getChildFile ("My Preset.zkp");
    editor.chooseFile = answerWith (target);

    perform (editor, CommandIDs::save);
    EXPECT_EQ (chooserCalls, 1);
    EXPECT_TRUE (lastChooserWasForSaving);
    EXPECT_EQ (lastChooserTitle, juce::String ("Select Filename to save"));
    ASSERT_TRUE (target.existsAsFile());
    EXPECT_EQ (target.getSize(), 476);

    const auto expected = editor.getEngine()->createPresetData (0);
    EXPECT_EQ (readBytes (target), juce::MemoryBlock (expected.getRawDataPointer(), 476));
    EXPECT_EQ (editor.getName(), juce::String ("Quenlo ZKM Editor - My Preset"));
    EXPECT_EQ (editor.getCurrentFile(), target);
    EXPECT_EQ (editor.getDocumentName(), juce::String ("My Preset"));

    target.deleteFile();
    target.create();
    perform (editor, CommandIDs::save);
    EXPECT_EQ (chooserCalls, 1); // the save target is known now
    EXPECT_EQ (target.getSize(), 476);
}

TEST_F (ApplicationTest, ANumberStillBeingTypedIsTakenByTheCommandsThatReadThePreset)
{
    ScratchFolder scratch;
    auto& editor = window (0);
    const auto target = scratch.getFile ("typed.zkp");
    editor.chooseFile = answerWith (target);

    // The user types 77 and presses command + s without Return.
    auto& box = knobOneCcBox (editor);
    auto* field = WidgetTestHelpers::openEditor (box);
    ASSERT_NE (field, nullptr);
    WidgetTestHelpers::typeKeys (*field, "77");
    perform (editor, CommandIDs::save);

    EXPECT_FALSE (box.isBeingEdited());
    EXPECT_EQ (box.getText(), "77");
    EXPECT_EQ (knobOneCcInFile (editor, target), 77);

    // The same for Save As and for Save once the file is known.
    field = WidgetTestHelpers::openEditor (box);
    ASSERT_NE (field, nullptr);
    WidgetTestHelpers::typeKeys (*field, "78");
    perform (editor, CommandIDs::saveAs);
    EXPECT_EQ (knobOneCcInFile (editor, target), 78);

    field = WidgetTestHelpers::openEditor (box);
    ASSERT_NE (field, nullptr);
    WidgetTestHelpers::typeKeys (*field, "79");
    perform (editor, CommandIDs::save);
    EXPECT_EQ (knobOneCcInFile (editor, target), 79);
    EXPECT_EQ (chooserCalls, 2);
}

TEST_F (ApplicationTest, SaveToFileButtonAlwaysAsksForAFile)
{
    ScratchFolder scratch;
    auto& editor = window (0);
    const auto first = scratch.getFile ("first.zkp");
    editor.chooseFile = answerWith (first);
    perform (editor, CommandIDs::saveAs);
    EXPECT_EQ (chooserCalls, 1);

    const auto second = scratch.getFile ("second.zkp");
    editor.chooseFile = answerWith (second);
    editor.buttonClicked (&presetButton (editor, "Save To File"));
    EXPECT_EQ (chooserCalls, 2);
    EXPECT_TRUE (second.existsAsFile());
    EXPECT_EQ (editor.getCurrentFile(), second);
    EXPECT_EQ (editor.getName(), juce::String ("Quenlo ZKM Editor - second"));
}

TEST_F (ApplicationTest, SaveAfterLoadAsksAgain)
{
    ScratchFolder scratch;
    auto& editor = window (0);
    const auto saved = scratch.getFile ("saved.zkp");
    editor.chooseFile = answerWith (saved);
    perform (editor, CommandIDs::saveAs);
    const auto savedBytes = readBytes (saved);

    const auto other = writeOtherPreset (editor, scratch.getFile ("other.zkp"));
    editor.chooseFile = answerWith (other);
    editor.buttonClicked (&presetButton (editor, "Load From File"));
    EXPECT_EQ (chooserCalls, 2);
    EXPECT_FALSE (lastChooserWasForSaving);
    EXPECT_EQ (lastChooserTitle, juce::String ("Select Filename to open"));
    EXPECT_EQ (editor.getName(), juce::String ("Quenlo ZKM Editor - other"));
    EXPECT_EQ (readBytes (other),
               juce::MemoryBlock (editor.getEngine()->createPresetData (0).getRawDataPointer(), 476));

    // The loaded preset is never written over the file of an earlier Save As without asking.
    editor.chooseFile = answerWith ({}); // the user cancels
    perform (editor, CommandIDs::save);
    EXPECT_EQ (chooserCalls, 3);
    EXPECT_EQ (readBytes (saved), savedBytes);
    EXPECT_EQ (editor.getName(), juce::String ("Quenlo ZKM Editor - other"));
}

TEST_F (ApplicationTest, CancelledChoosersChangeNothing)
{
    auto& editor = window (0);
    editor.chooseFile = answerWith ({});

    EXPECT_FALSE (editor.saveAs());
    EXPECT_FALSE (editor.loadPreset());
    EXPECT_EQ (editor.getCurrentFile(), juce::File());
    EXPECT_EQ (application->getLastDirectory(), juce::File());
    EXPECT_EQ (editor.getName(), juce::String ("Quenlo ZKM Editor - Untitled 1"));

    application->chooseFile = answerWith ({});
    perform (*application, CommandIDs::open);
    EXPECT_EQ (windowManager().getWindows().size(), 1);
}

TEST_F (ApplicationTest, EveryChooserStartsInTheFolderOfTheLastSaveAs)
{
    ScratchFolder scratch;
    application->openNewWindow();
    const auto saveFolder = scratch.getFolder ("saved here");
    const auto otherFolder = scratch.getFolder ("loaded from");

    window (0).chooseFile = answerWith (saveFolder.getChildFile ("a.zkp"));
    EXPECT_TRUE (window (0).saveAs());
    EXPECT_EQ (application->getLastDirectory(), saveFolder);

    // Loading from another folder does not move it.
    const auto elsewhere = writeOtherPreset (window (0), otherFolder.getChildFile ("b.zkp"));
    window (1).chooseFile = answerWith (elsewhere);
    EXPECT_TRUE (window (1).loadPreset());
    EXPECT_EQ (lastChooserStart, saveFolder);
    EXPECT_EQ (application->getLastDirectory(), saveFolder);

    window (1).chooseFile = answerWith ({});
    window (1).saveAs();
    EXPECT_EQ (lastChooserStart.getParentDirectory(), saveFolder); // at a file named after the preset

    application->chooseFile = answerWith (elsewhere);
    perform (*application, CommandIDs::open);
    EXPECT_EQ (lastChooserStart, saveFolder);
    EXPECT_EQ (lastChooserTitle, juce::String ("Select Filename to open"));
    EXPECT_EQ (application->getLastDirectory(), saveFolder);
}

TEST_F (ApplicationTest, OpenCommandLoadsTheChosenFileIntoANewWindow)
{
    ScratchFolder scratch;
    const auto file = writeOtherPreset (window (0), scratch.getFile ("opened.zkp"));
    application->chooseFile = answerWith (file);

    perform (*application, CommandIDs::open);
    ASSERT_EQ (windowManager().getWindows().size(), 2);
    EXPECT_EQ (window (1).getName(), juce::String ("Quenlo ZKM Editor - opened"));
    EXPECT_EQ (readBytes (file),
               juce::MemoryBlock (window (1).getEngine()->createPresetData (0).getRawDataPointer(), 476));
    EXPECT_EQ (window (1).getCurrentFile(), juce::File());
}

TEST_F (ApplicationTest, RejectedFileShowsOneFileErrorNoticeAtATimePerWindow)
{
    ScratchFolder scratch;
    auto& editor = window (0);
    const auto bad = scratch.getFile ("short.zkp");
    bad.replaceWithText ("not a preset");
    const auto before = editor.getEngine()->createPresetData (0);

    EXPECT_FALSE (editor.loadFile (bad));
    pump();
    EXPECT_NE (editor.getFileErrorAlert(), nullptr);
    EXPECT_EQ (countAlerts ("File Error"), 1);
    EXPECT_EQ (editor.getName(), juce::String ("Quenlo ZKM Editor - Untitled 1"));
    EXPECT_EQ (editor.getEngine()->createPresetData (0), before);

    auto* firstNotice = editor.getFileErrorAlert();
    EXPECT_FALSE (editor.loadFile (scratch.getFile ("missing.zkp")));
    pump();
    EXPECT_EQ (editor.getFileErrorAlert(), firstNotice);
    EXPECT_EQ (countAlerts ("File Error"), 1);

    // A second window has notices of its own.
    application->openNewWindow();
    window (1).loadFile (bad);
    pump();
    EXPECT_EQ (countAlerts ("File Error"), 2);

    dismissAlerts();
    EXPECT_EQ (editor.getFileErrorAlert(), nullptr);
    EXPECT_EQ (countAlerts ("File Error"), 0);

    editor.loadFile (bad);
    pump();
    EXPECT_NE (editor.getFileErrorAlert(), nullptr);
    EXPECT_EQ (countAlerts ("File Error"), 1);
}

TEST_F (ApplicationTest, FileErrorNoticeNamesTheRejectedFile)
{
    ScratchFolder scratch;
    const auto bad = scratch.getFile ("wrong size.zkp");
    bad.replaceWithText ("x");
    window (0).loadFile (bad);
    pump();

    juce::AlertWindow* notice = nullptr;
    auto& desktop = juce::Desktop::getInstance();

    for (int i = 0; i < desktop.getNumComponents(); ++i)
        if (auto* alert = dynamic_cast<juce::AlertWindow*> (desktop.getComponent (i)))
            notice = alert;

    ASSERT_NE (notice, nullptr);
    EXPECT_EQ (notice->getName(), juce::String ("File Error"));
    EXPECT_EQ (notice->getNumButtons(), 1);
    ASSERT_NE (window (0).getFileErrorAlert(), nullptr);
    EXPECT_EQ (window (0).getFileErrorAlert()->getMessage(),
               juce::String ("Error Opening wrong size.zkp\r\n Invalid Preset Data"));
    EXPECT_EQ (notice->getNumButtons(), 1);
}

TEST_F (ApplicationTest, AFileNotFramedAsAPresetDumpStillOpensAndTheStripSaysSoWithoutABox)
{
    ScratchFolder scratch;
    auto unframed = TestRig::presetWith ({ { 3, 9 } });
    unframed.set (0, (juce::uint8) 'Z');
    const auto file = scratch.getFile ("old.zkp");
    file.replaceWithData (unframed.getRawDataPointer(), (size_t) unframed.size());

    ASSERT_TRUE (window (0).loadFile (file));
    EXPECT_EQ (TestRig::getImage (*window (0).getEngine()), TestRig::getImageOfDump (unframed));
    EXPECT_EQ (window (0).getTransferStrip().getBar().getTextLabel().getText(),
               EditorWindow::getNotAPresetDumpMessage ("old.zkp", "it does not begin with F0"));
    EXPECT_TRUE (window (0).getTransferStrip().getBar().isVisible());
    EXPECT_EQ (window (0).getFileErrorAlert(), nullptr);

    // A well-framed file says nothing.
    const auto framed = scratch.getFile ("framed.zkp");
    framed.replaceWithData (TestRig::defaultPresetDump().getRawDataPointer(), (size_t) TestRig::dumpLength);
    window (0).getTransferStrip().getBar().showMessage ({});
    ASSERT_TRUE (window (0).loadFile (framed));
    EXPECT_EQ (window (0).getTransferStrip().getBar().getTextLabel().getText(), juce::String());
}

TEST_F (ApplicationTest, FailedSaveIsReportedAndKeepsTheTitle)
{
    ScratchFolder scratch;
    auto& editor = window (0);
    const auto unwritable = scratch.getFile ("no such folder").getChildFile ("deeper").getChildFile ("x.zkp");
    scratch.getFile ("no such folder").replaceWithText ("a file where the folder should be");
    editor.chooseFile = answerWith (unwritable);

    EXPECT_TRUE (editor.saveAs()); // a file was chosen
    pump();
    EXPECT_FALSE (unwritable.existsAsFile());
    EXPECT_EQ (editor.getName(), juce::String ("Quenlo ZKM Editor - Untitled 1"));
    ASSERT_NE (editor.getFileErrorAlert(), nullptr);
    EXPECT_EQ (countAlerts ("File Error"), 1);

    juce::AlertWindow* notice = nullptr;
    auto& desktop = juce::Desktop::getInstance();

    for (int i = 0; i < desktop.getNumComponents(); ++i)
        if (auto* alert = dynamic_cast<juce::AlertWindow*> (desktop.getComponent (i)))
            notice = alert;

    ASSERT_NE (notice, nullptr);
    EXPECT_EQ (editor.getFileErrorAlert()->getMessage(),
               juce::String ("Error Saving x.zkp\r\n File Could Not Be Written"));

    // The next failure while the notice is up adds none.
    EXPECT_FALSE (editor.saveToFile (unwritable));
    pump();
    EXPECT_EQ (countAlerts ("File Error"), 1);
}

TEST_F (ApplicationTest, SaveCutShortKeepsTheOldFileAndIsReported)
{
    ScratchFolder scratch;
    auto& editor = window (0);
    const auto target = scratch.getFile ("kept.zkp");
    editor.chooseFile = answerWith (target);
    ASSERT_TRUE (editor.saveAs());
    const auto oldBytes = readBytes (target);
    editor.getEngine()->setParameter (0, "Preset Name 1", 'Z'); // something new to save

    {
        const ScopedFileSizeLimit fileSizeLimit (100); // as a full disk would cut the write short
        EXPECT_FALSE (editor.saveToFile (target));
    }

    pump();
    EXPECT_EQ (readBytes (target), oldBytes);
    EXPECT_EQ (scratch.getFile ({}).findChildFiles (juce::File::findFiles, false, "*").size(), 1);
    ASSERT_NE (editor.getFileErrorAlert(), nullptr);
    EXPECT_EQ (editor.getFileErrorAlert()->getMessage(),
               juce::String ("Error Saving kept.zkp\r\n File Could Not Be Written"));
    dismissAlerts();

    // Once there is room again, Save writes the new preset.
    perform (editor, CommandIDs::save);
    EXPECT_EQ (readBytes (target),
               juce::MemoryBlock (editor.getEngine()->createPresetData (0).getRawDataPointer(), 476));
    EXPECT_NE (readBytes (target), oldBytes);
    EXPECT_EQ (countAlerts ("File Error"), 0);
}

TEST_F (ApplicationTest, WindowClosedWhileItsChooserIsOpenIsLeftAlone)
{
    ScratchFolder scratch;
    const auto chosen = writeOtherPreset (window (0), scratch.getFile ("chosen.zkp"));
    const auto chosenBytes = readBytes (chosen);
    const auto defaultBytes = window (0).getEngine()->createPresetData (0);

    // Save (untitled, so it asks), the "Save To File" button and "Load From File": each time the
    // user closes the window while its chooser is open, then picks a file.
    const std::vector<std::function<void (EditorWindow&)>> operations{
        [] (EditorWindow& editor) { perform (editor, CommandIDs::save); },
        [] (EditorWindow& editor) { editor.buttonClicked (&presetButton (editor, "Save To File")); },
        [] (EditorWindow& editor) { editor.buttonClicked (&presetButton (editor, "Load From File")); },
    };

    for (const auto& operation : operations)
    {
        auto& doomed = *application->openNewWindow();
        ASSERT_EQ (windowManager().getWindows().size(), 2);
        doomed.chooseFile = [&doomed, chosen] (const juce::String&, const juce::File&, const juce::String&, bool)
        {
            doomed.closeButtonPressed(); // the window manager deletes the window here
            return chosen;
        };

        operation (doomed);
        pump();
        EXPECT_EQ (windowManager().getWindows().size(), 1);
        EXPECT_EQ (readBytes (chosen), chosenBytes);
        EXPECT_EQ (application->getLastDirectory(), juce::File());
        EXPECT_EQ (countAlerts ("File Error"), 0);
    }

    EXPECT_EQ (window (0).getEngine()->createPresetData (0), defaultBytes);
    EXPECT_EQ (window (0).getName(), juce::String ("Quenlo ZKM Editor - Untitled 1"));
}

TEST_F (ApplicationTest, NoticeThatOutlivesItsWindowCanBeDismissed)
{
    ScratchFolder scratch;
    application->openNewWindow();
    const auto bad = scratch.getFile ("bad.zkp");
    bad.replaceWithText ("bad");
    window (0).loadFile (bad);
    window (0).midiCommunicationFailed ({});
    pump();
    EXPECT_EQ (countAlerts ("File Error"), 1);
    EXPECT_EQ (countAlerts ("MIDI Error"), 1);

    window (0).closeButtonPressed();
    EXPECT_EQ (windowManager().getWindows().size(), 1);
    EXPECT_EQ (countAlerts ("File Error"), 1);

    dismissAlerts();
    EXPECT_EQ (countAlerts ("File Error"), 0);
    EXPECT_EQ (countAlerts ("MIDI Error"), 0);
}

TEST_F (ApplicationTest, MidiErrorNoticeIsShownOncePerWindowWithThreeLines)
{
    auto& editor = window (0);
    editor.midiCommunicationFailed ({});
    editor.midiCommunicationFailed ({});
    pump();

    EXPECT_NE (editor.getControllerDialogs().getMidiErrorAlert(), nullptr);
    EXPECT_EQ (countAlerts ("MIDI Error"), 1);
    EXPECT_EQ (MidiErrorAlertWindow::getMessage(),
               juce::String ("MIDI Communication Unsuccessful.\r\nVerify MIDI Connection and Device Settings.\r\n"
                             "Verify no other applications are using the MIDI Port."));

    dismissAlerts();
    EXPECT_EQ (editor.getControllerDialogs().getMidiErrorAlert(), nullptr);
}

//==============================================================================
TEST_F (CommandLineTest, QuotedPathOnTheCommandLineIsLoaded)
{
    ScratchFolder scratch;
    const auto file = scratch.getFolder ("with space").getChildFile ("start up.zkp");
    const auto defaultPreset = TestRig::defaultPresetDump();
    file.replaceWithData (defaultPreset.getRawDataPointer(), (size_t) defaultPreset.size());

    startApplication ("\"" + file.getFullPathName() + "\"");
    ASSERT_EQ (windowManager().getWindows().size(), 1);
    EXPECT_EQ (window (0).getName(), juce::String ("Quenlo ZKM Editor - start up"));
    EXPECT_EQ (countAlerts ("File Error"), 0);
}

TEST_F (CommandLineTest, CommandLineStartingWithMinusOpensOnlyTheDefaultWindow)
{
    startApplication ("  -psn_0_12345");
    ASSERT_EQ (windowManager().getWindows().size(), 1);
    EXPECT_EQ (window (0).getName(), juce::String ("Quenlo ZKM Editor - Untitled 1"));
    EXPECT_EQ (countAlerts ("File Error"), 0);
}

TEST_F (CommandLineTest, WrongSizedFileOnTheCommandLineKeepsTheDefaultWindowAndReportsIt)
{
    ScratchFolder scratch;
    const auto bad = scratch.getFile ("bad.zkp");
    bad.replaceWithText ("too short");

    startApplication (bad.getFullPathName());
    pump();
    ASSERT_EQ (windowManager().getWindows().size(), 1);
    EXPECT_EQ (window (0).getName(), juce::String ("Quenlo ZKM Editor - Untitled 1"));
    EXPECT_EQ (countAlerts ("File Error"), 1);
}
