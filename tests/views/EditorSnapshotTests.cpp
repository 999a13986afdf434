#include "support/ViewTestHelpers.h"
#include "views/EditorComponent.h"
#include "views/KeybedControlView.h"
#include "views/KeybedParameterView.h"
#include "views/TabSelectorButtons.h"
#include "views/ZKMProductProductImageViewSelector.h"
#include "widgets/NumberBox.h"

#include <gtest/gtest.h>

using namespace ViewTestHelpers;

namespace
{
/** What the user reads or clicks in a view: texts, lists, number boxes and buttons. A list's own text
    field belongs to the list. */
bool isLeafWidget (juce::Component& component)
{
    if (dynamic_cast<juce::ComboBox*> (component.getParentComponent()) != nullptr)
        return false;

    return dynamic_cast<juce::Label*> (&component) != nullptr || dynamic_cast<juce::ComboBox*> (&component) != nullptr
           || dynamic_cast<juce::Button*> (&component) != nullptr;
}

/** Where the component draws, in its own coordinates: a plain label only where its text stands, a
    number box, list or button over all of its bounds. */
juce::Rectangle<int> drawnArea (juce::Component& component)
{
    auto* label = dynamic_cast<juce::Label*> (&component);

    if (label == nullptr || dynamic_cast<NumberBox*> (label) != nullptr)
        return component.getLocalBounds();

    const auto font = label->getLookAndFeel().getLabelFont (*label);
    const auto text = juce::Rectangle<float> (font.getStringWidthFloat (label->getText()), font.getHeight());
    return label->getJustificationType()
        .appliedToRectangle (text, label->getLocalBounds().toFloat())
        .getSmallestIntegerContainer();
}

/** The part of the component's drawing that can be seen, in the root's coordinates: every parent
    clips it. */
juce::Rectangle<int> visibleArea (juce::Component& component, juce::Component& root)
{
    auto area = root.getLocalArea (&component, drawnArea (component));

    for (auto* parent = component.getParentComponent(); parent != nullptr && parent != &root;
         parent = parent->getParentComponent())
        area = area.getIntersection (root.getLocalArea (parent, parent->getLocalBounds()));

    return area.getIntersection (root.getLocalBounds());
}

struct Widget
{
    juce::Component* component;
    juce::Rectangle<int> area;
};

juce::Array<Widget> shownWidgets (juce::Component& view, juce::Component& root)
{
    juce::Array<Widget> widgets;

    for (auto* component : findAll<juce::Component> (view))
        if (isLeafWidget (*component) && isShownWithin (*component, root))
            widgets.add ({ component, visibleArea (*component, root) });

    return widgets;
}

juce::String describe (juce::Component& component)
{
    auto text = component.getName();

    if (auto* label = dynamic_cast<juce::Label*> (&component))
        text << " \"" << label->getText() << "\"";

    return text + " " + component.getBounds().toString();
}

/** Checks the shown view: no two widgets cover the same pixels and every text fits its field. */
void expectReadable (juce::Component& view, juce::Component& root, const juce::String& viewName)
{
    const auto widgets = shownWidgets (view, root);
    EXPECT_FALSE (widgets.isEmpty()) << viewName;

    for (int i = 0; i < widgets.size(); ++i)
    {
        const auto& widget = widgets.getReference (i);
        EXPECT_FALSE (widget.area.isEmpty()) << viewName << ": hidden by its parents: " << describe (*widget.component);

        for (int j = i + 1; j < widgets.size(); ++j)
        {
            const auto& other = widgets.getReference (j);
            EXPECT_FALSE (widget.area.intersects (other.area))
                << viewName << ": " << describe (*widget.component) << " overlaps " << describe (*other.component);
        }
    }

    // Every text fits its label and stays inside every parent. The text field of a list is sized and
    // given its font by the look, not by the views.
    for (auto* label : findAll<juce::Label> (view))
    {
        if (! isShownWithin (*label, root) || label->getText().isEmpty()
            || dynamic_cast<juce::ComboBox*> (label->getParentComponent()) != nullptr)
            continue;

        const auto font = label->getLookAndFeel().getLabelFont (*label);
        const auto shown =
            root.getLocalArea (label, label->getLocalBounds()).getIntersection (visibleArea (*label, root));
        EXPECT_LE (font.getStringWidthFloat (label->getText()),
                   (float) juce::jmin (label->getWidth(), shown.getWidth()) + 0.5f)
            << viewName << ": text cut off: " << describe (*label);
        EXPECT_LE (font.getHeight(), (float) label->getHeight() + 1.0f)
            << viewName << ": text cut off: " << describe (*label);
    }
}

/** Writes the picture when the environment names a folder for the snapshots. */
void saveSnapshot (const juce::Image& image, const juce::String& name)
{
    const auto folder = juce::SystemStats::getEnvironmentVariable ("ZKM_VIEW_SNAPSHOT_DIR", {});

    if (folder.isEmpty())
        return;

    const auto file = juce::File (folder).getChildFile (name + ".png");
    file.deleteFile();
    juce::FileOutputStream stream (file);
    juce::PNGImageFormat png;
    ASSERT_TRUE (stream.openedOk() && png.writeImageToStream (image, stream)) << file.getFullPathName();
}

bool sameArea (const juce::Image& a, const juce::Image& b, juce::Rectangle<int> area)
{
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                return false;

    return true;
}

class EditorSnapshotTest : public ::testing::Test
{
protected:
    void SetUp() override { loadPreset (*engine, defaultPresetDump()); }

