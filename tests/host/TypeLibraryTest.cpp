// Late binding through the type library and events with arguments by reference.
#include <gtest/gtest.h>

#include "host/ErrorOf.h"

#include <functional>

#include "host/Error.h"
#include "host/EventSource.h"
#include "host/TypeLibrary.h"
#include "platform/base/CodePages.h"

namespace orvane::test {
namespace {

// A small published class: a value that announces changes and lets handlers cancel them.
class Counter : public Object, public EventSource {
public:
    static constexpr int kChanged = 1;
    std::u16string typeName() const override { return u"Counter"; }

    long Value() const { return m_value; }
    void Value(long v) {
        std::vector<Variant> args{Variant(static_cast<std::int32_t>(m_value)), Variant(false)};
        const long old = m_value;
        m_value = v;
        if (!raiseEvent(kChanged, args)) return;  // a handler destroyed us
        if (args[1].toBool()) m_value = old;      // cancelled through the by-reference argument
    }
    long Add(long amount, const Variant& times) {
        Value(m_value + amount * (times.isMissing() ? 1 : times.toLong()));
        return m_value;
    }
    std::u16string secret;

private:
    long m_value = 0;
};

TypeLibrary libraryWithCounter() {
    TypeLibrary lib;
    ClassInfo info;
    info.name = u"Counter";
    info.create = [] { return std::make_shared<Counter>(); };
    info.properties.push_back(
        {u"Value",
         [](Object& o) {
             return Variant(static_cast<std::int32_t>(static_cast<Counter&>(o).Value()));
         },
         [](Object& o, const Variant& v) { static_cast<Counter&>(o).Value(CLng(v)); }});
    info.properties.push_back(
        {u"Doubled",
         [](Object& o) {
             return Variant(static_cast<std::int32_t>(static_cast<Counter&>(o).Value() * 2));
         },
         {}});
    info.properties.push_back({u"Secret", {}, [](Object& o, const Variant& v) {
                                   static_cast<Counter&>(o).secret = CStr(v);
                               }});
    info.methods.push_back(
        {u"Add", {{u"Amount", false}, {u"Times", true}}, [](Object& o, std::vector<Variant>& a) {
             return Variant(
                 static_cast<std::int32_t>(static_cast<Counter&>(o).Add(CLng(a[0]), a[1])));
         }});
    info.events.push_back({u"Changed", Counter::kChanged, {u"OldValue", u"Cancel"}});
    lib.registerClass(std::move(info));
    return lib;
}

TEST(TypeLibraryTest, LateBoundAccessEqualsDirectAccess) {
    const TypeLibrary lib = libraryWithCounter();
    auto object = lib.create(u"counter");
    auto& counter = static_cast<Counter&>(*object);
    lib.put(*object, u"VALUE", Variant(u"41"));  // converted as the direct call converts
    EXPECT_EQ(counter.Value(), 41);
    EXPECT_EQ(lib.get(*object, u"Doubled").toLong(), 82);
    std::vector<Variant> args{Variant(std::int32_t{2}), Variant(std::int32_t{3})};
    EXPECT_EQ(lib.call(*object, u"add", args).toLong(), 47);
    std::vector<Variant> one{Variant(std::int32_t{1})};  // the optional argument left out
    EXPECT_EQ(lib.call(*object, u"Add", one).toLong(), 48);
    EXPECT_EQ(counter.Value(), 48);
    lib.put(*object, u"Secret", Variant(u"x"));
    EXPECT_EQ(counter.secret, u"x");
}

TEST(TypeLibraryTest, AnObjectStandsForItsDefaultMember) {
    TypeLibrary lib = libraryWithCounter();
    std::shared_ptr<Object> object = lib.create(u"Counter");
    static_cast<Counter&>(*object).Value(7);
    // Without a default member an object is no plain value; other values pass as they are.
    EXPECT_EQ(errorOf([&] { lib.value(Variant(object)); }), errors::NoSuchMember);
    EXPECT_EQ(lib.value(Variant(u"x")), Variant(u"x"));
    EXPECT_EQ(lib.value(Variant(std::shared_ptr<Object>())), Variant(std::shared_ptr<Object>()));
    ClassInfo info = *lib.findClass(u"Counter");
    info.defaultMember = u"Doubled";
    lib.registerClass(std::move(info));
    EXPECT_EQ(lib.value(Variant(object)), Variant(std::int32_t{14}));
}

TEST(TypeLibraryTest, WrongUseRaisesTheHostsErrors) {
    const TypeLibrary lib = libraryWithCounter();
    auto object = lib.create(u"Counter");
    EXPECT_EQ(errorOf([&] { lib.get(*object, u"Nope"); }), errors::NoSuchMember);
    EXPECT_EQ(errorOf([&] { lib.put(*object, u"Doubled", Variant(std::int32_t{1})); }),
              errors::SetNotSupportedReadOnly);
    EXPECT_EQ(errorOf([&] { lib.get(*object, u"Secret"); }), errors::GetNotSupportedWriteOnly);
    std::vector<Variant> none;
    EXPECT_EQ(errorOf([&] { lib.call(*object, u"Add", none); }), errors::ArgumentNotOptional);
    std::vector<Variant> tooMany{Variant(std::int32_t{1}), Variant(std::int32_t{1}),
                                 Variant(std::int32_t{1})};
    EXPECT_EQ(errorOf([&] { lib.call(*object, u"Add", tooMany); }), errors::WrongArgumentCount);
    EXPECT_EQ(errorOf([&] { lib.put(*object, u"Value", Variant(u"abc")); }), errors::TypeMismatch);
    EXPECT_EQ(errorOf([&] { lib.create(u"Unknown"); }), 429);
}

TEST(TypeLibraryTest, HandlersChangeByReferenceArgumentsAndMayReenter) {
    const TypeLibrary lib = libraryWithCounter();
    auto object = lib.create(u"Counter");
    auto& counter = static_cast<Counter&>(*object);
    std::vector<long> oldValues;
    lib.connect(*object, u"Changed", [&](std::vector<Variant>& args) {
        oldValues.push_back(args[0].toLong());
        if (counter.Value() > 100) args[1] = Variant(true);  // cancel
    });
    counter.Value(5);
    counter.Value(500);
    EXPECT_EQ(counter.Value(), 5);  // the handler cancelled the change
    EXPECT_EQ(oldValues, (std::vector<long>{0, 5}));
    // A handler that sets the raising object's property again, once.
    bool reentered = false;
    const int id = counter.connect(Counter::kChanged, [&](std::vector<Variant>&) {
        if (reentered) return;
        reentered = true;
        counter.Value(7);
    });
    counter.Value(6);
    EXPECT_EQ(counter.Value(), 7);
    counter.disconnect(id);
    EXPECT_EQ(errorOf([&] { lib.connect(*object, u"NoSuchEvent", [](std::vector<Variant>&) {}); }),
              errors::NoSuchMember);
}

TEST(TypeLibraryTest, AHandlerMayDestroyTheRaiser) {
    auto counter = std::make_unique<Counter>();
    int calls = 0;
    counter->connect(Counter::kChanged, [&](std::vector<Variant>&) {
        ++calls;
        counter.reset();
    });
    counter->connect(Counter::kChanged, [&](std::vector<Variant>&) { ++calls; });
    Counter* raw = counter.get();
    raw->Value(3);  // must not touch the destroyed object, nor call the second handler
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(counter, nullptr);
}

TEST(TypeLibraryTest, FoldedNamesAreEqualExactlyWhenTheNamesAreTheSame) {
    const std::u16string names[] = {u"Caption",
                                    u"CAPTION",
                                    u"caption",
                                    u"Capt1on",
                                    u"\u00C4rger",
                                    u"\u00E4RGER",
                                    u"\u03A3\u03C3",
                                    u"\u03C3\u03A3",
                                    u"\U00010400",
                                    u"\U00010428",
                                    u"",
                                    u"a",
                                    u"A\u0130"};
    for (const auto& a : names)
        for (const auto& b : names)
            EXPECT_EQ(foldName(a) == foldName(b), sameName(a, b))
                << platform::ToUtf8(a) << " / " << platform::ToUtf8(b);
    EXPECT_EQ(foldName(u"MiXeD \u00C4"), u"mixed \u00E4");
}

}  // namespace
}  // namespace orvane::test
