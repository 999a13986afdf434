#include "support/ViewTestHelpers.h"
#include "views/EditorComponent.h"
#include "views/MainSectionView.h"
#include "views/TabSelectorButtons.h"
#include "views/ZKMProductProductImageViewSelector.h"
#include "widgets/CustomLook.h"
#include "widgets/NumberBox.h"

#include <gtest/gtest.h>

using namespace ViewTestHelpers;

namespace
{
const juce::StringArray tabNames{ "Main View Selector Button", "Knob Selector Button",
                                  "Switches Selector Button",  "Drum Pad Selector Button",
                                  "Roll Mode Selector Button", "Transport Selector Button",
                                  "Keybed Selector Button",    "Pitch/Mod Wheel Selector Button",
                                  "Sustain Selector Button" };

// The picture's regions and the views they select; the main section and sustain have none.
const std::map<juce::String, int> regionViews{ { "Drum Pad Selector Button", 3 },  { "Knob Selector Button", 1 },
                                               { "Switches Selector Button", 2 },  { "Keybed Selector Button", 6 },
                                               { "Roll Mode Selector Button", 4 }, { "Wheel Selector Button", 7 },
                                               { "Transport Selector Button", 5 } };

const juce::Point<int> pictureOrigin{ 25, 50 };

class EditorComponentTest : public ::testing::Test
{
protected:
    void SetUp() override { loadPreset (*engine, defaultPresetDump()); }

    ViewSelector& tabs() { return *editor->getSelector (0); }
    ViewSelector& picture() { return *editor->getSelector (1); }

    juce::Array<int> shownViews()
    {
        juce::Array<int> shown;

        for (int i = 0; i < EditorComponent::numViews; ++i)
        {
            auto* view = editor->getView (i);

            if (view->getParentComponent() == editor.get() || view->isVisible())
                shown.add (i);
        }

        return shown;
    }

    static juce::StringArray buttonsOn (ViewSelector& selector)
    {
        juce::StringArray on;

        for (auto* button : selector.getButtons())
            if (button->getToggleState())
                on.add (button->getName());

        return on;
    }

    juce::Button& tab (int viewIndex) { return *tabs().getButtons()[viewIndex]; }

    juce::Button& region (const juce::String& name)
    {
        for (auto* button : picture().getButtons())
            if (button->getName() == name)
                return *button;

        throw std::runtime_error ("no region " + name.toStdString());
    }

    /** Checks that exactly the view is shown and marked in both selectors. */
    void expectSelected (int viewIndex)
    {
        EXPECT_EQ (shownViews(), juce::Array<int> (viewIndex));
        EXPECT_TRUE (editor->getView (viewIndex)->isVisible());
        EXPECT_EQ (buttonsOn (tabs()), juce::StringArray (tabNames[viewIndex]));

        juce::StringArray regionsOn;

        for (const auto& [name, view] : regionViews)
            if (view == viewIndex)
                regionsOn.add (name);

        EXPECT_EQ (buttonsOn (picture()), regionsOn);
    }

    Document document;
    ZKEditorEngine::Ptr engine = document.engine;
    std::unique_ptr<EditorComponent> editor = std::make_unique<EditorComponent> (
        std::make_unique<TabSelectorButtons>(), std::make_unique<ZKMProductProductImageViewSelector>(), engine,
        numKnobs, numPads, numSwitches);
};
} // namespace

//==============================================================================
TEST_F (EditorComponentTest, StartsAtTheEditorSizeWithTheMainSectionShown)
{
    EXPECT_EQ (editor->getBounds(), juce::Rectangle<int> (0, 0, 1200, 700));
    EXPECT_EQ (picture().getBounds(), juce::Rectangle<int> (25, 50, 1150, 286));
    EXPECT_EQ (tabs().getBounds(), juce::Rectangle<int> (0, 450, 1200, 40));

    auto* background = findNamed<juce::ImageComponent> (*editor, "Background Image");
    ASSERT_NE (background, nullptr);
    EXPECT_EQ (background->getBounds(), juce::Rectangle<int> (0, 0, 1200, 700));
    EXPECT_EQ (editor->getIndexOfChildComponent (background), 0);

    expectSelected (0);
    EXPECT_NE (dynamic_cast<MainSectionView*> (editor->getView (0)), nullptr);

    for (int i = 0; i < EditorComponent::numViews; ++i)
        EXPECT_EQ (editor->getView (i)->getPosition(), juce::Point<int> (0, 490)) << i;
}

