#include "state/app_state.h"

AppState appState;

void stepStride(AppState& state) {
    if (state.strideFlag) {
        state.armSwing = -10;
        state.armSpread = 40;
    } else {
        state.armSwing = 10;
        state.armSpread = -40;
    }
    toggle(state.strideFlag);
}