    juce::Image snapshot (int viewIndex)
    {
        editor->viewSelected (viewIndex);
        pump (20);
        return editor->createComponentSnapshot (editor->getLocalBounds(), true, 1.0f);
    }

    Document document;
    ZKEditorEngine::Ptr engine = document.engine;
    std::unique_ptr<EditorComponent> editor = std::make_unique<EditorComponent> (
        std::make_unique<TabSelectorButtons>(), std::make_unique<ZKMProductProductImageViewSelector>(), engine,
        numKnobs, numPads, numSwitches);
};
} // namespace

//==============================================================================
TEST_F (EditorSnapshotTest, EveryViewIsDrawnWithoutOverlapsAndWithTextsThatFit)
{
    const juce::Rectangle<int> viewArea{ 0, 490, 1200, 210 };
    juce::Array<juce::Image> images;

    for (int i = 0; i < EditorComponent::numViews; ++i)
    {
        const auto image = snapshot (i);
        ASSERT_EQ (image.getBounds(), editor->getLocalBounds());
        expectReadable (*editor->getView (i), *editor, "view " + juce::String (i));
        saveSnapshot (image, "view_" + juce::String (i));

        for (int j = 0; j < images.size(); ++j)
            EXPECT_FALSE (sameArea (image, images[j], viewArea)) << "views " << j << " and " << i << " look alike";

        images.add (image);
    }
}

TEST_F (EditorSnapshotTest, SplitKeybedAndOtherModesAreDrawnWithoutOverlaps)
{
    auto preset = defaultPresetWith (*engine, ControlType::Keybed, 0, "Split Mode", 0);
    preset = withParameter (preset, *engine, ControlType::Knob, 0, "Mode", 1);
    preset = withParameter (preset, *engine, ControlType::Pad, 0, "Mode", 3);
    preset = withParameter (preset, *engine, ControlType::Switch, 0, "Mode", 2);
    loadPreset (*engine, preset);

    for (int i : { 1, 2, 3, 6 })
    {
        const auto image = snapshot (i);
        expectReadable (*editor->getView (i), *editor, "view " + juce::String (i) + " in other modes");
        saveSnapshot (image, "view_" + juce::String (i) + "_other_modes");
    }

    auto& keybed = dynamic_cast<KeybedControlView&> (*editor->getView (6));
    EXPECT_TRUE (keybed.getZoneViews()[2]->isVisible());
}
