#include "views/EditorComponent.h"

#include "BinaryData.h"
#include "images/EmbeddedImages.h"
#include "model/PresetLayout.h"
#include "views/KeybedControlView.h"
#include "views/KnobBank.h"
#include "views/MainSectionView.h"
#include "views/PadBank.h"
#include "views/RollModeBank.h"
#include "views/SustainBank.h"
#include "views/SwitchBank.h"
#include "views/TransportBank.h"
#include "views/WheelBank.h"
#include <functional>

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
                                  int knobs, int pads, int switches)
    : engine (std::move (editorEngine))
    , numKnobs (knobs)
    , numPads (pads)
    , numSwitches (switches)
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

    for (int i = 0; i < numViews; ++i)
        views.add (nullptr);

    buildView (mainView);
    viewSelected (mainView);
}

EditorComponent::~EditorComponent()
{
    cancelPendingUpdate();

    // The look goes before the views and selectors that draw with it.
    setLookAndFeel (nullptr);
}

//==============================================================================
void EditorComponent::viewSelected (int viewIndex)
{
    if (! juce::isPositiveAndBelow (viewIndex, views.size()))
        return;

    for (auto* selector : selectors)
        if (selector != nullptr)
            selector->setSelectedView (viewIndex);

    for (int i = 0; i < views.size(); ++i)
    {
        const auto selected = (i == viewIndex);
        auto* view = selected ? buildView (i) : views.getUnchecked (i);

        if (view == nullptr)
            continue;

        view->setVisible (selected);

        // Only the shown view is a child; the others keep their state and their bindings.
        if (selected)
            addChildComponent (view); // a view that is a child already keeps its place
        else
            removeChildComponent (view);
    }
}

juce::Component* EditorComponent::getView (int viewIndex)
{
    if (! juce::isPositiveAndBelow (viewIndex, views.size()))
        return nullptr;

    return buildView (viewIndex);
}

void EditorComponent::buildRemainingViews()
{
    cancelPendingUpdate();

    if (areAllViewsBuilt())
        return;

    for (int i = 0; i < views.size(); ++i)
        if (views.getUnchecked (i) == nullptr)
            addView (i);

    announceCurrentValues();
}

bool EditorComponent::areAllViewsBuilt() const { return ! views.contains (nullptr); }

void EditorComponent::paint (juce::Graphics&)
{
    if (! areAllViewsBuilt())
        triggerAsyncUpdate();
}

void EditorComponent::handleAsyncUpdate() { buildRemainingViews(); }

//==============================================================================
juce::Component* EditorComponent::buildView (int viewIndex)
{
    if (auto* view = views.getUnchecked (viewIndex))
        return view;

    auto* view = addView (viewIndex);
    announceCurrentValues();
    return view;
}

juce::Component* EditorComponent::addView (int viewIndex)
{
    auto* view = views.set (viewIndex, createView (viewIndex).release());
    view->setTopLeftPosition (viewPosition);
    return view;
}

std::unique_ptr<juce::Component> EditorComponent::createView (int viewIndex)
{
    switch (viewIndex)
    {
        case mainView:
            return std::make_unique<MainSectionView> (engine);
        case knobsView:
            return std::make_unique<KnobBank> (engine, numKnobs);
        case switchesView:
            return std::make_unique<SwitchBank> (engine, numSwitches);
        case drumPadsView:
            return std::make_unique<PadBank> (engine, numPads);
        case rollModeView:
            return std::make_unique<RollModeBank> (engine);
        case transportView:
            return std::make_unique<TransportBank> (engine);
        case keybedView:
            return std::make_unique<KeybedControlView> (engine);
        case wheelsView:
            return std::make_unique<WheelBank> (engine);
        case sustainView:
            return std::make_unique<SustainBank> (engine);
        default:
            break;
    }

    jassertfalse;
    return std::make_unique<juce::Component>();
}

void EditorComponent::announceCurrentValues()
{
    for (int type = 0; type < numControlTypes; ++type)
        for (auto* control : engine->getControls (type))
            control->setValues (control->getValues());
}

void EditorComponent::commitOpenEdits()
{
    std::function<void (juce::Component&)> commitWithin = [&commitWithin] (juce::Component& component)
    {
        for (auto* child : component.getChildren())
        {
            if (auto* label = dynamic_cast<juce::Label*> (child); label != nullptr && label->isBeingEdited())
                label->hideEditor (false);
            else if (auto* nameField = dynamic_cast<PresetNameField*> (child))
                nameField->commit();
            else
                commitWithin (*child);
        }
    };

    for (auto* view : views)
        if (view != nullptr)
            commitWithin (*view);
}

ViewSelector* EditorComponent::getSelector (int selectorIndex) const { return selectors[selectorIndex]; }
