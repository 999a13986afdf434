#include "views/EditorComponent.h"

#include "BinaryData.h"
#include "images/EmbeddedImages.h"
#include "model/PresetLayout.h"
#include "views/KeybedControlView.h"
#include "views/KeybedParameterView.h"
#include "views/KnobBank.h"
#include "views/MainSectionView.h"
#include "views/PadBank.h"
#include "views/RollModeBank.h"
#include "views/SustainBank.h"
#include "views/SwitchBank.h"
#include "views/TransportBank.h"
#include "views/WheelBank.h"
#include <algorithm>
#include <functional>

namespace
{
constexpr int tabSelectorIndex = 0;
constexpr int productSelectorIndex = 1;
const juce::Point<int> tabRowPosition{ 0, 450 };
constexpr int productPictureY = 50;
const juce::Point<int> viewPosition{ 0, 490 };

/** The bank view of the tab of a control type that the banks show, with the item index of the
    control in it; pairs of (view index, item index). */
std::pair<int, int> findBankItem (int controlType, int controlIndex)
{
    switch (controlType)
    {
        case ControlType::Knob:
            return { EditorViews::knobsView, controlIndex };
        case ControlType::Pad:
            return { EditorViews::drumPadsView, controlIndex };
        case ControlType::Switch:
            return { EditorViews::switchesView, controlIndex };
        case ControlType::Transport:
            return { EditorViews::transportView, controlIndex };
        case ControlType::Wheels:
            // The bank shows the mod wheel first.
            return { EditorViews::wheelsView, controlIndex == 0 ? 1 : 0 };
        case ControlType::Sustain:
            return { EditorViews::sustainView, controlIndex };
        default:
            return { -1, -1 };
    }
}

/** True when the component and every parent up to the ancestor are visible. */
bool isShownWithin (const juce::Component& ancestor, juce::Component* component)
{
    for (auto* c = component; c != nullptr; c = c->getParentComponent())
    {
        if (! c->isVisible())
            return false;

        if (c == &ancestor)
            return true;
    }

    return false;
}
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

    const auto backgroundImage = EmbeddedImages::loadForFirstPaint (ZKM_EMBEDDED_PICTURE (ZKEditor_Background));
    background = std::make_unique<ScalableImageComponent> ("Background Image");
    background->setPicture (backgroundImage);
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

    // A window paints at its display's next frame, up to a frame after it was shown, though the
    // program is idle once the window is built: its first paint is asked for as soon as the messages
    // queued while it was built have run.
    juce::MessageManager::callAsync (
        [editor = juce::Component::SafePointer<EditorComponent> (this)]
        {
            if (editor != nullptr)
                if (auto* peer = editor->getPeer())
                    peer->performAnyPendingRepaintsNow();
        });
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

    // A frame belongs to the view it was drawn over.
    for (auto& flash : flashes)
        flash.frame->stop();

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

//==============================================================================
bool EditorComponent::showControl (int controlType, int controlIndex)
{
    return findControlView (controlType, controlIndex, true) != nullptr;
}

bool EditorComponent::flashControl (int controlType, int controlIndex)
{
    auto* view = findControlView (controlType, controlIndex, false);

    if (view == nullptr || ! isShownWithin (*this, view))
        return false;

    auto found = std::find_if (flashes.begin(), flashes.end(),
                               [=] (const Flash& flash)
                               { return flash.controlType == controlType && flash.controlIndex == controlIndex; });

    if (found == flashes.end())
    {
        flashes.push_back ({ controlType, controlIndex, std::make_unique<ControlFlash>() });
        found = std::prev (flashes.end());
        addChildComponent (*found->frame);
    }

    found->frame->start (getLocalArea (view, view->getLocalBounds()));
    return true;
}

bool EditorComponent::isFlashing (int controlType, int controlIndex) const
{
    for (const auto& flash : flashes)
        if (flash.controlType == controlType && flash.controlIndex == controlIndex)
            return flash.frame->isFlashing();

    return false;
}

bool EditorComponent::isEditingText() const
{
    auto* focused = juce::Component::getCurrentlyFocusedComponent();

    if (dynamic_cast<juce::TextEditor*> (focused) != nullptr && isParentOf (focused))
        return true;

    std::function<bool (const juce::Component&)> isEditingWithin = [&isEditingWithin] (const juce::Component& parent)
    {
        for (auto* child : parent.getChildren())
        {
            if (auto* label = dynamic_cast<juce::Label*> (child); label != nullptr && label->isBeingEdited())
                return true;

            if (isEditingWithin (*child))
                return true;
        }

        return false;
    };

    for (auto* view : views)
        if (view != nullptr && isEditingWithin (*view))
            return true;

    return false;
}

juce::Component* EditorComponent::findControlView (int controlType, int controlIndex, bool select)
{
    if (controlType == ControlType::Keybed)
    {
        if (select)
            viewSelected (keybedView);

        auto* keybed = dynamic_cast<KeybedControlView*> (getView (keybedView));

        if (keybed == nullptr)
            return nullptr;

        // A zone that the split does not show stands for the whole keybed view.
        auto* zone = keybed->getZoneViews()[controlIndex];
        return zone != nullptr && zone->isVisible() ? static_cast<juce::Component*> (zone) : keybed;
    }

    const auto [viewIndex, itemIndex] = findBankItem (controlType, controlIndex);
    auto* bank = dynamic_cast<BankView*> (getView (viewIndex));

    if (bank == nullptr || bank->getItem (itemIndex) == nullptr)
        return nullptr;

    if (select)
    {
        viewSelected (viewIndex);
        bank->showBankOf (itemIndex);
    }

    return bank->getItem (itemIndex);
}

ViewSelector* EditorComponent::getSelector (int selectorIndex) const { return selectors[selectorIndex]; }
