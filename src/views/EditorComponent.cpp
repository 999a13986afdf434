#include "views/EditorComponent.h"

#include "BinaryData.h"
#include "views/EmbeddedImages.h"
#include "views/KeybedControlView.h"
#include "views/KnobBank.h"
#include "views/MainSectionView.h"
#include "views/PadBank.h"
#include "views/RollModeBank.h"
#include "views/SustainBank.h"
#include "views/SwitchBank.h"
#include "views/TransportBank.h"
#include "views/WheelBank.h"

namespace
{
constexpr int tabSelectorIndex = 0;
constexpr int productSelectorIndex = 1;
const juce::Point<int> tabRowPosition{ 0, 450 };
constexpr int productPictureY = 50;
const juce::Point<int> viewPosition{ 0, 490 };
} // namespace

//==============================================================================
EditorComponent::EditorComponent (std::unique_ptr<ViewSelector> tabSelector,
                                  std::unique_ptr<ViewSelector> productSelector, ZKEditorEngine::Ptr editorEngine,
                                  int numKnobs, int numPads, int numSwitches)
    : engine (std::move (editorEngine))
{
    setLookAndFeel (&look);

    selectors.add (std::move (tabSelector));
    selectors.add (std::move (productSelector));

    const auto backgroundImage = EmbeddedImages::loadForFirstPaint (ZKM_EMBEDDED_PNG (ZKEditor_Background));
    background = std::make_unique<juce::ImageComponent> ("Background Image");
    background->setImage (backgroundImage);
    background->setSize (backgroundImage.getWidth(), backgroundImage.getHeight());
    background->toBack();
    addAndMakeVisible (*background);
    setSize (background->getWidth(), background->getHeight());

    if (auto* tabs = selectors[tabSelectorIndex])
    {
        tabs->setTopLeftPosition (tabRowPosition);
        addAndMakeVisible (tabs);
        tabs->addListener (this);
    }

    if (auto* product = selectors[productSelectorIndex])
    {
        product->setTopLeftPosition ((getWidth() - product->getWidth()) / 2, productPictureY);
        addAndMakeVisible (product);
        product->addListener (this);
    }

    views.add (std::make_unique<MainSectionView> (engine));
    views.add (std::make_unique<KnobBank> (engine, numKnobs));
    views.add (std::make_unique<SwitchBank> (engine, numSwitches));
    views.add (std::make_unique<PadBank> (engine, numPads));
    views.add (std::make_unique<RollModeBank> (engine));
    views.add (std::make_unique<TransportBank> (engine));
    views.add (std::make_unique<KeybedControlView> (engine));
    views.add (std::make_unique<WheelBank> (engine));
    views.add (std::make_unique<SustainBank> (engine));

    for (auto* view : views)
    {
        addChildComponent (view);
        view->setTopLeftPosition (viewPosition);
    }

    viewSelected (mainView);
}

EditorComponent::~EditorComponent()
{
    // The look goes before the views and selectors that draw with it.
    setLookAndFeel (nullptr);
}

//==============================================================================
void EditorComponent::viewSelected (int viewIndex)
{
    if (!juce::isPositiveAndBelow (viewIndex, views.size()))
        return;

    for (auto* selector : selectors)
        if (selector != nullptr)
            selector->setSelectedView (viewIndex);

    for (int i = 0; i < views.size(); ++i)
    {
        auto* view = views.getUnchecked (i);
        const auto selected = (i == viewIndex);
        view->setVisible (selected);

        // Only the shown view is a child; the others keep their state and their bindings.
        if (selected)
            addChildComponent (view); // a view that is a child already keeps its place
        else
            removeChildComponent (view);
    }
}

juce::Component* EditorComponent::getView (int viewIndex) const { return views[viewIndex]; }

ViewSelector* EditorComponent::getSelector (int selectorIndex) const { return selectors[selectorIndex]; }
