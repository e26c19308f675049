// winspool: the print server's forms -- the built-in ones with their real sizes, and user forms.
#include "winspool_state.h"

namespace winsim {
namespace spool {
namespace {

struct BuiltIn {
    WORD paper; // its DMPAPER_ number
    const char16_t* name;
    LONG width; // micrometres
    LONG height;
};

// The common built-in forms, in the server's order, with the sizes the platform documents for
// their paper numbers. B4 (JIS) takes the JIS size, 257 x 364 mm.
const BuiltIn kBuiltInForms[] = {
    {1, u"Letter", 215900, 279400},
    {2, u"Letter Small", 215900, 279400},
    {3, u"Tabloid", 279400, 431800},
    {4, u"Ledger", 431800, 279400},
    {5, u"Legal", 215900, 355600},
    {6, u"Statement", 139700, 215900},
    {7, u"Executive", 184150, 266700},
    {8, u"A3", 297000, 420000},
    {9, u"A4", 210000, 297000},
    {10, u"A4 Small", 210000, 297000},
    {11, u"A5", 148000, 210000},
    {12, u"B4 (JIS)", 257000, 364000},
    {13, u"B5 (JIS)", 182000, 257000},
    {14, u"Folio", 215900, 330200},
    {15, u"Quarto", 215000, 275000},
    {16, u"10x14", 254000, 355600},
    {17, u"11x17", 279400, 431800},
    {18, u"Note", 215900, 279400},
    {19, u"Envelope #9", 98425, 225425},
    {20, u"Envelope #10", 104775, 241300},
    {21, u"Envelope #11", 114300, 263525},
    {22, u"Envelope #12", 120650, 279400},
    {23, u"Envelope #14", 127000, 292100},
    {24, u"C size sheet", 431800, 558800},
    {25, u"D size sheet", 558800, 863600},
    {26, u"E size sheet", 863600, 1117600},
    {27, u"Envelope DL", 110000, 220000},
    {28, u"Envelope C5", 162000, 229000},
    {29, u"Envelope C3", 324000, 458000},
    {30, u"Envelope C4", 229000, 324000},
    {31, u"Envelope C6", 114000, 162000},
    {32, u"Envelope C65", 114000, 229000},
    {33, u"Envelope B4", 250000, 353000},
    {34, u"Envelope B5", 176000, 250000},
    {35, u"Envelope B6", 176000, 125000},
    {36, u"Envelope", 110000, 230000},
    {37, u"Envelope Monarch", 98425, 190500},
    {38, u"6 3/4 Envelope", 92075, 165100},
    {39, u"US Std Fanfold", 377825, 279400},
    {40, u"German Std Fanfold", 215900, 304800},
    {41, u"German Legal Fanfold", 215900, 330200},
};

constexpr size_t kMaxFormName = 31;

WORD BuiltInPaperNumber(const std::u16string& name) {
    for (const auto& form : kBuiltInForms)
        if (EqualNoCase(name, form.name))
            return form.paper;
    return 0;
}

std::vector<Form>::iterator FindFormIt(const std::u16string& name) {
    auto& forms = Spooler().forms;
    for (auto it = forms.begin(); it != forms.end(); ++it)
        if (EqualNoCase(it->name, name))
            return it;
    return forms.end();
}

bool CanAdminister(const Handle& handle) {
    return (handle.granted & PRINTER_ACCESS_ADMINISTER) != 0;
}

// The checks the server makes on a FORM_INFO_1 it is given to store.
DWORD ValidateUserForm(const FORM_INFO_1W& info) {
    if (info.Flags != FORM_USER)
        return ERROR_INVALID_PARAMETER;
    std::u16string name = Text(info.pName);
    if (name.empty() || name.size() > kMaxFormName)
        return ERROR_INVALID_PARAMETER;
    const RECTL& area = info.ImageableArea;
    if (info.Size.cx <= 0 || info.Size.cy <= 0 || area.left < 0 || area.top < 0 ||
        area.right > info.Size.cx || area.bottom > info.Size.cy || area.left >= area.right ||
        area.top >= area.bottom)
        return ERROR_INVALID_FORM_SIZE;
    return ERROR_SUCCESS;
}

size_t PackForm(const Form& form, FORM_INFO_1W* slot, InfoPacker& packer) {
    FORM_INFO_1W info{};
    info.Flags = form.flags;
    info.pName = packer.String(form.name);
    info.Size = form.size;
    info.ImageableArea = form.imageableArea;
    if (slot)
        *slot = info;
    return packer.Size();
}

} // namespace

std::vector<Form> BuiltInForms() {
    std::vector<Form> forms;
    forms.reserve(std::size(kBuiltInForms));
    for (const auto& builtIn : kBuiltInForms)
        forms.push_back({builtIn.name,
                         FORM_BUILTIN,
                         {builtIn.width, builtIn.height},
                         {0, 0, builtIn.width, builtIn.height}});
    return forms;
}

const Form* FindFormByName(const std::u16string& name) {
    auto it = FindFormIt(name);
    return it == Spooler().forms.end() ? nullptr : &*it;
}

std::vector<Paper> PapersOf(const Printer& printer) {
    const auto& forms = Spooler().forms;
    std::vector<Paper> papers;
    papers.reserve(printer.papers.size() + forms.size());
    for (const auto& name : printer.papers)
        papers.push_back({BuiltInPaperNumber(name), FindFormByName(name)});
    for (size_t i = 0; i < forms.size(); ++i)
        if (forms[i].flags == FORM_USER)
            papers.push_back({static_cast<WORD>(DMPAPER_USER + i + 1), &forms[i]});
    return papers;
}

} // namespace spool
} // namespace winsim

