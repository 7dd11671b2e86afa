// The page around the viewer: hands the canvas to the program (universe.js),
// passes keys, the key bar and the pause button to its GLUT runtime, and
// shows its pop-up menus. window.universe is the page's state as tests and
// scripts read it; the runtime keeps it up to date.
'use strict';

window.universe = {
  ready: false,    // the start-up frames (with the address's steps) are drawn
  frames: 0,       // buffer swaps so far
  paused: false,   // no idle steps
  ended: false,    // the farewell is over
  error: null,     // what was wrong with the address, or null
  frameMs: []      // the last 100 display-callback durations, in ms
};

(function () {
  var canvas = document.getElementById('canvas');
  var stage = document.getElementById('stage');
  var menuLayer = document.getElementById('menus');
  var pauseButton = document.getElementById('pause');
  var keybar = document.getElementById('keybar');
  var keybarToggle = document.getElementById('keybar-toggle');

  // GLUT's special key codes, by event.key.
  var specialKeys = {
    F1: 1, F2: 2, F3: 3, F4: 4, F5: 5, F6: 6, F7: 7, F8: 8,
    ArrowLeft: 100, ArrowUp: 101, ArrowRight: 102, ArrowDown: 103
  };
  // Keys that GLUT passes as characters though event.key names them.
  var namedCharacters = { Enter: 13, Escape: 27, Backspace: 8, Delete: 127 };

  window.Module = {
    canvas: canvas,
    print: function () {},
    printErr: function (text) { console.error(text); }
  };

  function acceptsInput() {
    return window.universe.ready && !window.universe.ended && Module._glutWebAcceptsInput();
  }

  function focusCanvas() {
    canvas.focus({ preventScroll: true });
  }

  // The GLUT code of `key` (an event.key value): {special: code} or
  // {character: byte}, or null for a key GLUT would not pass (beyond
  // Latin-1, or a key the viewer's platform leaves to the browser).
  function glutKey(key) {
    if (Object.prototype.hasOwnProperty.call(specialKeys, key)) return { special: specialKeys[key] };
    if (Object.prototype.hasOwnProperty.call(namedCharacters, key)) return { character: namedCharacters[key] };
    if (key.length === 1 && key.charCodeAt(0) <= 255) return { character: key.charCodeAt(0) };
    return null;
  }

  function sendKey(code) {
    if (!acceptsInput()) return;
    if (code.special !== undefined) {
      Module._glutWebSpecial(code.special);
    } else {
      Module._glutWebKeyboard(code.character);
    }
  }

  canvas.addEventListener('keydown', function (event) {
    if (event.ctrlKey || event.altKey || event.metaKey) return;
    var code = glutKey(event.key);
    if (!code) return;
    event.preventDefault();  // F5 reload, F1 help, F3 find, F7 caret browsing, scrolling
    sendKey(code);
  });

  // The pop-up menus: one .menu per open level, each entry a .menu-entry
  // (.submenu when it opens another menu) whose text is the label as is.
  var openMenus = [];  // elements, from the top level down
  var menuTree = null;

  function readMenuTree() {
    return JSON.parse(Module.UTF8ToString(Module._glutWebMenuJson()));
  }

  function closeMenusFrom(level) {
    while (openMenus.length > level) {
      var menu = openMenus.pop();
      menu.remove();
    }
    if (level > 0) {
      var parentEntries = openMenus[level - 1].children;
      for (var i = 0; i < parentEntries.length; ++i) parentEntries[i].classList.remove('open');
    }
  }

  function closeMenus() {
    closeMenusFrom(0);
  }

  // Places `menu` at (x, y) in the stage, moved back inside it where it
  // fits; with `keepX` only up or down.
  function place(menu, x, y, keepX) {
    var width = stage.clientWidth;
    var height = stage.clientHeight;
    if (!keepX && x + menu.offsetWidth > width) x = width - menu.offsetWidth;
    if (y + menu.offsetHeight > height) y = height - menu.offsetHeight;
    menu.style.left = Math.max(0, x) + 'px';
    menu.style.top = Math.max(0, y) + 'px';
  }

  function openSubMenu(level, entry, id) {
    closeMenusFrom(level + 1);
    entry.classList.add('open');
    var parent = openMenus[level];
    var menu = buildMenu(level + 1, id);
    // Beside its entry, on the right unless only the left has room: it never
    // covers the entry, even where it is wider than the canvas.
    var right = parent.offsetLeft + parent.offsetWidth - 2;
    var left = parent.offsetLeft - menu.offsetWidth + 2;
    var fitsRight = right + menu.offsetWidth <= stage.clientWidth;
    place(menu, fitsRight || left < 0 ? right : left, parent.offsetTop + entry.offsetTop - 3, true);
  }

  function choose(id, index) {
    closeMenus();
    focusCanvas();
    if (acceptsInput()) Module._glutWebChooseMenuEntry(id, index);
  }

  function buildMenu(level, id) {
    var menu = document.createElement('div');
    menu.className = 'menu';
    menu.setAttribute('role', 'menu');
    (menuTree.menus[id] || []).forEach(function (item, index) {
      var entry = document.createElement('div');
      entry.className = 'menu-entry';
      entry.setAttribute('role', 'menuitem');
      entry.textContent = item.label;
      if (item.submenu !== undefined) {
        entry.classList.add('submenu');
        entry.addEventListener('mouseenter', function () { openSubMenu(level, entry, item.submenu); });
        entry.addEventListener('click', function () { openSubMenu(level, entry, item.submenu); });
      } else {
        entry.addEventListener('mouseenter', function () { closeMenusFrom(level + 1); });
        entry.addEventListener('click', function () { choose(id, index); });
      }
      menu.appendChild(entry);
    });
    menuLayer.appendChild(menu);
    openMenus.push(menu);
    return menu;
  }

  function openMenuAt(x, y) {
    closeMenus();
    menuTree = readMenuTree();
    if (!menuTree.left) return;
    place(buildMenu(0, menuTree.left), x, y);
  }

  // A press anywhere outside the menus closes them; that press does nothing
  // else on the canvas, as with a desktop pop-up.
  document.addEventListener('pointerdown', function (event) {
    if (!openMenus.length || event.target.closest('.menu')) return;
    closeMenus();
    event.universeMenuClosed = true;
  }, true);

  canvas.addEventListener('pointerdown', function (event) {
    focusCanvas();
    if (event.universeMenuClosed || event.button !== 0 || !acceptsInput()) return;
    event.preventDefault();
    var box = canvas.getBoundingClientRect();
    openMenuAt(event.clientX - box.left, event.clientY - box.top);
  });

  document.addEventListener('keydown', function (event) {
    if (event.key !== 'Escape' || !openMenus.length) return;
    event.preventDefault();
    event.stopPropagation();
    closeMenus();
    focusCanvas();
  }, true);

  window.addEventListener('resize', closeMenus);

  // The key bar and the buttons.
  Array.prototype.forEach.call(keybar.querySelectorAll('button[data-key]'), function (button) {
    button.addEventListener('click', function () {
      var code = glutKey(button.dataset.key);
      if (code) sendKey(code);
      focusCanvas();
    });
  });

  function showKeybar(shown) {
    keybar.hidden = !shown;
    keybarToggle.setAttribute('aria-expanded', shown ? 'true' : 'false');
  }
  keybarToggle.addEventListener('click', function () { showKeybar(keybar.hidden); });
  // Shown from the start where there is no keyboard to expect.
  if (window.matchMedia && window.matchMedia('(pointer: coarse)').matches) showKeybar(true);

  pauseButton.addEventListener('click', function () {
    if (window.universe.ready && !window.universe.ended) Module._glutWebPause(window.universe.paused ? 0 : 1);
  });

  document.getElementById('restart').addEventListener('click', function () {
    location.href = location.pathname;
  });

  // What the runtime shows on the page.
  window.universePage = {
    showPaused: function (paused) {
      pauseButton.textContent = paused ? 'Resume' : 'Pause';
      pauseButton.setAttribute('aria-pressed', paused ? 'true' : 'false');
    },
    showError: function (message) {
      var element = document.getElementById('message');
      element.textContent = message;
      element.hidden = false;
    },
    showEnded: function () {
      closeMenus();
      pauseButton.disabled = true;
      document.getElementById('ended').hidden = false;
    }
  };

  focusCanvas();
})();
