// The page around the viewer: lays the canvas out in the room the page has,
// at the device's pixels, loads the program (universe.js; from a file, with
// its WebAssembly from universe-wasm.js), passes keys, the key bar and the
// buttons to its GLUT runtime, shows its pop-up menus for the pointer, touch
// and keyboard, makes the address that shares the picture, records clips,
// and lays the frame's GL calls open (Chamadas).
// window.universe is the page's state as tests and scripts read it; the
// runtime keeps it up to date.
'use strict';

window.universe = {
  ready: false,    // the address's frames are played and the last one drawn
  progress: 0,     // how far the address's frames are played, 0 to 1
  frames: 0,       // buffer swaps so far
  paused: false,   // no idle steps
  ended: false,    // the farewell is over
  error: null,     // what was wrong with the address, or null
  link: null,      // the address the share button made last
  frameMs: []      // the last 100 display-callback durations, in ms
};

(function () {
  var canvas = document.getElementById('canvas');
  var stage = document.getElementById('stage');
  var menuLayer = document.getElementById('menus');
  var pauseButton = document.getElementById('pause');
  var keybar = document.getElementById('keybar');
  var keybarToggle = document.getElementById('keybar-toggle');
  var menuButton = document.getElementById('menu-button');
  var shareButton = document.getElementById('share');
  var fullscreenButton = document.getElementById('fullscreen');
  var messageElement = document.getElementById('message');
  var statusElement = document.getElementById('status');
  var progressBox = document.getElementById('progress');

  // Device pixels per CSS pixel, at most 2: beyond that the GLUT bitmap
  // text, a fixed number of pixels, gets too small to read, and each frame
  // has over twice the pixels to fill for a picture that looks no sharper
  // at a phone's distance.
  var maxPixelRatio = 2;

  // The keys the viewer uses, as event.key values, each with its GLUT code
  // ({special: code} or {character: byte}): those of the key bar, which the
  // program gives at start-up. Every other key keeps its meaning in the
  // browser.
  var viewerKeys = {};

  function showError(message) {
    messageElement.textContent = message;
    messageElement.hidden = false;
  }

  window.Module = {
    canvas: canvas,
    print: function () {},
    printErr: function (text) { console.error(text); },
    onAbort: function () {
      showError('O programa n\u00e3o p\u00f4de arrancar neste navegador.');
    },
    onRuntimeInitialized: function () { buildKeybar(); },
    // ?webgl=1: WebGL 1 even where the browser has WebGL 2 (the fallback's check).
    universeWebGL1: /[?&]webgl=1(&|$)/.test(location.search)
  };

  // While the frame's calls are laid open, the viewer takes no keys and no
  // menu: its frame must stay the one listed.
  var inspection = null;  // the open calls panel's list and choice (Chamadas)
  var openingCalls = false;  // the panel is open, its list not yet read

  function acceptsInput() {
    return window.universe.ready && !window.universe.ended && !inspection && !openingCalls &&
      Module._glutWebAcceptsInput();
  }

  function focusCanvas() {
    canvas.focus({ preventScroll: true });
  }

  // The picture's focus ring, shown around the stage (outside the picture)
  // only when the focus came to the canvas while the keyboard was in use:
  // not at load, nor after a click or a tap.
  var keyboardInUse = false;
  document.addEventListener('keydown', function () { keyboardInUse = true; }, true);
  document.addEventListener('pointerdown', function () { keyboardInUse = false; }, true);
  canvas.addEventListener('focus', function () { stage.classList.toggle('keyboard-focus', keyboardInUse); });
  canvas.addEventListener('blur', function () { stage.classList.remove('keyboard-focus'); });

  // The picture's layout. The runtime asks for the size first when it
  // creates its window (pictureSize), then hears of every change
  // (glutWebResize).
  var fixedSize = null;      // [width, height] from size=WxH, or null
  var windowCreated = false;
  // ?embed: the picture alone in another page's frame (the embed section).
  var embedded = /[?&]embed(&|=|$)/.test(location.search);

  // Sizes the canvas on the page and returns its drawing buffer's size in
  // device pixels: all of the stage, or the fixed size scaled down to fit.
  function layout() {
    var width = Math.max(1, stage.clientWidth);
    var height = Math.max(1, stage.clientHeight);
    var ratio = Math.min(window.devicePixelRatio || 1, maxPixelRatio);
    if (fixedSize) {
      var scale = Math.min(1, width / fixedSize[0], height / fixedSize[1]);
      canvas.style.width = fixedSize[0] * scale + 'px';
      canvas.style.height = fixedSize[1] * scale + 'px';
      // A frame smaller than the picture: drawn at the room's device
      // pixels, in the picture's proportions, so that its bitmap text keeps
      // its size rather than shrinking with the picture.
      var fitted = embedded && scale < 1;
      canvas.classList.toggle('enlarged', !fitted && scale * ratio > 1);
      if (fitted) return [Math.round(fixedSize[0] * scale * ratio), Math.round(fixedSize[1] * scale * ratio)];
      return fixedSize;
    }
    var size = [Math.round(width * ratio), Math.round(height * ratio)];
    canvas.style.width = size[0] / ratio + 'px';
    canvas.style.height = size[1] / ratio + 'px';
    return size;
  }

  function relayout() {
    closeMenus();
    var size = layout();
    if (windowCreated) Module._glutWebResize(size[0], size[1]);
  }
  if (window.ResizeObserver) new ResizeObserver(relayout).observe(stage);
  window.addEventListener('resize', relayout);  // also a change of pixel ratio (browser zoom)

  function sendKey(code) {
    if (!acceptsInput()) return;
    if (code.special !== undefined) {
      Module._glutWebSpecial(code.special);
    } else {
      Module._glutWebKeyboard(code.character);
    }
  }

  // The pop-up menus: one .menu per open level, each entry a .menu-entry
  // (.submenu when it opens another menu) whose text is the label as is.
  // Where the stage is too narrow for a submenu beside its parent, the
  // submenu takes the parent's place, with an entry that goes back.
  var openMenus = [];  // {element, entries, opener}, from the top level down
  var menuOpener = null;  // what had the focus when the main menu opened
  var menuTree = null;
  var narrowMenus = false;

  function readMenuTree() {
    return JSON.parse(Module.UTF8ToString(Module._glutWebMenuJson()));
  }

  function closeMenusFrom(level) {
    while (openMenus.length > level) openMenus.pop().element.remove();
    menuButton.setAttribute('aria-expanded', openMenus.length ? 'true' : 'false');
    if (level > 0) {
      var parent = openMenus[level - 1];
      parent.element.hidden = false;
      parent.entries.forEach(function (entry) { entry.classList.remove('open'); });
    }
  }

  function closeMenus() {
    closeMenusFrom(0);
  }

  // Places `menu` at (x, y) in the stage, moved back inside it where it
  // fits; with `keepX` only up or down. Measured at the stage's left edge
  // first, so that its lines wrap only where the stage is narrower.
  function place(menu, x, y, keepX) {
    var width = stage.clientWidth;
    var height = stage.clientHeight;
    if (!keepX && x + menu.offsetWidth > width) x = width - menu.offsetWidth;
    if (y + menu.offsetHeight > height) y = height - menu.offsetHeight;
    menu.style.left = Math.max(0, x) + 'px';
    menu.style.top = Math.max(0, y) + 'px';
  }

  // A submenu opens beside its entry, on the right unless only the left has
  // room, so that it never covers the entry; where it fits on neither side
  // (or the stage is narrow), it takes its parent's place, with an entry
  // that goes back: then only a click or a key opens it, not the mouse
  // passing over (`hovered`).
  function openSubMenu(level, entry, id, focusFirst, hovered) {
    closeMenusFrom(level + 1);
    var parent = openMenus[level].element;
    var right = parent.offsetLeft + parent.offsetWidth - 2;
    var width = stage.clientWidth;
    var menu = buildMenu(level + 1, id, entry, false);
    var left = parent.offsetLeft - menu.offsetWidth + 2;
    var fitsRight = right + menu.offsetWidth <= width;
    if (narrowMenus || (!fitsRight && left < 0)) {
      closeMenusFrom(level + 1);
      if (hovered) return;
      menu = buildMenu(level + 1, id, entry, true);
      place(menu, parent.offsetLeft, parent.offsetTop);
      parent.hidden = true;
    } else {
      place(menu, fitsRight ? right : left, parent.offsetTop + entry.offsetTop - parent.scrollTop - 3, true);
    }
    entry.classList.add('open');
    if (focusFirst) focusEntry(openMenus.length - 1, 0);
    else if (parent.hidden) menu.focus({ preventScroll: true });
  }

  // Back to the level above `level`, its opening entry focused.
  function goBack(level) {
    var opener = openMenus[level].opener;
    closeMenusFrom(level);
    if (opener) opener.focus({ preventScroll: true });
  }

  function choose(id, index) {
    closeMenus();
    focusCanvas();
    if (acceptsInput()) Module._glutWebChooseMenuEntry(id, index);
  }

  function addEntry(menu, label, className) {
    var entry = document.createElement('div');
    entry.className = 'menu-entry' + (className ? ' ' + className : '');
    entry.setAttribute('role', 'menuitem');
    entry.tabIndex = -1;
    entry.textContent = label;
    menu.appendChild(entry);
    return entry;
  }

  function buildMenu(level, id, opener, inPlace) {
    var menu = document.createElement('div');
    menu.className = 'menu';
    menu.setAttribute('role', 'menu');
    menu.tabIndex = -1;
    var entries = [];
    if (inPlace) {
      var back = addEntry(menu, 'Voltar', 'back');
      back.addEventListener('click', function () { goBack(level); });
      entries.push(back);
    }
    (menuTree.menus[id] || []).forEach(function (item, index) {
      var entry = addEntry(menu, item.label, item.submenu !== undefined ? 'submenu' : '');
      if (item.submenu !== undefined) {
        entry.setAttribute('aria-haspopup', 'menu');
        entry.universeOpen = function (focusFirst) { openSubMenu(level, entry, item.submenu, focusFirst, false); };
        entry.addEventListener('click', function () { entry.universeOpen(false); });
        entry.addEventListener('mouseenter', function () {
          if (!narrowMenus) openSubMenu(level, entry, item.submenu, false, true);
        });
      } else {
        entry.universeChoose = function () { choose(id, index); };
        entry.addEventListener('click', entry.universeChoose);
        entry.addEventListener('mouseenter', function () {
          if (!narrowMenus) closeMenusFrom(level + 1);
        });
      }
      entries.push(entry);
    });
    menuLayer.appendChild(menu);
    openMenus.push({ element: menu, entries: entries, opener: opener || null });
    menuButton.setAttribute('aria-expanded', 'true');
    return menu;
  }

  // Opens the main menu at (x, y) in the stage, the menu itself focused:
  // Down then goes to its first entry.
  function openMenuAt(x, y) {
    closeMenus();
    menuTree = readMenuTree();
    if (!menuTree.left) return;
    menuOpener = document.activeElement;
    narrowMenus = stage.clientWidth < 600;
    var menu = buildMenu(0, menuTree.left, null, false);
    place(menu, x, y);
    menu.focus({ preventScroll: true });
  }

  function focusEntry(level, index) {
    var entries = openMenus[level].entries;
    var n = entries.length;
    if (n) entries[((index % n) + n) % n].focus({ preventScroll: true });
  }

  // The menu keys: Down and Up move, Home and End go to the ends, Right,
  // Enter or Space open a submenu at its first entry, Enter or Space
  // choose, Left or Escape go back a level (Escape closes the top one).
  // Every other key is held back from the viewer while a menu is open; Tab
  // closes the menus and moves on.
  function menuKey(event) {
    var level = openMenus.length - 1;
    var menu = openMenus[level];
    var at = menu.entries.indexOf(document.activeElement);
    var entry = at >= 0 ? menu.entries[at] : null;
    switch (event.key) {
      case 'ArrowDown': focusEntry(level, at + 1); break;
      case 'ArrowUp': focusEntry(level, at < 0 ? -1 : at - 1); break;
      case 'Home': focusEntry(level, 0); break;
      case 'End': focusEntry(level, -1); break;
      case 'ArrowRight':
        if (entry && entry.universeOpen) entry.universeOpen(true);
        break;
      case 'Enter':
      case ' ':
        if (!entry) break;
        if (entry.universeOpen) entry.universeOpen(true);
        else if (entry.universeChoose) entry.universeChoose();
        else goBack(level);
        break;
      case 'ArrowLeft':
        if (level > 0) goBack(level);
        break;
      case 'Escape':
        if (level > 0) {
          goBack(level);
        } else {
          closeMenus();
          if (menuOpener && menuOpener !== document.body && document.contains(menuOpener)) {
            menuOpener.focus({ preventScroll: true });
          } else {
            focusCanvas();
          }
        }
        break;
      default:
        break;
    }
  }

  document.addEventListener('keydown', function (event) {
    if (!openMenus.length) return;
    if (event.key === 'Tab') {
      closeMenus();
      return;
    }
    event.preventDefault();
    event.stopPropagation();
    menuKey(event);
  }, true);

  // A press anywhere outside the menus closes them; that press does nothing
  // else on the canvas, as with a desktop pop-up.
  document.addEventListener('pointerdown', function (event) {
    if (!openMenus.length || event.target.closest('.menu') || event.target === menuButton) return;
    closeMenus();
    event.universeMenuClosed = true;
  }, true);

  function stagePoint(event) {
    var box = stage.getBoundingClientRect();
    return [event.clientX - box.left, event.clientY - box.top];
  }

  // A mouse opens the menu on the press, as GLUT does; a finger or a pen on
  // a tap (the click the browser makes of a press and release without
  // moving), so that a swipe or a scroll never opens it.
  var lastPress = { type: 'mouse', closedMenu: false };
  canvas.addEventListener('pointerdown', function (event) {
    lastPress = { type: event.pointerType, closedMenu: !!event.universeMenuClosed };
    focusCanvas();
    if (event.pointerType !== 'mouse' || event.universeMenuClosed || event.button !== 0 || !acceptsInput()) return;
    event.preventDefault();
    var point = stagePoint(event);
    openMenuAt(point[0], point[1]);
  });
  canvas.addEventListener('click', function (event) {
    if (lastPress.type === 'mouse' || lastPress.closedMenu || !acceptsInput()) return;
    var point = stagePoint(event);
    openMenuAt(point[0], point[1]);
  });

  menuButton.addEventListener('click', function () {
    if (openMenus.length) {
      closeMenus();
    } else if (acceptsInput()) {
      menuButton.focus({ preventScroll: true });  // a click need not focus a button
      openMenuAt(0, 0);
    }
  });

  // The viewer's keys reach it wherever the focus is, except in a control
  // that takes typing (a text field, a list) and Space and Enter on a
  // button, which the control uses itself; the context-menu key and
  // Shift+F10 open the menu. Only the keys the viewer uses are taken from
  // the browser.
  document.addEventListener('keydown', function (event) {
    if (event.ctrlKey || event.altKey || event.metaKey || event.defaultPrevented) return;
    var target = event.target;
    if (target.isContentEditable || (target.closest && target.closest('input, select, textarea'))) return;
    var control = target.closest && target.closest('button, a[href]');
    if (control && (event.key === ' ' || event.key === 'Enter')) return;
    if (event.key === 'ContextMenu' || (event.shiftKey && event.key === 'F10')) {
      event.preventDefault();
      if (acceptsInput()) openMenuAt(0, 0);
      return;
    }
    if (!Object.prototype.hasOwnProperty.call(viewerKeys, event.key)) return;
    event.preventDefault();  // F5 reload, F1 help, F3 find, F7 caret browsing, scrolling
    sendKey(viewerKeys[event.key]);
  });

  // The key bar: a button for each key of the viewer's key table, its face
  // and short label, its line of the help card as its name.
  function buildKeybar() {
    JSON.parse(Module.UTF8ToString(Module._universeKeyBarJson())).forEach(function (key) {
      var code = key.special ? { special: key.code } : { character: key.code };
      viewerKeys[key.key] = code;
      var button = document.createElement('button');
      button.type = 'button';
      button.dataset.key = key.key;
      button.setAttribute('aria-label', key.title);
      button.title = key.title;
      var cap = document.createElement('b');
      cap.textContent = key.cap;
      button.appendChild(cap);
      button.appendChild(document.createTextNode(' ' + key.label));
      button.addEventListener('click', function () { sendKey(code); });
      keybar.appendChild(button);
    });
  }

  function showKeybar(shown) {
    keybar.hidden = !shown;
    keybarToggle.setAttribute('aria-expanded', shown ? 'true' : 'false');
  }
  keybarToggle.addEventListener('click', function () { showKeybar(keybar.hidden); });
  // Shown from the start where there is no keyboard to expect.
  if (window.matchMedia && window.matchMedia('(pointer: coarse)').matches) showKeybar(true);

  // Continuar while the calls are open closes them first.
  pauseButton.addEventListener('click', function () {
    if (!window.universe.ready || window.universe.ended) return;
    if (inspection || openingCalls) closeCalls(false);
    Module._glutWebPause(window.universe.paused ? 0 : 1);
  });

  document.getElementById('restart').addEventListener('click', function () {
    location.href = location.pathname;
  });

  var statusTimer = null;
  function say(text) {
    statusElement.textContent = text;
    clearTimeout(statusTimer);
    statusTimer = setTimeout(function () { statusElement.textContent = ''; }, 5000);
  }

  // The address of the picture as it is: in the address bar, on the
  // clipboard where the browser allows, and in window.universe.link.
  shareButton.addEventListener('click', function () {
    if (!window.universe.ready) return;
    var query = Module.UTF8ToString(Module._universeShareQuery());
    var link = location.href.replace(/[?#].*$/, '') + query;
    window.universe.link = link;
    try {
      history.replaceState(null, '', query);
    } catch (error) {
      // A page opened from a file may not change its address; the link stays.
    }
    var copied = navigator.clipboard && navigator.clipboard.writeText ?
      navigator.clipboard.writeText(link) : Promise.reject(new Error('no clipboard'));
    copied.then(function () {
      say('Endere\u00e7o da imagem copiado.');
    }, function () {
      say('Endere\u00e7o da imagem na barra de endere\u00e7o.');
    });
  });

  // Recording the picture as a video: MediaRecorder over the canvas's own
  // stream, in the first format the browser records of WebM VP9, WebM VP8
  // and MP4 (WebKit). The stream takes each frame as the canvas shows it,
  // at the drawing buffer's size, so a scene chosen meanwhile is in it; the
  // recorder pauses with the viewer (Pausa, the farewell's end, a hidden
  // tab), so that the clip has no frozen stretch. Chunks come every second,
  // so that memory grows with the clip only; the clip is held in memory
  // until it is saved, with a warning at 500 MB, and at 1 GB the recording
  // stops and saves it. Pressing again stops and downloads it, named after
  // the screen shown when recording began; a recorder's error saves what
  // it recorded so far, and says so. Where the browser cannot record, the
  // button stays hidden; recording never stops the viewer.
  var recordButton = document.getElementById('record');
  var recordFormats = [
    { type: 'video/webm;codecs=vp9', extension: 'webm' },
    { type: 'video/webm;codecs=vp8', extension: 'webm' },
    { type: 'video/mp4', extension: 'mp4' }
  ];
  var recordFormat = window.MediaRecorder && MediaRecorder.isTypeSupported && canvas.captureStream ?
    recordFormats.filter(function (format) { return MediaRecorder.isTypeSupported(format.type); })[0] : null;
  var clipWarnBytes = 500e6;
  var clipLimitBytes = 1e9;
  var clipError = null;  // the message of a failed clip, until the next one starts
  // {recorder, stream, chunks, bytes, name, recordedMs, since (null while
  // paused), timer, failed, full}
  var recording = null;

  // The screen the address of the picture names last (the one shown).
  function shownScreen() {
    var scenes = Module.UTF8ToString(Module._universeShareQuery()).match(/scene=[a-z-]+/g);
    return scenes ? scenes[scenes.length - 1].slice(6) : 'intro';
  }

  // The button: Parar with the time recorded, and past the warning the
  // memory the clip holds.
  function showRecording() {
    var ms = recording ? recording.recordedMs + (recording.since ? Date.now() - recording.since : 0) : 0;
    var seconds = Math.floor(ms / 1000);
    recordButton.classList.toggle('recording', !!recording);
    recordButton.querySelector('.record-word').textContent = recording ? 'Parar' : 'Gravar';
    recordButton.querySelector('.record-time').textContent = recording ?
      ' ' + Math.floor(seconds / 60) + ':' + ('0' + seconds % 60).slice(-2) +
      (recording.bytes >= clipWarnBytes ? ' \u00b7 ' + Math.round(recording.bytes / 1e6) + ' MB' : '') : '';
    recordButton.title = recording ?
      'Parar a grava\u00e7\u00e3o e descarregar o v\u00eddeo' : 'Gravar um v\u00eddeo da imagem';
    recordButton.setAttribute('aria-label', recordButton.title);
  }

  // Hands `blob` to the browser as a download named `name`.
  function download(blob, name) {
    var link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    link.download = name;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(function () { URL.revokeObjectURL(link.href); }, 60000);
  }

  function saveClip(clip) {
    if (!clip.chunks.length) {
      if (clip.failed) showError(clipError = 'A grava\u00e7\u00e3o falhou; nada foi gravado.');
      else say('Nada foi gravado.');
      return;
    }
    download(new Blob(clip.chunks, { type: recordFormat.type }), clip.name);
    if (clip.failed) {
      showError(clipError = 'A grava\u00e7\u00e3o falhou; o v\u00eddeo descarregado (' + clip.name +
                ') tem s\u00f3 o que foi gravado at\u00e9 ao erro.');
    } else if (clip.full) {
      say('A grava\u00e7\u00e3o parou em 1 GB, o m\u00e1ximo; v\u00eddeo descarregado: ' + clip.name);
    } else {
      say('V\u00eddeo descarregado: ' + clip.name);
    }
  }

  // Pauses or resumes the recorder with the viewer.
  function recordWithViewer() {
    if (!recording) return;
    var recorder = recording.recorder;
    var still = window.universe.paused || window.universe.ended || document.hidden;
    if (still && recorder.state === 'recording') {
      recorder.pause();
      recording.recordedMs += Date.now() - recording.since;
      recording.since = null;
    } else if (!still && recorder.state === 'paused') {
      recorder.resume();
      recording.since = Date.now();
    }
    showRecording();
  }
  document.addEventListener('visibilitychange', recordWithViewer);

  function endRecording() {
    clearInterval(recording.timer);
    recording = null;
    showRecording();
  }

  function stopRecording() {
    var recorder = recording.recorder;
    endRecording();
    if (recorder.state !== 'inactive') recorder.stop();
  }

  // The clip is saved when its recorder stops: at the button, at the
  // memory limit, or by itself on an error, with what it recorded so far.
  function startRecording() {
    var clip = { chunks: [], bytes: 0, recordedMs: 0, since: Date.now(),
                 name: 'universo3d-' + shownScreen() + '.' + recordFormat.extension };
    if (clipError && messageElement.textContent === clipError) window.universePage.clearError();
    clipError = null;
    try {
      clip.stream = canvas.captureStream();
      clip.recorder = new MediaRecorder(clip.stream, { mimeType: recordFormat.type });
      clip.recorder.start(1000);
    } catch (error) {
      if (clip.stream) clip.stream.getTracks().forEach(function (track) { track.stop(); });
      say('Este navegador n\u00e3o p\u00f4de gravar a imagem.');
      return;
    }
    clip.recorder.ondataavailable = function (event) {
      if (!event.data.size) return;
      clip.chunks.push(event.data);
      clip.bytes += event.data.size;
      if (recording !== clip) return;
      if (clip.bytes >= clipLimitBytes) {
        clip.full = true;
        stopRecording();
      } else if (clip.bytes >= clipWarnBytes && !clip.warned) {
        clip.warned = true;
        say('O v\u00eddeo j\u00e1 ocupa 500 MB de mem\u00f3ria; a grava\u00e7\u00e3o para em 1 GB.');
      }
    };
    clip.recorder.onerror = function () {
      clip.failed = true;
      if (recording === clip) endRecording();
      if (clip.recorder.state !== 'inactive') clip.recorder.stop();
    };
    clip.recorder.onstop = function () {
      if (recording === clip) endRecording();
      clip.stream.getTracks().forEach(function (track) { track.stop(); });
      saveClip(clip);
    };
    clip.timer = setInterval(showRecording, 1000);
    recording = clip;
    recordWithViewer();
  }

  if (recordFormat) {
    recordButton.hidden = false;
    recordButton.addEventListener('click', function () {
      if (recording) {
        stopRecording();
      } else if (window.universe.ready) {
        startRecording();
      }
    });
  }

  // Leaving the page while recording (the restart button, a reload, closing
  // the tab) would lose the clip: the browser asks first.
  window.addEventListener('beforeunload', function (event) {
    if (!recording) return;
    event.preventDefault();
    event.returnValue = '';
  });

  // The frame laid open (Chamadas): the viewer pauses and the runtime draws
  // the frame shown again with its GL calls recorded; the panel lists them,
  // one row each, numbered and indented as the runtime writes them, with a
  // glBegin...glEnd block folded to one row until opened. Only the rows in
  // view exist (a frame can make tens of thousands of calls). Choosing a row
  // draws the frame up to that call (a folded block: up to its glEnd) and
  // shows GL's state there. Closing draws the whole frame again and leaves
  // the viewer paused.
  var callsButton = document.getElementById('calls');
  var callsPanel = document.getElementById('calls-panel');
  var callsList = document.getElementById('calls-list');
  var callsRows = document.getElementById('calls-rows');
  var view = document.getElementById('view');
  var rowPool = [];
  var rowHeight = 22;
  var drawQueued = false;

  // The runtime's list, each line "NUMBER INDENT CALL", as {text, lines,
  // numbers, starts, blockEnd, opened, rows}: per line its call number and
  // where its indentation ends (the call's first character); per glBegin
  // line the index of its glEnd (else -1); the rows shown, each as the
  // index of its first line. Read by hand, not by a pattern: a frame can
  // have 100,000 lines.
  function readCalls() {
    var text = Module.UTF8ToString(Module._glutWebCallsText());
    var lines = text ? text.split('\n') : [];
    if (lines.length && lines[lines.length - 1] === '') lines.pop();
    var count = lines.length;
    var list = {
      text: text, lines: lines, numbers: new Int32Array(count), starts: new Int32Array(count),
      blockEnd: new Int32Array(count).fill(-1), opened: new Uint8Array(count), rows: null
    };
    var begin = -1;
    for (var i = 0; i < count; ++i) {
      var line = lines[i];
      var space = line.indexOf(' ');
      if (space < 0) space = line.length;
      var start = space + 1;
      while (line.charCodeAt(start) === 32) ++start;
      list.numbers[i] = parseInt(line, 10) || i + 1;
      list.starts[i] = Math.min(start, line.length);
      if (line.startsWith('glBegin(', start)) begin = i;
      else if (begin >= 0 && line.startsWith('glEnd(', start)) {
        list.blockEnd[begin] = i;
        begin = -1;
      }
    }
    buildRows(list);
    return list;
  }

  function callOf(list, line) {
    return list.lines[line].slice(list.starts[line]);
  }

  // The indentation: the spaces after the number's own.
  function indentOf(list, line) {
    var text = list.lines[line];
    return text.slice(Math.min(text.indexOf(' ') + 1, list.starts[line]), list.starts[line]);
  }

  function buildRows(list) {
    var rows = new Int32Array(list.lines.length);
    var count = 0;
    for (var i = 0; i < list.lines.length;) {
      rows[count++] = i;
      i = list.blockEnd[i] >= 0 && !list.opened[i] ? list.blockEnd[i] + 1 : i + 1;
    }
    list.rows = rows.subarray(0, count);
    callsRows.style.height = count * rowHeight + 'px';
  }

  function folded(list, line) {
    return list.blockEnd[line] >= 0 && !list.opened[line];
  }

  // The row that shows `line` (a folded block's row for a line inside it).
  function rowOf(list, line) {
    var low = 0;
    var high = list.rows.length - 1;
    while (low < high) {
      var middle = (low + high + 1) >> 1;
      if (list.rows[middle] <= line) low = middle; else high = middle - 1;
    }
    return low;
  }

  // The call a row cuts after: its own, or a folded block's glEnd.
  function cutOf(list, line) {
    return list.numbers[folded(list, line) ? list.blockEnd[line] : line];
  }

  function plural(count, one, many) {
    return count + ' ' + (count === 1 ? one : many);
  }

  function renderRows() {
    var list = inspection;
    if (!list) return;
    var top = callsList.scrollTop;
    var first = Math.max(0, Math.floor(top / rowHeight) - 4);
    var last = Math.min(list.rows.length, Math.ceil((top + callsList.clientHeight) / rowHeight) + 4);
    for (var k = first; k < last; ++k) {
      var element = rowPool[k - first];
      if (!element) {
        element = rowPool[k - first] = document.createElement('div');
        element.className = 'call-row';
        element.setAttribute('role', 'option');
        element.appendChild(document.createElement('span')).className = 'call-number';
        element.appendChild(document.createElement('span')).className = 'call-text';
        callsRows.appendChild(element);
      }
      var line = list.rows[k];
      var block = list.blockEnd[line] >= 0;
      var text = indentOf(list, line) + (block ? (list.opened[line] ? '\u25BE ' : '\u25B8 ') : '') + callOf(list, line);
      if (folded(list, line)) {
        var end = list.blockEnd[line];
        text += ' \u2026 ' + callOf(list, end) + '  (' + plural(end - line - 1, 'chamada', 'chamadas') + ')';
      }
      element.hidden = false;
      element.id = 'call-' + line;
      element.rowIndex = k;
      element.style.top = k * rowHeight + 'px';
      element.firstChild.textContent = list.numbers[line];
      element.lastChild.textContent = text;
      element.classList.toggle('block', block);
      element.setAttribute('aria-selected', line === list.selected ? 'true' : 'false');
      element.setAttribute('aria-posinset', k + 1);
      element.setAttribute('aria-setsize', list.rows.length);
    }
    for (var extra = Math.max(0, last - first); extra < rowPool.length; ++extra) rowPool[extra].hidden = true;
    if (list.selected >= 0 && document.getElementById('call-' + list.selected)) {
      callsList.setAttribute('aria-activedescendant', 'call-' + list.selected);
    } else {
      callsList.removeAttribute('aria-activedescendant');
    }
  }

  function measureRows() {
    var probe = document.createElement('div');
    probe.className = 'call-row';
    probe.textContent = '1';
    callsRows.appendChild(probe);
    rowHeight = probe.offsetHeight || rowHeight;
    probe.remove();
    if (inspection) {
      callsRows.style.height = inspection.rows.length * rowHeight + 'px';
      callsList.style.setProperty('--number-width', String(inspection.lines.length).length + 'ch');
    }
  }

  // The picture cut after call `cut` (0: none drawn; null: the whole frame),
  // and GL's state there in the panel; returns that state.
  function drawCut(cut) {
    Module._glutWebShowCallsUpTo(cut === null ? -1 : cut);
    var state = JSON.parse(Module.UTF8ToString(Module._glutWebCallState()));
    showState(state, cut);
    return state;
  }

  // Draws the chosen cut once per browser frame at most, however fast the
  // keys repeat.
  function queueDraw() {
    if (drawQueued) return;
    drawQueued = true;
    requestAnimationFrame(function () {
      drawQueued = false;
      if (inspection) drawCut(inspection.selected >= 0 ? cutOf(inspection, inspection.selected) : null);
    });
  }

  // Four digits, or the units of a large number (the cell's title holds
  // the whole value).
  function formatNumber(value) {
    var text = Math.abs(value) >= 1e4 ? value.toFixed(0) : String(Number(value.toPrecision(4)));
    return text === '-0' ? '0' : text;
  }

  // A 4 x 4 matrix from GL's 16 values, kept column after column: row r,
  // column c is m[c * 4 + r].
  function showMatrix(table, m) {
    var body = table.tBodies[0];
    if (!body.rows.length) {
      for (var r = 0; r < 4; ++r) {
        var row = body.insertRow();
        for (var c = 0; c < 4; ++c) row.insertCell();
      }
    }
    for (var i = 0; i < 16; ++i) {
      var cell = body.rows[i % 4].cells[i >> 2];
      cell.textContent = formatNumber(m[i]);
      cell.title = 'm[' + i + '] = ' + m[i];
    }
  }

  function onOff(on, masculine) {
    return on ? (masculine ? 'ligado' : 'ligada') : (masculine ? 'desligado' : 'desligada');
  }

  function showState(state, cut) {
    var list = inspection;
    var where = document.getElementById('calls-cut');
    if (cut === null) {
      where.textContent = 'A imagem inteira: ' + plural(list.lines.length, 'chamada', 'chamadas') + '.';
    } else if (cut === 0) {
      where.textContent = 'Antes da primeira chamada.';
    } else {
      where.textContent = 'At\u00e9 \u00e0 chamada ' + cut + ', inclusive: ' + callOf(list, cut - 1);
    }
    where.title = where.textContent;
    showMatrix(document.getElementById('calls-modelview'), state.modelview);
    showMatrix(document.getElementById('calls-projection'), state.projection);
    var color = state.color.map(formatNumber);
    var lights = [];
    state.lights.forEach(function (on, index) { if (on) lights.push('GL_LIGHT' + index); });
    var flags = document.getElementById('calls-flags');
    flags.textContent = '';
    var swatch = flags.appendChild(document.createElement('span'));
    swatch.className = 'calls-swatch';
    swatch.style.background = 'rgb(' + state.color.slice(0, 3).map(function (v) {
      return Math.round(Math.min(1, Math.max(0, v)) * 255);
    }).join(',') + ')';
    flags.appendChild(document.createTextNode(
      'Cor: ' + color.join(', ') + ' \u00b7 Ilumina\u00e7\u00e3o: ' + onOff(state.lighting, false) +
      ' \u00b7 Teste de profundidade: ' + onOff(state.depthTest, true) +
      ' \u00b7 Luzes ligadas: ' + (lights.length ? lights.join(', ') : 'nenhuma')));
    if (list.selected >= 0) keepInView(rowOf(list, list.selected));  // the list may have changed height
  }

  // Scrolls the list so that `row` is in view.
  function keepInView(row) {
    var top = row * rowHeight;
    if (top < callsList.scrollTop) callsList.scrollTop = top;
    else if (top + rowHeight > callsList.scrollTop + callsList.clientHeight) {
      callsList.scrollTop = top + rowHeight - callsList.clientHeight;
    }
  }

  // Selects the row that begins at `line` (-1: none), scrolled into view,
  // and draws the picture cut there.
  function select(line) {
    var list = inspection;
    list.selected = line;
    if (line >= 0) keepInView(rowOf(list, line));
    renderRows();
    queueDraw();
  }

  // Opens or folds the block that begins at `line`; the row stays selected.
  function setOpen(line, open) {
    var list = inspection;
    if (list.blockEnd[line] < 0 || !!list.opened[line] === open) return;
    list.opened[line] = open ? 1 : 0;
    buildRows(list);
    select(line);
  }

  // The block that `line` is in or begins, or -1.
  function blockOf(list, line) {
    if (list.blockEnd[line] >= 0) return line;
    for (var i = line - 1; i >= 0 && line - i < 100000; --i) {
      if (list.blockEnd[i] >= 0) return list.blockEnd[i] >= line ? i : -1;
    }
    return -1;
  }

  callsRows.addEventListener('click', function (event) {
    var row = event.target.closest('.call-row');
    if (!row || !inspection) return;
    var line = inspection.rows[row.rowIndex];
    callsList.focus({ preventScroll: true });
    if (inspection.blockEnd[line] >= 0) setOpen(line, !inspection.opened[line]);
    else select(line);
  });

  // The list's keys: Up, Down, Page Up, Page Down, Home and End move the
  // choice; Enter or Space opens or folds a block, Right opens it, Left
  // folds the one the choice is in.
  callsList.addEventListener('keydown', function (event) {
    var list = inspection;
    if (!list || event.ctrlKey || event.altKey || event.metaKey) return;
    var rows = list.rows;
    var at = list.selected >= 0 ? rowOf(list, list.selected) : -1;
    var page = Math.max(1, Math.floor(callsList.clientHeight / rowHeight) - 1);
    var to = null;
    switch (event.key) {
      case 'ArrowDown': to = at + 1; break;
      case 'ArrowUp': to = at < 0 ? rows.length - 1 : at - 1; break;
      case 'PageDown': to = at + page; break;
      case 'PageUp': to = at - page; break;
      case 'Home': to = 0; break;
      case 'End': to = rows.length - 1; break;
      case 'Enter':
      case ' ':
        if (at >= 0 && list.blockEnd[rows[at]] >= 0) setOpen(rows[at], !list.opened[rows[at]]);
        break;
      case 'ArrowRight':
        if (at >= 0) setOpen(rows[at], true);
        break;
      case 'ArrowLeft':
        if (at >= 0 && blockOf(list, rows[at]) >= 0) setOpen(blockOf(list, rows[at]), false);
        break;
      default:
        return;
    }
    event.preventDefault();
    if (to !== null && rows.length) select(rows[Math.max(0, Math.min(rows.length - 1, to))]);
  });

  var rendering = false;
  callsList.addEventListener('scroll', function () {
    if (rendering) return;
    rendering = true;
    requestAnimationFrame(function () {
      rendering = false;
      renderRows();
    });
  });
  if (window.ResizeObserver) new ResizeObserver(function () { renderRows(); }).observe(callsList);

  function showCallsPanel(open) {
    callsPanel.hidden = !open;
    view.classList.toggle('inspecting', open);
    callsButton.setAttribute('aria-pressed', open ? 'true' : 'false');
    keybarToggle.disabled = open;
    menuButton.disabled = open;
  }

  // Opens the panel: the viewer paused, the picture reshaped to its smaller
  // place, and once the runtime has drawn the frame at that size (the next
  // browser frame, or at once where `now`), the frame recorded and listed.
  // False where the viewer cannot be inspected now.
  function openCalls(now) {
    if (inspection) return true;
    if (!window.universe.ready || window.universe.ended || (openingCalls && !now)) return false;
    if (recording) {
      say('N\u00e3o se podem ver as chamadas durante uma grava\u00e7\u00e3o: pare-a primeiro.');
      return false;
    }
    closeMenus();
    if (!window.universe.paused) Module._glutWebPause(1);
    showCallsPanel(true);
    document.getElementById('calls-heading').textContent = 'Chamadas';
    if (!openingCalls) relayout();
    openingCalls = true;
    if (now) return listCalls();
    var frames = window.universe.frames;
    var waited = 0;
    (function waitForFrame() {
      if (!openingCalls) return;
      if (window.universe.frames === frames && ++waited < 60) requestAnimationFrame(waitForFrame);
      else listCalls();
    })();
    return false;
  }

  function listCalls() {
    openingCalls = false;
    if (!Module._glutWebInspect(1)) {
      showCallsPanel(false);
      relayout();
      say('N\u00e3o h\u00e1 ainda imagem cujas chamadas mostrar.');
      return false;
    }
    inspection = readCalls();
    inspection.selected = -1;
    inspection.screen = shownScreen();
    document.getElementById('calls-heading').textContent = plural(inspection.lines.length, 'chamada', 'chamadas');
    measureRows();
    callsList.scrollTop = 0;
    renderRows();
    showState(JSON.parse(Module.UTF8ToString(Module._glutWebCallState())), null);
    callsList.focus({ preventScroll: true });
    return true;
  }

  // Closes the panel: the whole frame drawn again, at the picture's larger
  // size, the viewer left paused.
  function closeCalls(refocus) {
    if (!inspection && !openingCalls) return;
    var wasInspecting = !!inspection;
    inspection = null;
    openingCalls = false;
    var focusInside = callsPanel.contains(document.activeElement);
    showCallsPanel(false);
    if (wasInspecting) Module._glutWebInspect(0);
    relayout();
    window.universePage.showPaused(window.universe.paused);
    if (refocus && focusInside) callsButton.focus({ preventScroll: true });
  }

  callsButton.addEventListener('click', function () {
    if (inspection || openingCalls) closeCalls(true); else openCalls(false);
  });
  document.getElementById('calls-close').addEventListener('click', function () { closeCalls(true); });
  document.addEventListener('keydown', function (event) {
    if (event.key !== 'Escape' || !(inspection || openingCalls) || event.defaultPrevented) return;
    event.preventDefault();
    closeCalls(true);
  });

  document.getElementById('calls-download').addEventListener('click', function () {
    if (!inspection) return;
    var name = 'universo3d-' + inspection.screen + '-chamadas.txt';
    var text = inspection.text;
    if (text && text.charAt(text.length - 1) !== '\n') text += '\n';
    download(new Blob([text], { type: 'text/plain;charset=utf-8' }), name);
    say('Lista descarregada: ' + name);
  });

  // For tests and scripts: the frame's calls as the downloaded text's
  // lines, and the picture cut after call n (0: nothing drawn after the
  // frame's start; null: the whole frame; clamped to the list), the panel
  // opened at once for them where it is not; showCallsUpTo returns GL's
  // state there. Null where the viewer cannot be inspected now.
  window.universe.frameCalls = function () {
    return openCalls(true) ? inspection.lines.slice() : null;
  };
  window.universe.showCallsUpTo = function (n) {
    if (!openCalls(true)) return null;
    var list = inspection;
    var cut = n === null || n === undefined ? null : Math.max(0, Math.min(list.lines.length, Math.floor(n)));
    drawQueued = true;  // drawn here, now
    if (cut) {
      var block = blockOf(list, cut - 1);
      if (block >= 0) setOpen(block, true);
      select(cut - 1);
    } else {
      select(-1);
    }
    var state = drawCut(cut);
    drawQueued = false;
    return state;
  };

  // Full screen, where the browser offers it.
  if (document.fullscreenEnabled && document.documentElement.requestFullscreen) {
    fullscreenButton.hidden = false;
    fullscreenButton.addEventListener('click', function () {
      if (document.fullscreenElement) {
        document.exitFullscreen();
      } else {
        document.documentElement.requestFullscreen().catch(function () {});
      }
    });
    document.addEventListener('fullscreenchange', function () {
      var full = !!document.fullscreenElement;
      var label = full ? 'Sair do ecr\u00e3 inteiro' : 'Ecr\u00e3 inteiro';
      fullscreenButton.querySelector('.wide').textContent = label;
      fullscreenButton.setAttribute('aria-label', label);
      fullscreenButton.title = label;
      fullscreenButton.setAttribute('aria-pressed', full ? 'true' : 'false');
    });
  }

  // What the runtime shows on the page.
  window.universePage = {
    pictureSize: function (fixedWidth, fixedHeight) {
      if (fixedWidth > 0) fixedSize = [fixedWidth, fixedHeight];
      windowCreated = true;
      return layout();
    },
    showPaused: function (paused) {
      pauseButton.textContent = paused ? 'Continuar' : 'Pausa';
      pauseButton.setAttribute('aria-pressed', paused ? 'true' : 'false');
      recordWithViewer();
    },
    showProgress: function (share) {
      progressBox.hidden = share >= 1;
      document.getElementById('progress-bar').value = share;
      document.getElementById('progress-label').textContent =
        'A preparar a imagem\u2026 ' + Math.floor(share * 100) + '%';
    },
    showError: showError,
    clearError: function () {
      messageElement.hidden = true;
      messageElement.textContent = '';
    },
    showEnded: function () {
      closeMenus();
      closeCalls(false);
      pauseButton.disabled = true;
      document.getElementById('ended').hidden = false;
      recordWithViewer();
    }
  };

  // The picture's code for another page (Incorporar): an iframe of the
  // embedded view of the picture as it is (the share link's steps), at the
  // picture's size, in window.universe.embedCode and on the clipboard where
  // the browser allows.
  function pageAddress(query) {
    return location.href.replace(/[?#].*$/, '') + query;
  }

  function attribute(text) {
    return text.replace(/&/g, '&amp;').replace(/"/g, '&quot;').replace(/</g, '&lt;');
  }

  function embedCode() {
    var query = Module.UTF8ToString(Module._universeShareQuery());
    var box = canvas.getBoundingClientRect();
    var size = fixedSize || [Math.round(box.width), Math.round(box.height)];
    return '<iframe src="' + attribute(pageAddress('?embed&' + query.slice(1))) + '" width="' + size[0] +
      '" height="' + size[1] + '" title="Universo 3D" allow="fullscreen" loading="lazy"></iframe>';
  }

  // Copies `text`: through the clipboard API, else the older copy command
  // on a selected text; a promise either way.
  function copyText(text) {
    var copied = navigator.clipboard && navigator.clipboard.writeText ?
      navigator.clipboard.writeText(text) : Promise.reject(new Error('no clipboard'));
    return copied.catch(function () {
      var field = document.createElement('textarea');
      field.value = text;
      field.setAttribute('readonly', '');
      field.style.position = 'fixed';
      field.style.opacity = '0';
      document.body.appendChild(field);
      field.select();
      var done;
      try { done = document.execCommand('copy'); } catch (error) { done = false; }
      field.remove();
      if (!done) throw new Error('not copied');
    });
  }

  window.universe.embedCode = null;  // the code Incorporar made last
  document.getElementById('embed-code').addEventListener('click', function () {
    if (!window.universe.ready) return;
    var code = embedCode();
    window.universe.embedCode = code;
    copyText(code).then(function () {
      say('C\u00f3digo para incorporar a imagem copiado.');
    }, function () {
      say('O navegador n\u00e3o deixou copiar o c\u00f3digo para incorporar a imagem.');
    });
  });

  // The embedded view (?embed) and, for the page hidden, the full page too.
  // While the picture is out of sight (scrolled out of the host page's
  // view, the page hidden) or waits for its play button (?embed&start=click,
  // once its first frame is drawn), the runtime is quiet: nothing is drawn
  // and the clocks stand still; an embed that starts out of view waits with
  // its start-up too. Quiet is not the user's pause, which stays as it is.
  var quietFor = { unseen: embedded, hidden: document.hidden, play: false };
  var runtimeUp = false;
  var startOnClick = embedded && /[?&]start=click(&|$)/.test(location.search);
  var playButton = document.getElementById('play');
  window.universe.quiet = quietFor.unseen || quietFor.hidden;  // drawing nothing, clocks still

  function applyQuiet() {
    var quiet = quietFor.unseen || quietFor.hidden || quietFor.play;
    window.universe.quiet = quiet;
    if (runtimeUp) Module._glutWebQuiet(quiet ? 1 : 0);
  }
  var runtimeInitialized = Module.onRuntimeInitialized;
  Module.onRuntimeInitialized = function () {
    if (runtimeInitialized) runtimeInitialized();
    runtimeUp = true;
    applyQuiet();
  };
  document.addEventListener('visibilitychange', function () {
    quietFor.hidden = document.hidden;
    applyQuiet();
  });
  if (embedded && window.IntersectionObserver) {
    new IntersectionObserver(function (entries) {
      quietFor.unseen = !entries[entries.length - 1].isIntersecting;
      applyQuiet();
    }).observe(canvas);
  } else {
    quietFor.unseen = false;
  }
  playButton.addEventListener('click', function () {
    quietFor.play = false;
    playButton.hidden = true;
    applyQuiet();
    focusCanvas();
  });

  // Abrir: the same view as a page of its own, in a new tab; its address
  // is made as the link is about to be followed.
  var openLink = document.getElementById('open-page');
  function fullPageAddress() {
    if (window.universe.ready) return pageAddress(Module.UTF8ToString(Module._universeShareQuery()));
    var kept = location.search.slice(1).split('&').filter(function (piece) {
      return piece && !/^(embed|start)(=|$)/.test(piece);
    });
    return pageAddress(kept.length ? '?' + kept.join('&') : '');
  }
  function pointOpenLink(event) {
    (event ? event.currentTarget : openLink).href = fullPageAddress();
  }
  ['pointerenter', 'focus', 'click'].forEach(function (type) { openLink.addEventListener(type, pointOpenLink); });

  // The controls fade while the picture is left alone, and come back on a
  // pointer, a key or the focus.
  var idleTimer = null;
  function wake() {
    document.documentElement.classList.remove('idle');
    clearTimeout(idleTimer);
    idleTimer = setTimeout(function () { document.documentElement.classList.add('idle'); }, 3000);
  }

  // The host page's API: window.postMessage from the frame's direct parent
  // only. Each request is checked for its shape and turned into an
  // address's steps (or a pause), played as the address's are; anything
  // else is ignored with a note in the console, never evaluated. Requests
  // made before the viewer is ready wait for it.
  var hostRequests = {
    scene: function (data) { return typeof data.name === 'string' && 'scene=' + encodeURIComponent(data.name); },
    key: function (data) { return typeof data.key === 'string' && 'keys=' + encodeURIComponent(data.key); },
    special: function (data) { return typeof data.key === 'string' && 'special=' + encodeURIComponent(data.key); },
    address: function (data) { return typeof data.query === 'string' && data.query.replace(/^\?/, ''); },
    pause: function () { return true; },
    resume: function () { return true; }
  };
  var waitingRequests = [];
  var told = { ready: false, scene: null, paused: null };

  // To the parent only, and only the API's messages: the scene's name, the
  // pause, the page's Portuguese message; nothing private, so to whatever
  // origin the host page has.
  function tellHost(message) {
    if (window.parent !== window) window.parent.postMessage(message, '*');
  }

  function tellState() {
    if (!told.ready || window.universe.ended) return;
    var scene = Module.UTF8ToString(Module._universeSceneName());
    if (scene !== told.scene) tellHost({ universe: 'scene', name: told.scene = scene });
    if (window.universe.paused !== told.paused) tellHost({ universe: 'paused', paused: told.paused = window.universe.paused });
  }

  function runHostRequest(request) {
    if (window.universe.ended) return;
    if (request.type === 'pause' || request.type === 'resume') {
      Module._glutWebPause(request.type === 'pause' ? 1 : 0);
      return;
    }
    window.universePage.hostQuery = request.query;
    var taken = Module._universeApplyHostAddress();
    window.universePage.hostQuery = '';
    if (!taken) tellHost({ universe: 'error', message: window.universe.error });
  }

  function hostMessage(event) {
    if (window.parent === window || event.source !== window.parent) {
      console.warn('Universo 3D: mensagem de outra janela ignorada.');
      return;
    }
    var data = event.data;
    var read = data && typeof data === 'object' && typeof data.universe === 'string' &&
      Object.prototype.hasOwnProperty.call(hostRequests, data.universe) ? hostRequests[data.universe](data) : false;
    if (!read || (typeof read === 'string' && read.length > 4000)) {
      console.warn('Universo 3D: mensagem ignorada, sem a forma de um pedido conhecido.');
      return;
    }
    var request = { type: data.universe, query: read };
    if (!told.ready) {
      if (waitingRequests.length < 100) waitingRequests.push(request);
      return;
    }
    runHostRequest(request);
  }

  // The runtime sets window.universe.ready (when the address is played)
  // and frames (each frame); in the embedded view the page hears of both.
  function whenSet(name, then) {
    var value = window.universe[name];
    Object.defineProperty(window.universe, name, {
      enumerable: true,
      get: function () { return value; },
      set: function (next) { value = next; then(next); }
    });
  }

  function setUpEmbed() {
    document.documentElement.classList.add('embed');
    ['pointermove', 'pointerdown', 'keydown', 'focusin'].forEach(function (type) {
      document.addEventListener(type, wake, true);
    });
    wake();
    window.addEventListener('message', hostMessage);
    whenSet('ready', function (ready) {
      if (!ready || told.ready) return;
      told.ready = true;
      wake();
      if (startOnClick) {
        quietFor.play = true;
        playButton.hidden = false;
        applyQuiet();
      }
      tellHost({ universe: 'ready' });
      tellState();
      waitingRequests.splice(0).forEach(runHostRequest);
    });
    whenSet('frames', tellState);
    var showPaused = window.universePage.showPaused;
    window.universePage.showPaused = function (paused) {
      showPaused(paused);
      tellState();
    };
    // A message about the WebGL context (refused where the page around has
    // too many pictures, or lost) offers the view as a page of its own.
    var showError = window.universePage.showError;
    window.universePage.showError = function (message) {
      showError(message);
      if (message === window.universe.error) return;
      var link = document.createElement('a');
      link.className = 'open-instead';
      link.target = '_blank';
      link.rel = 'noopener';
      link.textContent = 'Abrir numa p\u00e1gina pr\u00f3pria';
      link.href = fullPageAddress();
      link.addEventListener('click', pointOpenLink);
      messageElement.appendChild(document.createTextNode(' '));
      messageElement.appendChild(link);
    };
  }
  if (embedded) setUpEmbed();

  // The program. A page opened from a file cannot fetch universe.wasm, so
  // there it comes from universe-wasm.js (the same bytes as base64).
  function addScript(source, loaded) {
    var script = document.createElement('script');
    script.src = source;
    script.onload = loaded || null;
    script.onerror = function () {
      showError('N\u00e3o foi poss\u00edvel carregar ' + source + ', que o programa precisa.');
    };
    document.body.appendChild(script);
  }
  if (location.protocol === 'file:') {
    addScript('universe-wasm.js', function () {
      var text = atob(window.universeWasm);
      var bytes = new Uint8Array(text.length);
      for (var i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
      Module.wasmBinary = bytes;
      addScript('universe.js');
    });
  } else {
    addScript('universe.js');
  }

  // The app: a served page links its manifest (a page opened as a file may
  // not fetch it) and registers the worker that keeps the site for offline
  // use (sw.js); a page opened as a file has its files already.
  if (/^https?:$/.test(location.protocol)) {
    var manifest = document.createElement('link');
    manifest.rel = 'manifest';
    manifest.href = 'manifest.json';
    document.head.appendChild(manifest);
    if ('serviceWorker' in navigator) {
      window.addEventListener('load', function () {
        navigator.serviceWorker.register('sw.js').then(offerNewReleases, function (error) {
          console.error('Universo 3D: a c\u00f3pia para uso offline n\u00e3o foi registada:', error);
        });
      });
    }
  }

  // A new release's worker, installed while this page runs from an older
  // one, waits: a notice offers it, and its button asks it to take over,
  // then reloads the page, once, when it has. The browser looks for a new
  // release at each visit; while the page stays open, every hour too.
  function offerNewReleases(registration) {
    var notice = null;
    var taking = false;
    function offer() {
      if (notice || !navigator.serviceWorker.controller) return;  // not on the first visit
      notice = document.createElement('p');
      notice.id = 'update';
      notice.setAttribute('role', 'status');
      notice.textContent = 'H\u00e1 uma vers\u00e3o nova. ';
      var button = document.createElement('button');
      button.type = 'button';
      button.textContent = 'Atualizar';
      button.addEventListener('click', function () {
        taking = true;
        if (registration.waiting) registration.waiting.postMessage('take-over');
      });
      notice.appendChild(button);
      messageElement.after(notice);
    }
    function watch(worker) {
      if (!worker) return;
      if (worker.state === 'installed') offer();
      worker.addEventListener('statechange', function () { if (worker.state === 'installed') offer(); });
    }
    watch(registration.waiting);
    watch(registration.installing);
    registration.addEventListener('updatefound', function () { watch(registration.installing); });
    navigator.serviceWorker.addEventListener('controllerchange', function () {
      if (notice) notice.remove();
      notice = null;
      if (taking) location.reload();
      taking = false;
    });
    setInterval(function () { registration.update().catch(function () {}); }, 3600 * 1000);
  }

  focusCanvas();
})();
