// The panel of a folder's preset files on screen: following the folder, searching, opening and
// dragging a file, choosing another folder, and reading a crowded folder off the message thread.
#include "app/PresetFolderPanel.h"
#include "model/PresetNameText.h"
#include "support/AppTestHelpers.h"
#include "support/MessageLoop.h"

#include <fstream>

using apptest::pump;
using apptest::ScratchFolder;

namespace
{
/** Longer than the panel's tick, so that a change is seen on the next one. */
constexpr int waitMs = 10000;

template <typename ComponentClass>
ComponentClass& childNamed (juce::Component& parent, const juce::String& name)
{
    for (auto* child : parent.getChildren())
    {
        if (auto* match = dynamic_cast<ComponentClass*> (child); match != nullptr && child->getName() == name)
            return *match;
    }

    throw std::runtime_error ("no child named " + name.toStdString());
}

/** The panel in a window of its own that accepts internal drags, as the window that hosts it does. */
struct PanelWindow
    : public juce::Component
    , public juce::DragAndDropContainer
{
    PanelWindow (juce::PropertySet& settings, PresetFolderPanel::FolderChooser chooser = {})
        : panel (std::make_unique<PresetFolderPanel> (settings, std::move (chooser)))
    {
        addAndMakeVisible (*panel);
        setBounds (0, 0, 420, 500);
        panel->setBounds (getLocalBounds());
        addToDesktop (0);
        setVisible (true);
    }

    std::unique_ptr<PresetFolderPanel> panel;
};

juce::File writePreset (const juce::File& file, const juce::String& presetName)
{
    auto dump = TestRig::defaultPresetDump();
    const auto nameBytes = PresetNameText::toBytes (presetName);

    for (int i = 0; i < PresetNameText::length; ++i)
        dump.set (TestRig::imageOffset + i, nameBytes[i]);

    EXPECT_TRUE (file.replaceWithData (dump.getRawDataPointer(), (size_t) dump.size()));
    return file;
}

juce::StringArray shownNames (const PresetFolderPanel& panel)
{
    juce::StringArray names;

    for (const auto& entry : panel.getShownEntries())
        names.add (entry.name);

    return names;
}
} // namespace

