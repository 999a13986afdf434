#pragma once

#include "engine/ZKEditorEngine.h"
#include "widgets/ControlToMidiControllerButton.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** An editor view that owns one control view per control of a group, cuts them into pages (banks)
    of a fixed size and shows one bank at a time, with two arrows that page through the banks.
    The component and button-listener bases are virtual so that every concrete bank shares one. */
class BankView
    : public virtual juce::Component
    , public virtual juce::Button::Listener
{
public:
    /** One page of control views, side by side. The views belong to the BankView. */
    class Bank : public juce::Component
    {
    public:
        explicit Bank (const juce::Array<juce::Component*>& bankItems);
        ~Bank() override;

        const juce::Array<juce::Component*>& getItems() const noexcept { return items; }

    private:
        juce::Array<juce::Component*> items;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Bank)
    };

    //==============================================================================
    BankView();
    ~BankView() override;

    //==============================================================================
    /** Appends the control views, which the bank view owns from now on, and cuts the banks again. */
    void setBankItems (juce::OwnedArray<juce::Component>& newItems);

    void rebuildBanks();

    /** An index outside the banks is ignored. */
    void showBank (int bankIndex);

    /** Shows the bank that holds the control view at that index (counted over all banks); an
        index outside them is ignored. */
    void showBankOf (int itemIndex);

    /** The control view at that index, counted over all banks; null outside them. */
    juce::Component* getItem (int itemIndex) const { return items[itemIndex]; }

    int getCurrentBank() const noexcept { return currentBank; }
    int getNumBanks() const noexcept { return numBanks; }

    /** The lists and number boxes of a bank that Tab visits, in reading order: control by control
        from left to right, and top to bottom within a control. Hidden mode groups are left out. */
    std::vector<juce::Component*> getFocusOrder (int bankIndex) const;

    /** The field after (or before) the given one, or the one that holds it, in the Tab order. From
        the last field of a bank Tab goes on to the first of the next, which is then shown; from the
        last bank it goes back to the first. */
    juce::Component* findNeighbourField (juce::Component* current, bool forwards);

    //==============================================================================
    void buttonClicked (juce::Button* button) override;
    void resized() override;

    std::unique_ptr<juce::ComponentTraverser> createKeyboardFocusTraverser() override;

protected:
    //==============================================================================
    /** What every concrete bank does with the control views it made: hands them over, cuts them
        into banks of viewsPerBank, shows the first and takes the size of the editor's view area. */
    void setUpBanks (juce::OwnedArray<juce::Component>& controlViews, int viewsPerBank);

    /** The same for a bank of a fixed set of control views. */
    template <typename... ControlViews>
    void setUpBanks (int viewsPerBank, std::unique_ptr<ControlViews>... views)
    {
        juce::OwnedArray<juce::Component> controlViews;
        (controlViews.add (std::move (views)), ...);
        setUpBanks (controlViews, viewsPerBank);
    }

    /** Shows the group's MIDI-to-DIN button at that place in the strip above the bank, near the
        group's tab. */
    void addDinButton (ZKEditorEngine::Ptr engine, const juce::String& name, juce::Point<int> position);

private:
    //==============================================================================
    int currentBank = 0;
    int numBanks = 0;
    int itemsPerBank = 0;

    // The names are those of the arrow pictures' places in the original layout: "Left Bank Arrow"
    // shows the right-pointing arrow at the right edge and goes to the next bank.
    std::unique_ptr<juce::ImageButton> nextBankArrow;
    std::unique_ptr<juce::ImageButton> previousBankArrow;

    juce::OwnedArray<juce::Component> items;
    juce::OwnedArray<Bank> banks;
    std::unique_ptr<ControlToMidiControllerButton> dinButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BankView)
};
