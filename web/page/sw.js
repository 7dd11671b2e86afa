// The site kept for offline use. On install the worker caches the site's
// files under a name that carries the build's version (scripts/build-web
// writes it in place of BUILD_VERSION), then serves them from that cache,
// whatever the address's query, and anything else from the network. A new
// build's worker caches the whole new site before it takes over, and then
// deletes every older copy, so that a page never mixes two builds' files.
'use strict';

// scripts/build-web writes in the site's files: all but the worker itself
// and universe-wasm.js, which only a page opened as a file loads.
var cacheName = 'universo3d-BUILD_VERSION';
var siteFiles = [/* SITE_FILES */];

self.addEventListener('install', function (event) {
  event.waitUntil(caches.open(cacheName).then(function (cache) {
    // Past the browser's HTTP cache, which may still hold an older build.
    return cache.addAll(siteFiles.map(function (file) { return new Request(file, { cache: 'reload' }); }));
  }));
});

self.addEventListener('activate', function (event) {
  event.waitUntil(caches.keys().then(function (names) {
    return Promise.all(names.filter(function (name) {
      return name.indexOf('universo3d-') === 0 && name !== cacheName;
    }).map(function (name) { return caches.delete(name); }));
  }));
});

// The site's directory itself (the address without index.html) is a page
// too: offline it gets the cached index.html.
self.addEventListener('fetch', function (event) {
  var request = event.request;
  if (request.method !== 'GET') return;
  event.respondWith(caches.open(cacheName).then(function (cache) {
    return cache.match(request, { ignoreSearch: true }).then(function (cached) {
      return cached || fetch(request).catch(function (error) {
        if (request.mode !== 'navigate') throw error;
        return cache.match('index.html');
      });
    });
  }));
});
