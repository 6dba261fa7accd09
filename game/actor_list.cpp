#include "game/actor_list.h"

Actor::Actor() : x(0), y(0), next(nullptr), prev(nullptr), layer(0) {}

ActorList::ActorList() : head(nullptr), layerAnchor{}, layerPresent{}, count(0) {}

ActorList::~ActorList() { Clear(); }

void ActorList::Add(Actor* actor) {
    ++count;
    if (head == nullptr) {
        head = actor;
        actor->next = actor;
        actor->prev = actor;
        layerAnchor[actor->layer] = actor;
        layerPresent[actor->layer] = 1;
        return;
    }
    // The actor goes before the anchor of the nearest occupied layer at or
    // above its own, or at the very end when no such layer exists.
    Actor* anchor = head;
    for (int k = actor->layer; k < kLayerCount; ++k) {
        if (layerPresent[k]) {
            anchor = layerAnchor[k];
            if (anchor == head) head = actor;
            break;
        }
    }
    actor->prev = anchor->prev;
    actor->next = anchor;
    anchor->prev->next = actor;
    anchor->prev = actor;
    layerAnchor[actor->layer] = actor;
    layerPresent[actor->layer] = 1;
}

void ActorList::Remove(Actor* actor) {
    --count;
    if (actor->prev->layer == actor->layer) {
        layerAnchor[actor->layer] = actor->prev;
    } else {
        layerPresent[actor->layer] = 0;
    }
    actor->next->prev = actor->prev;
    actor->prev->next = actor->next;
    if (actor->next == actor) {
        head = nullptr;
        // An emptied list keeps no layer flagged: a flag left set would
        // point a later Add at an anchor that is already destroyed.
        for (int32_t& present : layerPresent) present = 0;
    }
    delete actor;
}

void ActorList::UpdateAll() {
    if (head == nullptr) return;
    Actor* a = head;
    for (;;) {
        bool movedHead = false;
        int finished = a->Update();
        // An update may end the game and clear the list; a is gone then.
        if (head == nullptr) return;
        if (finished != 0) {
            if (a->next == a) {
                Remove(a);
                return;
            }
            Actor* n = a->next;
            if (a == head) {
                head = n;
                movedHead = true;
            }
            Remove(a);
            a = n;
        } else {
            a = a->next;
        }
        if (a != head) continue;
        if (movedHead) continue;
        return;
    }
}

void ActorList::Clear() {
    if (head == nullptr) return;
    Actor* a = head;
    while (a->next != a) {
        Actor* n = a->next;
        Remove(a);
        a = n;
    }
    Remove(a);
}
