#pragma once

#include "engine/ZKEditorEngine.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** Copy, paste and fill across the controls of one kind (knobs, pads, switches or transport
    buttons), for one control of them: the menu of a control view's title (a right-click on it) and
    the Edit menu's entries for the control whose widget has the focus.

    Copied settings are every byte of the control's block; its identity (which control it is) is the
    block's place in the preset and is never copied. One clipboard serves every window. Each paste or
    fill is made through the engine's editParameters, so every widget follows it and the window keeps
    it as one step of its history. */
class ControlSettings : public juce::MouseListener
{
public:
    /** A control view that offers these actions for its control. */
    class Holder
    {
    public:
        virtual ~Holder() = default;
        virtual ControlSettings* getControlSettings() = 0;
    };

    enum MenuItem
    {
        copyItem = 1,
        pasteItem,
        pasteToAllItem,
        fillItem
    };

    //==============================================================================
    /** For the control at that index of a ControlType; the control's name is the one its view shows
        ("Knob 3", "Play"). A right-click on the title opens the menu; the title must outlive this. */
    ControlSettings (ZKEditorEngine::Ptr engine, int controlType, int controlIndex, const juce::String& controlName,
                     juce::Component& title);
    ~ControlSettings() override;

    //==============================================================================
    /** Those of the nearest view of that component that has them. */
    static ControlSettings* findFor (juce::Component* component);
    static void clearClipboard();

    //==============================================================================
    /** "Copy Knob 3 Settings", "Paste Settings to Knob 3", "Paste Settings to All Knobs" and
        "Number CC Ascending From Here (13 Knobs)" (for pads "Number Notes ..."). */
    juce::String getCopyText() const;
    juce::String getPasteText() const;
    juce::String getPasteToAllText() const;
    juce::String getFillText() const;

    /** True when the clipboard holds the settings of a control of this kind. */
    bool canPaste() const;

    /** How many controls after this one the fill numbers: up to the last of the kind, stopping where
        the number would pass its maximum. */
    int getNumToFill() const;

    //==============================================================================
    void copy();

    /** Each returns the number of bytes that it changed. */
    int pasteHere();
    int pasteToAll();
    int fillAscending();

    //==============================================================================
    juce::PopupMenu createMenu() const;
    void perform (int menuItem);

    void mouseDown (const juce::MouseEvent& event) override;

private:
    //==============================================================================
    int paste (int firstIndex, int lastIndex, const juce::String& actionName);
    juce::String getKindName (bool plural) const;
    juce::String getNumberName() const;
    Control* getControl() const;

    ZKEditorEngine::Ptr engine;
    const int controlType;
    const int controlIndex;
    const juce::String controlName;
    juce::Component::SafePointer<juce::Component> title;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ControlSettings)
};
