#pragma once

#include "engine/ZKEditorEngine.h"

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

/** Listens to every engine that reaches the controller's slots (the document windows', the Slots
    window's) and keeps, per slot, what the editor last told the user the slot holds: a read-back
    of a Send that matched ("verified", or "already holds" when nothing was written), a slot write
    of the Slots window (a copy, a swap, a dropped file, Send Active Window Here) that ended
    "verified" or "already held". Those claims can be held against the controller once the jobs are
    idle. It also notes every write job heard per slot, so that a claim that a later write may have
    overtaken is not held against the controller, the order in which write jobs completed, and the
    whole-slot reads, after which the editor has seen a slot that was changed behind its back.
    Message thread. */
class SlotClaimWatcher
{
public:
    /** A claim of what a slot holds, with the words the user was given. */
    struct Claim
    {
        juce::Array<juce::uint8> image;
        juce::String what;
    };

    /** A write job that reached a slot: its engine and the id its start returned. */
    using WriteId = std::pair<const ZKEditorEngine*, int>;

    ~SlotClaimWatcher()
    {
        for (auto& listener : listeners)
            listener->engine->removeListener (listener.get());
    }

    /** Starts listening to that engine (once), until forgetEngines. */
    void watch (ZKEditorEngine& engine)
    {
        for (auto& listener : listeners)
            if (listener->engine.get() == &engine)
                return;

        listeners.push_back (std::make_unique<EngineListener> (*this, engine));
        engine.addListener (listeners.back().get());
    }

    /** Forgets every engine and every claim: a new program with a new controller starts. */
    void reset()
    {
        for (auto& listener : listeners)
            listener->engine->removeListener (listener.get());

        listeners.clear();
        claims.clear();
        writesSinceIdle.clear();
        writesEver.clear();
        completedWrites.clear();
        endedWrites.clear();
        slotsRead.clear();
        onWriteCompleted = nullptr;
    }

    //==============================================================================
    std::map<int, Claim> claims;

    /** The write jobs heard per slot since the last call of takeWritesSinceIdle. */
    std::map<int, std::set<WriteId>> writesSinceIdle;

    /** Every write job heard per slot, in the order first heard. */
    std::map<int, std::vector<WriteId>> writesEver;

    /** The slots read whole since the last call of takeSlotsRead. */
    std::set<int> slotsRead;

    std::map<int, std::set<WriteId>> takeWritesSinceIdle() { return std::exchange (writesSinceIdle, {}); }
    std::set<int> takeSlotsRead() { return std::exchange (slotsRead, {}); }

    /** The write jobs of other engines than that one heard for the slot since the count given. */
    int countOtherWritesSince (int slot, size_t firstIndex, const ZKEditorEngine* engine) const
    {
        const auto found = writesEver.find (slot);
        int count = 0;

        if (found != writesEver.end())
            for (auto i = firstIndex; i < found->second.size(); ++i)
                if (found->second[i].first != engine)
                    ++count;

        return count;
    }

    /** Whether a write job of another engine than that one, heard for the slot, has not ended yet
        (it may still be waiting its turn). */
    bool isOtherWriteUnderWay (int slot, const ZKEditorEngine* engine) const
    {
        const auto found = writesEver.find (slot);

        if (found != writesEver.end())
            for (const auto& id : found->second)
                if (id.first != engine && endedWrites.count (id) == 0)
                    return true;

        return false;
    }

    /** The number of the last write job completed so far (counting from 1); 0 before the first. */
    int getEventCount() const noexcept { return completions; }

    /** The number of the last write job of another engine than that one completed into the slot;
        0 when there was none. */
    int lastCompletedWriteOfOthers (int slot, const ZKEditorEngine* engine) const
    {
        int last = 0;
        const auto found = completedWrites.find (slot);

        if (found != completedWrites.end())
            for (const auto& [writer, number] : found->second)
                if (writer != engine)
                    last = juce::jmax (last, number);

        return last;
    }

    /** Told when a write job completes, before it is counted among the completed ones. */
    std::function<void (const ZKEditorEngine& engine, const ZKEditorEngine::TransferStatus& status)> onWriteCompleted;

    size_t countWritesEver (int slot) const
    {
        const auto found = writesEver.find (slot);
        return found == writesEver.end() ? 0 : found->second.size();
    }

private:
    using Kind = ZKEditorEngine::TransferStatus::Kind;
    using Stage = ZKEditorEngine::TransferStatus::Stage;

    static bool writes (Kind kind)
    {
        return kind == Kind::send || kind == Kind::liveEdit || kind == Kind::rename || kind == Kind::slotWrite;
    }

    static bool readsWholeSlot (Kind kind)
    {
        return kind == Kind::get || kind == Kind::verify || kind == Kind::backup || kind == Kind::compare;
    }

    void heard (const ZKEditorEngine& engine, const ZKEditorEngine::TransferStatus& status)
    {
        if (! writes (status.kind))
            return;

        const WriteId id{ &engine, status.id };
        auto& ever = writesEver[status.slot];

        if (std::find (ever.begin(), ever.end(), id) == ever.end())
        {
            ever.push_back (id);
            // A new write makes whatever was said of the slot before it old news.
            claims.erase (status.slot);
        }

        writesSinceIdle[status.slot].insert (id);
    }

    struct EngineListener : public ZKEditorEngine::Listener
    {
        EngineListener (SlotClaimWatcher& ownerToTell, ZKEditorEngine& engineToWatch)
            : owner (ownerToTell)
            , engine (&engineToWatch)
        {
        }

        void transferProgressed (const ZKEditorEngine::TransferStatus& status) override
        {
            owner.heard (*engine, status);
        }

        void sendCompleted (const ZKEditorEngine::TransferStatus& send, const juce::Array<juce::uint8>& sent) override
        {
            owner.heard (*engine, send);

            // A Send that wrote nothing without a read-back claims nothing: it says the slot held the
            // preset when last seen, "not checked". With a read-back, the verification tells.
            juce::ignoreUnused (sent);
        }

        void verificationEnded (const ZKEditorEngine::Verification& verification) override
        {
            if (verification.matches())
                owner.claims[verification.slot] = { verification.sentImage, "a Send was verified" };
        }

        void transferEnded (const ZKEditorEngine::TransferStatus& status) override
        {
            owner.heard (*engine, status);

            if (writes (status.kind))
                owner.endedWrites.insert ({ engine.get(), status.id });

            if (status.stage != Stage::completed)
                return;

            if (readsWholeSlot (status.kind))
                owner.slotsRead.insert (status.slot);

            if (writes (status.kind))
            {
                if (owner.onWriteCompleted != nullptr)
                    owner.onWriteCompleted (*engine, status);

                owner.completedWrites[status.slot].emplace_back (engine.get(), ++owner.completions);
            }

            // A slot write that completed told the Slots window "verified" or "already held"; what
            // it brought the slot to is what the editor now remembers of it.
            if (status.kind == Kind::slotWrite)
            {
                const auto image = engine->getKnownSlotImage (status.slot);

                if (! image.isEmpty())
                    owner.claims[status.slot] = { image, status.total == 0
                                                             ? "a slot write said the slot already held it"
                                                             : "a slot write was verified" };
            }
        }

        SlotClaimWatcher& owner;
        ZKEditorEngine::Ptr engine;
    };

    std::vector<std::unique_ptr<EngineListener>> listeners;
    std::map<int, std::vector<std::pair<const ZKEditorEngine*, int>>> completedWrites;
    std::set<WriteId> endedWrites;
    int completions = 0;
};
