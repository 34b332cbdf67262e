#include "host/DataObject.h"

#include <cstring>

#include "host/ControlEnums.h"
#include "host/Error.h"
#include "platform/base/CodePages.h"
#include "platform/ole/MemoryDataObject.h"
#include "platform/ole/Ole.h"
#include "platform/shell/Clipboard.h"

namespace orvane {

using namespace platform;

namespace {

CLIPFORMAT rtfFormat() {
    static const UINT rtf = RegisterClipboardFormatW(u"Rich Text Format");
    return static_cast<CLIPFORMAT>(rtf);
}

// Formats whose values are strings: ANSI text ending in a NUL.
bool isText(CLIPFORMAT format) {
    return format == CF_TEXT || format == rtfFormat();
}

std::vector<std::uint8_t> ansiBytes(const std::u16string& text) {
    std::vector<std::uint8_t> bytes;
    if (!text.empty()) {
        const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                          nullptr, 0, nullptr, nullptr);
        bytes.resize(static_cast<std::size_t>(n > 0 ? n : 0));
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                            reinterpret_cast<char*>(bytes.data()), n, nullptr, nullptr);
    }
    bytes.push_back(0);
    return bytes;
}

std::u16string ansiText(const std::vector<std::uint8_t>& bytes) {
    std::size_t n = 0;
    while (n < bytes.size() && bytes[n])
        ++n;
    std::u16string text(n, u'\0');
    if (n) {
        const int got = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<int>(n), text.data(), static_cast<int>(n));
        text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    }
    return text;
}

std::optional<std::vector<std::uint8_t>> blockBytes(HGLOBAL block) {
    const SIZE_T size = GlobalSize(block);
    const auto* from = static_cast<const std::uint8_t*>(GlobalLock(block));
    if (!from) return std::nullopt;
    std::vector<std::uint8_t> bytes(from, from + size);
    GlobalUnlock(block);
    return bytes;
}

HGLOBAL newBlock(const std::vector<std::uint8_t>& bytes) {
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block) return block;
    if (!bytes.empty()) std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

Error mismatch(const char16_t* member, const char16_t* why) {
    return Error(errors::FormatMismatch, member, why);
}

}  // namespace

DataObject::DataObject() : m_files(std::make_shared<Collection>()) {}

DataObject::DataObject(IDataObject* received)
    : m_files(std::make_shared<Collection>()), m_received(received), m_wasReceived(true) {}

DataObject::~DataObject() = default;

CLIPFORMAT DataObject::clipFormat(std::int32_t format) {
    if (format == vbCFRTF) return rtfFormat();
    // Registered formats also come as their 16-bit numbers read as signed.
    if (format < 0 && format >= -0x4000) format &= 0xFFFF;
    if (format <= 0 || format > 0xFFFF)
        throw Error(errors::InvalidClipboardFormat, u"DataObject",
                    u"There is no clipboard format of that number.");
    return static_cast<CLIPFORMAT>(format);
}

DataObject::Entry* DataObject::find(CLIPFORMAT format) {
    for (Entry& e : m_entries)
        if (e.format == format) return &e;
    return nullptr;
}

void DataObject::checkWritable(const char16_t* member) const {
    if (received())
        throw Error(errors::InvalidProcedureCall, member,
                    u"The data of a drop can be read, not changed.");
    if (m_locked && !m_supplying)
        throw Error(errors::InvalidProcedureCall, member,
                    u"A drag's data can be changed only in OLEStartDrag and OLESetData.");
}

void DataObject::Clear() {
    checkWritable(u"DataObject.Clear");
    m_entries.clear();
    while (m_files->Count() > 0)
        m_files->Remove(Variant(std::int32_t{1}));
}

bool DataObject::empty() const {
    return m_entries.empty() && m_files->Count() == 0 && !m_received;
}

void DataObject::release() {
    m_received = nullptr;
    m_supply = nullptr;
}

void DataObject::store(CLIPFORMAT format, std::optional<std::vector<std::uint8_t>> bytes) {
    if (Entry* e = find(format)) {
        e->bytes = std::move(bytes);
        return;
    }
    m_entries.push_back(Entry{format, std::move(bytes)});
}

void DataObject::SetData(const Variant& value, const Variant& format) {
    constexpr const char16_t* kMember = u"DataObject.SetData";
    CLIPFORMAT cf;
    if (format.isMissing()) {
        if (value.kind() != Variant::Kind::String)
            throw mismatch(kMember, u"Without a format only text can be set.");
        cf = CF_TEXT;
    } else {
        cf = clipFormat(CLng(format));
    }
    checkWritable(kMember);
    if (value.isMissing()) {
        if (!find(cf)) store(cf, std::nullopt);  // promised: supplied when asked
        return;
    }
    if (value.kind() == Variant::Kind::ByteArray) {
        store(cf, value.bytes());
        return;
    }
    if (!isText(cf)) throw mismatch(kMember, u"This format takes a byte array.");
    // Text formats take text, and numbers, dates and booleans as their text.
    const Variant::Kind kind = value.kind();
    if (kind == Variant::Kind::Empty || kind == Variant::Kind::Null ||
        kind == Variant::Kind::Object)
        throw mismatch(kMember, u"Text formats take text.");
    store(cf, ansiBytes(CStr(value)));
}

