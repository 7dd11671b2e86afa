// GLUT's pop-up menus, recorded as a tree for the page to show: the page
// reads the tree as JSON (glutWebMenuJson) and reports the entry chosen
// (glutWebChooseMenuEntry), which calls the owning menu's callback as GLUT
// does.
#include <GL/freeglut.h>
#include <emscripten.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

struct Entry {
    std::string label;  // Latin-1 bytes
    int value;          // the callback's value, or the submenu's id
    bool isSubMenu;
};

struct Menu {
    void (*callback)(int);
    std::vector<Entry> entries;
};

std::vector<Menu> menus;           // menu id N at index N - 1
int currentMenu = 0;               // 0: none
std::map<int, int> attachedMenus;  // button -> menu id

Menu* findMenu(int id) {
    if (id < 1 || id > static_cast<int>(menus.size())) return nullptr;
    return &menus[id - 1];
}

// A JSON string of Latin-1 bytes, every byte outside printable ASCII as
// \u00XX, so that the text reaches the page unchanged whatever the encoding.
std::string jsonString(const std::string& latin1) {
    std::string json = "\"";
    for (unsigned char byte : latin1) {
        if (byte < 0x20 || byte >= 0x7f || byte == '"' || byte == '\\') {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            json += escape;
        } else {
            json += static_cast<char>(byte);
        }
    }
    return json + "\"";
}

}  // namespace

extern "C" {

int glutCreateMenu(void (*callback)(int)) {
    menus.push_back({callback, {}});
    currentMenu = static_cast<int>(menus.size());
    return currentMenu;
}

void glutAddMenuEntry(const char* label, int value) {
    if (Menu* menu = findMenu(currentMenu)) menu->entries.push_back({label, value, false});
}

void glutAddSubMenu(const char* label, int subMenu) {
    if (Menu* menu = findMenu(currentMenu)) menu->entries.push_back({label, subMenu, true});
}

void glutAttachMenu(int button) {
    if (findMenu(currentMenu)) attachedMenus[button] = currentMenu;
}

// {"left": ID or 0, "menus": {"ID": [{"label": "...", "value": N} or
// {"label": "...", "submenu": ID}, ...], ...}}. Valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* glutWebMenuJson() {
    static std::string json;
    const auto left = attachedMenus.find(GLUT_LEFT_BUTTON);
    json = "{\"left\":" + std::to_string(left == attachedMenus.end() ? 0 : left->second) +
           ",\"menus\":{";
    for (size_t index = 0; index < menus.size(); ++index) {
        if (index) json += ",";
        json += "\"" + std::to_string(index + 1) + "\":[";
        const std::vector<Entry>& entries = menus[index].entries;
        for (size_t at = 0; at < entries.size(); ++at) {
            if (at) json += ",";
            json += "{\"label\":" + jsonString(entries[at].label) + ",\"" +
                    (entries[at].isSubMenu ? "submenu" : "value") +
                    "\":" + std::to_string(entries[at].value) + "}";
        }
        json += "]";
    }
    json += "}}";
    return json.c_str();
}

// The entry at `index` of menu `id` was chosen: its menu's callback gets
// the entry's value, with that menu current, as in GLUT.
EMSCRIPTEN_KEEPALIVE void glutWebChooseMenuEntry(int id, int index) {
    Menu* menu = findMenu(id);
    if (!menu || index < 0 || index >= static_cast<int>(menu->entries.size())) return;
    const Entry& entry = menu->entries[index];
    if (entry.isSubMenu || !menu->callback) return;
    const int previous = currentMenu;
    currentMenu = id;
    menu->callback(entry.value);
    currentMenu = previous;
}

}  // extern "C"