using namespace winsim;
using namespace winsim::spool;

BOOL WINAPI GetFormW(HANDLE hPrinter, LPWSTR pFormName, DWORD Level, LPBYTE pForm, DWORD cbBuf,
                     LPDWORD pcbNeeded) {
    SpoolerCall roundTrip("GetFormW");
    if (!FindHandle(hPrinter))
        return FALSE;
    if (Level != 1)
        Unmodelled("GetFormW level %u", Level);
    const Form* form = FindFormByName(Text(pFormName));
    if (!form) {
        SetLastError(ERROR_INVALID_FORM_NAME);
        return FALSE;
    }
    return AnswerInto(pForm, cbBuf, pcbNeeded, [&](BYTE* out) {
        InfoPacker packer(out, sizeof(FORM_INFO_1W));
        return PackForm(*form, reinterpret_cast<FORM_INFO_1W*>(out), packer);
    });
}

BOOL WINAPI EnumFormsW(HANDLE hPrinter, DWORD Level, LPBYTE pForm, DWORD cbBuf, LPDWORD pcbNeeded,
                       LPDWORD pcReturned) {
    SpoolerCall roundTrip("EnumFormsW");
    if (!FindHandle(hPrinter))
        return FALSE;
    if (Level != 1)
        Unmodelled("EnumFormsW level %u", Level);
    if (!pcReturned)
        Unmodelled("EnumFormsW without pcReturned");
    *pcReturned = 0;
    const auto& forms = Spooler().forms;
    BOOL ok = AnswerInto(pForm, cbBuf, pcbNeeded, [&](BYTE* out) {
        InfoPacker packer(out, forms.size() * sizeof(FORM_INFO_1W));
        FORM_INFO_1W* slots = reinterpret_cast<FORM_INFO_1W*>(out);
        for (size_t i = 0; i < forms.size(); ++i)
            PackForm(forms[i], slots ? slots + i : nullptr, packer);
        return packer.Size();
    });
    if (ok)
        *pcReturned = static_cast<DWORD>(forms.size());
    return ok;
}

BOOL WINAPI AddFormW(HANDLE hPrinter, DWORD Level, LPBYTE pForm) {
    SpoolerCall roundTrip("AddFormW");
    Handle* handle = FindHandle(hPrinter);
    if (!handle)
        return FALSE;
    if (Level != 1)
        Unmodelled("AddFormW level %u", Level);
    if (!pForm) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!CanAdminister(*handle)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    const FORM_INFO_1W& info = *reinterpret_cast<const FORM_INFO_1W*>(pForm);
    if (DWORD error = ValidateUserForm(info)) {
        SetLastError(error);
        return FALSE;
    }
    if (FindFormByName(info.pName)) {
        SetLastError(ERROR_FILE_EXISTS);
        return FALSE;
    }
    Spooler().forms.push_back({info.pName, FORM_USER, info.Size, info.ImageableArea});
    return TRUE;
}

BOOL WINAPI DeleteFormW(HANDLE hPrinter, LPWSTR pFormName) {
    SpoolerCall roundTrip("DeleteFormW");
    Handle* handle = FindHandle(hPrinter);
    if (!handle)
        return FALSE;
    if (!CanAdminister(*handle)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    auto it = FindFormIt(Text(pFormName));
    if (it == Spooler().forms.end()) {
        SetLastError(ERROR_INVALID_FORM_NAME);
        return FALSE;
    }
    if (it->flags & FORM_BUILTIN) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Spooler().forms.erase(it);
    return TRUE;
}

namespace sim {

static Form ToSim(const spool::Form& form) {
    return {Utf8(form.name), form.flags, form.size, form.imageableArea};
}

std::vector<Form> Forms() {
    std::vector<Form> forms;
    for (const auto& form : Spooler().forms)
        forms.push_back(ToSim(form));
    return forms;
}

std::optional<Form> FindForm(const char* name) {
    const spool::Form* form = FindFormByName(U16(name));
    if (!form)
        return std::nullopt;
    return ToSim(*form);
}

} // namespace sim
