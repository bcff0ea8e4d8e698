#include "model/field_table.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <type_traits>
#include <unordered_map>
#include <utility>

#include "model/number_text.h"

namespace bowlyn {
namespace {

template <class T>
constexpr bool heldAsInt32() {
    if constexpr (std::is_enum_v<T>)
        return std::is_same_v<std::underlying_type_t<T>, int32_t>;
    return std::is_same_v<T, int32_t>;
}

template <class T>
constexpr ValueSlot::Type slotType() {
    if constexpr (std::is_same_v<T, float>) {
        return ValueSlot::Type::Single;
    } else if constexpr (std::is_same_v<T, bool>) {
        return ValueSlot::Type::Flag;
    } else if constexpr (heldAsInt32<T>()) {
        return ValueSlot::Type::Signed;
    } else {
        static_assert(std::is_same_v<T, uint32_t>,
                      "a field is held as float, bool, int32_t (or an enum of it) or uint32_t");
        return ValueSlot::Type::Unsigned;
    }
}

size_t slotSize(ValueSlot::Type type) {
    return type == ValueSlot::Type::Flag ? sizeof(bool) : 4;
}

// The member's own type says how the value is held.
#define BOWLYN_VALUE_SLOT(member)                                                                  \
    ValueSlot {                                                                                    \
        slotType<std::remove_reference_t<decltype((std::declval<DesignParameters&>().member))>>(), \
            offsetof(DesignParameters, member)                                                     \
    }

constexpr bool sameText(const char* a, const char* b) {
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

struct Table {
    std::vector<FieldDef> fields;
    std::vector<Control> controls;
    std::unordered_map<std::string, size_t> byName;  // index into controls
    std::vector<ChoicePair> pairs;

    void field(int number, const char* label, FieldKind kind, ValueSlot slot) {
        if (number != static_cast<int>(fields.size()) + 1)
            throw std::logic_error("fields out of order");
        fields.push_back({label, kind, slot, {}});
    }

    Control& control(const char* widget, ControlKind kind) {
        Control c;
        c.widget = widget;
        c.kind = kind;
        c.field = static_cast<int>(fields.size());
        if (!byName.emplace(widget, controls.size()).second)
            throw std::logic_error("a widget shows one field only");
        fields.back().widgets.push_back(widget);
        controls.push_back(std::move(c));
        return controls.back();
    }

    void entry(const char* widget, StepClass stepClass, BelowZero belowZero,
               bool designUnitCaption) {
        Control& c = control(widget, ControlKind::Entry);
        c.stepClass = stepClass;
        c.belowZero = belowZero;
        c.designUnitCaption = designUnitCaption;
    }

    void blankIsUnset() {
        FieldDef& f = fields.back();
        if (f.slot.type != ValueSlot::Type::Single)
            throw std::logic_error("only a field held as a float can be unset");
        f.blankIsUnset = true;
    }

    void check(const char* widget, const char* enabled1, const char* enabled2) {
        Control& c = control(widget, ControlKind::Check);
        for (const char* container : {enabled1, enabled2}) {
            if (*container)
                c.switched.push_back(container);
        }
    }

    void radio(const char* widget, int value, const char* valueName, const char* shown) {
        Control& c = control(widget, ControlKind::Radio);
        // Pairs, value 0 first: the switches find a button's partner by place.
        if (value != static_cast<int>(fields.back().widgets.size() - 1) % 2)
            throw std::logic_error("radio buttons out of order");
        c.value = value;
        c.valueName = valueName;
        c.switched.push_back(shown);
        if (value == 1) {
            Control& first = controls[controls.size() - 2];
            first.partner = c.widget;
            c.partner = first.widget;
            first.pair = c.pair = pairs.size();
            pairs.push_back({c.field,
                             {controls.size() - 2, controls.size() - 1},
                             fields.back().widgets.size() == 2});
        }
    }
};

Table buildTable() {
    Table t;
#define FIELD(id, label, kind, member) \
    t.field(fields::id, label, FieldKind::kind, BOWLYN_VALUE_SLOT(member));
#define TEXT_FIELD(id, label, widget)                \
    t.field(fields::id, label, FieldKind::Text, {}); \
    t.control(#widget, ControlKind::Text);
#define ENTRY(widget, section, row, caption, unit) \
    t.entry(#widget, StepClass::None, BelowZero::Clamped, sameText(#unit, "DESIGN_UNIT"));
#define STEPPED_ENTRY(widget, name, stepClass, belowZero, section, row, caption, unit)     \
    static_assert(sameText("entry" #name, #widget), "a stepper is named after its entry"); \
    t.entry(#widget, StepClass::stepClass, BelowZero::belowZero, sameText(#unit, "DESIGN_UNIT"));
#define BLANK_IS_UNSET() t.blankIsUnset();
#define CHECK(widget, caption, enabled1, enabled2) t.check(#widget, enabled1, enabled2);
#define RADIO(widget, value, valueName, caption, shown) t.radio(#widget, value, valueName, shown);
#include "model/fields.def"
    return t;
}

const Table& table() {
    static const Table t = buildTable();
    return t;
}

template <class T>
T load(const DesignParameters& params, std::size_t offset) {
    T value;
    std::memcpy(&value, reinterpret_cast<const unsigned char*>(&params) + offset, sizeof value);
    return value;
}

template <class T>
void save(DesignParameters& params, std::size_t offset, T value) {
    std::memcpy(reinterpret_cast<unsigned char*>(&params) + offset, &value, sizeof value);
}

// Integers and flags by the member's type. An unsigned member is read back
// as signed, as the fretboard checks read the fret count; a float member
// holds the whole number.
void saveInteger(DesignParameters& params, const ValueSlot& slot, int32_t value) {
    if (slot.type == ValueSlot::Type::Single) {
        save(params, slot.offset, static_cast<float>(value));
    } else if (slot.type == ValueSlot::Type::Unsigned) {
        save(params, slot.offset, static_cast<uint32_t>(value));
    } else if (slot.type == ValueSlot::Type::Signed) {
        save(params, slot.offset, value);
    } else if (slot.type == ValueSlot::Type::Flag) {
        save(params, slot.offset, value != 0);
    }
}

int32_t loadInteger(const DesignParameters& params, const ValueSlot& slot) {
    if (slot.type == ValueSlot::Type::Single)
        return roundToInt32(load<float>(params, slot.offset));
    if (slot.type == ValueSlot::Type::Unsigned)
        return static_cast<int32_t>(load<uint32_t>(params, slot.offset));
    if (slot.type == ValueSlot::Type::Signed)
        return load<int32_t>(params, slot.offset);
    if (slot.type == ValueSlot::Type::Flag)
        return load<bool>(params, slot.offset) ? 1 : 0;
    return 0;
}

// Stores an already converted number by the field's kind: halved for half
// widths, rounded for integers. Only for fields of an entry kind.
void storeFieldValue(DesignParameters& params, int number, float value) {
    const FieldDef& def = field(number);
    switch (def.kind) {
        case FieldKind::Number:
        case FieldKind::Inches:
            save(params, def.slot.offset, value);
            break;
        case FieldKind::Half:
            save(params, def.slot.offset, static_cast<float>(value / 2.0));
            break;
        case FieldKind::Integer:
            saveInteger(params, def.slot, roundToInt32(value));
            break;
        default:
            break;
    }
}

}  // namespace

const FieldDef& field(int number) {
    if (number < 1 || number > FIELD_COUNT)
        throw std::out_of_range("field number");
    return table().fields[number - 1];
}

int fieldByLabel(const std::string& label) {
    for (int k = 1; k <= FIELD_COUNT; ++k) {
        if (label == field(k).label)
            return k;
    }
    return 0;
}

const std::vector<Control>& controls() {
    return table().controls;
}

const Control* controlNamed(const std::string& widget) {
    const auto& byName = table().byName;
    auto it = byName.find(widget);
    return it == byName.end() ? nullptr : &controls()[it->second];
}

const std::vector<ChoicePair>& choicePairs() {
    return table().pairs;
}

bool sameParameters(const DesignParameters& a, const DesignParameters& b) {
    const auto* pa = reinterpret_cast<const unsigned char*>(&a);
    const auto* pb = reinterpret_cast<const unsigned char*>(&b);
    for (const FieldDef& def : table().fields) {
        const ValueSlot& slot = def.slot;
        if (slot.type != ValueSlot::Type::None &&
            std::memcmp(pa + slot.offset, pb + slot.offset, slotSize(slot.type)) != 0)
            return false;
    }
    return true;
}

bool isEntryField(int number) {
    return isEntryKind(field(number).kind);
}

void storeFieldText(DesignParameters& params, int number, const std::string& text) {
    const FieldDef& def = field(number);
    const float value = parseDimension(text);
    if (!def.blankIsUnset) {
        storeFieldValue(params, number, value);
        return;
    }
    if (text.find_first_not_of(" \t") == std::string::npos)
        save(params, def.slot.offset, DesignParameters::UNSET);
    else if (std::isnan(value))
        save(params, def.slot.offset, std::numeric_limits<float>::infinity());
    else
        storeFieldValue(params, number, value);
}

double fieldValue(const DesignParameters& params, int number) {
    const FieldDef& def = field(number);
    switch (def.kind) {
        case FieldKind::Number:
        case FieldKind::Inches:
            return load<float>(params, def.slot.offset);
        case FieldKind::Half:
            return load<float>(params, def.slot.offset) * 2.0;
        case FieldKind::Text:
            return 0.0;
        default:
            // A whole number held as a float may be unset.
            if (def.kind == FieldKind::Integer && def.slot.type == ValueSlot::Type::Single)
                return load<float>(params, def.slot.offset);
            return loadInteger(params, def.slot);
    }
}

void setFieldFlag(DesignParameters& params, int number, int32_t flag) {
    const FieldDef& def = field(number);
    if (def.kind == FieldKind::Units || def.kind == FieldKind::Boolean ||
        def.kind == FieldKind::Choice) {
        saveInteger(params, def.slot, flag);
    }
}

}  // namespace bowlyn