TEST_F (EditorComponentTest, EveryViewDrawsWithTheEditorLook)
{
    EXPECT_NE (dynamic_cast<CustomLook*> (&editor->getLookAndFeel()), nullptr);

    for (int i = 0; i < EditorComponent::numViews; ++i)
    {
        editor->viewSelected (i);
        EXPECT_EQ (&editor->getView (i)->getLookAndFeel(), &editor->getLookAndFeel()) << i;
    }
}

TEST_F (EditorComponentTest, TabsLieSideBySideInViewOrder)
{
    const int widths[] = { 138, 132, 132, 132, 132, 132, 132, 132, 138 };
    auto x = 0;

    ASSERT_EQ (tabs().getButtons().size(), EditorComponent::numViews);

    for (int i = 0; i < EditorComponent::numViews; ++i)
    {
        EXPECT_EQ (tab (i).getName(), tabNames[i]);
        EXPECT_EQ (tab (i).getBounds(), juce::Rectangle<int> (x, 0, widths[i], 40)) << i;
        EXPECT_EQ (tab (i).getParentComponent(), &tabs());
        x += widths[i];
    }
}

TEST_F (EditorComponentTest, PictureRegionsLieOverTheirControls)
{
    const std::map<juce::String, juce::Rectangle<int>> bounds{
        { "Drum Pad Selector Button", { 10, 120, 154, 153 } }, { "Knob Selector Button", { 384, 12, 503, 16 } },
        { "Keybed Selector Button", { 170, 120, 957, 167 } },  { "Wheel Selector Button", { 30, 10, 63, 85 } },
        { "Transport Selector Button", { 200, 56, 152, 35 } }, { "Roll Mode Selector Button", { 278, 56, 23, 15 } },
        { "Switches Selector Button", { 379, 35, 511, 56 } }
    };

    ASSERT_EQ (picture().getButtons().size(), 7);

    for (const auto& [name, expected] : bounds)
        EXPECT_EQ (region (name).getBounds(), expected) << name;

    // The roll mode button lies in front of the transport button that contains it.
    EXPECT_GT (picture().getIndexOfChildComponent (&region ("Roll Mode Selector Button")),
               picture().getIndexOfChildComponent (&region ("Transport Selector Button")));
}

TEST_F (EditorComponentTest, ClickOnATabShowsItsViewAndMarksBothSelectors)
{
    for (int i = EditorComponent::numViews; --i >= 0;)
    {
        EXPECT_EQ (clickCentreOf (*editor, tab (i)), &tab (i));
        expectSelected (i);
    }
}

TEST_F (EditorComponentTest, ClickOnTheSustainTabTurnsEveryRegionOff)
{
    clickCentreOf (*editor, region ("Keybed Selector Button"));
    expectSelected (6);

    clickCentreOf (*editor, tab (8));
    expectSelected (8);
    EXPECT_TRUE (buttonsOn (picture()).isEmpty());
}

TEST_F (EditorComponentTest, ClickOnTheWheelRegionTurnsOnThePitchModTab)
{
    EXPECT_EQ (clickCentreOf (*editor, region ("Wheel Selector Button")), &region ("Wheel Selector Button"));
    expectSelected (7);
    EXPECT_TRUE (tab (7).getToggleState());
}

