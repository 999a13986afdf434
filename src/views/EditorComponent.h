#pragma once

#include "engine/ZKEditorEngine.h"
#include "images/ScalableImageComponent.h"
#include "views/ControlFlash.h"
#include "views/EditorViews.h"
#include "views/ViewSelector.h"
#include "widgets/CustomLook.h"

/** The whole content of a document window: the editor picture with the product picture and the tab
    row on it, and under them the one editor view that is selected. Every view is built once and keeps
    listening to its controls while it is not shown.

    The main section is built with the component; the other eight views, with most of the window's
    widgets, are built right after the window's first paint, so that the window shows sooner. A view
    that is asked for before then is built at once. A view built late is brought up to date by the
    controls announcing their values again, as a load does. */
class EditorComponent
    : public juce::Component
    , public EditorViews
    , public ViewSelector::Listener
    , private juce::AsyncUpdater
{
public:
    //==============================================================================
    /** Takes ownership of both selectors; either may be null. */
    EditorComponent (std::unique_ptr<ViewSelector> tabSelector, std::unique_ptr<ViewSelector> productSelector,
                     ZKEditorEngine::Ptr engine, int numKnobs, int numPads, int numSwitches);
    ~EditorComponent() override;

    //==============================================================================
    /** Shows that view, hides every other and marks the view in both selectors. An index outside
        0 to 8 is ignored. */
    void viewSelected (int viewIndex) override;

    /** The view of that index (view 0 is the MainSectionView), built now if it was not yet; null
        outside 0 to 8. */
    juce::Component* getView (int viewIndex);

    void buildRemainingViews();
    bool areAllViewsBuilt() const;

    /** Ends every open text field of the editor as Return would, so that a typed number or name is
        in the preset before anything reads it. */
    void commitOpenEdits();

    //==============================================================================
    /** Selects the tab, and the bank, that show that control (a ControlType and its index, 0-based).
        For the wheels index 0 is the pitch wheel and 1 the mod wheel; for the keybed the index is
        the zone: 0 the whole keybed, 1 the lower zone, 2 the upper zone. False for a control that
        no view shows. */
    bool showControl (int controlType, int controlIndex);

    /** Draws a bright frame over the control's view for a second, fading out; a control whose view
        is not shown now (another tab or bank, a hidden zone) is not framed. A keybed zone that is
        not shown frames the whole keybed view. False when nothing was framed. */
    bool flashControl (int controlType, int controlIndex);

    /** True while the frame of that control shows. */
    bool isFlashing (int controlType, int controlIndex) const;

    /** True while the user is typing into a box or the name field of the editor: a text field is
        open in a box, or a text field of the editor has the keyboard focus. */
    bool isEditingText() const;

    /** Selector 0 is the tab row, selector 1 the product picture; null if there is none. */
    ViewSelector* getSelector (int selectorIndex) const;

    //==============================================================================
    /** The first paint schedules the building of the remaining views. */
    void paint (juce::Graphics&) override;

private:
    //==============================================================================
    void handleAsyncUpdate() override;
    juce::Component* buildView (int viewIndex);
    juce::Component* addView (int viewIndex);
    std::unique_ptr<juce::Component> createView (int viewIndex);
    void announceCurrentValues();

    /** The view of a control, after selecting its tab and bank when select is true; null when there
        is none. */
    juce::Component* findControlView (int controlType, int controlIndex, bool select);

    //==============================================================================
    std::unique_ptr<ScalableImageComponent> background;
    juce::OwnedArray<ViewSelector> selectors;
    juce::OwnedArray<juce::Component> views;
    CustomLook look;

    struct Flash
    {
        int controlType, controlIndex;
        std::unique_ptr<ControlFlash> frame;
    };

    std::vector<Flash> flashes;
    ZKEditorEngine::Ptr engine;
    const int numKnobs, numPads, numSwitches;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditorComponent)
};
