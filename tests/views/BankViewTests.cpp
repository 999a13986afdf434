#include "support/ViewTestHelpers.h"
#include "views/EditorComponent.h"
#include "views/GenericControlView.h"
#include "views/KnobBank.h"
#include "views/PadBank.h"
#include "views/RollModeBank.h"
#include "views/SustainBank.h"
#include "views/SwitchBank.h"
#include "views/TabSelectorButtons.h"
#include "views/TransportBank.h"
#include "views/WheelBank.h"
#include "views/ZKMProductProductImageViewSelector.h"
#include "widgets/ControlToMidiControllerButton.h"
#include "widgets/NumberBox.h"

#include <gtest/gtest.h>

using namespace ViewTestHelpers;

namespace
{
class BankViewTest : public ::testing::Test
{
protected:
    /** The titles of the control views that the bank shows now. */
    static juce::StringArray shownTitles (BankView& bank)
    {
        juce::StringArray titles;

        for (auto* page : findAll<BankView::Bank> (bank))
            if (isShownWithin (*page, bank))
                for (auto* item : page->getItems())
                    titles.add (findAll<juce::Label> (*item).getFirst()->getText()); // the title comes first

        return titles;
    }

    static juce::Button& arrow (BankView& bank, const juce::String& name)
    {
        auto* button = findNamed<juce::Button> (bank, name);

        if (button == nullptr)
            throw std::runtime_error ("no arrow " + name.toStdString());

        return *button;
    }

    static void clickArrow (BankView& bank, const juce::String& name)
    {
        EXPECT_EQ (clickCentreOf (bank, arrow (bank, name)), &arrow (bank, name));
    }

    Document document;
    ZKEditorEngine::Ptr engine = document.engine;
};
} // namespace

//==============================================================================
TEST_F (BankViewTest, SwitchBankPagesToItsTwelfthBankAndNoFurther)
{
    SwitchBank bank (engine, numSwitches);
    loadPreset (*engine, defaultPresetDump());

    EXPECT_EQ (bank.getNumBanks(), 12);
    EXPECT_EQ (bank.getCurrentBank(), 0);
    EXPECT_EQ (shownTitles (bank), juce::StringArray ({ "Switch 1", "Switch 2", "Switch 3", "Switch 4" }));

    for (int click = 1; click <= 11; ++click)
    {
        clickArrow (bank, "Left Bank Arrow");
        EXPECT_EQ (bank.getCurrentBank(), click);
    }

    EXPECT_EQ (shownTitles (bank), juce::StringArray ({ "Switch 45", "Switch 46", "Switch 47", "Switch 48" }));

    clickArrow (bank, "Left Bank Arrow");
    EXPECT_EQ (bank.getCurrentBank(), 11);
    EXPECT_EQ (shownTitles (bank), juce::StringArray ({ "Switch 45", "Switch 46", "Switch 47", "Switch 48" }));

    // Both arrows stay at the last bank.
    EXPECT_TRUE (arrow (bank, "Left Bank Arrow").isVisible());
    EXPECT_TRUE (arrow (bank, "Right Bank Arrow").isVisible());
}

TEST_F (BankViewTest, PreviousArrowAtTheFirstBankChangesNothing)
{
    KnobBank bank (engine, numKnobs);

    clickArrow (bank, "Right Bank Arrow");
    EXPECT_EQ (bank.getCurrentBank(), 0);
    EXPECT_EQ (shownTitles (bank), juce::StringArray ({ "Knob 1", "Knob 2", "Knob 3", "Knob 4" }));

    clickArrow (bank, "Left Bank Arrow");
    clickArrow (bank, "Left Bank Arrow");
    clickArrow (bank, "Right Bank Arrow");
    EXPECT_EQ (bank.getCurrentBank(), 1);
    EXPECT_EQ (shownTitles (bank), juce::StringArray ({ "Knob 5", "Knob 6", "Knob 7", "Knob 8" }));
}

