// Hands the page's files to a service worker, which keeps them for play
// without the network. A browser without service workers, or one that
// refuses this one, plays from the network as before. In another site's
// frame the page can be neither installed nor opened offline, so there it
// keeps nothing. A newer build, once kept, is offered while the pointer is
// free (under lock the player is aiming): taking it reloads the page whole,
// every open page of it, so each is served by one build only.
'use strict';

if ('serviceWorker' in navigator && window.self === window.top) {
  const offer = document.getElementById('update');
  let waiting = null;

  const show = () => {
    offer.hidden = !waiting || document.pointerLockElement !== null;
  };

  const watch = (registration) => {
    // A page no build serves yet has nothing to switch from.
    const check = () => {
      if (!registration.waiting || !navigator.serviceWorker.controller) return;
      waiting = registration.waiting;
      show();
    };
    check();
    registration.addEventListener('updatefound', () => registration.installing.addEventListener('statechange', check));
  };

  document.getElementById('update-now').addEventListener('click', () => {
    if (waiting) waiting.postMessage('take over');
  });
  navigator.serviceWorker.addEventListener('controllerchange', () => location.reload());
  document.addEventListener('pointerlockchange', show);
  // After the page's own loads, which the worker's filling would only slow.
  window.addEventListener('load', () => {
    navigator.serviceWorker.register('service_worker.js').then(watch).catch(() => {});
  });
}
