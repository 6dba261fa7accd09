#include "platform/settings/active.h"

#include <dinput.h>
#include <windows.h>

#include <vector>

#include "platform/dsound/mixer.h"
#include "platform/internal.h"

namespace platform::settings {

namespace {

Settings gActive;

struct KeySwap {
    KeyCodes from, to;
};
std::vector<KeySwap> gKeySwaps;

bool Same(KeyCodes a, KeyCodes b) { return a.vk == b.vk && a.dik == b.dik; }

// The actions' own keys, and the keys the player gave them.
void BuildKeySwaps(const Settings& s) {
    gKeySwaps.clear();
    const KeyCodes actions[] = {{VK_F1, DIK_F1}, {VK_ESCAPE, DIK_ESCAPE}};
    const KeyCodes chosen[] = {CodesOf(FindKeyByName(s.keyNewGame)), CodesOf(FindKeyByName(s.keyQuit))};
    std::vector<KeyCodes> displaced, freed;
    for (int i = 0; i < 2; ++i) {
        if (chosen[i].vk == 0) continue;
        gKeySwaps.push_back({chosen[i], actions[i]});
    }
    // An action's own key not chosen for anything takes the codes of a chosen
    // key that no action's own key is.
    auto chosenFor = [&](KeyCodes k) {
        for (const KeySwap& swap : gKeySwaps)
            if (Same(swap.from, k)) return true;
        return false;
    };
    auto isAction = [&](KeyCodes k) { return Same(k, actions[0]) || Same(k, actions[1]); };
    for (const KeySwap& swap : gKeySwaps) {
        if (!chosenFor(swap.to)) displaced.push_back(swap.to);
        if (!isAction(swap.from)) freed.push_back(swap.from);
    }
    for (size_t i = 0; i < displaced.size() && i < freed.size(); ++i) gKeySwaps.push_back({displaced[i], freed[i]});
}

}  // namespace

const Settings& Active() { return gActive; }

void Apply(const Settings& settings) {
    gActive = settings;
    mixer::SetLevel(settings.mute ? 0 : settings.volume);
    BuildKeySwaps(settings);
}

KeyCodes ChosenKey(KeyCodes pressed) {
    for (const KeySwap& swap : gKeySwaps)
        if (Same(swap.from, pressed)) return swap.to;
    return pressed;
}

}  // namespace platform::settings
