#include "views/BankView.h"

#include "BinaryData.h"
#include "images/EmbeddedImages.h"
#include "views/EditorViews.h"
#include "widgets/NumberBox.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int firstItemX = 40;
const juce::Rectangle<int> bankBounds{ 0, 15, EditorViews::viewWidth, EditorViews::viewHeight };
const juce::Point<int> nextArrowPosition{ 1170, 5 };
const juce::Point<int> previousArrowPosition{ 10, 5 };

/** Whether Tab stops at that component: the lists and the number boxes. */
bool isField (juce::Component& component)
{
    return dynamic_cast<juce::ComboBox*> (&component) != nullptr || dynamic_cast<NumberBox*> (&component) != nullptr;
}

/** The visible fields under a component, depth first; a field's own parts are not searched. */
void collectFields (juce::Component& parent, std::vector<juce::Component*>& fields)
{
    for (auto* child : parent.getChildren())
    {
        if (! child->isVisible())
            continue;

        if (isField (*child))
            fields.push_back (child);
        else
            collectFields (*child, fields);
    }
}

/** Tab through the fields of the shown bank, on into the neighbouring bank at either end. */
class BankFocusTraverser : public juce::ComponentTraverser
{
public:
    explicit BankFocusTraverser (BankView& owner)
        : bankView (owner)
    {
    }

    juce::Component* getDefaultComponent (juce::Component*) override
    {
        const auto fields = bankView.getFocusOrder (bankView.getCurrentBank());
        return fields.empty() ? nullptr : fields.front();
    }

    juce::Component* getNextComponent (juce::Component* current) override
    {
        return bankView.findNeighbourField (current, true);
    }

    juce::Component* getPreviousComponent (juce::Component* current) override
    {
        return bankView.findNeighbourField (current, false);
    }

    std::vector<juce::Component*> getAllComponents (juce::Component*) override
    {
        return bankView.getFocusOrder (bankView.getCurrentBank());
    }

private:
    BankView& bankView;
};
} // namespace

//==============================================================================
BankView::Bank::Bank (const juce::Array<juce::Component*>& bankItems)
    : items (bankItems)
{
    for (auto* item : items)
        addAndMakeVisible (item);

    for (int i = 0; i < items.size(); ++i)
    {
        auto* item = items.getUnchecked (i);
        item->setTopLeftPosition (firstItemX + i * item->getWidth(), 0);
    }
}

BankView::Bank::~Bank()
{
    // The items belong to the bank view and outlive this page.
    removeAllChildren();
}

//==============================================================================
BankView::BankView()
{
    setFocusContainerType (FocusContainerType::keyboardFocusContainer);

    nextBankArrow = EmbeddedImages::createButton ("Left Bank Arrow",
                                                  ZKM_BUTTON_PICTURES (ZKEditor_BankArrow_Right, Normal, Over, Down));
    previousBankArrow = EmbeddedImages::createButton (
        "Right Bank Arrow", ZKM_BUTTON_PICTURES (ZKEditor_BankArrow_Left, Normal, Over, Down));

    for (auto* arrow : { nextBankArrow.get(), previousBankArrow.get() })
    {
        addChildComponent (arrow);
        arrow->addListener (this);
        arrow->setAlwaysOnTop (true);
        arrow->setWantsKeyboardFocus (false);
    }
}

BankView::~BankView() = default;

//==============================================================================
void BankView::setBankItems (juce::OwnedArray<juce::Component>& newItems)
{
    while (! newItems.isEmpty())
        items.add (newItems.removeAndReturn (0));

    rebuildBanks();
}

void BankView::rebuildBanks()
{
    banks.clear();

    if (itemsPerBank <= 0)
        return;

    numBanks = (int) std::ceil ((double) items.size() / (double) itemsPerBank);

    for (int bank = 0; bank < numBanks; ++bank)
    {
        juce::Array<juce::Component*> bankItems;
        const auto first = bank * itemsPerBank;
        const auto end = juce::jmin (first + itemsPerBank, items.size());

        for (int i = first; i < end; ++i)
            bankItems.add (items.getUnchecked (i));

        addChildComponent (banks.add (std::make_unique<Bank> (bankItems)));
    }

    // Fewer items than before may leave fewer banks than the page shown.
    currentBank = juce::jlimit (0, juce::jmax (0, numBanks - 1), currentBank);

    resized();
}

