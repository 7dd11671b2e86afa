// The site kept for offline use. On install the worker fetches every file
// of its release, checks each against the digest scripts/site-digests
// wrote below, and caches them only when all match, so that a site half
// copied onto its server is never kept. It then answers from that cache:
// every navigation with the release's index.html (or the site file it
// names), whatever the address's query, and the page's files by name;
// anything else comes from the network. A new release's worker waits until
// the page asks it to take over (its update notice) or the page's windows
// are closed; then it deletes the older releases' caches of its own scope
// only, so that two copies of the site on one host keep theirs.
'use strict';

// scripts/site-digests writes these two lines: the release's name (a digest
// of the files' digests) and each cached file's SHA-256 digest.
var release = 'RELEASE';
var siteFiles = { /* file: 'sha256-BASE64' */ };

var scope = self.registration.scope;
var cachePrefix = 'universo3d ' + scope + ' ';
var cacheName = cachePrefix + release;

self.addEventListener('install', function (event) {
  // Past the browser's HTTP cache, which may still hold an older release;
  // a file whose digest differs fails its fetch, and with it the install,
  // which then leaves nothing of its release behind.
  event.waitUntil(caches.open(cacheName).then(function (cache) {
    return Promise.all(Object.keys(siteFiles).map(function (file) {
      return fetch(new Request(file, { cache: 'reload', integrity: siteFiles[file] })).then(function (response) {
        if (!response.ok) throw new Error(file + ': HTTP ' + response.status);
        // A redirected response would not do for a navigation; its body does.
        if (response.redirected) response = new Response(response.body, { headers: response.headers });
        return cache.put(file, response);
      });
    }));
  }).catch(function (error) {
    return caches.delete(cacheName).then(function () { throw error; });
  }));
});

// The page's button for a new release.
self.addEventListener('message', function (event) {
  if (event.data === 'take-over') self.skipWaiting();
});

// Older releases of this scope; also the caches of the releases before the
// scope was in the name ('universo3d-DIGEST'), where all their files lie in
// this scope's folder.
function isOlderCopy(name) {
  if (name === cacheName) return Promise.resolve(false);
  if (name.indexOf(cachePrefix) === 0) return Promise.resolve(true);
  if (!/^universo3d-[0-9a-f]+$/.test(name)) return Promise.resolve(false);
  return caches.open(name).then(function (cache) { return cache.keys(); }).then(function (requests) {
    return requests.every(function (request) { return request.url.replace(/[^/]*$/, '') === scope; });
  });
}

self.addEventListener('activate', function (event) {
  event.waitUntil(caches.keys().then(function (names) {
    return Promise.all(names.map(function (name) {
      return isOlderCopy(name).then(function (older) { return older && caches.delete(name); });
    }));
  }));
});

// A navigation names the folder, index.html or any other address in the
// scope: all get the release's page, but for a site file named as such
// (the licence). Other requests get their cached file by name.
self.addEventListener('fetch', function (event) {
  var request = event.request;
  if (request.method !== 'GET') return;
  var key = request;
  if (request.mode === 'navigate') {
    var file = request.url.replace(/[?#].*$/, '').slice(scope.length);
    key = Object.prototype.hasOwnProperty.call(siteFiles, file) ? file : 'index.html';
  }
  event.respondWith(caches.open(cacheName).then(function (cache) {
    return cache.match(key, { ignoreSearch: true });
  }).then(function (cached) {
    return cached || fetch(request);
  }));
});
