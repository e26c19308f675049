// The printf engine behind strsafe's formatting functions, with the platform's argument sizes
// (long is 32-bit, I64 and ll 64-bit, z and I pointer-sized) and the portability rules of this
// product: a wide format takes wide strings and characters only as %ls and %lc, because %s, %S,
// %ws and %c mean different things to Microsoft's runtime and to mingw's C99 one.
#include "kernel32_private.h"

#include <cstdarg>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

enum class Length { None, Hh, H, L, Ll, I, I32, I64, Z, J, T, LongDouble, W };

struct Directive {
    bool left = false;
    bool plus = false;
    bool space = false;
    bool zero = false;
    bool alternate = false;
    int width = 0;
    int precision = -1; // none
    Length length = Length::None;
    char conversion = 0;
};

// Reads the arguments of one call; owns a copy of the caller's list.
class Arguments {
public:
    explicit Arguments(va_list args) { va_copy(args_, args); }
    ~Arguments() { va_end(args_); }
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;

    int Int() { return va_arg(args_, int); }
    int64_t Int64() { return va_arg(args_, int64_t); }
    double Double() { return va_arg(args_, double); }
    const void* Pointer() { return va_arg(args_, const void*); }

private:
    va_list args_;
};

template <class Char> std::string Describe(const Char* format) {
    std::string text;
    for (const Char* p = format; *p; ++p)
        text.push_back(static_cast<unsigned>(*p) < 0x80 ? static_cast<char>(*p) : '?');
    return text;
}