std::optional<std::vector<std::uint8_t>> DataObject::bytesOf(CLIPFORMAT format,
                                                             std::int32_t published) {
    if (m_received) {
        FORMATETC f;
        f.cfFormat = format;
        STGMEDIUM m;
        if (m_received->GetData(&f, &m) != S_OK) return std::nullopt;
        auto bytes = blockBytes(m.hGlobal);
        ReleaseStgMedium(&m);
        return bytes;
    }
    Entry* e = find(format);
    if (e && !e->bytes && m_supply && !m_supplying) {
        m_supplying = true;
        std::int32_t asked = published;
        try {
            m_supply(*this, asked);
        } catch (...) {
            m_supplying = false;
            throw;
        }
        m_supplying = false;
        e = find(format);
    }
    if (e && e->bytes) return e->bytes;
    if (format == CF_HDROP && m_files->Count() > 0) {
        const HDROP block = CreateFileDropBlock(fileNames());
        if (!block) return std::nullopt;
        auto bytes = blockBytes(block);
        GlobalFree(block);
        return bytes;
    }
    return std::nullopt;
}

Variant DataObject::GetData(std::int32_t format) {
    const CLIPFORMAT cf = clipFormat(format);
    std::optional<std::vector<std::uint8_t>> bytes = bytesOf(cf, format);
    if (!bytes)
        throw Error(errors::FormatMismatch, u"DataObject.GetData",
                    u"The data object holds no data in that format.");
    if (isText(cf)) return Variant(ansiText(*bytes));
    return Variant(std::move(*bytes));
}

bool DataObject::GetFormat(std::int32_t format) {
    const CLIPFORMAT cf = clipFormat(format);
    if (m_received) {
        FORMATETC f;
        f.cfFormat = cf;
        return m_received->QueryGetData(&f) == S_OK;
    }
    return find(cf) || (cf == CF_HDROP && m_files->Count() > 0);
}

std::vector<std::u16string> DataObject::fileNames() {
    std::vector<std::u16string> names;
    for (std::int32_t i = 1; i <= m_files->Count(); ++i)
        names.push_back(CStr(m_files->Item(Variant(i))));
    return names;
}

const std::shared_ptr<Collection>& DataObject::Files() {
    if (m_received && !m_filesRead) {
        m_filesRead = true;
        FORMATETC f;
        f.cfFormat = CF_HDROP;
        STGMEDIUM m;
        if (m_received->GetData(&f, &m) == S_OK) {
            for (const std::u16string& name : FileDropNames(m.hGlobal))
                m_files->Add(Variant(name));
            ReleaseStgMedium(&m);
        }
    }
    return m_files;
}

std::optional<std::u16string> DataObject::text() {
    if (auto units = bytesOf(CF_UNICODETEXT, CF_UNICODETEXT)) {
        std::u16string text(units->size() / 2, u'\0');
        if (!text.empty()) std::memcpy(text.data(), units->data(), text.size() * 2);
        const std::size_t nul = text.find(u'\0');
        if (nul != std::u16string::npos) text.resize(nul);
        return text;
    }
    if (auto bytes = bytesOf(CF_TEXT, vbCFText)) return ansiText(*bytes);
    return std::nullopt;
}

HRESULT DataObject::QueryGetData(const FORMATETC* format) {
    if (const HRESULT hr = MemoryDataObject::checkFormat(format); hr != S_OK) return hr;
    if (m_received) return m_received->QueryGetData(format);
    if (find(format->cfFormat) || (format->cfFormat == CF_HDROP && m_files->Count() > 0))
        return S_OK;
    return DV_E_FORMATETC;
}

HRESULT DataObject::GetData(const FORMATETC* format, STGMEDIUM* medium) {
    if (!medium) return E_INVALIDARG;
    if (const HRESULT hr = QueryGetData(format); hr != S_OK) return hr;
    if (m_received) return m_received->GetData(format, medium);
    std::optional<std::vector<std::uint8_t>> bytes;
    try {
        const std::int32_t published =
            format->cfFormat == rtfFormat() ? std::int32_t{vbCFRTF} : format->cfFormat;
        bytes = bytesOf(format->cfFormat, published);
    } catch (const Error&) {
        return E_UNEXPECTED;  // the source's OLESetData failed
    }
    if (!bytes) return DV_E_FORMATETC;
    const HGLOBAL block = newBlock(*bytes);
    if (!block) return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    return S_OK;
}

HRESULT DataObject::SetData(const FORMATETC* format, STGMEDIUM* medium, BOOL release) {
    if (!medium) return E_INVALIDARG;
    if (const HRESULT hr = MemoryDataObject::checkFormat(format); hr != S_OK) return hr;
    if (received() || m_locked) return E_UNEXPECTED;
    if (medium->tymed != TYMED_HGLOBAL || !medium->hGlobal) return DV_E_TYMED;
    auto bytes = blockBytes(medium->hGlobal);
    if (!bytes) return E_INVALIDARG;
    store(format->cfFormat, std::move(bytes));
    if (release) GlobalFree(medium->hGlobal);
    return S_OK;
}

HRESULT DataObject::EnumFormatEtc(DWORD direction, std::vector<FORMATETC>* formats) {
    if (!formats || (direction != DATADIR_GET && direction != DATADIR_SET)) return E_INVALIDARG;
    formats->clear();
    if (direction == DATADIR_SET) return S_OK;
    if (m_received) return m_received->EnumFormatEtc(direction, formats);
    bool files = false;
    for (const Entry& e : m_entries) {
        FORMATETC f;
        f.cfFormat = e.format;
        formats->push_back(f);
        files = files || e.format == CF_HDROP;
    }
    if (!files && m_files->Count() > 0) {
        FORMATETC f;
        f.cfFormat = CF_HDROP;
        formats->push_back(f);
    }
    return S_OK;
}

}  // namespace orvane
