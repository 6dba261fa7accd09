// Hands the page's files to a service worker, which keeps them for play
// without the network. A browser without service workers, or one that
// refuses this one, plays from the network as before. In another site's
// frame the page can be neither installed nor opened offline, so there it
// keeps nothing.
'use strict';

if ('serviceWorker' in navigator && window.self === window.top) {
  // After the page's own loads, which the worker's filling would only slow.
  window.addEventListener('load', () => {
    navigator.serviceWorker.register('service_worker.js').catch(() => {});
  });
}
