// ESLint's settings for the project's JavaScript (scripts/check-style runs
// it): the page's script and offline worker, and the browser platform's
// JavaScript libraries, which emscripten links into universe.js. ESLint's
// recommended rules for plain scripts in the style they are written in:
// `var` and function expressions, strict equality, and a caught error
// named even where it is not used.
import js from '@eslint/js';
import globals from 'globals';

// What emscripten's output gives a JavaScript library's functions: the
// module, its heap views, its string helper, and the library's own objects
// (each `$Name` of a library is the global `Name`).
const emscriptenLibrary = {
  mergeInto: 'readonly',
  LibraryManager: 'readonly',
  Module: 'readonly',
  HEAP32: 'readonly',
  HEAPF32: 'readonly',
  HEAPU16: 'readonly',
  UTF8ToString: 'readonly',
  UniverseGL: 'readonly'
};

const style = {
  eqeqeq: 'error',
  'no-unused-vars': ['error', { caughtErrors: 'none' }]
};

export default [
  js.configs.recommended,
  {
    files: ['web/page/page.js'],
    languageOptions: {
      sourceType: 'script',
      globals: { ...globals.browser, Module: 'readonly' }
    },
    rules: style
  },
  {
    files: ['web/page/sw.js'],
    languageOptions: { sourceType: 'script', globals: globals.serviceworker },
    rules: style
  },
  {
    files: ['web/webgl/*.js', 'web/glut/*.js'],
    languageOptions: {
      sourceType: 'script',
      globals: { ...globals.browser, ...emscriptenLibrary }
    },
    rules: style
  }
];