template <class Char> class Formatter {
public:
    Formatter(const Char* format, va_list args) : format_(format), args_(args) {}

    std::basic_string<Char> Run() {
        for (const Char* p = format_; *p;) {
            if (*p != '%') {
                out_.push_back(*p++);
                continue;
            }
            ++p;
            if (*p == '%') {
                out_.push_back('%');
                ++p;
                continue;
            }
            Directive directive = Parse(&p);
            Convert(directive);
        }
        return out_;
    }

private:
    static constexpr bool kWide = sizeof(Char) == 2;

    [[noreturn]] void Refuse(const char* what) {
        winsim::Misuse("%s in the %s format \"%s\": %s", what, kWide ? "wide" : "narrow",
                       Describe(format_).c_str(),
                       kWide ? "pass wide strings as %ls and wide characters as %lc"
                             : "pass narrow strings as %s and wide strings as %ls");
    }
    [[noreturn]] void NotModelled(const char* what) {
        winsim::Unmodelled("%s in the format \"%s\"", what, Describe(format_).c_str());
    }

    Directive Parse(const Char** cursor) {
        const Char* p = *cursor;
        Directive directive;
        for (;; ++p) {
            if (*p == '-')
                directive.left = true;
            else if (*p == '+')
                directive.plus = true;
            else if (*p == ' ')
                directive.space = true;
            else if (*p == '0')
                directive.zero = true;
            else if (*p == '#')
                directive.alternate = true;
            else
                break;
        }
        if (*p == '*') {
            ++p;
            int width = args_.Int();
            if (width < 0) {
                directive.left = true;
                width = -width;
            }
            directive.width = width;
        } else {
            while (*p >= '0' && *p <= '9')
                directive.width = directive.width * 10 + (*p++ - '0');
        }
        if (*p == '.') {
            ++p;
            directive.precision = 0;
            if (*p == '*') {
                ++p;
                int precision = args_.Int();
                directive.precision = precision < 0 ? -1 : precision;
            } else {
                while (*p >= '0' && *p <= '9')
                    directive.precision = directive.precision * 10 + (*p++ - '0');
            }
        }
        directive.length = ParseLength(&p);
        if (!*p)
            NotModelled("a conversion cut off by the end of the format");
        directive.conversion = static_cast<char>(*p++);
        *cursor = p;
        return directive;
    }

    Length ParseLength(const Char** cursor) {
        const Char* p = *cursor;
        Length length = Length::None;
        switch (*p) {
        case 'h':
            length = p[1] == 'h' ? (++p, Length::Hh) : Length::H;
            ++p;
            break;
        case 'l':
            length = p[1] == 'l' ? (++p, Length::Ll) : Length::L;
            ++p;
            break;
        case 'I':
            if (p[1] == '6' && p[2] == '4') {
                length = Length::I64;
                p += 3;
            } else if (p[1] == '3' && p[2] == '2') {
                length = Length::I32;
                p += 3;
            } else {
                length = Length::I;
                ++p;
            }
            break;
        case 'z':
            length = Length::Z;
            ++p;
            break;
        case 'j':
            length = Length::J;
            ++p;
            break;
        case 't':
            length = Length::T;
            ++p;
            break;
        case 'L':
            length = Length::LongDouble;
            ++p;
            break;
        case 'w':
            length = Length::W;
            ++p;
            break;
        default:
            break;
        }
        *cursor = p;
        return length;
    }

    void Convert(const Directive& directive) {
        switch (directive.conversion) {
        case 'd':
        case 'i':
            return Signed(directive);
        case 'u':
        case 'x':
        case 'X':
        case 'o':
            return Unsigned(directive);
        case 'c':
            return Character(directive);
        case 's':
            return String(directive);
        case 'S':
            Refuse("%S");
        case 'C':
            Refuse("%C");
        case 'p':
            return PointerValue(directive);
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
            return Floating(directive);
        case 'n':
            NotModelled("%n");
        default: {
            char what[32];
            std::snprintf(what, sizeof what, "the conversion %%%c", directive.conversion);
            NotModelled(what);
        }
        }
    }

    // Integers come in the platform's sizes: long is 32-bit, as LONG and DWORD are.
    int64_t ReadSigned(Length length) {
        switch (length) {
        case Length::None:
        case Length::L:
        case Length::I32:
            return args_.Int();
        case Length::Hh:
            return static_cast<signed char>(args_.Int());
        case Length::H:
            return static_cast<short>(args_.Int());
        case Length::Ll:
        case Length::I64:
        case Length::I:
        case Length::Z:
        case Length::J:
        case Length::T:
            return args_.Int64();
        default:
            NotModelled("an integer with the L or w size");
        }
    }

    uint64_t ReadUnsigned(Length length) {
        switch (length) {
        case Length::None:
        case Length::L:
        case Length::I32:
            return static_cast<unsigned>(args_.Int());
        case Length::Hh:
            return static_cast<unsigned char>(args_.Int());
        case Length::H:
            return static_cast<unsigned short>(args_.Int());
        case Length::Ll:
        case Length::I64:
        case Length::I:
        case Length::Z:
        case Length::J:
        case Length::T:
            return static_cast<uint64_t>(args_.Int64());
        default:
            NotModelled("an integer with the L or w size");
        }
    }

    void Signed(const Directive& directive) {
        int64_t value = ReadSigned(directive.length);
        uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : value;
        std::string sign = value < 0 ? "-" : directive.plus ? "+" : directive.space ? " " : "";
        Integer(directive, sign, "", Digits(magnitude, 10, false, directive.precision));
    }

    void Unsigned(const Directive& directive) {
        uint64_t value = ReadUnsigned(directive.length);
        char c = directive.conversion;
        unsigned base = c == 'o' ? 8 : c == 'u' ? 10 : 16;
        std::string digits = Digits(value, base, c == 'X', directive.precision);
        std::string prefix;
        if (directive.alternate && value != 0 && base == 16)
            prefix = c == 'X' ? "0X" : "0x";
        if (directive.alternate && base == 8 && (digits.empty() || digits[0] != '0'))
            digits.insert(digits.begin(), '0');
        Integer(directive, "", prefix, digits);
    }

    static std::string Digits(uint64_t value, unsigned base, bool upper, int precision) {
        const char* symbols = upper ? "0123456789ABCDEF" : "0123456789abcdef";
        std::string digits;
        for (; value; value /= base)
            digits.insert(digits.begin(), symbols[value % base]);
        int minimum = precision < 0 ? 1 : precision;
        while (static_cast<int>(digits.size()) < minimum)
            digits.insert(digits.begin(), '0');
        return digits;
    }

    // Zero padding goes between the sign or prefix and the digits, and only without a precision.
    void Integer(const Directive& directive, const std::string& sign, const std::string& prefix,
                 std::string digits) {
        std::size_t used = sign.size() + prefix.size() + digits.size();
        if (directive.zero && !directive.left && directive.precision < 0 &&
            used < std::size_t(directive.width))
            digits.insert(0, directive.width - used, '0');
        Padded(directive, Narrow(sign + prefix + digits));
    }

    // MSVC's form: the address in sixteen upper-case hexadecimal digits.
    void PointerValue(const Directive& directive) {
        if (directive.length != Length::None)
            NotModelled("%p with a size");
        auto address = reinterpret_cast<uintptr_t>(args_.Pointer());
        Padded(directive, Narrow(Digits(address, 16, true, 16)));
    }

    void Floating(const Directive& directive) {
        if (directive.length == Length::LongDouble)
            NotModelled("a long double");
        double value = args_.Double();
        // The runtimes disagree on how they spell infinities and NaNs.
        if (!std::isfinite(value))
            NotModelled("an infinite or NaN floating-point value");
        // Formatted without the width, which is applied once the exponent has its three digits.
        std::string conversion = "%";
        if (directive.plus)
            conversion += '+';
        if (directive.space)
            conversion += ' ';
        if (directive.alternate)
            conversion += '#';
        int precision = directive.precision >= 0 ? directive.precision : 6;
        conversion += "." + std::to_string(precision);
        conversion += directive.conversion;
        std::string text =
            Printed(conversion, AwayFromZeroOnTies(value, directive.conversion, precision));
        // msvcrt.dll, the runtime the Windows build links, writes at least three exponent digits.
        std::size_t e = text.find_first_of("eE");
        if (e != std::string::npos && text.size() - e - 2 < 3)
            text.insert(e + 2, 3 - (text.size() - e - 2), '0');
        std::size_t used = text.size();
        if (directive.zero && !directive.left && used < std::size_t(directive.width)) {
            std::size_t digits = text.find_first_of("0123456789");
            text.insert(digits, directive.width - used, '0');
        }
        Padded(directive, Narrow(text));
    }

    static std::string Printed(const std::string& conversion, double value) {
        int size = std::snprintf(nullptr, 0, conversion.c_str(), value);
        std::string text(static_cast<std::size_t>(size) + 1, '\0');
        std::snprintf(&text[0], text.size(), conversion.c_str(), value);
        text.resize(static_cast<std::size_t>(size));
        return text;
    }

    // The k of a finite value written m * 2^-k with m odd; zero or less for a whole number.
    static int BinaryPlaces(double value) {
        int exponent = 0;
        double fraction = std::frexp(std::fabs(value), &exponent); // in [0.5, 1)
        auto bits = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
        int places = 53 - exponent;
        for (; places > 0 && bits % 2 == 0; bits /= 2)
            --places;
        return places;
    }

    // msvcrt.dll rounds a value that lies exactly halfway away from zero (0.125 with two decimals
    // gives 0.13, 2.5 with none gives 3), where the C library rounds to even: such a value is
    // moved one step away from zero before the C library rounds it. Exact decimal digits of a
    // double: at most 767 significant ones, at most 1074 after the point.
    static double AwayFromZeroOnTies(double value, char conversion, int precision) {
        if (value == 0)
            return value;
        std::string exact;
        std::size_t kept;
        if (conversion == 'f' || conversion == 'F') {
            // A value of m * 2^-k with m odd (k > 0) has exactly k decimals, the last one a 5:
            // it lies halfway at this precision exactly when k is one more.
            if (BinaryPlaces(value) != precision + 1)
                return value;
            exact = Printed("%.1100f", value);
            kept = exact.find('.') + 1 + std::size_t(precision);
        } else {
            exact = Printed("%.800e", value);
            exact.resize(exact.find_first_of("eE"));
            int significant = (conversion == 'g' || conversion == 'G')
                                  ? (precision == 0 ? 1 : precision)
                                  : precision + 1;
            kept = exact.find_first_of("123456789") + std::size_t(significant);
            if (std::size_t point = exact.find('.'); point != std::string::npos && point <= kept)
                ++kept;
        }
        if (kept >= exact.size() || exact[kept] != '5' ||
            exact.find_first_not_of('0', kept + 1) != std::string::npos)
            return value;
        return std::nextafter(value, value > 0 ? HUGE_VAL : -HUGE_VAL);
    }

    void Character(const Directive& directive) {
        if (directive.length == Length::W)
            Refuse("%wc");
        if (directive.length == Length::H)
            Refuse("%hc");
        if (directive.length != Length::None && directive.length != Length::L)
            NotModelled("%c with a size other than l");
        bool wideArgument = directive.length == Length::L;
        if (kWide && !wideArgument)
            Refuse("%c");
        // A zero character is written like any other: the caller builds double-NUL lists so.
        std::basic_string<Char> text;
        if (wideArgument) {
            char16_t c = static_cast<char16_t>(args_.Int());
            text = FromWide(std::u16string(1, c));
        } else {
            text.push_back(static_cast<Char>(static_cast<char>(args_.Int())));
        }
        Padded(directive, text);
    }

    void String(const Directive& directive) {
        if (directive.length == Length::W)
            Refuse("%ws");
        if (directive.length == Length::H)
            Refuse("%hs");
        if (directive.length != Length::None && directive.length != Length::L)
            NotModelled("%s with a size other than l");
        bool wideArgument = directive.length == Length::L;
        if (kWide && !wideArgument)
            Refuse("%s");
        const void* pointer = args_.Pointer();
        std::basic_string<Char> text;
        if (!pointer) {
            text = Narrow("(null)");
        } else if (wideArgument) {
            auto* wide = static_cast<const char16_t*>(pointer);
            std::u16string value;
            for (std::size_t i = 0;
                 wide[i] && (directive.precision < 0 || int(i) < directive.precision); ++i)
                value.push_back(wide[i]);
            text = FromWide(value);
        } else {
            auto* narrow = static_cast<const char*>(pointer);
            for (std::size_t i = 0;
                 narrow[i] && (directive.precision < 0 || int(i) < directive.precision); ++i)
                text.push_back(static_cast<Char>(narrow[i]));
        }
        if (directive.precision >= 0 && text.size() > std::size_t(directive.precision))
            text.resize(directive.precision);
        Padded(directive, text);
    }

    void Padded(const Directive& directive, const std::basic_string<Char>& text) {
        std::size_t pad =
            text.size() < std::size_t(directive.width) ? directive.width - text.size() : 0;
        if (!directive.left)
            out_.append(pad, ' ');
        out_ += text;
        if (directive.left)
            out_.append(pad, ' ');
    }

    static std::basic_string<Char> Narrow(const std::string& ascii) {
        return std::basic_string<Char>(ascii.begin(), ascii.end());
    }

    // Wide text in a narrow format goes through the ANSI code page.
    std::basic_string<Char> FromWide(const std::u16string& text) {
        if constexpr (kWide) {
            return text;
        } else {
            return winsim::WideToAnsi(text, ("the format \"" + Describe(format_) + "\"").c_str());
        }
    }

    const Char* format_;
    Arguments args_;
    std::basic_string<Char> out_;
};

} // namespace

namespace winsim {

std::u16string FormatWide(const WCHAR* format, va_list args) {
    return Formatter<char16_t>(format, args).Run();
}

std::string FormatNarrow(const char* format, va_list args) {
    return Formatter<char>(format, args).Run();
}

} // namespace winsim