void BankView::showBank (int bankIndex)
{
    if (! juce::isPositiveAndBelow (bankIndex, numBanks))
        return;

    currentBank = bankIndex;
    resized();
}

void BankView::showBankOf (int itemIndex)
{
    if (itemsPerBank > 0 && juce::isPositiveAndBelow (itemIndex, items.size()))
        showBank (itemIndex / itemsPerBank);
}

//==============================================================================
void BankView::buttonClicked (juce::Button* button)
{
    if (button == nextBankArrow.get() && currentBank + 1 < numBanks)
        showBank (currentBank + 1);
    else if (button == previousBankArrow.get() && currentBank - 1 >= 0)
        showBank (currentBank - 1);
}

void BankView::resized()
{
    for (auto* bank : banks)
    {
        bank->setVisible (false);
        removeChildComponent (bank);
    }

    if (auto* bank = banks[currentBank])
    {
        bank->setBounds (bankBounds);
        bank->setVisible (true);
        addChildComponent (bank);
    }

    const auto canPage = numBanks > 1;
    nextBankArrow->setVisible (canPage);
    previousBankArrow->setVisible (canPage);

    if (canPage)
    {
        nextBankArrow->setTopLeftPosition (nextArrowPosition);
        nextBankArrow->toFront (false);
        previousBankArrow->setTopLeftPosition (previousArrowPosition);
        previousBankArrow->toFront (false);
    }
}

//==============================================================================
void BankView::setUpBanks (juce::OwnedArray<juce::Component>& controlViews, int viewsPerBank)
{
    itemsPerBank = viewsPerBank;
    setBankItems (controlViews);
    setSize (EditorViews::viewWidth, EditorViews::viewHeight);
}

void BankView::addDinButton (ZKEditorEngine::Ptr engine, const juce::String& name, juce::Point<int> position)
{
    dinButton = std::make_unique<ControlToMidiControllerButton> (std::move (engine), name);
    dinButton->setTopLeftPosition (position);
    addAndMakeVisible (*dinButton);
}

//==============================================================================
std::vector<juce::Component*> BankView::getFocusOrder (int bankIndex) const
{
    std::vector<juce::Component*> fields;
    auto* bank = banks[bankIndex];

    if (bank == nullptr)
        return fields;

    for (auto* item : bank->getItems())
    {
        std::vector<juce::Component*> ofItem;
        collectFields (*item, ofItem);

        std::stable_sort (ofItem.begin(), ofItem.end(),
                          [item] (juce::Component* a, juce::Component* b) {
                              return item->getLocalArea (a, a->getLocalBounds()).getY()
                                     < item->getLocalArea (b, b->getLocalBounds()).getY();
                          });

        fields.insert (fields.end(), ofItem.begin(), ofItem.end());
    }

    return fields;
}

juce::Component* BankView::findNeighbourField (juce::Component* current, bool forwards)
{
    const auto fields = getFocusOrder (currentBank);

    if (fields.empty())
        return nullptr;

    // The open text field of a number box stands for its box.
    const auto found =
        std::find_if (fields.begin(), fields.end(),
                      [current] (juce::Component* field) { return field == current || field->isParentOf (current); });

    if (found == fields.end())
        return forwards ? fields.front() : fields.back();

    const auto position = (int) std::distance (fields.begin(), found);
    const auto next = position + (forwards ? 1 : -1);

    if (juce::isPositiveAndBelow (next, (int) fields.size()))
        return fields[(size_t) next];

    // Past either end of the bank: the neighbouring bank is shown and its first (or last) field
    // follows; the banks go round.
    if (numBanks > 1)
        showBank ((currentBank + (forwards ? 1 : -1) + numBanks) % numBanks);

    const auto shown = getFocusOrder (currentBank);

    if (shown.empty())
        return nullptr;

    return forwards ? shown.front() : shown.back();
}

std::unique_ptr<juce::ComponentTraverser> BankView::createKeyboardFocusTraverser()
{
    return std::make_unique<BankFocusTraverser> (*this);
}
