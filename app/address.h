// The page's address: the steps, pause and size it asks for, and the
// address that brings a page back to the picture it shows (its share link).
#pragma once

#include <string>
#include <vector>

#include "app/steps.h"
#include "state/app_state.h"

// The most idle ticks an address takes, in all, and the most other steps
// (scenes, options, keys, camera keys), each of which draws a frame too.
const long maxAddressTicks = 1000000;
const long maxAddressSteps = 1000000;

// What the page's address asks for.
struct AddressRequest {
    std::vector<Step> steps;
    bool pause = false;
    int width = 0;  // size=WxH: the picture's size; 0 when not given
    int height = 0;
    std::vector<std::string> ignored;  // parameters the page does not know
};

// Reads the page's query ("?a=b&c", percent-encoded; '+' stands for
// itself). In the query's order: scene=NAME (a screen), axes=on|off,
// light=on|off, stars=blink|steady, keys=CHARS, special=K,K,... and
// ticks=N (idle ticks at that point, up to maxAddressTicks in all; the
// other steps up to maxAddressSteps in all); and pause and size=WxH
// anywhere. A NUL in a value is refused. Percent-encoded UTF-8 of a Latin-1
// character becomes that character. Parameters of other names are listed
// in `ignored`. Returns "" or what is wrong (Latin-1, in Portuguese).
std::string parseAddress(const std::string& query, AddressRequest& request);

// The record a page keeps of the scene it shows, for the address that
// brings it back: what a scene choice leaves as it was (the zoom, the star
// axis, the follow flags) as it was when the scene's view was reset, and
// the keys and idle ticks since.
struct SceneRecord {
    double fovY = AppState{}.fovY;
    int starAxis = AppState{}.starAxis;
    std::vector<bool> follows;  // each follow key's flag, in the key table's order
    std::vector<Step> keys;     // Key and Special steps, in order
    long ticks = 0;
};

// Starts `record` over for a scene whose view is being reset in `state`.
void beginSceneRecord(SceneRecord& record, const AppState& state);

// Notes a key, camera key or idle tick (Ticks with value 1) applied in the
// scene; other steps change nothing the record keeps.
void noteStep(SceneRecord& record, const Step& step);

// An address query ("scene=...&...") whose playback reaches the picture
// that `state` shows, its scene recorded in `record`: steps a person can
// read and edit, with idle ticks before the scene where the stars' blink
// or the astronaut's stride must be set; then pause and size=WxH when
// given (width 0: none).
std::string shareQuery(const AppState& state, const SceneRecord& record, bool paused, int width,
                       int height);