TEST_F (BankViewTest, ArrowsStandAtTheEdgesAndPointTheOtherWayFromTheirNames)
{
    PadBank bank (engine, numPads);

    auto& next = arrow (bank, "Left Bank Arrow");
    auto& previous = arrow (bank, "Right Bank Arrow");
    EXPECT_EQ (next.getBounds(), juce::Rectangle<int> (1170, 5, 17, 26));
    EXPECT_EQ (previous.getBounds(), juce::Rectangle<int> (10, 5, 17, 26));
    EXPECT_TRUE (next.isAlwaysOnTop());
    EXPECT_FALSE (next.getWantsKeyboardFocus());
    EXPECT_FALSE (previous.getWantsKeyboardFocus());

    // The arrows lie in front of the bank, so that a click on them pages.
    clickAt (bank, { 1178, 18 });
    EXPECT_EQ (bank.getCurrentBank(), 1);
    clickAt (bank, { 18, 18 });
    EXPECT_EQ (bank.getCurrentBank(), 0);
}

TEST_F (BankViewTest, TransportBankShowsLoopAndRecordOnItsSecondBank)
{
    TransportBank bank (engine);
    loadPreset (*engine, defaultPresetDump());

    EXPECT_EQ (bank.getNumBanks(), 2);
    EXPECT_EQ (shownTitles (bank), juce::StringArray ({ "Rewind", "Fast Forward", "Stop", "Play" }));

    clickArrow (bank, "Left Bank Arrow");
    EXPECT_EQ (shownTitles (bank), juce::StringArray ({ "Loop", "Record" }));

    auto* page = findAll<BankView::Bank> (bank)[0];
    ASSERT_NE (page, nullptr);
    EXPECT_EQ (page->getBounds(), juce::Rectangle<int> (0, 15, 1200, 200));
    ASSERT_EQ (page->getItems().size(), 2);
    const auto width = page->getItems()[0]->getWidth();
    EXPECT_EQ (page->getItems()[0]->getPosition(), juce::Point<int> (40, 0));
    EXPECT_EQ (page->getItems()[1]->getPosition(), juce::Point<int> (40 + width, 0));

    // The loop button's controller number of the default preset.
    auto* cc = findNamed<NumberBox> (*page->getItems()[0], "CC");
    ASSERT_NE (cc, nullptr);
    EXPECT_EQ (cc->getText(), "115");
}

TEST_F (BankViewTest, SingleBankViewsShowNoArrows)
{
    RollModeBank rollMode (engine);
    WheelBank wheels (engine);
    SustainBank sustain (engine);

    for (BankView* bank :
         { static_cast<BankView*> (&rollMode), static_cast<BankView*> (&wheels), static_cast<BankView*> (&sustain) })
    {
        EXPECT_EQ (bank->getNumBanks(), 1);
        EXPECT_FALSE (arrow (*bank, "Left Bank Arrow").isVisible());
        EXPECT_FALSE (arrow (*bank, "Right Bank Arrow").isVisible());
    }

    EXPECT_EQ (shownTitles (rollMode), juce::StringArray ("Roll Mode"));
    EXPECT_EQ (shownTitles (wheels), juce::StringArray ({ "Mod Wheel", "Pitch Wheel" }));
    EXPECT_EQ (shownTitles (sustain), juce::StringArray ("Sustain Pedal"));
}

TEST_F (BankViewTest, GroupBanksCarryTheirMidiToDinButtonAboveTheBank)
{
    KnobBank knobs (engine, numKnobs);
    SwitchBank switches (engine, numSwitches);
    PadBank pads (engine, numPads);
    TransportBank transport (engine);
    SustainBank sustain (engine);
    RollModeBank rollMode (engine);
    WheelBank wheels (engine);
    loadPreset (*engine, defaultPresetDump());

    const std::vector<std::tuple<BankView*, juce::String, juce::Point<int>>> expected{
        { &knobs, "Knobs Midi To DIN", { 140, 3 } },      { &switches, "Switches Midi To DIN", { 272, 3 } },
        { &pads, "Pads Midi To DIN", { 405, 3 } },        { &transport, "Transport Midi To DIN", { 670, 3 } },
        { &sustain, "Sustain Midi To DIN", { 1065, 3 } },
    };

    for (const auto& [bank, name, position] : expected)
    {
        EXPECT_EQ (bank->getBounds(), juce::Rectangle<int> (0, 0, 1200, 200));

        ControlToMidiControllerButton* button = nullptr;

        for (auto* candidate : findAll<ControlToMidiControllerButton> (*bank))
            if (candidate->getParameterName() == name)
                button = candidate;

        ASSERT_NE (button, nullptr) << name;
        EXPECT_EQ (button->getParentComponent(), bank);
        EXPECT_EQ (button->getBounds(), juce::Rectangle<int> (position.x, position.y, 100, 12)) << name;
        EXPECT_TRUE (button->isVisible());
        EXPECT_EQ (button->getButton().getButtonText(), "ON") << name;
    }

    // The roll mode has no flag; each wheel view carries its own.
    EXPECT_TRUE (findAll<ControlToMidiControllerButton> (rollMode).isEmpty());
    EXPECT_EQ (findAll<ControlToMidiControllerButton> (wheels).size(), 2);
}

