#include "game/actor_list.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> updates;
std::vector<std::string> destroyed;

// An actor whose update is scripted by the test.
class ScriptedActor : public Actor {
public:
    ScriptedActor(std::string actorName, int32_t actorLayer = 0) : name(std::move(actorName)) {
        layer = actorLayer;
    }
    ~ScriptedActor() override { destroyed.push_back(name); }
    int Update() override {
        updates.push_back(name);
        if (onUpdate) {
            // The hook may destroy this actor: touch nothing of it after.
            const std::function<void()> hook = onUpdate;
            hook();
            return 0;
        }
        return finish;
    }

    std::string name;
    int finish = 0;
    std::function<void()> onUpdate;
};

class ActorListTest : public ::testing::Test {
protected:
    void SetUp() override {
        updates.clear();
        destroyed.clear();
    }

    ScriptedActor* Add(const char* name, int32_t layer = 0) {
        auto* actor = new ScriptedActor(name, layer);
        list.Add(actor);
        return actor;
    }

    // The ring from head, checked against the prev links on the way.
    std::string Ring() const {
        std::string ring;
        if (list.head == nullptr) return ring;
        const Actor* a = list.head;
        do {
            EXPECT_EQ(a->next->prev, a);
            ring += static_cast<const ScriptedActor*>(a)->name;
            a = a->next;
        } while (a != list.head);
        return ring;
    }

    ActorList list;
};

TEST_F(ActorListTest, NewestActorOfALayerBecomesTheHead) {
    Add("A");
    Add("B");
    Add("C");
    EXPECT_EQ(Ring(), "CBA");
    EXPECT_EQ(list.count, 3);
    list.UpdateAll();
    EXPECT_EQ(updates, (std::vector<std::string>{"C", "B", "A"}));
}

TEST_F(ActorListTest, RemovalMakesThePreviousActorTheAnchor) {
    ScriptedActor* a = Add("A");
    Add("B");
    Add("C");
    a->finish = 1;
    list.UpdateAll();
    EXPECT_EQ(destroyed, std::vector<std::string>{"A"});
    EXPECT_EQ(Ring(), "CB");
    EXPECT_EQ(list.layerAnchor[0]->next, list.head);
    Add("D");
    EXPECT_EQ(Ring(), "CDB");
    EXPECT_EQ(list.count, 3);
}

TEST_F(ActorListTest, HeadFinishingHandsOverAndTheRestStillRun) {
    Add("A");
    Add("B");
    ScriptedActor* c = Add("C");
    c->finish = 1;
    list.UpdateAll();
    EXPECT_EQ(updates, (std::vector<std::string>{"C", "B", "A"}));
    EXPECT_EQ(Ring(), "BA");
    Add("D");
    EXPECT_EQ(Ring(), "BDA");
}

TEST_F(ActorListTest, EveryActorFinishingEmptiesTheList) {
    for (const char* name : {"A", "B", "C"}) Add(name)->finish = 1;
    list.UpdateAll();
    EXPECT_EQ(updates.size(), 3u);
    EXPECT_EQ(list.head, nullptr);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(destroyed.size(), 3u);
    for (int32_t present : list.layerPresent) EXPECT_EQ(present, 0);
}

TEST_F(ActorListTest, OnlyActorFinishingEmptiesTheList) {
    Add("A")->finish = 1;
    list.UpdateAll();
    EXPECT_EQ(list.head, nullptr);
    EXPECT_EQ(list.count, 0);
    Add("B");
    EXPECT_EQ(Ring(), "B");
}

TEST_F(ActorListTest, HigherLayerGoesAfterLowerOnes) {
    Add("A");
    Add("B");
    Add("C");
    Add("E", 1);
    EXPECT_EQ(Ring(), "CBAE");
    Add("D");
    EXPECT_EQ(Ring(), "DCBAE");
    Add("F", 1);
    EXPECT_EQ(Ring(), "DCBAFE");
}

TEST_F(ActorListTest, LastActorOfALayerLeavingClearsItsFlag) {
    Add("A");
    ScriptedActor* e = Add("E", 1);
    e->finish = 1;
    list.UpdateAll();
    EXPECT_EQ(list.layerPresent[1], 0);
    EXPECT_EQ(Ring(), "A");
}

// A layer-0 actor removed from the back of a two-layer ring leaves layer 1
// flagged; once the list runs empty no flag may point at a destroyed actor.
TEST_F(ActorListTest, EmptiedListKeepsNoStaleAnchor) {
    Add("E", 1)->finish = 1;
    Add("A")->finish = 1;
    ASSERT_EQ(Ring(), "AE");
    list.UpdateAll();
    ASSERT_EQ(list.head, nullptr);
    for (int32_t present : list.layerPresent) EXPECT_EQ(present, 0);
    Add("B");
    Add("F", 1);
    Add("C");
    EXPECT_EQ(Ring(), "CBF");
}

TEST_F(ActorListTest, ClearFromInsideAnUpdateEndsThePass) {
    Add("A");
    ScriptedActor* b = Add("B");
    Add("C");
    b->onUpdate = [this] { list.Clear(); };
    list.UpdateAll();
    EXPECT_EQ(updates, (std::vector<std::string>{"C", "B"}));
    EXPECT_EQ(list.head, nullptr);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(destroyed.size(), 3u);
}

TEST_F(ActorListTest, ClearDestroysInRingOrderAndEmptyClearIsHarmless) {
    list.Clear();
    Add("A");
    Add("B");
    Add("C");
    list.Clear();
    EXPECT_EQ(destroyed, (std::vector<std::string>{"C", "B", "A"}));
    EXPECT_EQ(list.head, nullptr);
    EXPECT_EQ(list.count, 0);
    list.UpdateAll();
    EXPECT_TRUE(updates.empty());
}

}  // namespace