TEST (PresetFolderPanel, FollowsTheFolderKeepingTheSearchAndTheSelection)
{
    ScratchFolder scratch;
    const auto folder = scratch.getFolder ("Presets");
    const auto strings = writePreset (folder.getChildFile ("strings.zkp"), "Strings");
    writePreset (folder.getChildFile ("bass.zkp"), "Bass Line");

    juce::PropertySet settings;
    settings.setValue (PresetFolderPanel::settingsKey, folder.getFullPathName());
    PanelWindow window (settings);
    auto& panel = *window.panel;
    auto& table = childNamed<juce::TableListBox> (panel, "Preset Files");
    auto& search = childNamed<juce::TextEditor> (panel, "Search Presets");
    auto& notice = childNamed<juce::Label> (panel, "Empty Folder Notice");

    EXPECT_EQ (search.getTextToShowWhenEmpty(), "Search");
    EXPECT_EQ (table.getHeader().getColumnName (PresetFolderPanel::nameColumn), "Name");
    EXPECT_EQ (table.getHeader().getColumnName (PresetFolderPanel::fileColumn), "File");
    EXPECT_EQ (table.getHeader().getColumnName (PresetFolderPanel::dateColumn), "Date");
    ASSERT_TRUE (pumpMessagesUntil ([&] { return table.getNumRows() == 2; }, waitMs));
    EXPECT_EQ (shownNames (panel), juce::StringArray ({ "Bass Line", "Strings" }));
    EXPECT_FALSE (notice.isVisible());

    table.selectRow (1);
    ASSERT_EQ (panel.getSelectedFile(), strings);

    // A file that sorts first arrives at the next tick; the selection stays on its file.
    writePreset (folder.getChildFile ("arp.zkp"), "Arpeggio Strings");
    ASSERT_TRUE (pumpMessagesUntil ([&] { return table.getNumRows() == 3; }, waitMs));
    EXPECT_EQ (shownNames (panel), juce::StringArray ({ "Arpeggio Strings", "Bass Line", "Strings" }));
    EXPECT_EQ (table.getSelectedRow(), 2);
    EXPECT_EQ (panel.getSelectedFile(), strings);

    // The search filters as one types, and holds while files come and go.
    search.grabKeyboardFocus();
    search.insertTextAtCaret ("STRING");
    ASSERT_TRUE (pumpMessagesUntil ([&] { return table.getNumRows() == 2; }, waitMs));
    EXPECT_EQ (shownNames (panel), juce::StringArray ({ "Arpeggio Strings", "Strings" }));
    EXPECT_EQ (panel.getSelectedFile(), strings);

    writePreset (folder.getChildFile ("pad.zkp"), "Pad");
    writePreset (folder.getChildFile ("more.zkp"), "More Strings");
    ASSERT_TRUE (folder.getChildFile ("arp.zkp").deleteFile());
    ASSERT_TRUE (pumpMessagesUntil ([&] { return shownNames (panel).contains ("More Strings"); }, waitMs));
    EXPECT_EQ (shownNames (panel), juce::StringArray ({ "More Strings", "Strings" }));
    EXPECT_EQ (search.getText(), "STRING");
    EXPECT_EQ (panel.getSelectedFile(), strings);

    // A double-click opens the file; a drag carries its path.
    juce::File opened;
    panel.onOpenFile = [&opened] (const juce::File& file) { opened = file; };
    auto* model = table.getModel();
    model->cellDoubleClicked (1, PresetFolderPanel::nameColumn, apptest::makeMouseUp (table));
    EXPECT_EQ (opened, strings);

    const auto description = model->getDragSourceDescription (table.getSelectedRows());
    EXPECT_EQ (description.toString(), "preset-file:" + strings.getFullPathName());
    EXPECT_EQ (PresetFolderPanel::fileOfDragDescription (description), strings);
    EXPECT_EQ (PresetFolderPanel::fileOfDragDescription (juce::var ("slot:3")), juce::File());
    EXPECT_EQ (PresetFolderPanel::fileOfDragDescription (juce::var (7)), juce::File());

    // Every file gone: the folder says it holds no presets.
    for (const auto& file : folder.findChildFiles (juce::File::findFiles, false))
        file.deleteFile();

    ASSERT_TRUE (pumpMessagesUntil ([&] { return notice.isVisible(); }, waitMs));
    EXPECT_EQ (table.getNumRows(), 0);
    EXPECT_EQ (notice.getText(), "No presets in this folder");
}

TEST (PresetFolderPanel, ChoosesAndRemembersAFolderThatItNeverCreates)
{
    ScratchFolder scratch;
    const auto chosen = scratch.getFile ("Not Yet");
    juce::PropertySet settings;
    int chooserCalls = 0;
    juce::File startedAt;

    PanelWindow window (settings,
                        [&] (const juce::String&, const juce::File& start)
                        {
                            ++chooserCalls;
                            startedAt = start;
                            return chosen;
                        });
    auto& panel = *window.panel;
    EXPECT_EQ (panel.getFolder(), PresetFolderPanel::getDefaultFolder());
    EXPECT_EQ (PresetFolderPanel::getDefaultFolder().getFileName(), "ZKM Presets");

    auto& choose = childNamed<juce::TextButton> (panel, "Choose Folder...");
    EXPECT_EQ (choose.getButtonText(), "Choose Folder...");
    choose.triggerClick();
    ASSERT_TRUE (pumpMessagesUntil ([&] { return chooserCalls == 1; }, waitMs));
    pump();

    EXPECT_EQ (startedAt, PresetFolderPanel::getDefaultFolder());
    EXPECT_EQ (panel.getFolder(), chosen);
    EXPECT_EQ (settings.getValue (PresetFolderPanel::settingsKey), chosen.getFullPathName());
    EXPECT_FALSE (chosen.exists());
    const auto& notice = childNamed<juce::Label> (panel, "Empty Folder Notice");
    EXPECT_TRUE (pumpMessagesUntil ([&] { return notice.isVisible(); }, waitMs));
    EXPECT_EQ (childNamed<juce::Label> (panel, "Preset Folder Path").getText(), chosen.getFullPathName());

    // The next panel opens on the remembered folder; the folder appears and so do its presets.
    PanelWindow next (settings);
    EXPECT_EQ (next.panel->getFolder(), chosen);
    ASSERT_TRUE (chosen.createDirectory());
    writePreset (chosen.getChildFile ("one.zkp"), "One");
    ASSERT_TRUE (pumpMessagesUntil ([&] { return next.panel->getShownEntries().size() == 1; }, waitMs));

    // The window closes while the chooser is up: nothing is set and nothing breaks.
    PanelWindow closing (settings,
                         [&] (const juce::String&, const juce::File&)
                         {
                             closing.panel.reset();
                             return scratch.getFile ("Elsewhere");
                         });
    childNamed<juce::TextButton> (*closing.panel, "Choose Folder...").triggerClick();
    ASSERT_TRUE (pumpMessagesUntil ([&] { return closing.panel == nullptr; }, waitMs));
    EXPECT_EQ (settings.getValue (PresetFolderPanel::settingsKey), chosen.getFullPathName());
}

