// user32: reading dialog templates, both the extended form that resource compilers write for
// DIALOGEX (DLGTEMPLATEEX, signature 0xFFFF) and the original DLGTEMPLATE.
//
// Layout, as the platform documents it: the header, then three WORD-aligned variable arrays
// (menu, class, title), then the font when DS_SETFONT is set; each item starts on a DWORD
// boundary, followed by its class and title arrays and its creation data. An array is empty
// (0x0000), an ordinal (0xFFFF then a WORD), or a NUL-terminated UTF-16 string.
#include "user32_internal.h"

#include <cstring>

namespace winsim {
namespace {

class Reader {
public:
    Reader(const BYTE* data, size_t size, const char* what)
        : data_(data), size_(size), what_(what) {}

    size_t Offset() const { return offset_; }
    void AlignTo(size_t unit) { offset_ = (offset_ + unit - 1) / unit * unit; }
    WORD Word() { return Read<WORD>(); }
    DWORD Dword() { return Read<DWORD>(); }
    short Short() { return Read<short>(); }
    BYTE Byte() { return Read<BYTE>(); }

    // Read in one piece once its terminator is found.
    std::u16string String() {
        size_t start = offset_;
        while (Word() != 0) {
        }
        std::u16string out((offset_ - start) / sizeof(WORD) - 1, u'\0');
        std::memcpy(out.data(), data_ + start, out.size() * sizeof(WORD));
        return out;
    }

    // A menu, class or title array: its text, or its ordinal.
    void NameOrOrdinal(std::u16string* text, bool* isOrdinal, WORD* ordinal) {
        WORD first = Word();
        *isOrdinal = false;
        *ordinal = 0;
        text->clear();
        if (first == 0)
            return;
        if (first == 0xFFFF) {
            *isOrdinal = true;
            *ordinal = Word();
            return;
        }
        offset_ -= sizeof(WORD); // the first character
        *text = String();
    }

    std::vector<BYTE> Bytes(size_t count) {
        Need(count);
        std::vector<BYTE> out(data_ + offset_, data_ + offset_ + count);
        offset_ += count;
        return out;
    }

private:
    template <class T> T Read() {
        Need(sizeof(T));
        T value;
        std::memcpy(&value, data_ + offset_, sizeof(T));
        offset_ += sizeof(T);
        return value;
    }
    void Need(size_t count) {
        if (size_ != SIZE_MAX && (offset_ > size_ || size_ - offset_ < count))
            Unmodelled("malformed dialog template %s: it ends at byte %zu of %zu", what_, offset_,
                       size_);
    }

    const BYTE* data_;
    size_t size_;
    size_t offset_ = 0;
    const char* what_;
};

std::u16string PredefinedClass(WORD ordinal, const char* what) {
    switch (ordinal) {
    case 0x0080:
        return kButtonClass;
    case 0x0081:
        return kEditClass;
    case 0x0082:
        return kStaticClass;
    case 0x0083:
        return kListBoxClass;
    case 0x0084:
        return u"ScrollBar";
    case 0x0085:
        return kComboBoxClass;
    default:
        Unmodelled("dialog template %s: control class ordinal 0x%04X", what, ordinal);
    }
}

void ReadFont(Reader& r, DialogTemplate& t) {
    t.pointSize = r.Word();
    if (t.extended) {
        t.weight = r.Word();
        t.italic = r.Byte();
        t.charset = r.Byte();
    }
    t.typeface = r.String();
}

} // namespace

DialogTemplate ParseDialogTemplate(const BYTE* data, size_t size, const char* what) {
    Reader r(data, size, what);
    DialogTemplate t;
    WORD first = r.Word();
    WORD second = r.Word();
    int count;
    if (first == 1 && second == 0xFFFF) {
        t.extended = true;
        t.helpId = r.Dword();
        t.exStyle = r.Dword();
        t.style = r.Dword();
    } else {
        t.style = static_cast<DWORD>(first) | (static_cast<DWORD>(second) << 16);
        t.exStyle = r.Dword();
    }
    count = r.Word();
    t.x = r.Short();
    t.y = r.Short();
    t.cx = r.Short();
    t.cy = r.Short();

    t.items.reserve(count);
    std::u16string text;
    bool isOrdinal;
    WORD ordinal;
    r.NameOrOrdinal(&text, &isOrdinal, &ordinal);
    t.hasMenu = isOrdinal || !text.empty();
    r.NameOrOrdinal(&t.className, &isOrdinal, &ordinal);
    if (isOrdinal)
        Unmodelled("dialog template %s: dialog class given as an atom (0x%04X)", what, ordinal);
    t.title = r.String();
    if (t.style & DS_SETFONT)
        ReadFont(r, t);

    for (int i = 0; i < count; ++i) {
        DialogItemTemplate item;
        r.AlignTo(4);
        if (t.extended) {
            item.helpId = r.Dword();
            item.exStyle = r.Dword();
            item.style = r.Dword();
        } else {
            item.style = r.Dword();
            item.exStyle = r.Dword();
        }
        item.x = r.Short();
        item.y = r.Short();
        item.cx = r.Short();
        item.cy = r.Short();
        item.id = t.extended ? r.Dword() : r.Word();
        r.NameOrOrdinal(&item.className, &isOrdinal, &ordinal);
        if (isOrdinal)
            item.className = PredefinedClass(ordinal, what);
        r.NameOrOrdinal(&item.title, &item.titleIsOrdinal, &item.titleOrdinal);
        WORD extra = r.Word();
        if (t.extended) {
            item.creationData = r.Bytes(extra);
        } else if (extra > 0) {
            // The original form counts its size word in the size.
            if (extra < 2)
                Unmodelled("dialog template %s: creation data size %u", what, extra);
            item.creationData = r.Bytes(extra - 2u);
        }
        t.items.push_back(std::move(item));
    }
    return t;
}

bool LoadDialogTemplate(HINSTANCE instance, LPCWSTR name, DialogTemplate* out) {
    ResourceBytes bytes;
    if (!FindModuleResource(instance, RT_DIALOG, name, &bytes)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return false;
    }
    std::string what = IS_INTRESOURCE(name)
                           ? std::to_string(LOWORD(reinterpret_cast<ULONG_PTR>(name)))
                           : "\"" + Utf8(name) + "\"";
    *out = ParseDialogTemplate(bytes.data, bytes.size, what.c_str());
    return true;
}

} // namespace winsim
