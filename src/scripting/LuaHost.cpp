#include "scripting/LuaHost.h"
#include "platform/testing.h"
#include "scripting/ScriptDriver.h"

#include <lua.hpp>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "host/Collection.h"
#include "host/ControlClasses.h"
#include "host/Error.h"
#include "host/Form.h"
#include "host/TypeLibrary.h"
#include "host/UserControl.h"
#include "platform/base/CodePages.h"
#include "platform/platform.h"

// Lua raises errors with longjmp, which must never cross a C++ frame that owns something. So
// every function Lua calls does its C++ work inside guarded(), which turns exceptions and
// handler failures into a value on the Lua stack and raises it only once that work is over.

namespace orvane {

using namespace platform;

namespace {

constexpr const char* kObject = "Orvane.Object";
constexpr const char* kForm = "Orvane.Form";
constexpr const char* kArray = "Orvane.Array";
constexpr const char* kError = "Orvane.Error";
constexpr const char* kBytes = "Orvane.Bytes";

// A library object seen from Lua. Controls belong to their form, so only a pointer is kept,
// with the token that tells whether the control still exists; other objects are shared.
struct ObjectRef {
    Object* raw = nullptr;
    std::shared_ptr<Object> owned;
    std::weak_ptr<bool> alive;
    bool watched = false;
};

struct ArrayRef {
    std::u16string name;
};

// What went wrong in C++: the library's error, or a message of our own (number 0).
struct Failure {
    std::int32_t number = 0;
    std::string source;
    std::string description;
};

}  // namespace

struct LuaHost::State {
    Form* form = nullptr;
    ScriptDriver* driver = nullptr;
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
    bool timedOut = false;
    int pendingError = LUA_NOREF;  // a handler's error, raised once control is back in Lua
    bool keepGoing = false;
    int failedChecks = 0;
    std::vector<int> handlerRefs;
    platform::HDC formDc;  // form.hDC, taken when first read and released with the host
};

namespace {

LuaHost::State& stateOf(lua_State* L) {
    return **static_cast<LuaHost::State**>(lua_getextraspace(L));
}

std::string utf8(const std::u16string& s) {
    return ToUtf8(s);
}

std::u16string wide(lua_State* L, int index) {
    std::size_t n = 0;
    const char* s = lua_tolstring(L, index, &n);
    return s ? FromUtf8(std::string(s, n)) : std::u16string();
}

void pushError(lua_State* L, const Failure& f) {
    lua_createtable(L, 0, 3);
    lua_pushinteger(L, f.number);
    lua_setfield(L, -2, "number");
    lua_pushstring(L, f.source.c_str());
    lua_setfield(L, -2, "source");
    lua_pushstring(L, f.description.c_str());
    lua_setfield(L, -2, "description");
    luaL_setmetatable(L, kError);
}

// Runs `work` (which returns the number of results); exceptions and errors raised inside
// event handlers become Lua errors after it.
template <class Work>
int guarded(lua_State* L, Work&& work) {
    int results = 0;
    bool failed = false;
    {
        Failure failure;
        try {
            results = work();
        } catch (const Error& e) {
            failure = {e.number(), utf8(e.source()), utf8(e.description())};
            failed = true;
        } catch (const std::exception& e) {
            failure = {0, "", e.what()};
            failed = true;
        }
        if (failed) pushError(L, failure);
    }
    if (failed) return lua_error(L);
    LuaHost::State& st = stateOf(L);
    if (st.pendingError != LUA_NOREF) {
        lua_rawgeti(L, LUA_REGISTRYINDEX, st.pendingError);
        luaL_unref(L, LUA_REGISTRYINDEX, st.pendingError);
        st.pendingError = LUA_NOREF;
        return lua_error(L);
    }
    return results;
}

[[noreturn]] void fail(const std::string& what) {
    throw Error(errors::InvalidProcedureCall, u"script", FromUtf8(what));
}

void pushObject(lua_State* L, Object* raw, std::shared_ptr<Object> owned) {
    if (!raw) {
        lua_pushnil(L);
        return;
    }
    auto* ref = static_cast<ObjectRef*>(lua_newuserdatauv(L, sizeof(ObjectRef), 0));
    new (ref) ObjectRef{raw, std::move(owned), {}, false};
    if (auto* source = dynamic_cast<EventSource*>(raw)) {
        ref->alive = source->aliveToken();
        ref->watched = true;
    }
    luaL_setmetatable(L, kObject);
}

Object& objectAt(lua_State* L, int index) {
    auto* ref = static_cast<ObjectRef*>(luaL_testudata(L, index, kObject));
    if (!ref) fail("expected a control or object");
    if (ref->watched && ref->alive.expired()) fail("the object no longer exists");
    return *ref->raw;
}

void pushVariant(lua_State* L, const Variant& v, ValueType type = ValueType::Any) {
    switch (v.kind()) {
        case Variant::Kind::Empty:
        case Variant::Kind::Null:
        case Variant::Kind::Missing:
            lua_pushnil(L);
            break;
        case Variant::Kind::Integer:
        case Variant::Kind::Long:
        case Variant::Kind::Byte:
            // Colours are unsigned, so a system colour reads back as written (0x80000008).
            if (type == ValueType::Color) {
                lua_pushinteger(L,
                                static_cast<std::uint32_t>(static_cast<std::int32_t>(v.toLong())));
            } else {
                lua_pushinteger(L, v.toLong());
            }
            break;
        case Variant::Kind::Single:
        case Variant::Kind::Double:
        case Variant::Kind::Date:
            lua_pushnumber(L, v.toDouble());
            break;
        case Variant::Kind::Boolean:
            lua_pushboolean(L, v.toBool());
            break;
        case Variant::Kind::String:
            lua_pushstring(L, utf8(v.toString()).c_str());
            break;
        case Variant::Kind::ByteArray: {
            const auto& b = v.bytes();
            lua_pushlstring(L, reinterpret_cast<const char*>(b.data()), b.size());
            break;
        }
        case Variant::Kind::Object: {
            auto object = v.object();
            Object* raw = object.get();
            // Controls stay their form's; anything else is shared with the script.
            if (dynamic_cast<UserControl*>(raw)) object.reset();
            pushObject(L, raw, std::move(object));
            break;
        }
    }
}

std::vector<std::uint8_t> bytesOf(lua_State* L, int index) {
    std::size_t n = 0;
    const char* s = lua_tolstring(L, index, &n);
    return std::vector<std::uint8_t>(reinterpret_cast<const std::uint8_t*>(s),
                                     reinterpret_cast<const std::uint8_t*>(s) + n);
}

// A Lua value as the host's value; `like` (when given) keeps the kind an argument had, and
// `type` says where a string is bytes and what cannot be bytes.
Variant toVariant(lua_State* L, int index, const Variant* like = nullptr,
                  ValueType type = ValueType::Any) {
    if (type == ValueType::Bytes) {
        const int t = lua_type(L, index);
        if (t == LUA_TSTRING) return Variant(bytesOf(L, index));
        if (t != LUA_TNIL && t != LUA_TNONE && !luaL_testudata(L, index, kBytes))
            throw Error::standard(errors::TypeMismatch, u"");
    }
    switch (lua_type(L, index)) {
        case LUA_TNIL:
        case LUA_TNONE:
            return Variant();
        case LUA_TBOOLEAN:
            return Variant(lua_toboolean(L, index) != 0);
        case LUA_TNUMBER: {
            Variant v;
            if (lua_isinteger(L, index)) {
                const lua_Integer i = lua_tointeger(L, index);
                // Whole numbers up to 0xFFFFFFFF are 32-bit values (0x80000005 is the system
                // colour 5, as &H80000005 is); larger ones are doubles.
                v = i >= INT32_MIN && i <= static_cast<lua_Integer>(UINT32_MAX)
                        ? Variant(static_cast<std::int32_t>(static_cast<std::uint32_t>(i)))
                        : Variant(static_cast<double>(i));
            } else {
                v = Variant(lua_tonumber(L, index));
            }
            if (like && like->kind() == Variant::Kind::Integer) return Variant(CInt(v));
            if (like && like->kind() == Variant::Kind::Single) return Variant(v.toSingle());
            if (like && like->kind() == Variant::Kind::Boolean) return Variant(CBool(v));
            return v;
        }
        case LUA_TSTRING:
            return Variant(wide(L, index));
        case LUA_TUSERDATA: {
            if (luaL_testudata(L, index, kBytes)) {
                lua_getiuservalue(L, index, 1);
                Variant bytes(bytesOf(L, -1));
                lua_pop(L, 1);
                return bytes;
            }
            Object& o = objectAt(L, index);
            auto* ref = static_cast<ObjectRef*>(lua_touserdata(L, index));
            if (ref->owned) return Variant(ref->owned);
            // A control passed as a value: a non-owning handle to it.
            return Variant(std::shared_ptr<Object>(std::shared_ptr<Object>(), &o));
        }
        default:
            fail(std::string("a ") + lua_typename(L, lua_type(L, index)) +
                 " cannot be given to the library");
    }
}

std::string nameOf(Object& o) {
    if (auto* c = dynamic_cast<UserControl*>(&o)) return utf8(c->Extender().Name());
    return utf8(o.typeName());
}

// Adds the member and the object to a library error, so a script says where it went wrong.
template <class Fn>
auto naming(Object& o, const std::u16string& member, Fn&& fn) {
    try {
        return fn();
    } catch (const Error& e) {
        throw Error(e.number(), e.source().empty() ? o.typeName() : e.source(),
                    e.description() + u" (" + FromUtf8(nameOf(o)) + u"." + member + u")");
    }
}

// obj:List(i) reads an indexed property; obj:List(i, value) writes it.
int callIndexed(lua_State* L) {
    return guarded(L, [&] {
        Object& o = objectAt(L, 1);
        const std::u16string property = wide(L, lua_upvalueindex(1));
        const auto count = static_cast<int>(lua_tointeger(L, lua_upvalueindex(2)));
        const PropertyInfo* info = TypeLibrary::current().findProperty(o, property);
        const ValueType type = info ? info->type : ValueType::Any;
        std::vector<Variant> indices;
        for (int i = 2; i <= lua_gettop(L) && i < 2 + count; ++i)
            indices.push_back(toVariant(L, i));
        if (lua_gettop(L) == count + 2) {
            naming(o, property, [&] {
                TypeLibrary::current().putAt(o, property, indices,
                                             toVariant(L, count + 2, nullptr, type));
                return 0;
            });
            return 0;
        }
        pushVariant(
            L,
            naming(o, property, [&] { return TypeLibrary::current().getAt(o, property, indices); }),
            type);
        return 1;
    });
}

// obj:Method(args...): the object first, then the arguments, by reference.
int callMethod(lua_State* L) {
    return guarded(L, [&] {
        Object& o = objectAt(L, 1);
        const std::u16string method = wide(L, lua_upvalueindex(1));
        const MethodInfo* info = TypeLibrary::current().findMethod(o, method);
        const auto typeOf = [info](std::size_t i) {
            return info && i < info->params.size() ? info->params[i].type : ValueType::Any;
        };
        const Variant result = naming(o, method, [&] {
            std::vector<Variant> args;
            for (int i = 2; i <= lua_gettop(L); ++i) {
                // nil for an optional argument leaves it out, as an empty place in a call does.
                const std::size_t at = args.size();
                const bool optional = info && at < info->params.size() && info->params[at].optional;
                args.push_back(lua_isnil(L, i) && optional ? Variant::missing()
                                                           : toVariant(L, i, nullptr, typeOf(at)));
            }
            return TypeLibrary::current().call(o, method, args);
        });
        pushVariant(L, result, info ? info->result : ValueType::Any);
        return 1;
    });
}

// coll[i] for an object with Count and Item (a collection): the item, or nil past the end,
// so that ipairs walks it.
void pushItem(lua_State* L, Object& o, lua_Integer i) {
    TypeLibrary& lib = TypeLibrary::current();
    if (!lib.findMethod(o, u"Item")) fail("only collections are indexed by number");
    if (i < 1 || i > CLng(lib.get(o, u"Count"))) {
        lua_pushnil(L);
        return;
    }
    std::vector<Variant> args{Variant(static_cast<std::int32_t>(i))};
    pushVariant(L, lib.call(o, u"Item", args));
}

int objectIndex(lua_State* L) {
    return guarded(L, [&] {
        Object& o = objectAt(L, 1);
        if (lua_isinteger(L, 2)) {
            pushItem(L, o, lua_tointeger(L, 2));
            return 1;
        }
        if (lua_type(L, 2) != LUA_TSTRING) fail("member names are strings");
        const std::u16string name = wide(L, 2);
        if (TypeLibrary::current().isMethod(o, name)) {
            lua_pushvalue(L, 2);
            lua_pushcclosure(L, callMethod, 1);
            return 1;
        }
        if (const std::size_t count = TypeLibrary::current().indexCount(o, name)) {
            lua_pushvalue(L, 2);
            lua_pushinteger(L, static_cast<lua_Integer>(count));
            lua_pushcclosure(L, callIndexed, 2);
            return 1;
        }
        const PropertyInfo* info = TypeLibrary::current().findProperty(o, name);
        // A control's Parent is the form the script runs on.
        if (!info && sameName(name, u"Parent") && dynamic_cast<UserControl*>(&o)) {
            lua_getglobal(L, "form");
            return 1;
        }
        pushVariant(L, naming(o, name, [&] { return TypeLibrary::current().get(o, name); }),
                    info ? info->type : ValueType::Any);
        return 1;
    });
}

int objectNewIndex(lua_State* L) {
    return guarded(L, [&] {
        Object& o = objectAt(L, 1);
        if (lua_type(L, 2) != LUA_TSTRING) fail("member names are strings");
        const std::u16string name = wide(L, 2);
        const PropertyInfo* info = TypeLibrary::current().findProperty(o, name);
        naming(o, name, [&] {
            TypeLibrary::current().put(
                o, name, toVariant(L, 3, nullptr, info ? info->type : ValueType::Any));
            return 0;
        });
        return 0;
    });
}

// #coll: a collection's Count.
int objectLen(lua_State* L) {
    return guarded(L, [&] {
        Object& o = objectAt(L, 1);
        lua_pushinteger(L, CLng(TypeLibrary::current().get(o, u"Count")));
        return 1;
    });
}

int objectGc(lua_State* L) {
    static_cast<ObjectRef*>(lua_touserdata(L, 1))->~ObjectRef();
    return 0;
}

int objectEq(lua_State* L) {
    auto* a = static_cast<ObjectRef*>(luaL_testudata(L, 1, kObject));
    auto* b = static_cast<ObjectRef*>(luaL_testudata(L, 2, kObject));
    lua_pushboolean(L, a && b && a->raw == b->raw);
    return 1;
}

int objectToString(lua_State* L) {
    auto* ref = static_cast<ObjectRef*>(lua_touserdata(L, 1));
    if (ref->watched && ref->alive.expired()) {
        lua_pushstring(L, "(gone)");
    } else {
        lua_pushstring(L, nameOf(*ref->raw).c_str());
    }
    return 1;
}

int errorToString(lua_State* L) {
    lua_getfield(L, 1, "number");
    lua_getfield(L, 1, "source");
    lua_getfield(L, 1, "description");
    lua_pushfstring(L, "error %s (%s): %s", lua_tostring(L, -3), lua_tostring(L, -2),
                    lua_tostring(L, -1));
    return 1;
}

// form:Add("Orvane.ucLabelHTML", "name"): a control added at run time.
int formAdd(lua_State* L) {
    return guarded(L, [&] {
        if (lua_type(L, 2) != LUA_TSTRING || lua_type(L, 3) != LUA_TSTRING)
            fail("form:Add wants a class name and a control name");
        std::u16string cls = wide(L, 2);
        if (cls.rfind(u"Orvane.", 0) == 0) cls = cls.substr(7);
        const ControlClasses::Factory* factory = ControlClasses::current().find(cls);
        if (!factory) throw Error::standard(errors::InvalidClassString, u"form.Add");
        Form& form = *stateOf(L).form;
        UserControl& c = form.add((*factory)(), wide(L, 3), -1, Extender());
        pushObject(L, &c, nullptr);
        return 1;
    });
}

// form:Remove(ctl): the control and what it holds go, also from inside their own handlers.
int formRemove(lua_State* L) {
    return guarded(L, [&] {
        auto* c = dynamic_cast<UserControl*>(&objectAt(L, 2));
        if (!c) fail("form:Remove wants a control");
        stateOf(L).form->remove(*c);
        return 0;
    });
}

// form.Controls: a collection of the form's controls, in creation order.
void pushControls(lua_State* L, Form& form) {
    auto controls = std::make_shared<Collection>();
    for (UserControl* c : form.Controls())
        controls->Add(Variant(std::shared_ptr<Object>(std::shared_ptr<Object>(), c)));
    Object* raw = controls.get();
    pushObject(L, raw, std::move(controls));
}

int formIndex(lua_State* L) {
    return guarded(L, [&] {
        Form& form = *stateOf(L).form;
        if (lua_type(L, 2) != LUA_TSTRING) fail("control names are strings");
        const std::u16string name = wide(L, 2);
        if (sameName(name, u"Add")) {
            lua_pushcfunction(L, formAdd);
            return 1;
        }
        if (sameName(name, u"Name")) {
            lua_pushstring(L, utf8(form.Name()).c_str());
            return 1;
        }
        if (sameName(name, u"Remove")) {
            lua_pushcfunction(L, formRemove);
            return 1;
        }
        if (sameName(name, u"hWnd")) {
            lua_pushinteger(L, static_cast<lua_Integer>(form.hWnd().value));
            return 1;
        }
        if (sameName(name, u"hDC")) {
            // One DC of the form's window for the script's life: what is drawn on it stays
            // until the form next repaints there.
            HDC& dc = stateOf(L).formDc;
            if (!dc) dc = GetDC(form.hWnd());
            lua_pushinteger(L, static_cast<lua_Integer>(dc.value));
            return 1;
        }
        if (sameName(name, u"Controls")) {
            pushControls(L, form);
            return 1;
        }
        bool array = false;
        for (UserControl* c : form.Controls()) {
            if (!sameName(form.nameOf(*c), name)) continue;
            if (form.indexOf(*c) < 0) {
                pushObject(L, c, nullptr);
                return 1;
            }
            array = true;
        }
        if (!array) fail("the form has no control named " + utf8(name));
        auto* ref = static_cast<ArrayRef*>(lua_newuserdatauv(L, sizeof(ArrayRef), 0));
        new (ref) ArrayRef{name};
        luaL_setmetatable(L, kArray);
        return 1;
    });
}

int arrayIndex(lua_State* L) {
    return guarded(L, [&] {
        auto* ref = static_cast<ArrayRef*>(lua_touserdata(L, 1));
        if (!lua_isinteger(L, 2)) fail("a control array is indexed by number");
        Form& form = *stateOf(L).form;
        pushObject(L, &form.control(ref->name, static_cast<int>(lua_tointeger(L, 2))), nullptr);
        return 1;
    });
}

int arrayGc(lua_State* L) {
    static_cast<ArrayRef*>(lua_touserdata(L, 1))->~ArrayRef();
    return 0;
}

// Calls a handler with the event's arguments by name and writes changed values back. Errors
// wait in the state until control is back in a guarded function.
void callHandler(lua_State* L, int fnRef, const std::vector<std::u16string>& names,
                 std::vector<Variant>& args) {
    LuaHost::State& st = stateOf(L);
    if (st.pendingError != LUA_NOREF) return;  // one failure at a time
    const int top = lua_gettop(L);
    lua_createtable(L, 0, static_cast<int>(names.size()));
    for (std::size_t i = 0; i < names.size() && i < args.size(); ++i) {
        pushVariant(L, args[i]);
        lua_setfield(L, -2, utf8(names[i]).c_str());
    }
    const int table = lua_gettop(L);
    lua_rawgeti(L, LUA_REGISTRYINDEX, fnRef);
    lua_pushvalue(L, table);
    if (lua_pcall(L, 1, 0, 0) != LUA_OK) {
        st.pendingError = luaL_ref(L, LUA_REGISTRYINDEX);
        lua_settop(L, top);
        return;
    }
    for (std::size_t i = 0; i < names.size() && i < args.size(); ++i) {
        lua_getfield(L, table, utf8(names[i]).c_str());
        try {
            args[i] = toVariant(L, -1, &args[i]);
        } catch (const Error&) {
            // A value the argument cannot take leaves it as it was.
        }
        lua_pop(L, 1);
    }
    lua_settop(L, top);
}

// on(control, "Event", function(args) ... end)
int luaOn(lua_State* L) {
    return guarded(L, [&] {
        Object& o = objectAt(L, 1);
        if (lua_type(L, 2) != LUA_TSTRING || lua_type(L, 3) != LUA_TFUNCTION)
            fail("on wants a control, an event name and a function");
        const std::u16string event = wide(L, 2);
        const EventInfo* info = TypeLibrary::current().findEvent(o, event);
        if (!info)
            throw Error(
                errors::NoSuchMember, o.typeName(),
                u"Object doesn't support this event (" + FromUtf8(nameOf(o)) + u"." + event + u")");
        lua_pushvalue(L, 3);
        const int ref = luaL_ref(L, LUA_REGISTRYINDEX);
        stateOf(L).handlerRefs.push_back(ref);
        const std::vector<std::u16string> names = info->params;
        TypeLibrary::current().connect(o, event, [L, ref, names](std::vector<Variant>& args) {
            callHandler(L, ref, names, args);
        });
        return 0;
    });
}

// bytes(s): the string's bytes as a byte array, where a member takes text or bytes.
int luaBytes(lua_State* L) {
    luaL_checktype(L, 1, LUA_TSTRING);
    lua_newuserdatauv(L, 0, 1);
    lua_pushvalue(L, 1);
    lua_setiuservalue(L, -2, 1);
    luaL_setmetatable(L, kBytes);
    return 1;
}

// create("Orvane.Class")
int luaCreate(lua_State* L) {
    return guarded(L, [&] {
        if (lua_type(L, 1) != LUA_TSTRING) fail("create wants a class name");
        std::u16string cls = wide(L, 1);
        if (cls.rfind(u"Orvane.", 0) == 0) cls = cls.substr(7);
        std::shared_ptr<Object> object = TypeLibrary::current().create(cls);
        Object* raw = object.get();
        pushObject(L, raw, std::move(object));
        return 1;
    });
}

// Orvane.<Enum>.<Member>: tables made from the type library when first asked for.
int enumsIndex(lua_State* L) {
    return guarded(L, [&] {
        if (lua_type(L, 2) != LUA_TSTRING) fail("enumeration names are strings");
        const EnumInfo* info = TypeLibrary::current().findEnum(wide(L, 2));
        if (!info) fail("no enumeration named " + std::string(lua_tostring(L, 2)));
        lua_createtable(L, 0, static_cast<int>(info->members.size()));
        for (const auto& [member, value] : info->members) {
            lua_pushinteger(L, value);
            lua_setfield(L, -2, utf8(member).c_str());
        }
        return 1;
    });
}

// --- The test library ---

ScriptDriver& driverOf(lua_State* L) {
    ScriptDriver* d = stateOf(L).driver;
    if (!d) fail("the test library has nothing to drive");
    return *d;
}

POINT toScreen(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return p;
}

// A screen point from (x, y) in form pixels, a control, or a control's name; returns the next
// argument index.
POINT pointFrom(lua_State* L, int index, int& next) {
    Form& form = *stateOf(L).form;
    if (lua_type(L, index) == LUA_TNUMBER) {
        next = index + 2;
        return toScreen(form.hWnd(), static_cast<int>(lua_tointeger(L, index)),
                        static_cast<int>(lua_tointeger(L, index + 1)));
    }
    next = index + 1;
    UserControl* c = nullptr;
    if (lua_type(L, index) == LUA_TSTRING) {
        c = &form.control(wide(L, index));
    } else {
        c = dynamic_cast<UserControl*>(&objectAt(L, index));
    }
    if (!c) fail("expected a point, a control or a control's name");
    const RECT r = c->rectInContainer();
    if (c->hWnd()) return toScreen(c->hWnd(), (r.right - r.left) / 2, (r.bottom - r.top) / 2);
    // A windowless control: the centre of its rectangle on its container.
    UserControl* container = c->Extender().Container();
    return toScreen(container ? container->hWnd() : form.hWnd(), (r.left + r.right) / 2,
                    (r.top + r.bottom) / 2);
}

testing::MouseButton buttonFrom(lua_State* L, int index) {
    if (lua_type(L, index) != LUA_TSTRING) return testing::MouseButton::Left;
    const std::string b = lua_tostring(L, index);
    if (b == "right") return testing::MouseButton::Right;
    if (b == "middle") return testing::MouseButton::Middle;
    if (b != "left") fail("buttons are left, right and middle");
    return testing::MouseButton::Left;
}

using Harness = testing::TestPlatform;

int keyFrom(lua_State* L, int index) {
    if (lua_isinteger(L, index)) return static_cast<int>(lua_tointeger(L, index));
    if (lua_type(L, index) != LUA_TSTRING) fail("a key is a name or a key code");
    std::string k = lua_tostring(L, index);
    struct Named {
        const char* name;
        int vk;
    };
    static const Named kKeys[] = {
        {"enter", VK_RETURN},   {"return", VK_RETURN}, {"tab", VK_TAB},
        {"escape", VK_ESCAPE},  {"esc", VK_ESCAPE},    {"space", VK_SPACE},
        {"backspace", VK_BACK}, {"delete", VK_DELETE}, {"del", VK_DELETE},
        {"insert", VK_INSERT},  {"home", VK_HOME},     {"end", VK_END},
        {"pageup", VK_PRIOR},   {"pagedown", VK_NEXT}, {"up", VK_UP},
        {"down", VK_DOWN},      {"left", VK_LEFT},     {"right", VK_RIGHT},
        {"shift", VK_SHIFT},    {"ctrl", VK_CONTROL},  {"control", VK_CONTROL},
        {"alt", VK_MENU},
    };
    std::string lower = k;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    for (const Named& n : kKeys)
        if (lower == n.name) return n.vk;
    if (lower.size() >= 2 && lower[0] == 'f' &&
        std::isdigit(static_cast<unsigned char>(lower[1]))) {
        const int n = std::atoi(lower.c_str() + 1);
        if (n >= 1 && n <= 24) return VK_F1 + n - 1;
    }
    if (k.size() == 1 && std::isalnum(static_cast<unsigned char>(k[0])))
        return std::toupper(static_cast<unsigned char>(k[0]));
    fail("unknown key \"" + k + "\"");
}

int testMove(lua_State* L) {
    return guarded(L, [&] {
        int next = 0;
        const POINT pt = pointFrom(L, 1, next);
        driverOf(L);
        Harness::MouseMove(pt.x, pt.y);
        return 0;
    });
}

int testPress(lua_State* L) {
    return guarded(L, [&] {
        driverOf(L);
        Harness::MouseDown(buttonFrom(L, 1));
        return 0;
    });
}

int testRelease(lua_State* L) {
    return guarded(L, [&] {
        driverOf(L);
        Harness::MouseUp(buttonFrom(L, 1));
        return 0;
    });
}

int testClick(lua_State* L) {
    return guarded(L, [&] {
        int next = 0;
        const POINT pt = pointFrom(L, 1, next);
        driverOf(L);
        Harness::Click(pt.x, pt.y, buttonFrom(L, next));
        return 0;
    });
}

int testDoubleClick(lua_State* L) {
    return guarded(L, [&] {
        int next = 0;
        const POINT pt = pointFrom(L, 1, next);
        driverOf(L);
        Harness::DoubleClick(pt.x, pt.y, buttonFrom(L, next));
        return 0;
    });
}

int testWheel(lua_State* L) {
    return guarded(L, [&] {
        driverOf(L);
        Harness::Wheel(static_cast<int>(lua_tointeger(L, 1)));
        return 0;
    });
}

int testKey(lua_State* L) {
    return guarded(L, [&] {
        driverOf(L);
        Harness::KeyPress(keyFrom(L, 1));
        return 0;
    });
}

int testKeyDown(lua_State* L) {
    return guarded(L, [&] {
        driverOf(L);
        Harness::KeyDown(keyFrom(L, 1));
        return 0;
    });
}

int testKeyUp(lua_State* L) {
    return guarded(L, [&] {
        driverOf(L);
        Harness::KeyUp(keyFrom(L, 1));
        return 0;
    });
}

int testType(lua_State* L) {
    return guarded(L, [&] {
        driverOf(L);
        Harness::TypeText(wide(L, 1));
        return 0;
    });
}

int testAdvance(lua_State* L) {
    return guarded(L, [&] {
        driverOf(L).advance(static_cast<unsigned>(std::max<lua_Integer>(0, lua_tointeger(L, 1))));
        return 0;
    });
}

int testPump(lua_State* L) {
    return guarded(L, [&] {
        driverOf(L);
        lua_pushinteger(L, Harness::PumpMessages());
        return 1;
    });
}

int testPixel(lua_State* L) {
    return guarded(L, [&] {
        driverOf(L);
        // What the screen shows at that point of the form (controls included).
        POINT p{static_cast<int>(lua_tointeger(L, 1)), static_cast<int>(lua_tointeger(L, 2))};
        ClientToScreen(stateOf(L).form->hWnd(), &p);
        lua_pushinteger(L, Harness::ScreenPixel(p.x, p.y));
        return 1;
    });
}

int testPng(lua_State* L) {
    return guarded(L, [&] {
        if (lua_type(L, 1) != LUA_TSTRING) fail("test.png wants a file name");
        const std::string path = lua_tostring(L, 1);
        const bool screen =
            lua_type(L, 2) == LUA_TSTRING && std::strcmp(lua_tostring(L, 2), "screen") == 0;
        if (!driverOf(L).png(stateOf(L).form->hWnd(), screen, path))
            fail("could not write " + path);
        return 0;
    });
}

// A failed check names the script's line that made it.
int testCheck(lua_State* L) {
    if (lua_toboolean(L, 1)) return 0;
    const char* message = lua_type(L, 2) == LUA_TSTRING ? lua_tostring(L, 2) : "check failed";
    LuaHost::State& st = stateOf(L);
    ++st.failedChecks;
    luaL_where(L, 1);  // the caller of test.check: "script.lua:12: "
    lua_pushfstring(L, "%scheck failed: %s", lua_tostring(L, -1), message);
    if (!st.keepGoing) return lua_error(L);
    std::fprintf(stderr, "%s\n", lua_tostring(L, -1));
    lua_pop(L, 2);
    return 0;
}

void timeoutHook(lua_State* L, lua_Debug*) {
    LuaHost::State& st = stateOf(L);
    if (std::chrono::steady_clock::now() < st.deadline) return;
    st.timedOut = true;
    luaL_error(L, "the script ran out of time");
}

int traceback(lua_State* L) {
    if (lua_type(L, 1) != LUA_TSTRING) {
        luaL_tolstring(L, 1, nullptr);  // an error object says what it is through __tostring
        lua_replace(L, 1);
    }
    const char* message = lua_tostring(L, 1);
    luaL_traceback(L, L, message ? message : "(error object)", 1);
    return 1;
}

}  // namespace

LuaHost::LuaHost(Form& form, ScriptDriver* driver) : m_state(std::make_unique<State>()) {
    m_state->form = &form;
    m_state->driver = driver;
    m_lua = luaL_newstate();
    if (!m_lua) throw Error::standard(errors::OutOfMemory, u"LuaHost");
    *static_cast<State**>(lua_getextraspace(m_lua)) = m_state.get();
    lua_State* L = m_lua;
    luaL_openlibs(L);

    luaL_newmetatable(L, kObject);
    const luaL_Reg objectMeta[] = {
        {"__index", objectIndex}, {"__newindex", objectNewIndex}, {"__gc", objectGc},
        {"__eq", objectEq},       {"__tostring", objectToString}, {"__len", objectLen},
        {nullptr, nullptr}};
    luaL_setfuncs(L, objectMeta, 0);
    lua_pop(L, 1);
    luaL_newmetatable(L, kForm);
    lua_pushcfunction(L, formIndex);
    lua_setfield(L, -2, "__index");
    lua_pop(L, 1);
    luaL_newmetatable(L, kArray);
    lua_pushcfunction(L, arrayIndex);
    lua_setfield(L, -2, "__index");
    lua_pushcfunction(L, arrayGc);
    lua_setfield(L, -2, "__gc");
    lua_pop(L, 1);
    luaL_newmetatable(L, kError);
    lua_pushcfunction(L, errorToString);
    lua_setfield(L, -2, "__tostring");
    lua_pop(L, 1);

    lua_newuserdatauv(L, 0, 0);
    luaL_setmetatable(L, kForm);
    lua_setglobal(L, "form");
    lua_register(L, "on", luaOn);
    lua_register(L, "create", luaCreate);
    luaL_newmetatable(L, kBytes);
    lua_pop(L, 1);
    lua_register(L, "bytes", luaBytes);
    lua_newtable(L);
    lua_newtable(L);
    lua_pushcfunction(L, enumsIndex);
    lua_setfield(L, -2, "__index");
    lua_setmetatable(L, -2);
    lua_setglobal(L, "Orvane");
    const luaL_Reg testLib[] = {{"move", testMove},
                                {"press", testPress},
                                {"release", testRelease},
                                {"click", testClick},
                                {"dblclick", testDoubleClick},
                                {"wheel", testWheel},
                                {"key", testKey},
                                {"keydown", testKeyDown},
                                {"keyup", testKeyUp},
                                {"type", testType},
                                {"advance", testAdvance},
                                {"pump", testPump},
                                {"pixel", testPixel},
                                {"png", testPng},
                                {"check", testCheck},
                                {nullptr, nullptr}};
    luaL_newlib(L, testLib);
    lua_setglobal(L, "test");
}

void LuaHost::keepGoing(bool keepGoing) {
    m_state->keepGoing = keepGoing;
}

int LuaHost::failedChecks() const {
    return m_state->failedChecks;
}

LuaHost::~LuaHost() {
    if (m_lua) lua_close(m_lua);
    if (m_state->formDc) ReleaseDC(m_state->form->hWnd(), m_state->formDc);
}

bool LuaHost::run(const std::string& code, const std::string& chunkName, std::string& error) {
    lua_State* L = m_lua;
    m_state->timedOut = false;
    m_state->deadline = m_timeoutSeconds > 0
                            ? std::chrono::steady_clock::now() +
                                  std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                      std::chrono::duration<double>(m_timeoutSeconds))
                            : std::chrono::steady_clock::time_point::max();
    lua_sethook(L, timeoutHook, LUA_MASKCOUNT, 10000);
    lua_pushcfunction(L, traceback);
    const int handler = lua_gettop(L);
    int status = luaL_loadbuffer(L, code.data(), code.size(), ("@" + chunkName).c_str());
    if (status == LUA_OK) status = lua_pcall(L, 0, 0, handler);
    if (status != LUA_OK) {
        const char* message = lua_tostring(L, -1);
        error = message ? message : "script error";
        lua_settop(L, handler - 1);
        return false;
    }
    lua_settop(L, handler - 1);
    return true;
}

}  // namespace orvane
