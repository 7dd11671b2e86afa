#include "web/calls/call_recorder.h"

#include <GL/freeglut.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace calls {

void recordCalls(CallFrame* frame) {
    if (frame) frame->clear();
    CallScope::frame = frame;
}

namespace {

// How many values a glLightfv, glMaterialfv or glLightModelfv parameter has.
int paramCount(unsigned pname) {
    switch (pname) {
        case GL_AMBIENT:
        case GL_DIFFUSE:
        case GL_SPECULAR:
        case GL_POSITION:
        case GL_EMISSION:
        case GL_AMBIENT_AND_DIFFUSE:
        case GL_LIGHT_MODEL_AMBIENT: return 4;
        case GL_SPOT_DIRECTION: return 3;
        default: return 1;
    }
}

uint32_t bitsOf(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Appends one call's words.
struct Put {
    std::vector<uint32_t>& words;
    unsigned lastEnum = 0;  // the name that a Params argument's length depends on

    explicit Put(Op op) : words(CallScope::frame->words) {
        words.push_back(static_cast<uint32_t>(op));
        ++CallScope::frame->count;
    }
    void Enum(unsigned value) {
        words.push_back(value);
        lastEnum = value;
    }
    void Mode(unsigned value) { words.push_back(value); }
    void Mask(unsigned value) { words.push_back(value); }
    void Int(int value) { words.push_back(static_cast<uint32_t>(value)); }
    void Char(int value) { Int(value); }
    void Float(float value) { words.push_back(bitsOf(value)); }
    void Double(double value) {
        uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        words.push_back(static_cast<uint32_t>(bits));
        words.push_back(static_cast<uint32_t>(bits >> 32));
    }
    void putFloats(const float* values, int count) {
        for (int i = 0; i < count; i++) Float(values[i]);
    }
    void Params(const float* values) {
        const int count = paramCount(lastEnum);
        words.push_back(static_cast<uint32_t>(count));
        putFloats(values, count);
    }
    void Matrix(const float* values) { putFloats(values, 16); }
    void MatrixD(const double* values) {
        for (int i = 0; i < 16; i++) Double(values[i]);
    }
    void Font(void* font) {
        const uint64_t bits = reinterpret_cast<uintptr_t>(font);
        words.push_back(static_cast<uint32_t>(bits));
        words.push_back(static_cast<uint32_t>(bits >> 32));
    }
    void Quadric(GLUquadric*) {}
};

}  // namespace

#define UNIVERSE_CALL_PUT(i, kind) put.kind(a##i);
#define UNIVERSE_CALL_RECORD(name, result, n, kinds)          \
    void record_##name(UNIVERSE_CALL_PARAMS(n, kinds)) {      \
        [[maybe_unused]] Put put(Op::name##Call);             \
        UNIVERSE_CALL_STATEMENTS(n, UNIVERSE_CALL_PUT, kinds) \
    }
UNIVERSE_CALLS(UNIVERSE_CALL_RECORD)
#undef UNIVERSE_CALL_RECORD
#undef UNIVERSE_CALL_PUT

float CallReader::readFloat() {
    float value;
    const uint32_t bits = words_[at_++];
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double CallReader::readDouble() {
    const uint64_t bits = words_[at_] | static_cast<uint64_t>(words_[at_ + 1]) << 32;
    at_ += 2;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

Floats CallReader::readParams() {
    Floats values;
    values.count = static_cast<int>(words_[at_++]);
    for (int i = 0; i < values.count; i++) values.v[i] = readFloat();
    return values;
}

Floats CallReader::readMatrix() {
    Floats values;
    values.count = 16;
    for (float& value : values.v) value = readFloat();
    return values;
}

Doubles CallReader::readMatrixD() {
    Doubles values;
    for (double& value : values.v) value = readDouble();
    return values;
}

void* CallReader::readFont() {
    const uint64_t bits = words_[at_] | static_cast<uint64_t>(words_[at_ + 1]) << 32;
    at_ += 2;
    return reinterpret_cast<void*>(static_cast<uintptr_t>(bits));
}

namespace {

struct Name {
    unsigned value;
    const char* name;
};
#define UNIVERSE_GL_NAME(name) \
    { name, #name }

// The names a GL enum argument may take (their values do not overlap).
const Name enumNames[] = {
    UNIVERSE_GL_NAME(GL_CULL_FACE),
    UNIVERSE_GL_NAME(GL_LIGHTING),
    UNIVERSE_GL_NAME(GL_COLOR_MATERIAL),
    UNIVERSE_GL_NAME(GL_DEPTH_TEST),
    UNIVERSE_GL_NAME(GL_NORMALIZE),
    UNIVERSE_GL_NAME(GL_RESCALE_NORMAL),
    UNIVERSE_GL_NAME(GL_BLEND),
    UNIVERSE_GL_NAME(GL_TEXTURE_2D),
    UNIVERSE_GL_NAME(GL_POLYGON_OFFSET_FILL),
    UNIVERSE_GL_NAME(GL_POINT_SMOOTH),
    UNIVERSE_GL_NAME(GL_LINE_SMOOTH),
    UNIVERSE_GL_NAME(GL_LINE_STIPPLE),
    UNIVERSE_GL_NAME(GL_LIGHT0),
    UNIVERSE_GL_NAME(GL_LIGHT1),
    UNIVERSE_GL_NAME(GL_LIGHT2),
    UNIVERSE_GL_NAME(GL_LIGHT3),
    UNIVERSE_GL_NAME(GL_LIGHT4),
    UNIVERSE_GL_NAME(GL_LIGHT5),
    UNIVERSE_GL_NAME(GL_LIGHT6),
    UNIVERSE_GL_NAME(GL_LIGHT7),
    UNIVERSE_GL_NAME(GL_FRONT),
    UNIVERSE_GL_NAME(GL_BACK),
    UNIVERSE_GL_NAME(GL_FRONT_AND_BACK),
    UNIVERSE_GL_NAME(GL_CW),
    UNIVERSE_GL_NAME(GL_CCW),
    UNIVERSE_GL_NAME(GL_NEVER),
    UNIVERSE_GL_NAME(GL_LESS),
    UNIVERSE_GL_NAME(GL_EQUAL),
    UNIVERSE_GL_NAME(GL_LEQUAL),
    UNIVERSE_GL_NAME(GL_GREATER),
    UNIVERSE_GL_NAME(GL_NOTEQUAL),
    UNIVERSE_GL_NAME(GL_GEQUAL),
    UNIVERSE_GL_NAME(GL_ALWAYS),
    UNIVERSE_GL_NAME(GL_AMBIENT),
    UNIVERSE_GL_NAME(GL_DIFFUSE),
    UNIVERSE_GL_NAME(GL_SPECULAR),
    UNIVERSE_GL_NAME(GL_POSITION),
    UNIVERSE_GL_NAME(GL_SPOT_DIRECTION),
    UNIVERSE_GL_NAME(GL_SPOT_EXPONENT),
    UNIVERSE_GL_NAME(GL_SPOT_CUTOFF),
    UNIVERSE_GL_NAME(GL_CONSTANT_ATTENUATION),
    UNIVERSE_GL_NAME(GL_LINEAR_ATTENUATION),
    UNIVERSE_GL_NAME(GL_QUADRATIC_ATTENUATION),
    UNIVERSE_GL_NAME(GL_EMISSION),
    UNIVERSE_GL_NAME(GL_SHININESS),
    UNIVERSE_GL_NAME(GL_AMBIENT_AND_DIFFUSE),
    UNIVERSE_GL_NAME(GL_LIGHT_MODEL_LOCAL_VIEWER),
    UNIVERSE_GL_NAME(GL_LIGHT_MODEL_TWO_SIDE),
    UNIVERSE_GL_NAME(GL_LIGHT_MODEL_AMBIENT),
    UNIVERSE_GL_NAME(GL_FLAT),
    UNIVERSE_GL_NAME(GL_SMOOTH),
    UNIVERSE_GL_NAME(GL_MODELVIEW),
    UNIVERSE_GL_NAME(GL_PROJECTION),
    UNIVERSE_GL_NAME(GL_TEXTURE),
    UNIVERSE_GL_NAME(GL_UNPACK_SWAP_BYTES),
    UNIVERSE_GL_NAME(GL_UNPACK_LSB_FIRST),
    UNIVERSE_GL_NAME(GL_UNPACK_ROW_LENGTH),
    UNIVERSE_GL_NAME(GL_UNPACK_SKIP_ROWS),
    UNIVERSE_GL_NAME(GL_UNPACK_SKIP_PIXELS),
    UNIVERSE_GL_NAME(GL_UNPACK_ALIGNMENT),
    UNIVERSE_GL_NAME(GL_PACK_SWAP_BYTES),
    UNIVERSE_GL_NAME(GL_PACK_LSB_FIRST),
    UNIVERSE_GL_NAME(GL_PACK_ROW_LENGTH),
    UNIVERSE_GL_NAME(GL_PACK_SKIP_ROWS),
    UNIVERSE_GL_NAME(GL_PACK_SKIP_PIXELS),
    UNIVERSE_GL_NAME(GL_PACK_ALIGNMENT),
};

const Name modeNames[] = {
    UNIVERSE_GL_NAME(GL_POINTS),       UNIVERSE_GL_NAME(GL_LINES),
    UNIVERSE_GL_NAME(GL_LINE_LOOP),    UNIVERSE_GL_NAME(GL_LINE_STRIP),
    UNIVERSE_GL_NAME(GL_TRIANGLES),    UNIVERSE_GL_NAME(GL_TRIANGLE_STRIP),
    UNIVERSE_GL_NAME(GL_TRIANGLE_FAN), UNIVERSE_GL_NAME(GL_QUADS),
    UNIVERSE_GL_NAME(GL_QUAD_STRIP),   UNIVERSE_GL_NAME(GL_POLYGON),
};

const Name maskNames[] = {
    UNIVERSE_GL_NAME(GL_COLOR_BUFFER_BIT),
    UNIVERSE_GL_NAME(GL_DEPTH_BUFFER_BIT),
    UNIVERSE_GL_NAME(GL_STENCIL_BUFFER_BIT),
};
#undef UNIVERSE_GL_NAME

// The platform's bitmap fonts by their GLUT names (handles are addresses on
// the desktop, small numbers in the browser).
struct FontName {
    void* font;
    const char* name;
};
#define UNIVERSE_FONT_NAME(name) \
    { name, #name }
const FontName fontNames[] = {
    UNIVERSE_FONT_NAME(GLUT_BITMAP_TIMES_ROMAN_24), UNIVERSE_FONT_NAME(GLUT_BITMAP_HELVETICA_18),
#ifdef GLUT_BITMAP_9_BY_15
    UNIVERSE_FONT_NAME(GLUT_BITMAP_9_BY_15),        UNIVERSE_FONT_NAME(GLUT_BITMAP_8_BY_13),
    UNIVERSE_FONT_NAME(GLUT_BITMAP_TIMES_ROMAN_10), UNIVERSE_FONT_NAME(GLUT_BITMAP_HELVETICA_10),
    UNIVERSE_FONT_NAME(GLUT_BITMAP_HELVETICA_12),
#endif
};
#undef UNIVERSE_FONT_NAME

// The text being written: a byte buffer whose small appends the compiler
// inlines (std::string's are calls into the C++ library, which in the
// browser made the matrix Universe's list take seconds).
class Text {
public:
    void reserve(size_t size) { bytes_.reserve(size); }
    size_t size() const { return bytes_.size(); }
    void append(const char* text, size_t length) {
        bytes_.insert(bytes_.end(), text, text + length);
    }
    void append(size_t count, char c) { bytes_.insert(bytes_.end(), count, c); }
    Text& operator+=(char c) {
        bytes_.push_back(c);
        return *this;
    }
    Text& operator+=(const char* text) {
        append(text, std::strlen(text));
        return *this;
    }
    std::string str() const { return std::string(bytes_.data(), bytes_.size()); }

private:
    std::vector<char> bytes_;
};

void appendInteger(Text& out, long long value) {
    char digits[24];
    int at = sizeof digits;
    unsigned long long magnitude =
        value < 0 ? 0ULL - static_cast<unsigned long long>(value) : value;
    do {
        digits[--at] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0) digits[--at] = '-';
    out.append(digits + at, sizeof digits - at);
}

// The shortest "%.*g" of `value` that reads back as the same value; whole
// numbers in full. A frame repeats its numbers (the stars' colours): the
// text of each is kept in a small table by its bits.
template <typename T>
void appendNumber(Text& out, T value) {
    if (value == std::trunc(value) && std::fabs(value) < 1e15 &&
        !(value == 0 && std::signbit(value))) {
        appendInteger(out, static_cast<long long>(value));
        return;
    }
    struct Known {
        T value;
        char text[32];
    };
    static Known known[1024];
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof value);
    Known& slot = known[(bits ^ bits >> 29 ^ bits >> 41) % 1024];
    if (slot.text[0] == 0 || std::memcmp(&slot.value, &value, sizeof value) != 0) {
        const int most = sizeof(T) == sizeof(float) ? 9 : 17;
        for (int digits = 1; digits <= most; digits++) {
            std::snprintf(slot.text, sizeof slot.text, "%.*g", digits, static_cast<double>(value));
            const double back = std::strtod(slot.text, nullptr);
            if (static_cast<T>(back) == value || !std::isfinite(value)) break;
        }
        slot.value = value;
    }
    out += slot.text;
}

void appendName(Text& out, const Name* names, size_t count, unsigned value) {
    for (size_t i = 0; i < count; i++) {
        if (names[i].value == value) {
            out += names[i].name;
            return;
        }
    }
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    out += text;
}

// One byte of Latin-1 as UTF-8.
void appendLatin1(Text& out, unsigned char c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Writes one call's arguments, each after the separator its place needs.
struct Print {
    Text& out;
    void Enum(unsigned value) { appendName(out, enumNames, std::size(enumNames), value); }
    void Mode(unsigned value) { appendName(out, modeNames, std::size(modeNames), value); }
    void Mask(unsigned value) {
        const size_t start = out.size();
        for (const Name& bit : maskNames) {
            if (!(value & bit.value)) continue;
            out += out.size() > start ? " | " : "";
            out += bit.name;
            value &= ~bit.value;
        }
        if (value == 0 && out.size() > start) return;
        out += out.size() > start ? " | " : "";
        if (value)
            appendName(out, nullptr, 0, value);
        else
            out += '0';
    }
    void Int(int value) { appendInteger(out, value); }
    void Char(int value) {
        if ((value >= 0x20 && value < 0x7F) || (value >= 0xA0 && value <= 0xFF)) {
            out += '\'';
            if (value == '\'' || value == '\\') out += '\\';
            appendLatin1(out, static_cast<unsigned char>(value));
            out += '\'';
        } else {
            Int(value);
        }
    }
    void Float(float value) { appendNumber(out, value); }
    void Double(double value) { appendNumber(out, value); }
    void Params(const Floats& values) {
        out += '{';
        for (int i = 0; i < values.count; i++) {
            if (i) out += ", ";
            Float(values.v[i]);
        }
        out += '}';
    }
    void Matrix(const Floats& values) { Params(values); }
    void MatrixD(const Doubles& values) {
        out += '{';
        for (int i = 0; i < 16; i++) {
            if (i) out += ", ";
            Double(values.v[i]);
        }
        out += '}';
    }
    void Font(void* font) {
        for (const FontName& known : fontNames) {
            if (known.font == font) {
                out += known.name;
                return;
            }
        }
        char text[32];
        std::snprintf(text, sizeof text, "(void*)%p", font);
        out += text;
    }
    void Quadric(GLUquadric*) { out += "quadric"; }
};

}  // namespace

std::string callsText(const CallFrame& frame) {
    Text out;
    out.reserve(static_cast<size_t>(frame.count) * 32);
    CallReader in(frame);
    Print print{out};
    int depth = 0;
    bool inBegin = false;
    for (int number = 1; !in.done(); number++) {
        const Op op = in.op();
        if (op == Op::glPopMatrixCall && depth > 0) depth--;
        if (op == Op::glEndCall) inBegin = false;
        if (number > 1) out += '\n';
        appendInteger(out, number);
        out += ' ';
        out.append(2 * static_cast<size_t>(depth + (inBegin ? 1 : 0)), ' ');
        switch (op) {
#define UNIVERSE_CALL_READ(i, kind) const auto a##i = in.read##kind();
#define UNIVERSE_CALL_PRINT(i, kind) \
    out += i ? ", " : "";            \
    print.kind(a##i);
#define UNIVERSE_CALL_TEXT(name, result, n, kinds)              \
    case Op::name##Call: {                                      \
        UNIVERSE_CALL_STATEMENTS(n, UNIVERSE_CALL_READ, kinds)  \
        out += #name "(";                                       \
        UNIVERSE_CALL_STATEMENTS(n, UNIVERSE_CALL_PRINT, kinds) \
        out += ')';                                             \
        break;                                                  \
    }
            UNIVERSE_CALLS(UNIVERSE_CALL_TEXT)
#undef UNIVERSE_CALL_TEXT
#undef UNIVERSE_CALL_PRINT
#undef UNIVERSE_CALL_READ
        }
        if (op == Op::glPushMatrixCall) depth++;
        if (op == Op::glBeginCall) inBegin = true;
    }
    return out.str();
}

}  // namespace calls