TEST_F (BankViewTest, KnobAndPadBanksHoldFourBanksOfFourSideBySide)
{
    KnobBank knobs (engine, numKnobs);
    PadBank pads (engine, numPads);

    for (BankView* bank : { static_cast<BankView*> (&knobs), static_cast<BankView*> (&pads) })
    {
        EXPECT_EQ (bank->getNumBanks(), 4);
        auto* page = findAll<BankView::Bank> (*bank)[0];
        ASSERT_NE (page, nullptr);
        ASSERT_EQ (page->getItems().size(), 4);

        for (int i = 0; i < 4; ++i)
            EXPECT_EQ (page->getItems()[i]->getBounds(), juce::Rectangle<int> (40 + 300 * i, 0, 300, 200));
    }

    pads.showBank (3);
    EXPECT_EQ (shownTitles (pads), juce::StringArray ({ "Pad 13", "Pad 14", "Pad 15", "Pad 16" }));
}

TEST_F (BankViewTest, ShowBankIgnoresAnIndexOutsideTheBanks)
{
    SwitchBank bank (engine, numSwitches);
    bank.showBank (5);
    bank.showBank (12);
    bank.showBank (-1);
    EXPECT_EQ (bank.getCurrentBank(), 5);
    EXPECT_EQ (shownTitles (bank), juce::StringArray ({ "Switch 21", "Switch 22", "Switch 23", "Switch 24" }));
}

TEST_F (BankViewTest, MoreControlsAskedForThanTheEngineHoldsMakeNoViewWithoutAControl)
{
    KnobBank bank (engine, numKnobs + 3);
    EXPECT_EQ (bank.getNumBanks(), 4);
    bank.showBank (3);
    EXPECT_EQ (shownTitles (bank), juce::StringArray ({ "Knob 13", "Knob 14", "Knob 15", "Knob 16" }));
}

TEST_F (BankViewTest, ABankKeepsItsPageWhileOtherViewsAreShown)
{
    EditorComponent editor (std::make_unique<TabSelectorButtons>(),
                            std::make_unique<ZKMProductProductImageViewSelector>(), engine, numKnobs, numPads,
                            numSwitches);
    loadPreset (*engine, defaultPresetDump());

    editor.viewSelected (2);
    auto& switches = dynamic_cast<BankView&> (*editor.getView (2));

    // The arrow through the editor, where the view stands below the tab row.
    for (int click = 0; click < 3; ++click)
        clickAt (editor, { 1178, 490 + 18 });

    EXPECT_EQ (switches.getCurrentBank(), 3);

    editor.viewSelected (6);
    editor.viewSelected (0);
    editor.viewSelected (2);
    EXPECT_EQ (switches.getCurrentBank(), 3);
    EXPECT_EQ (shownTitles (switches), juce::StringArray ({ "Switch 13", "Switch 14", "Switch 15", "Switch 16" }));
}

TEST_F (BankViewTest, APresetLoadedWhileABankIsHiddenShowsWhenItIsShown)
{
    EditorComponent editor (std::make_unique<TabSelectorButtons>(),
                            std::make_unique<ZKMProductProductImageViewSelector>(), engine, numKnobs, numPads,
                            numSwitches);
    loadPreset (*engine, defaultPresetDump());

    editor.viewSelected (3);
    auto& pads = dynamic_cast<BankView&> (*editor.getView (3));
    pads.showBank (1);

    // Pad 6 (on the shown page) and pad 14 (on a hidden page), while the pad view is hidden.
    editor.viewSelected (0);
    const auto preset = withParameter (defaultPresetWith (*engine, ControlType::Pad, 5, "Note", 77), *engine,
                                       ControlType::Pad, 13, "Mode", 3);
    loadPreset (*engine, preset);

    editor.viewSelected (3);
    auto* pad6 = findTitled (pads, "Pad 6");
    ASSERT_NE (pad6, nullptr);
    auto* note = findNamed<NumberBox> (*pad6, "Note");
    ASSERT_NE (note, nullptr);
    EXPECT_TRUE (isShownWithin (*note, editor));
    EXPECT_EQ (note->getText(), "77");

    pads.showBank (3);
    auto* pad14 = dynamic_cast<GenericControlView*> (findTitled (pads, "Pad 14"));
    ASSERT_NE (pad14, nullptr);
    EXPECT_EQ (pad14->getModeSelector()->getComboBox().getText(), "Program Change");
    EXPECT_TRUE (shownLabelTexts (*pad14).contains ("Bank LSB"));
}

