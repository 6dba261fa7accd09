#include "game/game.h"

#include "app/static_objects.h"
#include "game/actor_list.h"

Game::Game()
    : state(Intro),
      score(0),
      shotAnim(0),
      presidentHits(0),
      shotsFired(0),
      hits(0),
      playFrames(0),
      roundsLeft(0),
      buttonLatch(0) {}

// The shot animation and the latch carry over into the new game.
void Game::NewGame() {
    state = Playing;
    gActors.Clear();
    ResetCounters();
}

void Game::ResetCounters() {
    roundsLeft = kRoundsPerReload;
    presidentHits = 0;
    hits = 0;
    score = 0;
    shotsFired = 0;
    playFrames = 0;
}