TEST_F (EditorComponentTest, ClickInsideTheRollModeRegionSelectsRollModeAndElsewhereInTransportSelectsTransport)
{
    // Corners and middle of the roll mode region, in picture coordinates.
    for (auto point : { juce::Point<int> (278, 56), juce::Point<int> (300, 70), juce::Point<int> (289, 63) })
    {
        editor->viewSelected (0);
        EXPECT_EQ (clickAt (*editor, pictureOrigin + point), &region ("Roll Mode Selector Button")) << point.toString();
        expectSelected (4);
    }

    // Inside the transport region but outside the roll mode region.
    for (auto point : { juce::Point<int> (277, 56), juce::Point<int> (301, 70), juce::Point<int> (289, 71),
                        juce::Point<int> (200, 56), juce::Point<int> (351, 90) })
    {
        editor->viewSelected (0);
        EXPECT_EQ (clickAt (*editor, pictureOrigin + point), &region ("Transport Selector Button")) << point.toString();
        expectSelected (5);
    }
}

TEST_F (EditorComponentTest, ClickOutsideEveryRegionChangesNothing)
{
    editor->viewSelected (2);

    // The product name, a point between the wheels and the transport, and the picture's edge.
    for (auto point : { juce::Point<int> (1030, 60), juce::Point<int> (150, 40), juce::Point<int> (2, 2) })
    {
        auto* hit = clickAt (*editor, pictureOrigin + point);
        EXPECT_EQ (dynamic_cast<juce::Button*> (hit), nullptr) << point.toString();
        expectSelected (2);
    }
}

TEST_F (EditorComponentTest, AnySequenceOfSelectionsLeavesExactlyOneViewAndOneTab)
{
    juce::Random random (20240607);
    juce::StringArray regionNames;

    for (const auto& entry : regionViews)
        regionNames.add (entry.first);

    for (int step = 0; step < 120; ++step)
    {
        int expected = 0;

        if (random.nextBool())
        {
            expected = random.nextInt (EditorComponent::numViews);
            clickCentreOf (*editor, tab (expected));
        }
        else
        {
            const auto& name = regionNames[random.nextInt (regionNames.size())];
            expected = regionViews.at (name);
            clickCentreOf (*editor, region (name));
        }

        SCOPED_TRACE ("step " + std::to_string (step));
        expectSelected (expected);
    }
}

TEST_F (EditorComponentTest, SelectingTheShownViewAgainChangesNothing)
{
    clickCentreOf (*editor, tab (3));
    auto* view = editor->getView (3);
    const auto index = editor->getIndexOfChildComponent (view);

    clickCentreOf (*editor, region ("Drum Pad Selector Button"));
    expectSelected (3);
    EXPECT_EQ (editor->getIndexOfChildComponent (view), index);
}

TEST_F (EditorComponentTest, AnIndexOutsideTheViewsIsIgnored)
{
    editor->viewSelected (5);
    editor->viewSelected (9);
    editor->viewSelected (-1);
    expectSelected (5);
    EXPECT_EQ (editor->getView (9), nullptr);
}

TEST_F (EditorComponentTest, APresetLoadedWhileAViewIsHiddenShowsWhenItIsShown)
{
    editor->viewSelected (0);
    loadPreset (*engine, defaultPresetWith (*engine, ControlType::Sustain, 0, "CC", 11));

    clickCentreOf (*editor, tab (8));
    auto* ccBox = findNamed<NumberBox> (*editor->getView (8), "CC");
    ASSERT_NE (ccBox, nullptr);
    EXPECT_TRUE (isShownWithin (*ccBox, *editor));
    EXPECT_EQ (ccBox->getText(), "11");
}

TEST_F (EditorComponentTest, TheFirstPaintBuildsTheOtherViewsAndTheyShowThePresetLoadedBefore)
{
    loadPreset (*engine, defaultPresetWith (*engine, ControlType::Knob, 0, "CC", 99));
    EXPECT_FALSE (editor->areAllViewsBuilt());

    editor->createComponentSnapshot (editor->getLocalBounds()); // paints the whole content once
    pump();

    ASSERT_TRUE (editor->areAllViewsBuilt());
    auto* ccBox = findNamed<NumberBox> (*editor->getView (1), "CC");
    ASSERT_NE (ccBox, nullptr);
    EXPECT_EQ (ccBox->getText(), "99");
}

