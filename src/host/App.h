// The application object and the screen's twips, as the host offers them to controls.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Types.h"

namespace orvane {

class App {
public:
    // The program's one application object.
    static App& current();

    // The folder the program runs from (without a trailing separator), unless set otherwise.
    const std::u16string& Path() const { return m_path; }
    void Path(std::u16string path) { m_path = std::move(path); }
    // The program's title ("" unless set).
    const std::u16string& Title() const { return m_title; }
    void Title(std::u16string title) { m_title = std::move(title); }
    // Whether the program runs inside a development environment (never, for programs built
    // with this library; tests may say otherwise). Error logging depends on it.
    bool InDevelopmentEnvironment() const { return m_inDevelopment; }
    void InDevelopmentEnvironment(bool inside) { m_inDevelopment = inside; }
    // The program's module handle.
    platform::HINSTANCE hInstance() const;
    // The user-interface thread's id.
    platform::DWORD ThreadID() const;

    // Writes an entry to the application event log under the program's title (or "Orvane"):
    // `type` is vbLogEventTypeError (1), vbLogEventTypeWarning (2) or
    // vbLogEventTypeInformation (4).
    void LogEvent(const std::u16string& text, std::int32_t type = vbLogEventTypeInformation);
    // An error entry.
    static constexpr std::int32_t vbLogEventTypeError = 1;
    // A warning entry.
    static constexpr std::int32_t vbLogEventTypeWarning = 2;
    // An information entry.
    static constexpr std::int32_t vbLogEventTypeInformation = 4;

    // The program's embedded resources, by number and type (types compare without regard to
    // case). LoadResData raises 326 for a resource the program does not have.
    void AddResource(int id, std::u16string type, std::vector<std::uint8_t> data);
    // The bytes of a resource.
    std::vector<std::uint8_t> LoadResData(int id, std::u16string_view type) const;
    // Drops a resource the program added (the library's own stay).
    void RemoveResource(int id, std::u16string_view type);

private:
    App();
    std::u16string m_path;
    std::u16string m_title;
    bool m_inDevelopment = false;
    std::map<std::pair<int, std::u16string>, std::vector<std::uint8_t>> m_resources;
};

// Twips per pixel on the screen, horizontally: 1440 twips to the inch at the screen's DPI (15
// at 96 DPI).
int TwipsPerPixelX();
// The same vertically.
int TwipsPerPixelY();

}  // namespace orvane
