// The GLUT runtime's side in the page (web/glut/glut_runtime.cpp), linked
// into universe.js by emscripten as a JavaScript library (--js-library):
// window.universe, set up by page.js, and the page's elements through
// window.universePage where the page has it. Texts arrive as UTF-8.

mergeInto(LibraryManager.library, {
  pageSetTitle: function (utf8) {
    var title = UTF8ToString(utf8);
    document.title = title;
    var heading = document.getElementById('title');
    if (heading) heading.textContent = title;
  },

  pageCountFrame: function (frames) {
    window.universe.frames = frames;
  },

  // The last 100 display-callback times.
  pageRecordFrameTime: function (ms) {
    var times = window.universe.frameMs;
    times.push(ms);
    if (times.length > 100) times.shift();
  },

  pageSetPaused: function (isPaused) {
    window.universe.paused = !!isPaused;
    if (window.universePage) window.universePage.showPaused(!!isPaused);
  },

  pageSetReady: function () {
    window.universe.ready = true;
  },

  // The page's message (hidden when empty), and window.universe.error: what
  // was wrong with the address, or null.
  pageShowMessage: function (utf8, addressUtf8) {
    var message = UTF8ToString(utf8);
    window.universe.error = addressUtf8 ? UTF8ToString(addressUtf8) : null;
    if (!window.universePage) return;
    if (message) window.universePage.showError(message); else window.universePage.clearError();
  },

  pageShowProgress: function (share) {
    window.universe.progress = share;
    if (window.universePage) window.universePage.showProgress(share);
  },

  pageNote: function (utf8) {
    console.info(UTF8ToString(utf8));
  },

  // The picture's size in device pixels as the page lays it out (with the
  // fixed size, if any, given first), into the ints at `width` and `height`.
  pagePictureSize: function (fixedWidth, fixedHeight, width, height) {
    var size = window.universePage ?
      window.universePage.pictureSize(fixedWidth, fixedHeight) : [800, 600];
    HEAP32[width >> 2] = size[0];
    HEAP32[height >> 2] = size[1];
  },

  pageSetEnded: function () {
    window.universe.ended = true;
    if (window.universePage) window.universePage.showEnded();
  }
});