TEST (PresetFolderPanel, ReadsACrowdedFolderOffTheMessageThreadFollowsItAndClosesMidScan)
{
    // Enough files that a scan is still running when the panels below close.
    constexpr int fileCount = 3000;
    ScratchFolder scratch;
    const auto folder = scratch.getFolder ("Crowded");

    for (int i = 0; i < fileCount; ++i)
        writePreset (folder.getChildFile ("preset-" + juce::String (i) + ".zkp"), "Preset " + juce::String (i));

    juce::PropertySet settings;
    settings.setValue (PresetFolderPanel::settingsKey, folder.getFullPathName());

    {
        // The panel opens without reading the folder: the list comes through the message loop once
        // the scan ends, and until then the folder is not said to be empty.
        PanelWindow window (settings);
        auto& panel = *window.panel;
        const auto& notice = childNamed<juce::Label> (panel, "Empty Folder Notice");
        EXPECT_TRUE (panel.getShownEntries().empty());
        EXPECT_FALSE (notice.isVisible());

        ASSERT_TRUE (pumpMessagesUntil ([&] { return (int) panel.getShownEntries().size() == fileCount; }, waitMs));
        EXPECT_EQ (shownNames (panel)[0], "Preset 0");
        EXPECT_EQ (shownNames (panel)[fileCount - 1], "Preset " + juce::String (fileCount - 1));
        EXPECT_FALSE (notice.isVisible());

        // A file added shows at a later look.
        writePreset (folder.getChildFile ("added.zkp"), "Added");
        ASSERT_TRUE (pumpMessagesUntil ([&] { return shownNames (panel).contains ("Added"); }, waitMs));

        // So does a file rewritten in place, which leaves the folder's own entry as it was.
        const auto rewritten = folder.getChildFile ("preset-7.zkp");
        juce::MemoryBlock bytes;
        ASSERT_TRUE (rewritten.loadFileAsData (bytes));
        const auto renamed = PresetNameText::toBytes ("Rewritten");

        for (int i = 0; i < PresetNameText::length; ++i)
            bytes[(size_t) (TestRig::imageOffset + i)] = (char) renamed[i];

        {
            std::ofstream inPlace (rewritten.getFullPathName().toStdString(), std::ios::binary | std::ios::trunc);
            inPlace.write (static_cast<const char*> (bytes.getData()), (std::streamsize) bytes.getSize());
        }

        ASSERT_TRUE (pumpMessagesUntil ([&] { return shownNames (panel).contains ("Rewritten"); }, waitMs));
        EXPECT_FALSE (shownNames (panel).contains ("Preset 7"));
        EXPECT_EQ ((int) panel.getShownEntries().size(), fileCount + 1);
    }

    // Panels closed at once and at moments of their first scan, and one switched to another folder
    // while it scans: each stops its scan, and a list that was on its way finds its panel gone.
    for (int i = 0; i < 4; ++i)
    {
        PanelWindow closing (settings);
        pumpMessagesFor (i * 25);
    }

    {
        PanelWindow switching (settings);
        switching.panel->setFolder (scratch.getFolder ("Other"));
        writePreset (scratch.getFolder ("Other").getChildFile ("other.zkp"), "Other");
        ASSERT_TRUE (pumpMessagesUntil (
            [&] { return shownNames (*switching.panel) == juce::StringArray ({ "Other" }); }, waitMs));
    }

    pumpMessagesFor (300);
}
