// The host's font object: what controls keep as their Font property, persist in property
// bags, and turn into GDI fonts. Listeners hear about every change by property name.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/Variant.h"
#include "platform/gdi/GdiTypes.h"

namespace orvane {

class StdFont : public Object {
public:
    // MS Sans Serif, 8.25 points, regular, charset 0.
    StdFont();
    std::u16string typeName() const override { return u"StdFont"; }

    // The face name, 1 to 31 characters (else error 380).
    const std::u16string& Name() const { return m_name; }
    void Name(std::u16string name);
    // Points, kept to four decimals as the host stores them.
    double Size() const { return m_size; }
    void Size(double points);
    // Whether Weight is 550 or more; setting it makes the weight 700 or 400.
    bool Bold() const { return m_weight >= 550; }
    void Bold(bool bold);
    // Whether the font is italic.
    bool Italic() const { return m_italic; }
    void Italic(bool italic);
    // Whether the font is underlined.
    bool Underline() const { return m_underline; }
    void Underline(bool underline);
    // Whether the font is struck through.
    bool Strikethrough() const { return m_strikethrough; }
    void Strikethrough(bool strike);
    // The weight, 0 to 1000 (else error 380): 400 regular, 700 bold.
    short Weight() const { return m_weight; }
    void Weight(short weight);
    // The character set, 0 to 255 (else error 380).
    short Charset() const { return m_charset; }
    void Charset(short charset);

    // A copy with the same attributes and no listeners.
    std::shared_ptr<StdFont> clone() const;
    // The LOGFONTW for this font at a screen DPI (the height is the character height).
    platform::LOGFONTW logFont(int dpi) const;

    // Hears the name of each property that changed.
    using Listener = std::function<void(const std::u16string& property)>;
    // Registers a listener; the returned number removes it.
    int addListener(Listener listener);
    // Removes the listener addListener returned `id` for.
    void removeListener(int id);

private:
    void changed(const std::u16string& property);
    std::u16string m_name = u"MS Sans Serif";
    double m_size = 8.25;
    short m_weight = 400;
    bool m_italic = false;
    bool m_underline = false;
    bool m_strikethrough = false;
    short m_charset = 0;
    std::vector<std::pair<int, Listener>> m_listeners;
    int m_nextListener = 1;
};

}  // namespace orvane