namespace
{
/** A field as "Knob 3 CC": the title of its control view and the field's name. */
juce::String describeField (juce::Component* field)
{
    for (auto* c = field; c != nullptr; c = c->getParentComponent())
        if (auto* view = dynamic_cast<GenericControlView*> (c))
            return view->getTitleLabel().getText() + " " + field->getName();

    return "(none)";
}

/** The field that Tab (or shift+Tab) reaches from this one: the window asks the field's own traverser,
    as it does with a Tab that no component used. */
juce::Component* fieldAfterTab (juce::Component* field, bool forwards = true)
{
    auto traverser = field->createKeyboardFocusTraverser();
    return forwards ? traverser->getNextComponent (field) : traverser->getPreviousComponent (field);
}
} // namespace

TEST_F (BankViewTest, TabVisitsEachKnobTopToBottomAndCrossesIntoTheNextBank)
{
    Document document;
    auto engine = document.engine;
    KnobBank bank (engine, 16);
    loadPreset (*engine, defaultPresetDump());
    juce::Component window;
    window.setBounds (0, 0, 1200, 230);
    window.addAndMakeVisible (bank);
    window.addToDesktop (juce::ComponentPeer::windowIsTemporary);
    window.setVisible (true);
    window.toFront (true);
    pump (100);

    const auto order = bank.getFocusOrder (0);
    ASSERT_EQ (order.size(), 20u);

    auto* field = order.front();
    juce::StringArray visited{ describeField (field) };

    for (int i = 1; i < 21; ++i)
    {
        field = fieldAfterTab (field);
        visited.add (describeField (field));
    }

    juce::StringArray expected;

    for (int knob = 1; knob <= 4; ++knob)
        for (auto* name : { "Mode", "MIDI Channel", "CC", "Min", "Max" })
            expected.add ("Knob " + juce::String (knob) + " " + name);

    expected.add ("Knob 5 Mode");
    EXPECT_EQ (visited, expected);
    EXPECT_EQ (bank.getCurrentBank(), 1);

    // Shift+Tab goes back over the boundary, and the first bank is shown again.
    field = fieldAfterTab (field, false);
    EXPECT_EQ (describeField (field), "Knob 4 Max");
    EXPECT_EQ (bank.getCurrentBank(), 0);

    // The focused box is framed in the editor's blue and takes the down key as a step; the knob's
    // byte follows.
    auto* box = dynamic_cast<NumberBox*> (field);
    ASSERT_NE (box, nullptr);
    // The window may need a moment to be given the focus by the X server.
    for (int attempt = 0; attempt < 100 && ! box->hasKeyboardFocus (false); ++attempt)
    {
        window.toFront (true);
        box->grabKeyboardFocus();
        pump (30);
    }

    ASSERT_TRUE (box->hasKeyboardFocus (false));
    const auto image = box->createComponentSnapshot (box->getLocalBounds());
    EXPECT_EQ (image.getPixelAt (1, 1), juce::Colour (0xFF117FC6));
    EXPECT_EQ (image.getPixelAt (1, 1), image.getPixelAt (2, box->getHeight() - 2)); // a frame all round

    const auto maxBefore = controlOf (*engine, ControlType::Knob, 3).getValue ("Max");
    box->keyPressed (juce::KeyPress (juce::KeyPress::downKey));
    EXPECT_EQ (controlOf (*engine, ControlType::Knob, 3).getValue ("Max"), maxBefore - 1);

    window.removeFromDesktop();
    window.removeAllChildren();
}
