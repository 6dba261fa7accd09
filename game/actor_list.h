// The ring of live figures, in ten drawing layers.
#pragma once

#include <cstdint>

constexpr int kLayerCount = 10;

class Actor {
public:
    Actor();
    // Move, draw, test for hits; nonzero when finished and to be removed.
    virtual int Update() = 0;
    virtual ~Actor() = default;

    int32_t x;
    int32_t y;
    Actor* next;
    Actor* prev;
    int32_t layer;
};

class ActorList {
public:
    ActorList();
    ~ActorList();

    void Add(Actor* actor);
    void UpdateAll();
    void Clear();
    void Remove(Actor* actor);

    Actor* head;
    Actor* layerAnchor[kLayerCount];
    int32_t layerPresent[kLayerCount];
    int32_t count;
};
