// The data a drag carries, as controls and scripts see it: formats by number (ClipBoardConstants
// or any clipboard format), text as strings, everything else as byte arrays, and a file list.
// A control's drag makes one (its OLEStartDrag fills it); a drop hands the target either that
// same object or one wrapping the data that came from elsewhere (another program, the desktop),
// which can be read and not changed. It is also the platform data object DoDragDrop carries.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/Collection.h"
#include "host/Variant.h"
#include "platform/ole/IDataObject.h"

namespace orvane {

class DataObject : public Object,
                   public platform::IDataObject,
                   public std::enable_shared_from_this<DataObject> {
public:
    // A data object of a drag source: empty and open to SetData.
    DataObject();
    // Wraps data that came from elsewhere (borrowed: call release() before it goes). Read-only.
    explicit DataObject(platform::IDataObject* received);
    ~DataObject() override;
    DataObject(const DataObject&) = delete;
    DataObject& operator=(const DataObject&) = delete;

    // The published class name.
    std::u16string typeName() const override { return u"DataObject"; }

    // --- As published ---
    // Removes every format and file name.
    void Clear();
    // The data in a format: a string for vbCFText and vbCFRTF, the bytes for any other format.
    // Error 460 for a number that is no format, 461 when the object does not hold the format
    // (a format promised by SetData without a value is asked of the source first).
    Variant GetData(std::int32_t format);
    // Whether the object holds a format (promised ones included). Error 460 for a bad number.
    bool GetFormat(std::int32_t format);
    // Stores a value in a format. Text formats take strings (numbers and booleans as their
    // text) or bytes; other formats take byte arrays. A missing value promises the format:
    // the source's OLESetData supplies it when a target asks. A missing format means vbCFText
    // for a string. Errors: 460 for a bad format, 461 for a value of the wrong kind, 5 on a
    // read-only object or outside the source's OLEStartDrag and OLESetData.
    void SetData(const Variant& value, const Variant& format);
    // The file names of vbCFFiles (strings, counted from 1). A source adds names to it; while
    // it holds any, the object offers vbCFFiles.
    const std::shared_ptr<Collection>& Files();

    // --- For the host ---
    // Who fills a promised format: called with the object and the format asked for.
    using Supplier = std::function<void(DataObject& data, std::int32_t& format)>;
    // Sets (or, with nothing, clears) the supplier of promised formats.
    void supplier(Supplier supply) { m_supply = std::move(supply); }
    // Whether SetData and Clear are refused (a source's object while its drag runs).
    void locked(bool locked) { m_locked = locked; }
    // Whether the object holds no format and no file.
    bool empty() const;
    // Whether it wraps data from elsewhere.
    bool received() const { return m_received != nullptr || m_wasReceived; }
    // Forgets the wrapped data (its drag is over); the object then holds nothing.
    void release();
    // The text the object holds as CF_UNICODETEXT (13) or else vbCFText, if any.
    std::optional<std::u16string> text();
    // The platform format number of a published one; error 460 for a number that is none.
    static platform::CLIPFORMAT clipFormat(std::int32_t format);

    // --- The platform data object ---
    // A new block with the data of a format (a promised one is supplied first).
    platform::HRESULT GetData(const platform::FORMATETC* format,
                              platform::STGMEDIUM* medium) override;
    // S_OK when the object offers the format.
    platform::HRESULT QueryGetData(const platform::FORMATETC* format) override;
    // Stores a block (a drop target writing back is refused with E_UNEXPECTED while locked).
    platform::HRESULT SetData(const platform::FORMATETC* format, platform::STGMEDIUM* medium,
                              platform::BOOL release) override;
    // The formats offered, in the order set.
    platform::HRESULT EnumFormatEtc(platform::DWORD direction,
                                    std::vector<platform::FORMATETC>* formats) override;

private:
    struct Entry {
        platform::CLIPFORMAT format;
        std::optional<std::vector<std::uint8_t>> bytes;  // none while promised
    };
    Entry* find(platform::CLIPFORMAT format);
    // The bytes of a format, supplying a promised one; none when it is not there.
    std::optional<std::vector<std::uint8_t>> bytesOf(platform::CLIPFORMAT format,
                                                     std::int32_t published);
    std::vector<std::u16string> fileNames();
    void checkWritable(const char16_t* member) const;
    void store(platform::CLIPFORMAT format, std::optional<std::vector<std::uint8_t>> bytes);

    std::vector<Entry> m_entries;
    std::shared_ptr<Collection> m_files;
    platform::IDataObject* m_received = nullptr;
    bool m_wasReceived = false;
    bool m_filesRead = false;  // a received object's Files were read from its file list
    bool m_locked = false;
    bool m_supplying = false;  // the supplier runs: SetData is open to it
    Supplier m_supply;
};

}  // namespace orvane