TEST_F (EditorComponentTest, ViewsBuiltAfterALoadChangeNoByteOfThePreset)
{
    // A channel byte above the maximum, as a file may carry, must travel on unchanged.
    auto preset = defaultPresetWith (*engine, ControlType::Knob, 2, "MIDI Channel", 40);
    preset = withParameter (preset, *engine, ControlType::Pad, 5, "Max", 3);
    loadPreset (*engine, preset);
    const auto before = engine->createPresetData (0);

    editor->buildRemainingViews();
    pump();

    EXPECT_TRUE (editor->areAllViewsBuilt());
    EXPECT_EQ (engine->createPresetData (0), before);
}

//==============================================================================
TEST (ViewSelector, AnIndexWithoutAButtonTurnsEveryButtonOff)
{
    TabSelectorButtons tabs;
    tabs.setSelectedView (3);
    EXPECT_TRUE (tabs.getButtons()[3]->getToggleState());

    tabs.setSelectedView (12);

    for (auto* button : tabs.getButtons())
        EXPECT_FALSE (button->getToggleState());
}

TEST (ViewSelector, ListenersHearOnceEachTheLastAddedFirst)
{
    struct Recorder : public ViewSelector::Listener
    {
        Recorder (juce::StringArray& logToUse, juce::String nameToUse)
            : log (logToUse)
            , name (nameToUse)
        {
        }
        void viewSelected (int viewIndex) override { log.add (name + juce::String (viewIndex)); }
        juce::StringArray& log;
        juce::String name;
    };

    juce::StringArray log;
    Recorder first (log, "a"), second (log, "b");
    ZKMProductProductImageViewSelector picture;
    picture.addListener (&first);
    picture.addListener (&second);
    picture.addListener (&first);
    picture.addListener (nullptr);

    auto* keybed = findNamed<juce::Button> (picture, "Keybed Selector Button");
    ASSERT_NE (keybed, nullptr);
    clickCentreOf (picture, *keybed);

    EXPECT_EQ (log, juce::StringArray ({ "b6", "a6" }));
    // The selector reports; it leaves the marking to its owner.
    EXPECT_FALSE (keybed->getToggleState());
}

//==============================================================================
TEST (MainSectionView, StacksTheFourPresetButtonsOnTheLeft)
{
    Document document;
    auto engine = document.engine;
    MainSectionView view (engine);

    EXPECT_EQ (view.getBounds(), juce::Rectangle<int> (0, 0, 1200, 200));

    const juce::StringArray names{ "Get From Hardware", "Send To Hardware", "Save To File", "Load From File" };
    const auto& buttons = view.getPresetButtons();
    ASSERT_EQ (buttons.size(), names.size());

    for (int i = 0; i < names.size(); ++i)
    {
        EXPECT_EQ (buttons[i]->getName(), names[i]);
        EXPECT_EQ (buttons[i]->getBounds(), juce::Rectangle<int> (5, 5 + 45 * i, 249, 35)) << i;
        EXPECT_EQ (buttons[i]->getParentComponent(), &view);
        EXPECT_TRUE (buttons[i]->isVisible());
    }
}

TEST (MainSectionView, AClickReachesTheOwnersListenerWithTheNamedButton)
{
    struct Recorder : public juce::Button::Listener
    {
        void buttonClicked (juce::Button* button) override { clicked.add (button->getName()); }
        juce::StringArray clicked;
    };

    Document document;
    auto engine = document.engine;
    MainSectionView view (engine);
    Recorder recorder;

    for (auto* button : view.getPresetButtons())
        button->addListener (&recorder);

    clickAt (view, { 100, 110 });
    EXPECT_EQ (recorder.clicked, juce::StringArray ("Save To File"));

    // Between two buttons nothing is hit.
    clickAt (view, { 100, 45 });
    EXPECT_EQ (recorder.clicked.size(), 1);

    for (auto* button : view.getPresetButtons())
        button->removeListener (&recorder);
}
