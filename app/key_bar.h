// The page's key bar, read from the key table: the page asks the program
// for it at start-up (universeKeyBarJson in app/web_main.cpp), builds a
// button for each key and passes those keys, and only those, to the viewer.
#pragma once

#include <string>

// A JSON array, UTF-8, one object per key of the bar in the table's order:
// "key" (the browser's KeyboardEvent.key), "special" (a GLUT special key,
// else a character), "code" (the GLUT code or the character), "cap" (the
// key's face), "label" (its short label) and "title" (its line on the help
// card, without the card's padding).
std::string keyBarJson();
