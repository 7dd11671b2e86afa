// The key table: every key the viewer acts on, each written once, in the
// order of the help cards. The keyboard handler acts by its row, and the
// help menus, --help, the steps that universe-snapshot and the page's
// address take, the share link and the page's key bar are all read from it.
// The lines of the help cards that name no key (their headings) stand in it
// too, so that the cards read top to bottom as the menus show them.
#pragma once

#include <string>
#include <vector>

struct AppState;

// The help card (and menu) that lists a key; --help groups keys the same way.
enum class HelpCard { General, Manual };

// What a key does; pressKey has a case for each (moveCamera for Camera).
enum class KeyAction {
    None,      // a line of a help card that names no key
    Camera,    // moveCamera's case for the special key's code
    StarAxis,  // sets starAxis to `axis`
    Mode,      // turns `flag`, a manual transform, on or off; a scene choice turns it off
    Follow,    // turns `flag`, an object following the manual motion, on or off; kept across scenes
    StepForward,  // one step forward of each manual transform that is on
    StepBack,     // one step back of each of them
};

struct ViewerKey {
    HelpCard card;
    const char* helpLine;  // its line on the help card, Latin-1, byte for byte as the menu shows it
    int helpValue;         // that line's menu value
    KeyAction action;
    int code;          // the character, or a special key's GLUT_KEY_* code; 0 for a line alone
    bool special;      // a GLUT special key (onSpecialKey), not a character (onKeyboard)
    const char* name;  // a special key's name for --special and the address ("F1", "up")
    const char* browserKey;  // a special key's KeyboardEvent.key in the browser ("ArrowUp")
    bool AppState::*flag;    // Mode and Follow: the flag it turns on and off
    int axis;                // StarAxis: the value it gives starAxis
    const char* cap;         // the key bar: the key's face, UTF-8; null: its name or character
    const char* label;       // the key bar: a short Portuguese label, UTF-8
    const char* english;     // --help: what it does
    bool byName;             // --keys or --special and the address take it
};

extern const std::vector<ViewerKey> viewerKeys;

// Whether a row is a key (not a line of a card alone).
inline bool isKey(const ViewerKey& row) { return row.action != KeyAction::None; }

// The key with this character (`special` false) or GLUT special code, or
// nullptr.
const ViewerKey* findKey(int code, bool special);

// How the key is named: a special key's name, a character key's character.
std::string keyName(const ViewerKey& key);

// The character keys that --keys and the address take, in table order.
std::string characterKeys();
